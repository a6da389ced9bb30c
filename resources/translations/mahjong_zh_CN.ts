<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>AvatarDialog</name>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="20"/>
        <location filename="../../social/AvatarDialog.ui" line="26"/>
        <source>Choose avatar</source>
        <translation>选择头像</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="64"/>
        <source>Avatar images can only be 64x64 pixels (will be scaled down if larger)</source>
        <translation>头像图片只能为 64x64 像素（较大的图片会被缩小）</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="76"/>
        <source>Custom...</source>
        <translation>自定义...</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="90"/>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="97"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="117"/>
        <source>The file %1 is unreadable</source>
        <translation>无法读取文件 %1</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="122"/>
        <source>The file %1 is an invalid image</source>
        <translation>文件 %1 不是有效的图片</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="136"/>
        <source>Failed to change avatar</source>
        <translation>更换头像失败</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="141"/>
        <source>Locate Avatar Image</source>
        <translation>选择头像图片</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="142"/>
        <source>Image files</source>
        <translation>图片文件</translation>
    </message>
</context>
<context>
    <name>ChatOutputWidget</name>
    <message>
        <location filename="../../social/ChatOutputWidget.cpp" line="77"/>
        <source>(%1)</source>
        <translation>(%1)</translation>
    </message>
    <message>
        <location filename="../../social/ChatOutputWidget.cpp" line="85"/>
        <source>%1 %2: %3</source>
        <translation>%1 %2: %3</translation>
    </message>
</context>
<context>
    <name>ComingEventPopup</name>
    <message>
        <location filename="../../tournaments/ComingEventPopup.cpp" line="37"/>
        <source>Server will go down for maintenance in %1</source>
        <translation>服务器将在 %1 后停机维护</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingEventPopup.cpp" line="39"/>
        <source>You are registered for tournament starting in %1</source>
        <translation>您报名的锦标赛将在 %1 后开始</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingEventPopup.cpp" line="41"/>
        <source>Next tournament round starts in %1</source>
        <translation>锦标赛下一轮将在 %1 后开始</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingEventPopup.cpp" line="43"/>
        <source>Current tournament round ends in %1</source>
        <translation>锦标赛本轮将在 %1 后结束</translation>
    </message>
</context>
<context>
    <name>ComingTournamentsWidget</name>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.ui" line="24"/>
        <source>Upcoming tournaments</source>
        <translation>即将开始的锦标赛</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.cpp" line="181"/>
        <source>Unregister</source>
        <translation>取消报名</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.cpp" line="181"/>
        <source>Register</source>
        <translation>报名</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.cpp" line="182"/>
        <source>Info</source>
        <translation>详情</translation>
    </message>
</context>
<context>
    <name>CompactCityView</name>
    <message>
        <location filename="../../scene/CompactCityView.cpp" line="32"/>
        <source>Remaining tiles</source>
        <translation>剩余牌数</translation>
    </message>
</context>
<context>
    <name>ConcealedActionDialog</name>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="7"/>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="10"/>
        <source>Riichi</source>
        <translation>立直</translation>
    </message>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="11"/>
        <source>Kong</source>
        <translation>杠</translation>
    </message>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="12"/>
        <source>Pong to kong</source>
        <translation>加杠</translation>
    </message>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="13"/>
        <source>Replace flower</source>
        <translation>补花</translation>
    </message>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="14"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>ConferenceView</name>
    <message>
        <location filename="../../social/ConferenceView.ui" line="64"/>
        <source>Send</source>
        <translation>发送</translation>
    </message>
</context>
<context>
    <name>ConferenceWidget</name>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="236"/>
        <source>You chat as %1 in this room</source>
        <translation>你在此聊天室中的名字是 %1</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="243"/>
        <source>You now chat as %1 in this room</source>
        <translation>你在此聊天室中的名字现在是 %1</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="197"/>
        <source>No error</source>
        <translation>没有错误</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="199"/>
        <source>Undefined error</source>
        <translation>未知错误</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="201"/>
        <source>You&apos;ve been banned from this room</source>
        <translation>您已被禁止进入此聊天室</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="203"/>
        <source>The room is password protected</source>
        <translation>此聊天室受密码保护</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="205"/>
        <source>This is a members only room</source>
        <translation>此聊天室仅限成员</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="207"/>
        <source>Your nickname is already in use in this room</source>
        <translation>您的昵称已在此聊天室中使用</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="209"/>
        <source>The room is full</source>
        <translation>聊天室已满</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="211"/>
        <source>The room is locked</source>
        <translation>聊天室已锁定</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="217"/>
        <source>The room doesn&apos;t exist</source>
        <translation>聊天室不存在</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="214"/>
        <source>Lobby chat unavailable</source>
        <translation>大厅聊天不可用</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="70"/>
        <source>The chat connection was lost</source>
        <translation>聊天连接已断开</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="48"/>
        <source>The chat room did not answer</source>
        <translation>聊天室没有应答</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="216"/>
        <source>Table chat only available to players</source>
        <translation>牌桌聊天仅供玩家使用</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="233"/>
        <location filename="../../social/ConferenceWidget.cpp" line="301"/>
        <source>%1 joined the chat</source>
        <translation>%1 加入了聊天</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="261"/>
        <location filename="../../social/ConferenceWidget.cpp" line="308"/>
        <source>%1 left the chat</source>
        <translation>%1 离开了聊天</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="272"/>
        <location filename="../../social/ConferenceWidget.cpp" line="318"/>
        <source>%1 has been kicked from the chat</source>
        <translation>%1 已被踢出聊天</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="271"/>
        <location filename="../../social/ConferenceWidget.cpp" line="328"/>
        <source>%1 has been banned from the chat</source>
        <translation>%1 已被禁止聊天</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="274"/>
        <source>%1 has been kicked from the chat due to %2</source>
        <translation>%1 因 %2 已被踢出聊天</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="273"/>
        <source>%1 has been banned from the chat due to %2</source>
        <translation>%1 因 %2 已被禁止聊天</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="278"/>
        <source>%1 has been kicked from the chat by %2</source>
        <translation>%1 已被 %2 踢出聊天</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="277"/>
        <source>%1 has been banned from the chat by %2</source>
        <translation>%1 已被 %2 禁止聊天</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="280"/>
        <source>%1 has been kicked from the chat by %2 due to %3</source>
        <translation>%1 因 %3 已被 %2 踢出聊天</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="279"/>
        <source>%1 has been banned from the chat by %2 due to %3</source>
        <translation>%1 因 %3 已被 %2 禁止聊天</translation>
    </message>
</context>
<context>
    <name>ConnectionManager</name>
    <message>
        <location filename="../../protocol/ConnectionManager.cpp" line="555"/>
        <source>%1</source>
        <translation>%1</translation>
    </message>
</context>
<context>
    <name>CreateUserForm</name>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="17"/>
        <source>Create New User</source>
        <translation>创建新用户</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="29"/>
        <source>User name</source>
        <translation>用户名</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="60"/>
        <source>Email</source>
        <translation>电子邮箱</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="91"/>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="122"/>
        <source>Repeat Password</source>
        <translation>确认密码</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="211"/>
        <source>Create User</source>
        <translation>创建用户</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="237"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CreateUserWindow</name>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="40"/>
        <source>User name must contain between %1 and %2 characters</source>
        <translation>用户名须为%1到%2个字符</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="56"/>
        <source>Password must contain between %1 and %2 characters</source>
        <translation>密码须为%1到%2个字符</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="61"/>
        <source>Repeated password doesn&apos;t match</source>
        <translation>两次输入的密码不一致</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="221"/>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="235"/>
        <source>Register User</source>
        <translation>注册用户</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="222"/>
        <source>Your account has been created. Please activate it with the link in the e-mail we sent you, then log in.</source>
        <translation>账户已创建。请通过我们发送的邮件中的链接激活账户，然后登录。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="250"/>
        <source>User name</source>
        <translation>用户名</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="251"/>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="252"/>
        <source>I&apos;m over %L1 years old</source>
        <translation>我已年满%L1岁</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="255"/>
        <source>I accept the &lt;a style=&quot;font-family: Verdana; font-weight: bold; font-size: 12px; color: rgb(255,244,189); text-decoration: underline;&quot; href=&quot;https://terms.invalid/&quot;&gt;terms and conditions&lt;/a&gt;</source>
        <translation>我接受&lt;a style=&quot;font-family: Verdana; font-weight: bold; font-size: 12px; color: rgb(255,244,189); text-decoration: underline;&quot; href=&quot;https://terms.invalid/&quot;&gt;条款和条件&lt;/a&gt;</translation>
    </message>
</context>
<context>
    <name>DebugDialog</name>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="13"/>
        <source>Debug</source>
        <translation>调试</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="15"/>
        <location filename="../../app/DebugDialog.cpp" line="16"/>
        <source>not connected</source>
        <translation>未连接</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="18"/>
        <source>Bytes received:</source>
        <translation>已接收字节数：</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="19"/>
        <source>Bytes sent:</source>
        <translation>已发送字节数：</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="20"/>
        <source>Rate (in/out):</source>
        <translation>速率（接收/发送）：</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="54"/>
        <source>%1 B/s / %2 B/s</source>
        <translation>%1 B/s / %2 B/s</translation>
    </message>
</context>
<context>
    <name>EmbeddedBrowser</name>
    <message>
        <location filename="../../mainwindow/EmbeddedBrowser.ui" line="46"/>
        <source>about:blank</source>
        <translation>about:blank</translation>
    </message>
    <message>
        <location filename="../../mainwindow/EmbeddedBrowser.ui" line="91"/>
        <source>%p%</source>
        <translation>%p%</translation>
    </message>
    <message>
        <location filename="../../mainwindow/EmbeddedBrowser.cpp" line="142"/>
        <source>Secure connection</source>
        <translation>安全连接</translation>
    </message>
    <message>
        <location filename="../../mainwindow/EmbeddedBrowser.cpp" line="142"/>
        <source>Insecure connection</source>
        <translation>不安全的连接</translation>
    </message>
</context>
<context>
    <name>EmbeddedView</name>
    <message>
        <location filename="../../mainwindow/EmbeddedView.ui" line="65"/>
        <source>about:blank</source>
        <translation>about:blank</translation>
    </message>
</context>
<context>
    <name>EmptySeatWidget</name>
    <message>
        <location filename="../../table/EmptySeatWidget.ui" line="11"/>
        <source>Waiting for player</source>
        <translation>等待玩家</translation>
    </message>
</context>
<context>
    <name>FriendDetailView</name>
    <message>
        <location filename="../../social/FriendDetailView.ui" line="14"/>
        <source>Friend Details</source>
        <translation>好友详情</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailView.ui" line="79"/>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailView.ui" line="88"/>
        <source>Player is seated at:</source>
        <translation>玩家所在牌桌：</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailView.ui" line="139"/>
        <source>Join</source>
        <translation>加入</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailView.ui" line="146"/>
        <source>Watch</source>
        <translation>观战</translation>
    </message>
</context>
<context>
    <name>FriendDetailWindow</name>
    <message>
        <location filename="../../social/FriendDetailWindow.cpp" line="78"/>
        <source>%1 with status &quot;%2&quot;</source>
        <extracomment>%1 is availability type, %2 is user status message</extracomment>
        <translation>%1，状态为“%2”</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailWindow.cpp" line="91"/>
        <source>Friend details for %1</source>
        <translation>%1 的详细信息</translation>
    </message>
</context>
<context>
    <name>FriendSearchView</name>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="20"/>
        <location filename="../../social/FriendSearchView.ui" line="26"/>
        <source>Friend search results</source>
        <translation>好友搜索结果</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="48"/>
        <source>Search</source>
        <translation>搜索</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="118"/>
        <source>Add to friends</source>
        <translation>添加为好友</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="125"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
<context>
    <name>FriendSearchWindow</name>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="52"/>
        <source>Add to friends</source>
        <translation>添加为好友</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="53"/>
        <source>Add item to friends list</source>
        <translation>添加到好友列表</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="54"/>
        <source>User</source>
        <translation>用户</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="127"/>
        <location filename="../../social/FriendSearchWindow.cpp" line="178"/>
        <source>Search error</source>
        <translation>搜索出错</translation>
    </message>
    <message numerus="yes">
        <location filename="../../social/FriendSearchWindow.cpp" line="169"/>
        <source>%Ln user(s) found</source>
        <translation>
            <numerusform>找到 %Ln 位用户</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FriendsRosterModel</name>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="59"/>
        <source>offline</source>
        <translation>离线</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="62"/>
        <source>online</source>
        <translation>在线</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="65"/>
        <location filename="../../social/FriendsRosterModel.cpp" line="74"/>
        <source>away</source>
        <translation>离开</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="68"/>
        <source>talkative</source>
        <translation>想聊天</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="71"/>
        <source>busy</source>
        <translation>忙碌</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="77"/>
        <source>&lt;unknown availability&gt;</source>
        <translation>&lt;未知状态&gt;</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="129"/>
        <source>%1 is %2</source>
        <extracomment>%1 is friend name, %2 is availability type</extracomment>
        <translation>%1 当前%2</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="131"/>
        <source>%1 is %2 with status &quot;%3&quot;</source>
        <extracomment>%1 is friend name, %2 is availability type, %3 is user status message</extracomment>
        <translation>%1 当前%2，状态为“%3”</translation>
    </message>
</context>
<context>
    <name>FriendsView</name>
    <message>
        <location filename="../../social/FriendsView.ui" line="35"/>
        <source>Add friends and see when they are online!</source>
        <translation>添加好友，随时查看他们是否在线！</translation>
    </message>
    <message>
        <location filename="../../social/FriendsView.ui" line="47"/>
        <source>Friends</source>
        <translation>好友</translation>
    </message>
    <message>
        <location filename="../../social/FriendsView.ui" line="65"/>
        <source>Find friend</source>
        <translation>查找好友</translation>
    </message>
    <message>
        <location filename="../../social/FriendsView.ui" line="77"/>
        <source>Friend Details</source>
        <translation>好友详情</translation>
    </message>
</context>
<context>
    <name>FriendsWindow</name>
    <message>
        <location filename="../../social/FriendsWindow.cpp" line="65"/>
        <source>Remove</source>
        <translation>删除</translation>
    </message>
    <message>
        <location filename="../../social/FriendsWindow.cpp" line="66"/>
        <source>Remove user from list</source>
        <translation>从列表中删除用户</translation>
    </message>
</context>
<context>
    <name>GameWindow</name>
    <message>
        <location filename="../../protocol/kick_reason.h" line="26"/>
        <location filename="../../protocol/kick_reason.h" line="28"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="440"/>
        <source>You were kicked from the table.</source>
        <translation>您已被踢出牌桌。</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="27"/>
        <location filename="../../protocol/kick_reason.h" line="29"/>
        <location filename="../../protocol/kick_reason.h" line="33"/>
        <location filename="../../protocol/kick_reason.h" line="45"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="440"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="444"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="459"/>
        <source>Kicked</source>
        <translation>被踢出</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="31"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="445"/>
        <source>You do not have enough funds to play another hand.
Do you want to make a deposit now?</source>
        <translation>您的余额不足，无法再玩一局。
是否立即充值？</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="36"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="455"/>
        <source>A server error occured and the game was aborted.
Your bet and fee will be repaid.</source>
        <translation>服务器发生错误，牌局已中止。
您的下注和手续费将退还。</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="38"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="451"/>
        <source>Server error</source>
        <translation>服务器错误</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="39"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="453"/>
        <source>A server error occured and the tournament will be aborted.
Check tournament rules for details regarding the distribution of the prize pool.</source>
        <translation>服务器发生错误，锦标赛将中止。
奖池的分配方式请参阅锦标赛规则。</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="43"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="460"/>
        <source>You were kicked from the table as the server will be unavailable due to mainenance.</source>
        <translation>由于服务器即将停机维护，您已被踢出牌桌。</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="461"/>
        <source>Table does not exist</source>
        <translation>牌桌不存在</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="461"/>
        <source>Table has been removed from server, press Ok to go back to lobby</source>
        <translation>牌桌已从服务器移除，按&quot;确定&quot;返回大厅</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="561"/>
        <source>%1 joined the table</source>
        <translation>%1 加入了牌桌</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="581"/>
        <source>You&apos;ve been unseated from this table.</source>
        <translation>您已被移出此牌桌的座位。</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="585"/>
        <source>%1 left the table</source>
        <translation>%1 离开了牌桌</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="638"/>
        <source>Hand started</source>
        <translation>本局开始</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="77"/>
        <source>Hand ended in washout!</source>
        <translation>本局流局！</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="102"/>
        <source>Hand ended in Mahjong!</source>
        <translation>本局和牌！</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="162"/>
        <source>Table round ended</source>
        <translation>牌桌本轮结束</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="178"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="205"/>
        <source>Tournament round ended</source>
        <translation>锦标赛本轮结束</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="206"/>
        <source>The tournament round has ended, press Ok to go back to lobby</source>
        <translation>锦标赛本轮已结束，按&quot;确定&quot;返回大厅</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="317"/>
        <source>Leave Table</source>
        <translation>离开牌桌</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="317"/>
        <source>Are you sure you want to leave table %1?</source>
        <translation>确定要离开牌桌 %1 吗？</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="376"/>
        <source>Friends</source>
        <translation>好友</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="377"/>
        <source>You haven&apos;t added any friends yet. Click on player names where you see them or go to friends section in the lobby.</source>
        <translation>您还没有添加好友。点击看到的玩家名字，或前往大厅的好友栏目。</translation>
    </message>
</context>
<context>
    <name>HttpsGet</name>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="28"/>
        <source>refusing to fetch %1: not an https:// address</source>
        <translation>拒绝获取 %1：不是 https:// 地址</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="40"/>
        <location filename="../../app/HttpsGet.cpp" line="55"/>
        <source>%1 is larger than %2 bytes</source>
        <translation>%1 大于 %2 字节</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="50"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="52"/>
        <source>%1 was redirected away from https</source>
        <translation>%1 被重定向到非 https 地址</translation>
    </message>
</context>
<context>
    <name>JoinDialog</name>
    <message>
        <location filename="../../tournaments/JoinDialog.ui" line="37"/>
        <location filename="../../tournaments/JoinDialog.cpp" line="76"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.ui" line="38"/>
        <location filename="../../tournaments/JoinDialog.cpp" line="77"/>
        <source>Accept</source>
        <translation>接受</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.ui" line="39"/>
        <location filename="../../tournaments/JoinDialog.cpp" line="78"/>
        <source>Deposit</source>
        <translation>充值</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="86"/>
        <source>Tournament registration</source>
        <translation>锦标赛报名</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="88"/>
        <source>Name: %1</source>
        <translation>名称：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="89"/>
        <source>Start: %1</source>
        <translation>开始：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="90"/>
        <source>Buy-in: %1</source>
        <translation>买入：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="91"/>
        <source>Pot: %1</source>
        <translation>奖池：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="92"/>
        <source>Rules: %1</source>
        <translation>规则：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="94"/>
        <source>Registered Players: %1</source>
        <translation>已报名玩家：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="103"/>
        <source>You do not have sufficient funds in your account to play. Please deposit more money to your account to continue playing.</source>
        <translation>您的账户余额不足，无法参加。请充值后继续游戏。</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="99"/>
        <source>This tournament has been removed.</source>
        <translation>该比赛已被删除。</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="101"/>
        <source>Registration for this tournament is closed.</source>
        <translation>该比赛的报名已截止。</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="107"/>
        <source>Accepting the tournament will withdraw the buy-in from your account. If you choose to unregister from the tournament at a later time, but before the tournament starts, the buy-in will be refunded to your account.</source>
        <translation>接受后，买入金额将从您的账户中扣除。如果您在锦标赛开始前取消报名，买入金额将退还到您的账户。</translation>
    </message>
</context>
<context>
    <name>LobbySummary</name>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="71"/>
        <source>Lobby</source>
        <translation>大厅</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="72"/>
        <source>Players online: %L1</source>
        <translation>在线玩家：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="73"/>
        <source>Players seated: %L1</source>
        <translation>已入座玩家：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="74"/>
        <source>Open tables: %L1</source>
        <translation>开放牌桌：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="75"/>
        <source>Tournaments running: %L1</source>
        <translation>进行中的锦标赛：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="76"/>
        <source>Today&apos;s top winners</source>
        <translation>今日赢家排行</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="86"/>
        <source>%1. %2  %3</source>
        <translation>%1. %2  %3</translation>
    </message>
</context>
<context>
    <name>LobbyWindow</name>
    <message>
        <location filename="../../lobby/LobbyWindow.cpp" line="142"/>
        <source>Hide full tables</source>
        <translation>隐藏已满牌桌</translation>
    </message>
</context>
<context>
    <name>LocalizationDb</name>
    <message>
        <location filename="../../lobby/LocalizationDb.cpp" line="26"/>
        <source>Table(%1)</source>
        <translation>牌桌(%1)</translation>
    </message>
</context>
<context>
    <name>Log</name>
    <message>
        <location filename="../../app/Log.cpp" line="389"/>
        <location filename="../../app/Log.cpp" line="489"/>
        <location filename="../../app/Log.cpp" line="492"/>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <location filename="../../app/Log.cpp" line="493"/>
        <source>%1

The program has to end. Please send the log file %2 to the support team.</source>
        <translation>%1

程序必须退出。请将日志文件 %2 发送给客服团队。</translation>
    </message>
</context>
<context>
    <name>LoginForm</name>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="29"/>
        <source>Log in to Mahjong</source>
        <translation>登录麻将</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="36"/>
        <source>User name</source>
        <translation>用户名</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="50"/>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="70"/>
        <source>Log in</source>
        <translation>登录</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="86"/>
        <source>Register</source>
        <translation>注册</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="106"/>
        <source>Choose language</source>
        <translation>选择语言</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="90"/>
        <source>You are not allowed to login, please contact support.</source>
        <translation>您无权登录，请联系客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="92"/>
        <source>Server error!</source>
        <translation>服务器错误！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="94"/>
        <source>You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.</source>
        <translation>请先验证您的电子邮箱！请在收件箱中查找验证邮件。如问题仍然存在，请联系客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="97"/>
        <source>You have excluded yourself from playing. Contact support if this is incorrect.</source>
        <translation>您已自我禁止游戏。如有误，请联系客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="99"/>
        <source>You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.
If you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.</source>
        <translation>您已连续6次登录失败。为安全起见，您的账户将停用10分钟。
如果您忘记了密码，请重置密码并等待10分钟。如仍有问题，请联系客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="103"/>
        <source>Your IP address is blacklisted, please contact support.</source>
        <translation>您的IP地址已被列入黑名单，请联系客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="105"/>
        <source>Unknown login failure!</source>
        <translation>未知原因登录失败！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="147"/>
        <source>Login failed</source>
        <translation>登录失败</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="238"/>
        <source>Connecting...</source>
        <translation>正在连接...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="238"/>
        <source>Log in</source>
        <translation>登录</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="249"/>
        <source>&lt;a style=&quot;%1&quot; href=&quot;https://reset-password.invalid/&quot;&gt;Reset password&lt;/a&gt;</source>
        <translation>&lt;a style=&quot;%1&quot; href=&quot;https://reset-password.invalid/&quot;&gt;重置密码&lt;/a&gt;</translation>
    </message>
</context>
<context>
    <name>Mahjong</name>
    <message>
        <location filename="../../game/Tile.cpp" line="12"/>
        <source>Bamboo</source>
        <translation>条子</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="13"/>
        <source>Character</source>
        <translation>万子</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="14"/>
        <source>Circle</source>
        <translation>筒子</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="23"/>
        <source>Plum blossom</source>
        <comment>flower</comment>
        <translation>梅</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="24"/>
        <source>Orchid</source>
        <comment>flower</comment>
        <translation>兰</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="25"/>
        <source>Chrysanthemum</source>
        <comment>flower</comment>
        <translation>菊</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="26"/>
        <source>Bamboo</source>
        <comment>flower</comment>
        <translation>竹</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="29"/>
        <source>Spring</source>
        <translation>春</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="30"/>
        <source>Summer</source>
        <translation>夏</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="31"/>
        <source>Autumn</source>
        <translation>秋</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="32"/>
        <source>Winter</source>
        <translation>冬</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="35"/>
        <source>East Wind</source>
        <translation>东风</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="36"/>
        <source>South Wind</source>
        <translation>南风</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="37"/>
        <source>West Wind</source>
        <translation>西风</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="38"/>
        <source>North Wind</source>
        <translation>北风</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="41"/>
        <source>Green Dragon</source>
        <translation>发财</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="42"/>
        <source>Red Dragon</source>
        <translation>红中</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="43"/>
        <source>White Dragon</source>
        <translation>白板</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="102"/>
        <source>Concealed</source>
        <translation>暗牌</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="110"/>
        <source>%1 %L2</source>
        <comment>Suit and number, e.g. Bamboo 7</comment>
        <translation>%L2%1</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="114"/>
        <source>%1 %L2</source>
        <comment>Flower and number, e.g. Orchid 3</comment>
        <translation>%1 %L2</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="118"/>
        <source>%1 %L2</source>
        <comment>Season and number, e.g. Winter 2</comment>
        <translation>%1 %L2</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="10"/>
        <source>East</source>
        <translation>东</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="11"/>
        <source>South</source>
        <translation>南</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="12"/>
        <source>West</source>
        <translation>西</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="13"/>
        <source>North</source>
        <translation>北</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="16"/>
        <source>Prevalent wind: East</source>
        <translation>圈风：东</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="17"/>
        <source>Prevalent wind: South</source>
        <translation>圈风：南</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="18"/>
        <source>Prevalent wind: West</source>
        <translation>圈风：西</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="19"/>
        <source>Prevalent wind: North</source>
        <translation>圈风：北</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="245"/>
        <source>My account</source>
        <translation>我的账户</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="246"/>
        <source>Support</source>
        <translation>客服</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="247"/>
        <source>Toggle fullscreen</source>
        <translation>切换全屏</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="248"/>
        <source>Fullscreen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="249"/>
        <source>Ctrl+F</source>
        <comment>Toggle fullscreen</comment>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="250"/>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="251"/>
        <source>Cashier</source>
        <translation>收银台</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="253"/>
        <source>Lobby chat</source>
        <translation>大厅聊天</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="254"/>
        <location filename="../../mainwindow/LoginWindow.cpp" line="234"/>
        <source>Try again</source>
        <translation>重试</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="76"/>
        <source>Connecting to %1...</source>
        <translation>正在连接 %1...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="83"/>
        <source>Connected to %1</source>
        <translation>已连接到 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="123"/>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="143"/>
        <source>The server closed the connection</source>
        <translation>服务器关闭了连接</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="125"/>
        <source>Cannot connect to %1</source>
        <translation>无法连接到 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="105"/>
        <source>Connected to %1. Please log in.</source>
        <translation>已连接到 %1。请登录。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="171"/>
        <source>Logging in as %1...</source>
        <translation>正在以 %1 身份登录...</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="26"/>
        <source>Authentication failed!</source>
        <translation>身份验证失败！</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="28"/>
        <source>You are not allowed to login, please contact support.</source>
        <translation>您无权登录，请联系客服。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="29"/>
        <source>Server error!</source>
        <translation>服务器错误！</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="31"/>
        <source>You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.</source>
        <translation>请先验证您的电子邮箱！请在收件箱中查看验证邮件。如果问题仍然存在，请联系客服。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="34"/>
        <source>You have excluded yourself from playing. Contact support if this is incorrect.</source>
        <translation>您已设置自我排除，无法进行游戏。如有误，请联系客服。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="37"/>
        <source>You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.
If you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.</source>
        <translation>您已 6 次登录失败。出于安全考虑，您的账户将被停用 10 分钟。
如果忘记了密码，请重置密码并等待 10 分钟。如果仍有问题，请联系客服。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="42"/>
        <source>Your IP address is blacklisted, please contact support.</source>
        <translation>您的 IP 地址已被列入黑名单，请联系客服。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="44"/>
        <source>Unknown login failure!</source>
        <translation>登录失败，原因未知！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="185"/>
        <source>Login failed: %1</source>
        <translation>登录失败：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="251"/>
        <source>Logged in as %1</source>
        <translation>已以 %1 身份登录</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="29"/>
        <source>Not allowed to join table</source>
        <translation>不允许加入该牌桌</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="30"/>
        <source>Join Error</source>
        <translation>加入错误</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="31"/>
        <source>Table Full</source>
        <translation>牌桌已满</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="32"/>
        <source>Table In Play</source>
        <translation>牌局进行中</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="34"/>
        <source>You don&apos;t have enough money on your account to join the table.</source>
        <translation>您的账户余额不足，无法加入该牌桌。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="36"/>
        <source>A player with the same IP address as you has already joined the table.
Please contact the support to remedy the situation.</source>
        <translation>与您 IP 地址相同的玩家已加入该牌桌。
请联系客服解决此问题。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="39"/>
        <source>You are not allowed to play on money tables.</source>
        <translation>您不能在现金牌桌上游戏。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="41"/>
        <source>You are not fully registered and therefore not allowed to play for money.</source>
        <translation>您尚未完成注册，因此不能进行现金游戏。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="43"/>
        <source>You are not allowed to play, server will be unavailable due to maintenance.</source>
        <translation>服务器即将停机维护，暂时无法游戏。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="314"/>
        <source>Joined table %1</source>
        <translation>已加入牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="353"/>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="358"/>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="371"/>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="524"/>
        <source>Join Failed</source>
        <translation>加入失败</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="449"/>
        <source>You are already seated at table %L1.
Do you want to rejoin?</source>
        <translation>您已在牌桌 %L1 入座。
是否返回牌桌？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="507"/>
        <source>Table invitation</source>
        <translation>牌桌邀请</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="508"/>
        <source>%1 has invited you to table %2, do you want to join?</source>
        <translation>%1 邀请您加入牌桌 %2，是否加入？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="521"/>
        <source>Registration</source>
        <translation>注册</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="527"/>
        <source>Tournament registration</source>
        <translation>锦标赛报名</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="534"/>
        <source>You are not fully registered and therefore not allowed to play for money.
Do you want to complete your registration now?</source>
        <translation>您尚未完成注册，因此不能进行现金游戏。
是否立即完成注册？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="191"/>
        <source>Tournaments</source>
        <translation>锦标赛</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="353"/>
        <source>Join Failed: %1</source>
        <translation>加入失败：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="320"/>
        <source>Watching table %1</source>
        <translation>正在观战牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="266"/>
        <source>Resolution too low!</source>
        <translation>屏幕分辨率过低！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="267"/>
        <source>You should have a resolution of at least 1024x768, you currently have %L1x%L2</source>
        <translation>分辨率至少需要 1024x768，当前为 %L1x%L2</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="310"/>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="417"/>
        <source>You have %1</source>
        <translation>余额 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="423"/>
        <source>System message</source>
        <translation>系统消息</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="428"/>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="434"/>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="443"/>
        <source>Information</source>
        <translation>提示</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="435"/>
        <source>Unfortunately you were among the last players to register for tournament %1 and you have been unregistered to make sure every
tournament table has exactly four players. Your buy-in and fee will be repaid.</source>
        <translation>很抱歉，您是最后报名锦标赛 %1 的玩家之一。为确保每张锦标赛牌桌恰好有四名玩家，您的报名已被取消。
您的买入和手续费将退还。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="444"/>
        <source>A server error occured during tournament %1 and the tournament was aborted.
Check tournament rules for details regarding the distribution of the prize pool.</source>
        <translation>锦标赛 %1 进行中服务器发生错误，锦标赛已中止。
奖池的分配方式请参阅锦标赛规则。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="463"/>
        <source>Forced logout</source>
        <translation>强制登出</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="463"/>
        <source>You were forcefully logged out!</source>
        <translation>您已被强制登出！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="136"/>
        <source>Left table %1</source>
        <translation>已离开牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="350"/>
        <source>Quit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="350"/>
        <source>Are you sure you want to quit?</source>
        <translation>确定要退出吗？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="412"/>
        <source>Windowed</source>
        <translation>窗口</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="412"/>
        <source>Fullscreen</source>
        <translation>全屏</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="424"/>
        <source>TM</source>
        <comment>Trademark abbreviation</comment>
        <translation>TM</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="425"/>
        <source>Powered by Kestrova%1</source>
        <translation>Powered by Kestrova%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="187"/>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="189"/>
        <source>Play</source>
        <translation>开始游戏</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="193"/>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="195"/>
        <source>Friends</source>
        <translation>好友</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="197"/>
        <source>Game Guide</source>
        <translation>游戏指南</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="203"/>
        <source>Make your choice below or go to the Lobby for more rules and table options</source>
        <translation>请在下方选择，或前往大厅查看更多规则和牌桌选项</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="337"/>
        <source>Join game failed!</source>
        <translation>加入牌局失败！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="338"/>
        <source>Failed to join game.
Please try again in a little while.
If problem persists please contact support</source>
        <translation>加入牌局失败。
请稍后再试。
如果问题仍然存在，请联系客服</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="376"/>
        <source>Leave Failed</source>
        <translation>离开失败</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="384"/>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="386"/>
        <source>Watch Failed</source>
        <translation>观战失败</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="384"/>
        <source>Watch Failed: %1</source>
        <translation>观战失败：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="428"/>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="448"/>
        <source>Rejoin Table</source>
        <translation>返回牌桌</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="428"/>
        <source>Do you want to rejoin table %1?</source>
        <translation>是否返回牌桌 %1？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="435"/>
        <source>Watch Table</source>
        <translation>观战牌桌</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="436"/>
        <source>Do you want to continue watching table %1?</source>
        <translation>是否继续观战牌桌 %1？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="447"/>
        <source>You are already seated at table %L1.</source>
        <translation>您已在牌桌 %L1 入座。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="123"/>
        <source>Web browser</source>
        <translation>网页浏览器</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="124"/>
        <source>The web browser could not be started. The address is:
%1</source>
        <translation>无法启动网页浏览器。网址为：
%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="288"/>
        <source>Deposit</source>
        <translation>充值</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="289"/>
        <source>Withdraw</source>
        <translation>提现</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="290"/>
        <source>Statement</source>
        <translation>账户明细</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="291"/>
        <source>My profile</source>
        <translation>个人资料</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="292"/>
        <source>Hand history</source>
        <translation>牌局记录</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="293"/>
        <source>Player protection</source>
        <translation>玩家保护</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="294"/>
        <source>Change password</source>
        <translation>修改密码</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="441"/>
        <source>Local time is %1</source>
        <translation>本地时间 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="633"/>
        <source>New tournament round - %1</source>
        <translation>锦标赛新一轮 - %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="634"/>
        <source>Continuing tournament round - %1</source>
        <translation>锦标赛本轮继续 - %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="359"/>
        <source>You don&apos;t have enough money on your account to join the table.
Do you want to make a deposit now?</source>
        <translation>您的账户余额不足，无法加入该牌桌。
是否立即充值？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="636"/>
        <source>New tournament round</source>
        <translation>锦标赛新一轮</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="636"/>
        <source>Continuing tournament round</source>
        <translation>锦标赛本轮继续</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="638"/>
        <source>You have been assigned to tournament table %1. Show now?</source>
        <translation>您已被分配到锦标赛牌桌 %1。是否立即显示？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="639"/>
        <source>You are assigned to tournament table %1. Show now?</source>
        <translation>您被分配在锦标赛牌桌 %1。是否立即显示？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="708"/>
        <source>This is you</source>
        <translation>这是您</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="710"/>
        <source>Add to friends</source>
        <translation>添加为好友</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="729"/>
        <source>Watch table %1</source>
        <comment>%1 is table name</comment>
        <translation>观战牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="735"/>
        <source>Friend is offline</source>
        <translation>好友已离线</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="736"/>
        <source>Friend is only playing at this table</source>
        <translation>好友只在此牌桌游戏</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="737"/>
        <source>Friend is not playing</source>
        <translation>好友未在游戏</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="481"/>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="484"/>
        <source>Error</source>
        <translation>错误</translation>
    </message>
</context>
<context>
    <name>MeldAuction</name>
    <message>
        <location filename="../../table/MeldAuction.ui" line="50"/>
        <source>Riichi</source>
        <translation>立直</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.ui" line="30"/>
        <source>Mahjong</source>
        <translation>和牌</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.ui" line="31"/>
        <source>Alt+M</source>
        <comment>Mahjong</comment>
        <translation>Alt+M</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.ui" line="56"/>
        <source>Pass</source>
        <translation>过</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.ui" line="57"/>
        <source>Alt+Z</source>
        <comment>Pass</comment>
        <translation>Alt+Z</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.ui" line="63"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.cpp" line="87"/>
        <source>Choose Meld</source>
        <translation>选择副露</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.cpp" line="89"/>
        <source>Rob the Kong</source>
        <translation>抢杠</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.cpp" line="91"/>
        <source>Replace tiles</source>
        <translation>补牌</translation>
    </message>
</context>
<context>
    <name>MeldChoice</name>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="86"/>
        <source>Riichi</source>
        <translation>立直</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="78"/>
        <source>Kong</source>
        <translation>杠</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="82"/>
        <source>Pong to kong</source>
        <translation>加杠</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="72"/>
        <source>Chow Low</source>
        <translation>吃（低）</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="74"/>
        <source>Chow Mid</source>
        <translation>吃（中）</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="76"/>
        <source>Chow Hi</source>
        <translation>吃（高）</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="80"/>
        <source>Pong</source>
        <translation>碰</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="84"/>
        <source>Bonus</source>
        <translation>花牌</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="95"/>
        <source>Alt+1</source>
        <comment>Chow Low</comment>
        <translation>Alt+1</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="97"/>
        <source>Alt+2</source>
        <comment>Chow Mid</comment>
        <translation>Alt+2</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="99"/>
        <source>Alt+3</source>
        <comment>Chow Hi</comment>
        <translation>Alt+3</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="101"/>
        <source>Alt+K</source>
        <comment>Kong</comment>
        <translation>Alt+K</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="103"/>
        <source>Alt+P</source>
        <comment>Pong</comment>
        <translation>Alt+P</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="105"/>
        <source>Alt+K</source>
        <comment>Pong to kong</comment>
        <translation>Alt+K</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="107"/>
        <source>Alt+R</source>
        <comment>Riichi</comment>
        <translation>Alt+R</translation>
    </message>
</context>
<context>
    <name>ModelessMsgBox</name>
    <message numerus="yes">
        <location filename="../../widgets/ModelessMsgBox.cpp" line="69"/>
        <source>(%Ln times)</source>
        <translation>
            <numerusform>（%Ln 次）</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../../widgets/ModelessMsgBox.cpp" line="84"/>
        <source>%Ln more message(s), listed in the details.</source>
        <translation>
            <numerusform>另有 %Ln 条消息，见详细信息。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../../widgets/ModelessMsgBox.cpp" line="87"/>
        <source>%Ln earlier message(s) not listed.</source>
        <translation>
            <numerusform>更早的 %Ln 条消息未列出。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PlayerInactiveWidget</name>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="19"/>
        <source>Leave</source>
        <translation>离开</translation>
    </message>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="6"/>
        <source>Player inactive</source>
        <translation>玩家未操作</translation>
    </message>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="10"/>
        <source>You have been inactive, and will therefore automatically stand down. Please press reactivate to regain control.</source>
        <translation>您长时间未操作，将自动托管。请按“恢复”重新控制。</translation>
    </message>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="18"/>
        <source>Reactivate</source>
        <translation>恢复</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message numerus="yes">
        <location filename="../../table/PlayerWidget.cpp" line="118"/>
        <source>%nwins</source>
        <extracomment>don&apos;t include %n in translation, only used to get correct noun form</extracomment>
        <translation>
            <numerusform>胜</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../../table/PlayerWidget.cpp" line="125"/>
        <source>%npts</source>
        <extracomment>don&apos;t include %n in translation, only used to get correct noun form</extracomment>
        <translation>
            <numerusform>分</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PreferencesView</name>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="20"/>
        <source>Change your settings below, changes will take effect immediately.</source>
        <translation>在下方更改设置，更改立即生效。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="43"/>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="68"/>
        <source>Game</source>
        <translation>游戏</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="74"/>
        <source>Auto pass</source>
        <translation>自动过</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="84"/>
        <source>Controls if score dialogs are automatically closed when a new round begins</source>
        <translation>新一局开始时是否自动关闭计分窗口</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="87"/>
        <source>Auto-close score dialogs</source>
        <translation>自动关闭计分窗口</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="97"/>
        <source>Sounds</source>
        <translation>音效</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="107"/>
        <source>Animations</source>
        <translation>动画</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="117"/>
        <source>Alternative view (bigger tiles)</source>
        <translation>另一种视图（大牌）</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="127"/>
        <source>Show table invites</source>
        <translation>显示牌桌邀请</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="140"/>
        <source>Player</source>
        <translation>玩家</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="162"/>
        <source>Choose avatar...</source>
        <translation>选择头像...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="185"/>
        <source>Tile graphics</source>
        <translation>牌面图案</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="271"/>
        <source>Face</source>
        <translation>正面</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="281"/>
        <source>Back</source>
        <translation>背面</translation>
    </message>
</context>
<context>
    <name>QuestionListBox</name>
    <message numerus="yes">
        <location filename="../../widgets/QuestionListBox.cpp" line="180"/>
        <source>%n question(s) wait for your answer. Choose one or more, then answer Yes or No.</source>
        <translation>
            <numerusform>有 %n 个问题等待您的回答。请选择一个或多个，然后回答“是”或“否”。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RoundScoreBoard</name>
    <message>
        <location filename="../../table/RoundScoreBoard.ui" line="21"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.ui" line="10"/>
        <source>Tournament 1</source>
        <translation>锦标赛 1</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.ui" line="16"/>
        <source>Round 1</source>
        <translation>第 1 轮</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.cpp" line="67"/>
        <source>Round %L1/%L2</source>
        <translation>第 %L1/%L2 轮</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.cpp" line="71"/>
        <source>Round results</source>
        <translation>本轮结果</translation>
    </message>
</context>
<context>
    <name>RoundScoreWidget</name>
    <message>
        <location filename="../../table/RoundScoreWidget.ui" line="22"/>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.ui" line="33"/>
        <source>Mahjong points:</source>
        <translation>麻将分：</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.ui" line="34"/>
        <location filename="../../table/RoundScoreWidget.ui" line="36"/>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.ui" line="35"/>
        <location filename="../../table/RoundScoreWidget.cpp" line="34"/>
        <source>Round results:</source>
        <translation>本轮结果：</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.ui" line="37"/>
        <source>Tournament points:</source>
        <translation>锦标赛积分：</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.ui" line="38"/>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.cpp" line="28"/>
        <source>Round balance:</source>
        <translation>本轮收支：</translation>
    </message>
</context>
<context>
    <name>ScoreBoard</name>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="198"/>
        <source>Next hand starts in:</source>
        <translation>下一局开始于：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="206"/>
        <location filename="../../table/ScoreBoard.cpp" line="275"/>
        <source>Ready</source>
        <translation>准备</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="208"/>
        <source>Leave</source>
        <translation>离开</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="279"/>
        <location filename="../../table/ScoreBoard.cpp" line="287"/>
        <source>Next hand</source>
        <translation>下一局</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="284"/>
        <source>Play (%1)</source>
        <translation>再玩一局 (%1)</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="207"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="7"/>
        <source>Scores</source>
        <translation>得分</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="126"/>
        <source>Winning Hand</source>
        <translation>和牌</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="133"/>
        <source>2:nd place</source>
        <translation>第2名</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="140"/>
        <source>3:rd place</source>
        <translation>第3名</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="147"/>
        <source>4:th place</source>
        <translation>第4名</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="164"/>
        <source>Dora/kan dora tiles</source>
        <translation>宝牌／杠宝牌</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="165"/>
        <source>Ura dora tiles</source>
        <translation>里宝牌</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="180"/>
        <source>Points:</source>
        <translation>分数：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="178"/>
        <source>Points:</source>
        <comment>Riichi: fu</comment>
        <translation>符：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="179"/>
        <source>Points:</source>
        <comment>International: fan</comment>
        <translation>番数：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="184"/>
        <source>Doubles:</source>
        <translation>番：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="188"/>
        <source>Limit hands:</source>
        <translation>役满：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="169"/>
        <location filename="../../table/ScoreBoard.cpp" line="195"/>
        <location filename="../../table/ScoreBoard.cpp" line="247"/>
        <location filename="../../table/ScoreBoard.cpp" line="248"/>
        <source>%L1</source>
        <translation>%L1</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="195"/>
        <source>Hand Score</source>
        <translation>和牌得分</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="247"/>
        <source>Settlement</source>
        <translation>结算</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="248"/>
        <source>Current Score</source>
        <translation>当前得分</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="250"/>
        <source>Payment</source>
        <translation>支付</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="253"/>
        <source>Winning hand</source>
        <translation>和牌</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="254"/>
        <source>Losing hand</source>
        <translation>未和牌</translation>
    </message>
</context>
<context>
    <name>SeatedWindow</name>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="112"/>
        <source>The game starts in %1</source>
        <translation>游戏将在 %1 后开始</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="119"/>
        <source>Seat reserved</source>
        <translation>座位已保留</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="120"/>
        <source>Play</source>
        <translation>开始游戏</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="121"/>
        <source>Leave</source>
        <translation>离开</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="128"/>
        <source>Table %1</source>
        <translation>牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="129"/>
        <source>A seat is reserved for you at %1.</source>
        <translation>已在 %1 为您保留座位。</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="130"/>
        <source>%1, %2, buy-in %3</source>
        <translation>%1，%2，买入 %3</translation>
    </message>
</context>
<context>
    <name>ServerInfo</name>
    <message>
        <location filename="../../app/ServerInfo.cpp" line="85"/>
        <source>The service is down for maintenance. Please try again later.</source>
        <translation>服务正在停机维护，请稍后再试。</translation>
    </message>
</context>
<context>
    <name>SetScreennameDialog</name>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="84"/>
        <source>Choose a screen name</source>
        <translation>选择昵称</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="85"/>
        <source>Please choose the name other players will see at the tables.</source>
        <translation>请选择其他玩家在牌桌上看到的名称。</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="86"/>
        <source>Screen name</source>
        <translation>昵称</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="87"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>SideBar</name>
    <message>
        <location filename="../../table/SideBar.ui" line="34"/>
        <source>Leave</source>
        <translation>离开</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.ui" line="39"/>
        <source>TableName</source>
        <translation>TableName</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.ui" line="40"/>
        <source>TableDescription</source>
        <translation>TableDescription</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.ui" line="41"/>
        <source>TableRound</source>
        <translation>TableRound</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.ui" line="42"/>
        <source>TableCost</source>
        <translation>TableCost</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.ui" line="43"/>
        <source>TableLimit</source>
        <translation>TableLimit</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.ui" line="44"/>
        <source>RoundLimit</source>
        <translation>RoundLimit</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.ui" line="54"/>
        <location filename="../../table/SideBar.ui" line="56"/>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.ui" line="60"/>
        <source>.HandId</source>
        <translation>.HandId</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.ui" line="89"/>
        <source>Chat</source>
        <translation>聊天</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="109"/>
        <source>Wind round %L1 of %L2</source>
        <translation>第 %L1 / %L2 圈</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="120"/>
        <location filename="../../table/SideBar.cpp" line="121"/>
        <source>x%1</source>
        <translation>x%1</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="165"/>
        <source>Hand Id: %1</source>
        <translation>牌局编号：%1</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="176"/>
        <source>Round %L1 of %L2</source>
        <translation>第 %L1 / %L2 轮</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="231"/>
        <source>now</source>
        <translation>即将</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="218"/>
        <location filename="../../table/SideBar.cpp" line="225"/>
        <source>No round playing</source>
        <translation>无进行中的轮次</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="232"/>
        <source>Round ends in %1</source>
        <translation>本轮剩余 %1</translation>
    </message>
</context>
<context>
    <name>TableInfo</name>
    <message>
        <location filename="../../protocol/TableInfo.cpp" line="40"/>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="11"/>
        <source>Classic</source>
        <translation>经典</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="13"/>
        <source>MCR</source>
        <translation>国标麻将</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="15"/>
        <source>EMA Riichi</source>
        <translation>EMA 立直麻将</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="17"/>
        <location filename="../../lobby/TableTexts.cpp" line="33"/>
        <source>&lt;undefined&gt;</source>
        <translation>&lt;未定义&gt;</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="25"/>
        <source>Single hand</source>
        <translation>单局</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="27"/>
        <source>Tournament</source>
        <translation>锦标赛</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="29"/>
        <source>Full game</source>
        <translation>完整牌局</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="31"/>
        <source>East only</source>
        <translation>东风圈</translation>
    </message>
</context>
<context>
    <name>TableInviteDialog</name>
    <message>
        <location filename="../../social/TableInviteDialog.ui" line="14"/>
        <source>Invite friends</source>
        <translation>邀请好友</translation>
    </message>
    <message>
        <location filename="../../social/TableInviteDialog.ui" line="71"/>
        <source>Invite</source>
        <translation>邀请</translation>
    </message>
</context>
<context>
    <name>TableModel</name>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="86"/>
        <source>Table</source>
        <translation>牌桌</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="88"/>
        <source>Rules</source>
        <translation>规则</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="90"/>
        <source>Game</source>
        <translation>赛制</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="92"/>
        <source>Stakes</source>
        <translation>注额</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="94"/>
        <source>Players</source>
        <translation>玩家</translation>
    </message>
    <message>
        <location filename="../../lobby/LocalizationDb.cpp" line="46"/>
        <location filename="../../lobby/TableModel.cpp" line="464"/>
        <source>Table %1</source>
        <translation>牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="480"/>
        <source>%1/%2</source>
        <translation>%1/%2</translation>
    </message>
</context>
<context>
    <name>TablePreview</name>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="109"/>
        <source>Join</source>
        <translation>加入</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="110"/>
        <source>Watch</source>
        <translation>观战</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="113"/>
        <source>Select a table to see it here.</source>
        <translation>选择牌桌后将在此处显示。</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="123"/>
        <source>Table %1</source>
        <translation>牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="125"/>
        <source>Rules: %1</source>
        <translation>规则：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="126"/>
        <source>Game: %1</source>
        <translation>赛制：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="127"/>
        <location filename="../../lobby/TablePreview.cpp" line="128"/>
        <source>Stakes: %1</source>
        <translation>注额：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="129"/>
        <source>Players: %1 of %2</source>
        <translation>玩家：%1/%2</translation>
    </message>
    <message numerus="yes">
        <location filename="../../lobby/TablePreview.cpp" line="131"/>
        <source>(%n bot(s))</source>
        <translation>
            <numerusform>(%n 个机器人)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="133"/>
        <source>- table full</source>
        <translation>- 牌桌已满</translation>
    </message>
</context>
<context>
    <name>TableSelector</name>
    <message>
        <location filename="../../table/TableSelector.cpp" line="153"/>
        <source>Lobby</source>
        <translation>大厅</translation>
    </message>
</context>
<context>
    <name>TableValue</name>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="52"/>
        <location filename="../../tournaments/TournamentTexts.cpp" line="89"/>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="53"/>
        <location filename="../../lobby/TableTexts.cpp" line="60"/>
        <location filename="../../tournaments/TournamentTexts.cpp" line="90"/>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="59"/>
        <source>-</source>
        <comment>buy-in part</comment>
        <translation>-</translation>
    </message>
</context>
<context>
    <name>TileGraphics</name>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="52"/>
        <source>Bamboo</source>
        <translation>竹</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="53"/>
        <source>Green 1</source>
        <translation>绿色 1</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="54"/>
        <source>Red</source>
        <translation>红色</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="55"/>
        <source>Green 2</source>
        <translation>绿色 2</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="56"/>
        <source>Dark wood</source>
        <translation>深色木纹</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="63"/>
        <source>Numbered</source>
        <translation>带数字</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="64"/>
        <source>Mixed numbered</source>
        <translation>部分带数字</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="65"/>
        <source>Without numbers</source>
        <translation>无数字</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="66"/>
        <source>Rustic numbered</source>
        <translation>古朴（带数字）</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="67"/>
        <source>Simple tiles</source>
        <translation>简约</translation>
    </message>
</context>
<context>
    <name>TournamentDetailDialog</name>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="21"/>
        <source>Tournament is removed</source>
        <translation>锦标赛已被移除</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="86"/>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="333"/>
        <source>Players</source>
        <translation>玩家</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="117"/>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="343"/>
        <source>Payout structure</source>
        <translation>奖金分配</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="156"/>
        <source>Find:</source>
        <translation>查找：</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="164"/>
        <source>Register</source>
        <translation>报名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="165"/>
        <source>Unregister</source>
        <translation>取消报名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="223"/>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="455"/>
        <source>Watch</source>
        <translation>观战</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="321"/>
        <source>Status: %1</source>
        <translation>状态：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="322"/>
        <source>Buy-in: %1</source>
        <translation>买入：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="323"/>
        <source>Pot: %1</source>
        <translation>奖池：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="324"/>
        <source>Rules: %1</source>
        <translation>规则：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="325"/>
        <source>Duration: %1</source>
        <translation>时长：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="327"/>
        <source>Registered Players: %1</source>
        <translation>已报名玩家：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="333"/>
        <source>Standings</source>
        <translation>排名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="348"/>
        <source>Tables</source>
        <translation>牌桌</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="383"/>
        <source>Starts in: %1</source>
        <translation>距开始：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="399"/>
        <source>Round %1</source>
        <translation>第 %1 轮</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="411"/>
        <source>Ends in: %1</source>
        <translation>距结束：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="411"/>
        <source>Next break in: %1</source>
        <translation>距下次休息：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="418"/>
        <source>Next round in: %1</source>
        <translation>距下一轮：%1</translation>
    </message>
</context>
<context>
    <name>TournamentInfo</name>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="15"/>
        <source>Open</source>
        <translation>报名中</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="17"/>
        <source>Closed</source>
        <translation>报名截止</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="19"/>
        <source>Seating</source>
        <translation>入座中</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="21"/>
        <source>Playing</source>
        <translation>进行中</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="23"/>
        <source>Paused</source>
        <translation>已暂停</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="25"/>
        <source>Done</source>
        <translation>已结束</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="27"/>
        <source>Cancelled</source>
        <translation>已取消</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="29"/>
        <source>Aborted</source>
        <translation>已中止</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="31"/>
        <source>&lt;undefined&gt;</source>
        <translation>&lt;未定义&gt;</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="37"/>
        <source>%1/%2</source>
        <comment>%1 is number of registered players, %2 is max number of players in tournament</comment>
        <translation>%1/%2</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="81"/>
        <source>%1x%2</source>
        <comment>i.e. 4x20 minutes, %1=&apos;4&apos;&apos;, %2=&apos;20 minutes&apos;</comment>
        <translation>%1×%2</translation>
    </message>
</context>
<context>
    <name>TournamentPreview</name>
    <message>
        <location filename="../../tournaments/TournamentPreview.ui" line="39"/>
        <source>Please, choose a tournament in the list to your left!</source>
        <translation>请从左侧列表中选择一个锦标赛！</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.ui" line="66"/>
        <source>Register</source>
        <translation>报名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.ui" line="67"/>
        <source>Unregister</source>
        <translation>取消报名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.ui" line="68"/>
        <source>Info</source>
        <translation>详情</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="87"/>
        <source>Status: %1</source>
        <translation>状态：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="88"/>
        <source>Buy-in: %1</source>
        <translation>买入：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="89"/>
        <source>Pot: %1</source>
        <translation>奖池：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="90"/>
        <source>Rules: %1</source>
        <translation>规则：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="91"/>
        <source>Duration: %1</source>
        <translation>时长：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="93"/>
        <source>Registered Players: %1</source>
        <translation>已报名玩家：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="109"/>
        <source>Starts in: %1</source>
        <translation>距开始：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="125"/>
        <source>Tournament</source>
        <translation>锦标赛</translation>
    </message>
</context>
<context>
    <name>TournamentPrizeStructureModel</name>
    <message>
        <location filename="../../tournaments/TournamentPrizeStructureModel.cpp" line="34"/>
        <source>(%1)</source>
        <translation>(%1)</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="111"/>
        <source>#%1-#%2</source>
        <translation>#%1-#%2</translation>
    </message>
</context>
<context>
    <name>TournamentRankingModel</name>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="125"/>
        <source>%1/%2</source>
        <translation>%1/%2</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="132"/>
        <source>%1/%2/%3</source>
        <translation>%1/%2/%3</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="42"/>
        <source>#</source>
        <comment>position in the standings</comment>
        <translation>#</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="44"/>
        <source>Player</source>
        <translation>玩家</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="47"/>
        <source>Table points / competition points / prize</source>
        <translation>牌桌积分 / 比赛积分 / 奖金</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="48"/>
        <source>Table points / competition points</source>
        <translation>牌桌积分 / 比赛积分</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="50"/>
        <source>Points/Comp./Prize</source>
        <translation>积分/比赛/奖金</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="50"/>
        <source>Points/Comp.</source>
        <translation>积分/比赛</translation>
    </message>
</context>
<context>
    <name>TournamentsController</name>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="104"/>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="106"/>
        <source>Denied</source>
        <translation>被拒绝</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="108"/>
        <source>Insufficient Funds</source>
        <translation>余额不足</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="110"/>
        <source>Tournament is full</source>
        <translation>锦标赛已满员</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="112"/>
        <source>Access Denied</source>
        <translation>拒绝访问</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="114"/>
        <source>Already Registered</source>
        <translation>已报名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="116"/>
        <source>Tournament is running</source>
        <translation>锦标赛正在进行</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="299"/>
        <source>Join tournament</source>
        <translation>参加锦标赛</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="304"/>
        <source>You don&apos;t have enough money on your account to join the tournament.
Do you want to make a deposit now?</source>
        <translation>您的账户余额不足，无法参加该锦标赛。
是否立即充值？</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="313"/>
        <source>Deposit</source>
        <translation>充值</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="314"/>
        <source>Your account is opened in a web browser</source>
        <translation>已在网页浏览器中打开您的账户</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="328"/>
        <source>Tournament %1 is full</source>
        <translation>锦标赛 %1 已满员</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="332"/>
        <source>Join tournament failed!
%1</source>
        <translation>参加锦标赛失败！
%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="339"/>
        <source>Unregister from tournament</source>
        <translation>取消锦标赛报名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="340"/>
        <source>Unregister from tournament failed!
%1</source>
        <translation>取消报名失败！
%1</translation>
    </message>
</context>
<context>
    <name>TournamentsLobbyModel</name>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Start</source>
        <translation>开始</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Status</source>
        <translation>状态</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Rules</source>
        <translation>规则</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Players</source>
        <translation>玩家</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Buy-in</source>
        <translation>买入</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Pot</source>
        <translation>奖池</translation>
    </message>
</context>
<context>
    <name>TournamentsLobbyView</name>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="37"/>
        <source>Rules</source>
        <translation>规则</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="46"/>
        <source>Classic</source>
        <translation>经典</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="53"/>
        <source>MCR</source>
        <translation>国标麻将</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="60"/>
        <source>EMA Riichi</source>
        <translation>EMA 立直麻将</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="70"/>
        <source>Buy-in</source>
        <translation>买入</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="82"/>
        <source>$0-$10</source>
        <translation>$0-$10</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="89"/>
        <source>$11-$50</source>
        <translation>$11-$50</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="96"/>
        <source>$51-</source>
        <translation>$51以上</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="103"/>
        <source>Practice</source>
        <translation>练习</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="164"/>
        <source>View all available tournaments</source>
        <translation>显示所有可参加的锦标赛</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="184"/>
        <source>Find:</source>
        <translation>查找：</translation>
    </message>
</context>
<context>
    <name>TranslationsManager</name>
    <message>
        <location filename="../../widgets/TranslationsManager.cpp" line="20"/>
        <source>English</source>
        <comment>the name of this translation&apos;s language, in that language</comment>
        <translation>简体中文</translation>
    </message>
</context>
<context>
    <name>UpdateDownloader</name>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="38"/>
        <source>The installer address is not an https:// address.</source>
        <translation>安装程序的地址不是 https:// 地址。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="40"/>
        <source>The installer&apos;s size or digest is missing.</source>
        <translation>缺少安装程序的大小或摘要。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="49"/>
        <source>Cannot create the installer file: %1</source>
        <translation>无法创建安装程序文件：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="84"/>
        <source>The installer is larger than announced.</source>
        <translation>安装程序超出了公布的大小。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="87"/>
        <location filename="../../app/UpdateDownloader.cpp" line="110"/>
        <source>Cannot write the installer file: %1</source>
        <translation>无法写入安装程序文件：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="102"/>
        <source>The download failed: %1</source>
        <translation>下载失败：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="104"/>
        <source>The download was redirected away from https.</source>
        <translation>下载被重定向到非 https 地址。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="106"/>
        <source>The download is incomplete (%1 of %2 bytes).</source>
        <translation>下载不完整（%1 / %2 字节）。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="108"/>
        <source>The downloaded installer is damaged (digest mismatch).</source>
        <translation>下载的安装程序已损坏（摘要不匹配）。</translation>
    </message>
</context>
<context>
    <name>UpdateProgressDialog</name>
    <message>
        <location filename="../../app/UpdateProgressDialog.cpp" line="14"/>
        <source>Update</source>
        <translation>更新</translation>
    </message>
    <message>
        <location filename="../../app/UpdateProgressDialog.cpp" line="36"/>
        <source>Downloading version %1 of the client...</source>
        <translation>正在下载客户端 %1 版本...</translation>
    </message>
    <message>
        <location filename="../../app/UpdateProgressDialog.cpp" line="49"/>
        <source>%1 of %2 MB</source>
        <translation>%1 / %2 MB</translation>
    </message>
</context>
<context>
    <name>Utils</name>
    <message>
        <location filename="../../core/TextFormat.cpp" line="32"/>
        <source>%1$%L2</source>
        <translation>%1$%L2</translation>
    </message>
    <message>
        <location filename="../../core/TextFormat.cpp" line="79"/>
        <source>%1d</source>
        <translation>%1天</translation>
    </message>
    <message>
        <location filename="../../core/TextFormat.cpp" line="81"/>
        <source>%1h</source>
        <translation>%1小时</translation>
    </message>
    <message>
        <location filename="../../core/TextFormat.cpp" line="83"/>
        <source>%1m</source>
        <translation>%1分</translation>
    </message>
    <message>
        <location filename="../../core/TextFormat.cpp" line="84"/>
        <source>%1s</source>
        <translation>%1秒</translation>
    </message>
    <message>
        <location filename="../../core/TextFormat.cpp" line="97"/>
        <source>now</source>
        <translation>现在</translation>
    </message>
    <message>
        <location filename="../../core/TextFormat.cpp" line="98"/>
        <source>%1 - time to start</source>
        <translation>%1</translation>
    </message>
    <message numerus="yes">
        <location filename="../../core/TextFormat.cpp" line="104"/>
        <source>%Ln min(s)</source>
        <translation>
            <numerusform>%Ln 分钟</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VersionChecker</name>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="183"/>
        <source>Update available</source>
        <translation>有可用更新</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="184"/>
        <source>Version %1 of the client is available; you have version %2.
Do you want to download and install it now?</source>
        <translation>客户端 %1 版本已发布，您当前的版本是 %2。
是否立即下载并安装？</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="24"/>
        <source>Update failed</source>
        <translation>更新失败</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="25"/>
        <source>The update could not be installed:
%1</source>
        <translation>无法安装更新：
%1</translation>
    </message>
</context>
<context>
    <name>WaitingForPlayersWidget</name>
    <message>
        <location filename="../../table/WaitingForPlayersWidget.ui" line="17"/>
        <source>Leave</source>
        <translation>离开</translation>
    </message>
    <message>
        <location filename="../../table/WaitingForPlayersWidget.ui" line="6"/>
        <source>Waiting for players</source>
        <translation>等待玩家</translation>
    </message>
    <message>
        <location filename="../../table/WaitingForPlayersWidget.ui" line="18"/>
        <source>Invite friends</source>
        <translation>邀请好友</translation>
    </message>
</context>
<context>
    <name>WaitingForPlayersWindow</name>
    <message numerus="yes">
        <location filename="../../table/WaitingForPlayersWindow.cpp" line="42"/>
        <source>Waiting for %n player(s) to join table.</source>
        <translation>
            <numerusform>正在等待 %n 位玩家加入牌桌。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WashoutWidget</name>
    <message>
        <location filename="../../table/WashoutWidget.ui" line="28"/>
        <source>Next hand starts in:</source>
        <translation>下一局开始于：</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWidget.ui" line="42"/>
        <source>Ready</source>
        <translation>准备</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWidget.ui" line="43"/>
        <source>Leave</source>
        <translation>离开</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWidget.ui" line="44"/>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>WashoutWindow</name>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="109"/>
        <source>Ready</source>
        <translation>准备</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="38"/>
        <source>Nine honors or terminals.</source>
        <translation>九种九牌。</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="40"/>
        <source>Four kongs.</source>
        <translation>四杠散了。</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="42"/>
        <source>Same wind discard.</source>
        <translation>四风连打。</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="44"/>
        <source>No-one declared win after all player declared riichi.</source>
        <translation>四家立直。</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="113"/>
        <location filename="../../table/WashoutWindow.cpp" line="121"/>
        <source>Next hand</source>
        <translation>下一局</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="118"/>
        <source>Play (%1)</source>
        <translation>再玩一局 (%1)</translation>
    </message>
</context>
<context>
    <name>WatchingWindow</name>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="69"/>
        <source>Watching</source>
        <translation>观战中</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="70"/>
        <source>You are watching this table. Join to take a free seat.</source>
        <translation>您正在观战此牌桌。加入即可入座空位。</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="71"/>
        <source>Join</source>
        <translation>加入</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="72"/>
        <source>Leave</source>
        <translation>离开</translation>
    </message>
</context>
<context>
    <name>tmnt_register_failed_reason</name>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="27"/>
        <source>Failed</source>
        <translation>失败</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="28"/>
        <source>Denied</source>
        <translation>被拒绝</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="30"/>
        <source>Insufficient Funds</source>
        <translation>余额不足</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="31"/>
        <source>Tournament is full</source>
        <translation>锦标赛已满员</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="32"/>
        <source>Access Denied</source>
        <translation>拒绝访问</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="34"/>
        <source>Already Registered</source>
        <translation>已报名</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="36"/>
        <source>Tournament is running</source>
        <translation>锦标赛正在进行</translation>
    </message>
</context>
</TS>
