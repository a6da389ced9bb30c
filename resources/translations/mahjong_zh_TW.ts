<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>AvatarDialog</name>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="20"/>
        <location filename="../../social/AvatarDialog.ui" line="26"/>
        <source>Choose avatar</source>
        <translation>選擇頭像</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="64"/>
        <source>Avatar images can only be 64x64 pixels (will be scaled down if larger)</source>
        <translation>頭像圖片只能為 64x64 像素（較大的圖片會被縮小）</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="76"/>
        <source>Custom...</source>
        <translation>自訂...</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="90"/>
        <source>Ok</source>
        <translation>確定</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="97"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="117"/>
        <source>The file %1 is unreadable</source>
        <translation>無法讀取檔案 %1</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="122"/>
        <source>The file %1 is an invalid image</source>
        <translation>檔案 %1 不是有效的圖片</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="136"/>
        <source>Failed to change avatar</source>
        <translation>更換頭像失敗</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="141"/>
        <source>Locate Avatar Image</source>
        <translation>選擇頭像圖片</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="142"/>
        <source>Image files</source>
        <translation>圖片檔案</translation>
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
        <translation>伺服器將在 %1 後停機維護</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingEventPopup.cpp" line="39"/>
        <source>You are registered for tournament starting in %1</source>
        <translation>您報名的錦標賽將在 %1 後開始</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingEventPopup.cpp" line="41"/>
        <source>Next tournament round starts in %1</source>
        <translation>錦標賽下一輪將在 %1 後開始</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingEventPopup.cpp" line="43"/>
        <source>Current tournament round ends in %1</source>
        <translation>錦標賽本輪將在 %1 後結束</translation>
    </message>
</context>
<context>
    <name>ComingTournamentsWidget</name>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.ui" line="24"/>
        <source>Upcoming tournaments</source>
        <translation>即將開始的錦標賽</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.cpp" line="181"/>
        <source>Unregister</source>
        <translation>取消報名</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.cpp" line="181"/>
        <source>Register</source>
        <translation>報名</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.cpp" line="182"/>
        <source>Info</source>
        <translation>詳情</translation>
    </message>
</context>
<context>
    <name>CompactCityView</name>
    <message>
        <location filename="../../scene/CompactCityView.cpp" line="32"/>
        <source>Remaining tiles</source>
        <translation>剩餘牌數</translation>
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
        <translation>槓</translation>
    </message>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="12"/>
        <source>Pong to kong</source>
        <translation>加槓</translation>
    </message>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="13"/>
        <source>Replace flower</source>
        <translation>補花</translation>
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
        <translation>傳送</translation>
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
        <translation>你在此聊天室中的名字現在是 %1</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="197"/>
        <source>No error</source>
        <translation>沒有錯誤</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="199"/>
        <source>Undefined error</source>
        <translation>未知錯誤</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="201"/>
        <source>You&apos;ve been banned from this room</source>
        <translation>您已被禁止進入此聊天室</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="203"/>
        <source>The room is password protected</source>
        <translation>此聊天室受密碼保護</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="205"/>
        <source>This is a members only room</source>
        <translation>此聊天室僅限成員</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="207"/>
        <source>Your nickname is already in use in this room</source>
        <translation>您的暱稱已在此聊天室中使用</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="209"/>
        <source>The room is full</source>
        <translation>聊天室已滿</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="211"/>
        <source>The room is locked</source>
        <translation>聊天室已鎖定</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="217"/>
        <source>The room doesn&apos;t exist</source>
        <translation>聊天室不存在</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="214"/>
        <source>Lobby chat unavailable</source>
        <translation>大廳聊天無法使用</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="70"/>
        <source>The chat connection was lost</source>
        <translation>聊天連線已中斷</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="48"/>
        <source>The chat room did not answer</source>
        <translation>聊天室沒有回應</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="216"/>
        <source>Table chat only available to players</source>
        <translation>牌桌聊天僅供玩家使用</translation>
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
        <translation>%1 離開了聊天</translation>
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
        <translation>建立新使用者</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="29"/>
        <source>User name</source>
        <translation>使用者名稱</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="60"/>
        <source>Email</source>
        <translation>電子郵件</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="91"/>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="122"/>
        <source>Repeat Password</source>
        <translation>確認密碼</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="211"/>
        <source>Create User</source>
        <translation>建立使用者</translation>
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
        <translation>使用者名稱須為%1到%2個字元</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="56"/>
        <source>Password must contain between %1 and %2 characters</source>
        <translation>密碼須為%1到%2個字元</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="61"/>
        <source>Repeated password doesn&apos;t match</source>
        <translation>兩次輸入的密碼不一致</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="221"/>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="235"/>
        <source>Register User</source>
        <translation>註冊使用者</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="222"/>
        <source>Your account has been created. Please activate it with the link in the e-mail we sent you, then log in.</source>
        <translation>帳戶已建立。請透過我們寄出的郵件中的連結啟用帳戶，然後登入。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="250"/>
        <source>User name</source>
        <translation>使用者名稱</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="251"/>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="252"/>
        <source>I&apos;m over %L1 years old</source>
        <translation>我已年滿%L1歲</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="255"/>
        <source>I accept the &lt;a style=&quot;font-family: Verdana; font-weight: bold; font-size: 12px; color: rgb(255,244,189); text-decoration: underline;&quot; href=&quot;https://terms.invalid/&quot;&gt;terms and conditions&lt;/a&gt;</source>
        <translation>我接受&lt;a style=&quot;font-family: Verdana; font-weight: bold; font-size: 12px; color: rgb(255,244,189); text-decoration: underline;&quot; href=&quot;https://terms.invalid/&quot;&gt;條款與條件&lt;/a&gt;</translation>
    </message>
</context>
<context>
    <name>DebugDialog</name>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="13"/>
        <source>Debug</source>
        <translation>偵錯</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="15"/>
        <location filename="../../app/DebugDialog.cpp" line="16"/>
        <source>not connected</source>
        <translation>未連線</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="18"/>
        <source>Bytes received:</source>
        <translation>已接收位元組數：</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="19"/>
        <source>Bytes sent:</source>
        <translation>已傳送位元組數：</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="20"/>
        <source>Rate (in/out):</source>
        <translation>速率（接收/傳送）：</translation>
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
        <translation>安全連線</translation>
    </message>
    <message>
        <location filename="../../mainwindow/EmbeddedBrowser.cpp" line="142"/>
        <source>Insecure connection</source>
        <translation>不安全的連線</translation>
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
        <translation>好友詳細資料</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailView.ui" line="79"/>
        <source>Remove</source>
        <translation>刪除</translation>
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
        <translation>觀戰</translation>
    </message>
</context>
<context>
    <name>FriendDetailWindow</name>
    <message>
        <location filename="../../social/FriendDetailWindow.cpp" line="78"/>
        <source>%1 with status &quot;%2&quot;</source>
        <extracomment>%1 is availability type, %2 is user status message</extracomment>
        <translation>%1，狀態為「%2」</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailWindow.cpp" line="91"/>
        <source>Friend details for %1</source>
        <translation>%1 的詳細資料</translation>
    </message>
</context>
<context>
    <name>FriendSearchView</name>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="20"/>
        <location filename="../../social/FriendSearchView.ui" line="26"/>
        <source>Friend search results</source>
        <translation>好友搜尋結果</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="48"/>
        <source>Search</source>
        <translation>搜尋</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="118"/>
        <source>Add to friends</source>
        <translation>加為好友</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="125"/>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>FriendSearchWindow</name>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="52"/>
        <source>Add to friends</source>
        <translation>加為好友</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="53"/>
        <source>Add item to friends list</source>
        <translation>加入好友清單</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="54"/>
        <source>User</source>
        <translation>使用者</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="127"/>
        <location filename="../../social/FriendSearchWindow.cpp" line="178"/>
        <source>Search error</source>
        <translation>搜尋錯誤</translation>
    </message>
    <message numerus="yes">
        <location filename="../../social/FriendSearchWindow.cpp" line="169"/>
        <source>%Ln user(s) found</source>
        <translation>
            <numerusform>找到 %Ln 位使用者</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FriendsRosterModel</name>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="59"/>
        <source>offline</source>
        <translation>離線</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="62"/>
        <source>online</source>
        <translation>線上</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="65"/>
        <location filename="../../social/FriendsRosterModel.cpp" line="74"/>
        <source>away</source>
        <translation>離開</translation>
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
        <translation>&lt;未知狀態&gt;</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="129"/>
        <source>%1 is %2</source>
        <extracomment>%1 is friend name, %2 is availability type</extracomment>
        <translation>%1 目前%2</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="131"/>
        <source>%1 is %2 with status &quot;%3&quot;</source>
        <extracomment>%1 is friend name, %2 is availability type, %3 is user status message</extracomment>
        <translation>%1 目前%2，狀態為「%3」</translation>
    </message>
</context>
<context>
    <name>FriendsView</name>
    <message>
        <location filename="../../social/FriendsView.ui" line="35"/>
        <source>Add friends and see when they are online!</source>
        <translation>新增好友，隨時查看他們是否在線上！</translation>
    </message>
    <message>
        <location filename="../../social/FriendsView.ui" line="47"/>
        <source>Friends</source>
        <translation>好友</translation>
    </message>
    <message>
        <location filename="../../social/FriendsView.ui" line="65"/>
        <source>Find friend</source>
        <translation>尋找好友</translation>
    </message>
    <message>
        <location filename="../../social/FriendsView.ui" line="77"/>
        <source>Friend Details</source>
        <translation>好友詳細資料</translation>
    </message>
</context>
<context>
    <name>FriendsWindow</name>
    <message>
        <location filename="../../social/FriendsWindow.cpp" line="65"/>
        <source>Remove</source>
        <translation>刪除</translation>
    </message>
    <message>
        <location filename="../../social/FriendsWindow.cpp" line="66"/>
        <source>Remove user from list</source>
        <translation>從清單中刪除使用者</translation>
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
        <translation>您的餘額不足，無法再玩一局。
是否立即儲值？</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="36"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="455"/>
        <source>A server error occured and the game was aborted.
Your bet and fee will be repaid.</source>
        <translation>伺服器發生錯誤，牌局已中止。
您的下注和手續費將退還。</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="38"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="451"/>
        <source>Server error</source>
        <translation>伺服器錯誤</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="39"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="453"/>
        <source>A server error occured and the tournament will be aborted.
Check tournament rules for details regarding the distribution of the prize pool.</source>
        <translation>伺服器發生錯誤，錦標賽將中止。
獎池的分配方式請參閱錦標賽規則。</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="43"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="460"/>
        <source>You were kicked from the table as the server will be unavailable due to mainenance.</source>
        <translation>由於伺服器即將停機維護，您已被踢出牌桌。</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="461"/>
        <source>Table does not exist</source>
        <translation>牌桌不存在</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="461"/>
        <source>Table has been removed from server, press Ok to go back to lobby</source>
        <translation>牌桌已從伺服器移除，按「確定」返回大廳</translation>
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
        <translation>%1 離開了牌桌</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="638"/>
        <source>Hand started</source>
        <translation>本局開始</translation>
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
        <translation>牌桌本輪結束</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="178"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="205"/>
        <source>Tournament round ended</source>
        <translation>錦標賽本輪結束</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="206"/>
        <source>The tournament round has ended, press Ok to go back to lobby</source>
        <translation>錦標賽本輪已結束，按「確定」返回大廳</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="317"/>
        <source>Leave Table</source>
        <translation>離開牌桌</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="317"/>
        <source>Are you sure you want to leave table %1?</source>
        <translation>確定要離開牌桌 %1 嗎？</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="376"/>
        <source>Friends</source>
        <translation>好友</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="377"/>
        <source>You haven&apos;t added any friends yet. Click on player names where you see them or go to friends section in the lobby.</source>
        <translation>您還沒有加入好友。點擊看到的玩家名稱，或前往大廳的好友欄目。</translation>
    </message>
</context>
<context>
    <name>HttpsGet</name>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="28"/>
        <source>refusing to fetch %1: not an https:// address</source>
        <translation>拒絕擷取 %1：不是 https:// 位址</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="40"/>
        <location filename="../../app/HttpsGet.cpp" line="55"/>
        <source>%1 is larger than %2 bytes</source>
        <translation>%1 大於 %2 位元組</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="50"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="52"/>
        <source>%1 was redirected away from https</source>
        <translation>%1 被重新導向至非 https 位址</translation>
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
        <translation>儲值</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="86"/>
        <source>Tournament registration</source>
        <translation>錦標賽報名</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="88"/>
        <source>Name: %1</source>
        <translation>名稱：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="89"/>
        <source>Start: %1</source>
        <translation>開始：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="90"/>
        <source>Buy-in: %1</source>
        <translation>買入：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="91"/>
        <source>Pot: %1</source>
        <translation>獎池：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="92"/>
        <source>Rules: %1</source>
        <translation>規則：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="94"/>
        <source>Registered Players: %1</source>
        <translation>已報名玩家：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="103"/>
        <source>You do not have sufficient funds in your account to play. Please deposit more money to your account to continue playing.</source>
        <translation>您的帳戶餘額不足，無法參加。請儲值後繼續遊戲。</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="99"/>
        <source>This tournament has been removed.</source>
        <translation>該比賽已被刪除。</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="101"/>
        <source>Registration for this tournament is closed.</source>
        <translation>該比賽的報名已截止。</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="107"/>
        <source>Accepting the tournament will withdraw the buy-in from your account. If you choose to unregister from the tournament at a later time, but before the tournament starts, the buy-in will be refunded to your account.</source>
        <translation>接受後，買入金額將從您的帳戶中扣除。如果您在錦標賽開始前取消報名，買入金額將退還至您的帳戶。</translation>
    </message>
</context>
<context>
    <name>LobbySummary</name>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="71"/>
        <source>Lobby</source>
        <translation>大廳</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="72"/>
        <source>Players online: %L1</source>
        <translation>線上玩家：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="73"/>
        <source>Players seated: %L1</source>
        <translation>已入座玩家：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="74"/>
        <source>Open tables: %L1</source>
        <translation>開放牌桌：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="75"/>
        <source>Tournaments running: %L1</source>
        <translation>進行中的錦標賽：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="76"/>
        <source>Today&apos;s top winners</source>
        <translation>今日贏家排行</translation>
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
        <translation>隱藏已滿牌桌</translation>
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
        <translation>錯誤</translation>
    </message>
    <message>
        <location filename="../../app/Log.cpp" line="493"/>
        <source>%1

The program has to end. Please send the log file %2 to the support team.</source>
        <translation>%1

程式必須結束。請將記錄檔 %2 傳送給客服團隊。</translation>
    </message>
</context>
<context>
    <name>LoginForm</name>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="29"/>
        <source>Log in to Mahjong</source>
        <translation>登入麻將</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="36"/>
        <source>User name</source>
        <translation>使用者名稱</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="50"/>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="70"/>
        <source>Log in</source>
        <translation>登入</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="86"/>
        <source>Register</source>
        <translation>註冊</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="106"/>
        <source>Choose language</source>
        <translation>選擇語言</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="90"/>
        <source>You are not allowed to login, please contact support.</source>
        <translation>您無權登入，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="92"/>
        <source>Server error!</source>
        <translation>伺服器錯誤！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="94"/>
        <source>You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.</source>
        <translation>請先驗證您的電子郵件！請在收件匣中尋找驗證郵件。如問題持續，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="97"/>
        <source>You have excluded yourself from playing. Contact support if this is incorrect.</source>
        <translation>您已自我禁止遊戲。如有誤，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="99"/>
        <source>You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.
If you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.</source>
        <translation>您已連續6次登入失敗。為了安全，您的帳戶將停用10分鐘。
如果您忘記密碼，請重設密碼並等待10分鐘。如仍有問題，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="103"/>
        <source>Your IP address is blacklisted, please contact support.</source>
        <translation>您的IP位址已被列入黑名單，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="105"/>
        <source>Unknown login failure!</source>
        <translation>未知原因登入失敗！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="147"/>
        <source>Login failed</source>
        <translation>登入失敗</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="238"/>
        <source>Connecting...</source>
        <translation>連線中...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="238"/>
        <source>Log in</source>
        <translation>登入</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="249"/>
        <source>&lt;a style=&quot;%1&quot; href=&quot;https://reset-password.invalid/&quot;&gt;Reset password&lt;/a&gt;</source>
        <translation>&lt;a style=&quot;%1&quot; href=&quot;https://reset-password.invalid/&quot;&gt;重設密碼&lt;/a&gt;</translation>
    </message>
</context>
<context>
    <name>Mahjong</name>
    <message>
        <location filename="../../game/Tile.cpp" line="12"/>
        <source>Bamboo</source>
        <translation>條子</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="13"/>
        <source>Character</source>
        <translation>萬子</translation>
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
        <translation>蘭</translation>
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
        <translation>東風</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="36"/>
        <source>South Wind</source>
        <translation>南風</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="37"/>
        <source>West Wind</source>
        <translation>西風</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="38"/>
        <source>North Wind</source>
        <translation>北風</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="41"/>
        <source>Green Dragon</source>
        <translation>發財</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="42"/>
        <source>Red Dragon</source>
        <translation>紅中</translation>
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
        <translation>東</translation>
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
        <translation>圈風：東</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="17"/>
        <source>Prevalent wind: South</source>
        <translation>圈風：南</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="18"/>
        <source>Prevalent wind: West</source>
        <translation>圈風：西</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="19"/>
        <source>Prevalent wind: North</source>
        <translation>圈風：北</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="245"/>
        <source>My account</source>
        <translation>我的帳戶</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="246"/>
        <source>Support</source>
        <translation>客服</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="247"/>
        <source>Toggle fullscreen</source>
        <translation>切換全螢幕</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="248"/>
        <source>Fullscreen</source>
        <translation>全螢幕</translation>
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
        <translation>結束</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="251"/>
        <source>Cashier</source>
        <translation>收銀台</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="253"/>
        <source>Lobby chat</source>
        <translation>大廳聊天</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="254"/>
        <location filename="../../mainwindow/LoginWindow.cpp" line="234"/>
        <source>Try again</source>
        <translation>重試</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="76"/>
        <source>Connecting to %1...</source>
        <translation>正在連線至 %1...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="83"/>
        <source>Connected to %1</source>
        <translation>已連線至 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="123"/>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="143"/>
        <source>The server closed the connection</source>
        <translation>伺服器已關閉連線</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="125"/>
        <source>Cannot connect to %1</source>
        <translation>無法連線至 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="105"/>
        <source>Connected to %1. Please log in.</source>
        <translation>已連線至 %1。請登入。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="171"/>
        <source>Logging in as %1...</source>
        <translation>正在以 %1 身分登入...</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="26"/>
        <source>Authentication failed!</source>
        <translation>驗證失敗！</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="28"/>
        <source>You are not allowed to login, please contact support.</source>
        <translation>您無權登入，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="29"/>
        <source>Server error!</source>
        <translation>伺服器錯誤！</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="31"/>
        <source>You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.</source>
        <translation>請先驗證您的電子郵件！請在收件匣中查看驗證郵件。如果問題持續發生，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="34"/>
        <source>You have excluded yourself from playing. Contact support if this is incorrect.</source>
        <translation>您已設定自我排除，無法進行遊戲。如有錯誤，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="37"/>
        <source>You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.
If you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.</source>
        <translation>您已 6 次登入失敗。基於安全考量，您的帳號將停用 10 分鐘。
如果忘記密碼，請重設密碼並等待 10 分鐘。如果仍有問題，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="42"/>
        <source>Your IP address is blacklisted, please contact support.</source>
        <translation>您的 IP 位址已被列入黑名單，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="44"/>
        <source>Unknown login failure!</source>
        <translation>登入失敗，原因不明！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="185"/>
        <source>Login failed: %1</source>
        <translation>登入失敗：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="251"/>
        <source>Logged in as %1</source>
        <translation>已以 %1 身分登入</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="29"/>
        <source>Not allowed to join table</source>
        <translation>不允許加入此牌桌</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="30"/>
        <source>Join Error</source>
        <translation>加入錯誤</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="31"/>
        <source>Table Full</source>
        <translation>牌桌已滿</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="32"/>
        <source>Table In Play</source>
        <translation>牌局進行中</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="34"/>
        <source>You don&apos;t have enough money on your account to join the table.</source>
        <translation>您的帳戶餘額不足，無法加入此牌桌。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="36"/>
        <source>A player with the same IP address as you has already joined the table.
Please contact the support to remedy the situation.</source>
        <translation>與您 IP 位址相同的玩家已加入此牌桌。
請聯絡客服解決此問題。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="39"/>
        <source>You are not allowed to play on money tables.</source>
        <translation>您不能在現金牌桌上遊戲。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="41"/>
        <source>You are not fully registered and therefore not allowed to play for money.</source>
        <translation>您尚未完成註冊，因此不能進行現金遊戲。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="43"/>
        <source>You are not allowed to play, server will be unavailable due to maintenance.</source>
        <translation>伺服器即將停機維護，暫時無法遊戲。</translation>
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
        <translation>加入失敗</translation>
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
        <translation>牌桌邀請</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="508"/>
        <source>%1 has invited you to table %2, do you want to join?</source>
        <translation>%1 邀請您加入牌桌 %2，是否加入？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="521"/>
        <source>Registration</source>
        <translation>註冊</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="527"/>
        <source>Tournament registration</source>
        <translation>錦標賽報名</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="534"/>
        <source>You are not fully registered and therefore not allowed to play for money.
Do you want to complete your registration now?</source>
        <translation>您尚未完成註冊，因此不能進行現金遊戲。
是否立即完成註冊？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="191"/>
        <source>Tournaments</source>
        <translation>錦標賽</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="353"/>
        <source>Join Failed: %1</source>
        <translation>加入失敗：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="320"/>
        <source>Watching table %1</source>
        <translation>正在觀戰牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="266"/>
        <source>Resolution too low!</source>
        <translation>螢幕解析度過低！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="267"/>
        <source>You should have a resolution of at least 1024x768, you currently have %L1x%L2</source>
        <translation>解析度至少需要 1024x768，目前為 %L1x%L2</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="310"/>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="417"/>
        <source>You have %1</source>
        <translation>餘額 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="423"/>
        <source>System message</source>
        <translation>系統訊息</translation>
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
        <translation>很抱歉，您是最後報名錦標賽 %1 的玩家之一。為確保每張錦標賽牌桌恰好有四名玩家，您的報名已被取消。
您的買入和手續費將退還。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="444"/>
        <source>A server error occured during tournament %1 and the tournament was aborted.
Check tournament rules for details regarding the distribution of the prize pool.</source>
        <translation>錦標賽 %1 進行中伺服器發生錯誤，錦標賽已中止。
獎池的分配方式請參閱錦標賽規則。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="463"/>
        <source>Forced logout</source>
        <translation>強制登出</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="463"/>
        <source>You were forcefully logged out!</source>
        <translation>您已被強制登出！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="136"/>
        <source>Left table %1</source>
        <translation>已離開牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="350"/>
        <source>Quit</source>
        <translation>結束</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="350"/>
        <source>Are you sure you want to quit?</source>
        <translation>確定要結束嗎？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="412"/>
        <source>Windowed</source>
        <translation>視窗</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="412"/>
        <source>Fullscreen</source>
        <translation>全螢幕</translation>
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
        <translation>開始</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="189"/>
        <source>Play</source>
        <translation>開始遊戲</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="193"/>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="195"/>
        <source>Friends</source>
        <translation>好友</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="197"/>
        <source>Game Guide</source>
        <translation>遊戲指南</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="203"/>
        <source>Make your choice below or go to the Lobby for more rules and table options</source>
        <translation>請在下方選擇，或前往大廳查看更多規則和牌桌選項</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="337"/>
        <source>Join game failed!</source>
        <translation>加入牌局失敗！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="338"/>
        <source>Failed to join game.
Please try again in a little while.
If problem persists please contact support</source>
        <translation>加入牌局失敗。
請稍後再試。
如果問題仍然存在，請聯絡客服</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="376"/>
        <source>Leave Failed</source>
        <translation>離開失敗</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="384"/>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="386"/>
        <source>Watch Failed</source>
        <translation>觀戰失敗</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="384"/>
        <source>Watch Failed: %1</source>
        <translation>觀戰失敗：%1</translation>
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
        <translation>觀戰牌桌</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="436"/>
        <source>Do you want to continue watching table %1?</source>
        <translation>是否繼續觀戰牌桌 %1？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="447"/>
        <source>You are already seated at table %L1.</source>
        <translation>您已在牌桌 %L1 入座。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="123"/>
        <source>Web browser</source>
        <translation>網頁瀏覽器</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="124"/>
        <source>The web browser could not be started. The address is:
%1</source>
        <translation>無法啟動網頁瀏覽器。網址為：
%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="288"/>
        <source>Deposit</source>
        <translation>儲值</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="289"/>
        <source>Withdraw</source>
        <translation>提領</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="290"/>
        <source>Statement</source>
        <translation>帳戶明細</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="291"/>
        <source>My profile</source>
        <translation>個人資料</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="292"/>
        <source>Hand history</source>
        <translation>牌局紀錄</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="293"/>
        <source>Player protection</source>
        <translation>玩家保護</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="294"/>
        <source>Change password</source>
        <translation>變更密碼</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="441"/>
        <source>Local time is %1</source>
        <translation>本地時間 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="633"/>
        <source>New tournament round - %1</source>
        <translation>錦標賽新一輪 - %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="634"/>
        <source>Continuing tournament round - %1</source>
        <translation>錦標賽本輪繼續 - %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="359"/>
        <source>You don&apos;t have enough money on your account to join the table.
Do you want to make a deposit now?</source>
        <translation>您的帳戶餘額不足，無法加入此牌桌。
是否立即儲值？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="636"/>
        <source>New tournament round</source>
        <translation>錦標賽新一輪</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="636"/>
        <source>Continuing tournament round</source>
        <translation>錦標賽本輪繼續</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="638"/>
        <source>You have been assigned to tournament table %1. Show now?</source>
        <translation>您已被分配到錦標賽牌桌 %1。是否立即顯示？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="639"/>
        <source>You are assigned to tournament table %1. Show now?</source>
        <translation>您被分配在錦標賽牌桌 %1。是否立即顯示？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="708"/>
        <source>This is you</source>
        <translation>這是您</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="710"/>
        <source>Add to friends</source>
        <translation>加為好友</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="729"/>
        <source>Watch table %1</source>
        <comment>%1 is table name</comment>
        <translation>觀戰牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="735"/>
        <source>Friend is offline</source>
        <translation>好友已離線</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="736"/>
        <source>Friend is only playing at this table</source>
        <translation>好友只在此牌桌遊戲</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="737"/>
        <source>Friend is not playing</source>
        <translation>好友未在遊戲</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="481"/>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="484"/>
        <source>Error</source>
        <translation>錯誤</translation>
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
        <translation>過</translation>
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
        <translation>關閉</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.cpp" line="87"/>
        <source>Choose Meld</source>
        <translation>選擇副露</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.cpp" line="89"/>
        <source>Rob the Kong</source>
        <translation>搶槓</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.cpp" line="91"/>
        <source>Replace tiles</source>
        <translation>補牌</translation>
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
        <translation>槓</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="82"/>
        <source>Pong to kong</source>
        <translation>加槓</translation>
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
            <numerusform>另有 %Ln 則訊息，請見詳細資訊。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../../widgets/ModelessMsgBox.cpp" line="87"/>
        <source>%Ln earlier message(s) not listed.</source>
        <translation>
            <numerusform>更早的 %Ln 則訊息未列出。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PlayerInactiveWidget</name>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="19"/>
        <source>Leave</source>
        <translation>離開</translation>
    </message>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="6"/>
        <source>Player inactive</source>
        <translation>玩家未操作</translation>
    </message>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="10"/>
        <source>You have been inactive, and will therefore automatically stand down. Please press reactivate to regain control.</source>
        <translation>您長時間未操作，將自動託管。請按「恢復」重新控制。</translation>
    </message>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="18"/>
        <source>Reactivate</source>
        <translation>恢復</translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message numerus="yes">
        <location filename="../../table/PlayerWidget.cpp" line="118"/>
        <source>%nwins</source>
        <extracomment>don&apos;t include %n in translation, only used to get correct noun form</extracomment>
        <translation>
            <numerusform>勝</numerusform>
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
        <translation>在下方變更設定，變更會立即生效。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="43"/>
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="68"/>
        <source>Game</source>
        <translation>遊戲</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="74"/>
        <source>Auto pass</source>
        <translation>自動過</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="84"/>
        <source>Controls if score dialogs are automatically closed when a new round begins</source>
        <translation>新一局開始時是否自動關閉計分視窗</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="87"/>
        <source>Auto-close score dialogs</source>
        <translation>自動關閉計分視窗</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="97"/>
        <source>Sounds</source>
        <translation>音效</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="107"/>
        <source>Animations</source>
        <translation>動畫</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="117"/>
        <source>Alternative view (bigger tiles)</source>
        <translation>另一種檢視（大牌）</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="127"/>
        <source>Show table invites</source>
        <translation>顯示牌桌邀請</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="140"/>
        <source>Player</source>
        <translation>玩家</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="162"/>
        <source>Choose avatar...</source>
        <translation>選擇頭像...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="185"/>
        <source>Tile graphics</source>
        <translation>牌面圖案</translation>
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
            <numerusform>有 %n 個問題等待您的回答。請選擇一個或多個，然後回答「是」或「否」。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RoundScoreBoard</name>
    <message>
        <location filename="../../table/RoundScoreBoard.ui" line="21"/>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.ui" line="10"/>
        <source>Tournament 1</source>
        <translation>錦標賽 1</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.ui" line="16"/>
        <source>Round 1</source>
        <translation>第 1 輪</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.cpp" line="67"/>
        <source>Round %L1/%L2</source>
        <translation>第 %L1/%L2 輪</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.cpp" line="71"/>
        <source>Round results</source>
        <translation>本輪結果</translation>
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
        <translation>麻將分：</translation>
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
        <translation>本輪結果：</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.ui" line="37"/>
        <source>Tournament points:</source>
        <translation>錦標賽積分：</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.ui" line="38"/>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.cpp" line="28"/>
        <source>Round balance:</source>
        <translation>本輪收支：</translation>
    </message>
</context>
<context>
    <name>ScoreBoard</name>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="198"/>
        <source>Next hand starts in:</source>
        <translation>下一局開始於：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="206"/>
        <location filename="../../table/ScoreBoard.cpp" line="275"/>
        <source>Ready</source>
        <translation>準備</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="208"/>
        <source>Leave</source>
        <translation>離開</translation>
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
        <translation>關閉</translation>
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
        <translation>寶牌／槓寶牌</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="165"/>
        <source>Ura dora tiles</source>
        <translation>裡寶牌</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="180"/>
        <source>Points:</source>
        <translation>分數：</translation>
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
        <translation>番數：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="184"/>
        <source>Doubles:</source>
        <translation>番：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="188"/>
        <source>Limit hands:</source>
        <translation>役滿：</translation>
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
        <translation>結算</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="248"/>
        <source>Current Score</source>
        <translation>當前得分</translation>
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
        <translation>遊戲將在 %1 後開始</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="119"/>
        <source>Seat reserved</source>
        <translation>座位已保留</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="120"/>
        <source>Play</source>
        <translation>開始遊戲</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="121"/>
        <source>Leave</source>
        <translation>離開</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="128"/>
        <source>Table %1</source>
        <translation>牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="129"/>
        <source>A seat is reserved for you at %1.</source>
        <translation>已在 %1 為您保留座位。</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="130"/>
        <source>%1, %2, buy-in %3</source>
        <translation>%1，%2，買入 %3</translation>
    </message>
</context>
<context>
    <name>ServerInfo</name>
    <message>
        <location filename="../../app/ServerInfo.cpp" line="85"/>
        <source>The service is down for maintenance. Please try again later.</source>
        <translation>服務正在停機維護，請稍後再試。</translation>
    </message>
</context>
<context>
    <name>SetScreennameDialog</name>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="84"/>
        <source>Choose a screen name</source>
        <translation>選擇暱稱</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="85"/>
        <source>Please choose the name other players will see at the tables.</source>
        <translation>請選擇其他玩家在牌桌上看到的名稱。</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="86"/>
        <source>Screen name</source>
        <translation>暱稱</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="87"/>
        <source>OK</source>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>SideBar</name>
    <message>
        <location filename="../../table/SideBar.ui" line="34"/>
        <source>Leave</source>
        <translation>離開</translation>
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
        <translation>牌局編號：%1</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="176"/>
        <source>Round %L1 of %L2</source>
        <translation>第 %L1 / %L2 輪</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="231"/>
        <source>now</source>
        <translation>即將</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="218"/>
        <location filename="../../table/SideBar.cpp" line="225"/>
        <source>No round playing</source>
        <translation>無進行中的輪次</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="232"/>
        <source>Round ends in %1</source>
        <translation>本輪剩餘 %1</translation>
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
        <translation>經典</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="13"/>
        <source>MCR</source>
        <translation>國標麻將</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="15"/>
        <source>EMA Riichi</source>
        <translation>EMA 立直麻將</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="17"/>
        <location filename="../../lobby/TableTexts.cpp" line="33"/>
        <source>&lt;undefined&gt;</source>
        <translation>&lt;未定義&gt;</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="25"/>
        <source>Single hand</source>
        <translation>單局</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="27"/>
        <source>Tournament</source>
        <translation>錦標賽</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="29"/>
        <source>Full game</source>
        <translation>完整牌局</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="31"/>
        <source>East only</source>
        <translation>東風圈</translation>
    </message>
</context>
<context>
    <name>TableInviteDialog</name>
    <message>
        <location filename="../../social/TableInviteDialog.ui" line="14"/>
        <source>Invite friends</source>
        <translation>邀請好友</translation>
    </message>
    <message>
        <location filename="../../social/TableInviteDialog.ui" line="71"/>
        <source>Invite</source>
        <translation>邀請</translation>
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
        <translation>規則</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="90"/>
        <source>Game</source>
        <translation>賽制</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="92"/>
        <source>Stakes</source>
        <translation>注額</translation>
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
        <translation>觀戰</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="113"/>
        <source>Select a table to see it here.</source>
        <translation>選擇牌桌後將在此處顯示。</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="123"/>
        <source>Table %1</source>
        <translation>牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="125"/>
        <source>Rules: %1</source>
        <translation>規則：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="126"/>
        <source>Game: %1</source>
        <translation>賽制：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="127"/>
        <location filename="../../lobby/TablePreview.cpp" line="128"/>
        <source>Stakes: %1</source>
        <translation>注額：%1</translation>
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
            <numerusform>(%n 個機器人)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="133"/>
        <source>- table full</source>
        <translation>- 牌桌已滿</translation>
    </message>
</context>
<context>
    <name>TableSelector</name>
    <message>
        <location filename="../../table/TableSelector.cpp" line="153"/>
        <source>Lobby</source>
        <translation>大廳</translation>
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
        <translation>綠色 1</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="54"/>
        <source>Red</source>
        <translation>紅色</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="55"/>
        <source>Green 2</source>
        <translation>綠色 2</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="56"/>
        <source>Dark wood</source>
        <translation>深色木紋</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="63"/>
        <source>Numbered</source>
        <translation>帶數字</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="64"/>
        <source>Mixed numbered</source>
        <translation>部分帶數字</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="65"/>
        <source>Without numbers</source>
        <translation>無數字</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="66"/>
        <source>Rustic numbered</source>
        <translation>古樸（帶數字）</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="67"/>
        <source>Simple tiles</source>
        <translation>簡約</translation>
    </message>
</context>
<context>
    <name>TournamentDetailDialog</name>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="21"/>
        <source>Tournament is removed</source>
        <translation>錦標賽已被移除</translation>
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
        <translation>獎金分配</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="156"/>
        <source>Find:</source>
        <translation>搜尋：</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="164"/>
        <source>Register</source>
        <translation>報名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="165"/>
        <source>Unregister</source>
        <translation>取消報名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="223"/>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="455"/>
        <source>Watch</source>
        <translation>觀戰</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="321"/>
        <source>Status: %1</source>
        <translation>狀態：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="322"/>
        <source>Buy-in: %1</source>
        <translation>買入：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="323"/>
        <source>Pot: %1</source>
        <translation>獎池：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="324"/>
        <source>Rules: %1</source>
        <translation>規則：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="325"/>
        <source>Duration: %1</source>
        <translation>時長：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="327"/>
        <source>Registered Players: %1</source>
        <translation>已報名玩家：%1</translation>
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
        <translation>距開始：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="399"/>
        <source>Round %1</source>
        <translation>第 %1 輪</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="411"/>
        <source>Ends in: %1</source>
        <translation>距結束：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="411"/>
        <source>Next break in: %1</source>
        <translation>距下次休息：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="418"/>
        <source>Next round in: %1</source>
        <translation>距下一輪：%1</translation>
    </message>
</context>
<context>
    <name>TournamentInfo</name>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="15"/>
        <source>Open</source>
        <translation>報名中</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="17"/>
        <source>Closed</source>
        <translation>報名截止</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="19"/>
        <source>Seating</source>
        <translation>入座中</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="21"/>
        <source>Playing</source>
        <translation>進行中</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="23"/>
        <source>Paused</source>
        <translation>已暫停</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="25"/>
        <source>Done</source>
        <translation>已結束</translation>
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
        <translation>&lt;未定義&gt;</translation>
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
        <translation>請從左側列表中選擇一個錦標賽！</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.ui" line="66"/>
        <source>Register</source>
        <translation>報名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.ui" line="67"/>
        <source>Unregister</source>
        <translation>取消報名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.ui" line="68"/>
        <source>Info</source>
        <translation>詳情</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="87"/>
        <source>Status: %1</source>
        <translation>狀態：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="88"/>
        <source>Buy-in: %1</source>
        <translation>買入：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="89"/>
        <source>Pot: %1</source>
        <translation>獎池：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="90"/>
        <source>Rules: %1</source>
        <translation>規則：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="91"/>
        <source>Duration: %1</source>
        <translation>時長：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="93"/>
        <source>Registered Players: %1</source>
        <translation>已報名玩家：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="109"/>
        <source>Starts in: %1</source>
        <translation>距開始：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="125"/>
        <source>Tournament</source>
        <translation>錦標賽</translation>
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
        <translation>牌桌積分 / 比賽積分 / 獎金</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="48"/>
        <source>Table points / competition points</source>
        <translation>牌桌積分 / 比賽積分</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="50"/>
        <source>Points/Comp./Prize</source>
        <translation>積分/比賽/獎金</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="50"/>
        <source>Points/Comp.</source>
        <translation>積分/比賽</translation>
    </message>
</context>
<context>
    <name>TournamentsController</name>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="104"/>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="106"/>
        <source>Denied</source>
        <translation>被拒絕</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="108"/>
        <source>Insufficient Funds</source>
        <translation>餘額不足</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="110"/>
        <source>Tournament is full</source>
        <translation>錦標賽已滿員</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="112"/>
        <source>Access Denied</source>
        <translation>拒絕存取</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="114"/>
        <source>Already Registered</source>
        <translation>已報名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="116"/>
        <source>Tournament is running</source>
        <translation>錦標賽正在進行</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="299"/>
        <source>Join tournament</source>
        <translation>參加錦標賽</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="304"/>
        <source>You don&apos;t have enough money on your account to join the tournament.
Do you want to make a deposit now?</source>
        <translation>您的帳戶餘額不足，無法參加此錦標賽。
是否立即儲值？</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="313"/>
        <source>Deposit</source>
        <translation>儲值</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="314"/>
        <source>Your account is opened in a web browser</source>
        <translation>已在網頁瀏覽器中開啟您的帳戶</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="328"/>
        <source>Tournament %1 is full</source>
        <translation>錦標賽 %1 已滿員</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="332"/>
        <source>Join tournament failed!
%1</source>
        <translation>參加錦標賽失敗！
%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="339"/>
        <source>Unregister from tournament</source>
        <translation>取消錦標賽報名</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="340"/>
        <source>Unregister from tournament failed!
%1</source>
        <translation>取消報名失敗！
%1</translation>
    </message>
</context>
<context>
    <name>TournamentsLobbyModel</name>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Status</source>
        <translation>狀態</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Name</source>
        <translation>名稱</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Rules</source>
        <translation>規則</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Players</source>
        <translation>玩家</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Buy-in</source>
        <translation>買入</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Pot</source>
        <translation>獎池</translation>
    </message>
</context>
<context>
    <name>TournamentsLobbyView</name>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="37"/>
        <source>Rules</source>
        <translation>規則</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="46"/>
        <source>Classic</source>
        <translation>經典</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="53"/>
        <source>MCR</source>
        <translation>國標麻將</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="60"/>
        <source>EMA Riichi</source>
        <translation>EMA 立直麻將</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="70"/>
        <source>Buy-in</source>
        <translation>買入</translation>
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
        <translation>練習</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="164"/>
        <source>View all available tournaments</source>
        <translation>顯示所有可參加的錦標賽</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="184"/>
        <source>Find:</source>
        <translation>搜尋：</translation>
    </message>
</context>
<context>
    <name>TranslationsManager</name>
    <message>
        <location filename="../../widgets/TranslationsManager.cpp" line="20"/>
        <source>English</source>
        <comment>the name of this translation&apos;s language, in that language</comment>
        <translation>繁體中文</translation>
    </message>
</context>
<context>
    <name>UpdateDownloader</name>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="38"/>
        <source>The installer address is not an https:// address.</source>
        <translation>安裝程式的位址不是 https:// 位址。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="40"/>
        <source>The installer&apos;s size or digest is missing.</source>
        <translation>缺少安裝程式的大小或摘要。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="49"/>
        <source>Cannot create the installer file: %1</source>
        <translation>無法建立安裝程式檔案：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="84"/>
        <source>The installer is larger than announced.</source>
        <translation>安裝程式超出了公布的大小。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="87"/>
        <location filename="../../app/UpdateDownloader.cpp" line="110"/>
        <source>Cannot write the installer file: %1</source>
        <translation>無法寫入安裝程式檔案：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="102"/>
        <source>The download failed: %1</source>
        <translation>下載失敗：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="104"/>
        <source>The download was redirected away from https.</source>
        <translation>下載被重新導向至非 https 位址。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="106"/>
        <source>The download is incomplete (%1 of %2 bytes).</source>
        <translation>下載不完整（%1 / %2 位元組）。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="108"/>
        <source>The downloaded installer is damaged (digest mismatch).</source>
        <translation>下載的安裝程式已損毀（摘要不符）。</translation>
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
        <translation>正在下載用戶端 %1 版...</translation>
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
        <translation>%1小時</translation>
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
        <translation>現在</translation>
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
            <numerusform>%Ln 分鐘</numerusform>
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
        <translation>用戶端 %1 版已推出，您目前的版本是 %2。
是否立即下載並安裝？</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="24"/>
        <source>Update failed</source>
        <translation>更新失敗</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="25"/>
        <source>The update could not be installed:
%1</source>
        <translation>無法安裝更新：
%1</translation>
    </message>
</context>
<context>
    <name>WaitingForPlayersWidget</name>
    <message>
        <location filename="../../table/WaitingForPlayersWidget.ui" line="17"/>
        <source>Leave</source>
        <translation>離開</translation>
    </message>
    <message>
        <location filename="../../table/WaitingForPlayersWidget.ui" line="6"/>
        <source>Waiting for players</source>
        <translation>等待玩家</translation>
    </message>
    <message>
        <location filename="../../table/WaitingForPlayersWidget.ui" line="18"/>
        <source>Invite friends</source>
        <translation>邀請好友</translation>
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
        <translation>下一局開始於：</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWidget.ui" line="42"/>
        <source>Ready</source>
        <translation>準備</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWidget.ui" line="43"/>
        <source>Leave</source>
        <translation>離開</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWidget.ui" line="44"/>
        <source>Ok</source>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>WashoutWindow</name>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="109"/>
        <source>Ready</source>
        <translation>準備</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="38"/>
        <source>Nine honors or terminals.</source>
        <translation>九種九牌。</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="40"/>
        <source>Four kongs.</source>
        <translation>四槓散了。</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="42"/>
        <source>Same wind discard.</source>
        <translation>四風連打。</translation>
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
        <translation>觀戰中</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="70"/>
        <source>You are watching this table. Join to take a free seat.</source>
        <translation>您正在觀戰此牌桌。加入即可入座空位。</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="71"/>
        <source>Join</source>
        <translation>加入</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="72"/>
        <source>Leave</source>
        <translation>離開</translation>
    </message>
</context>
<context>
    <name>tmnt_register_failed_reason</name>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="27"/>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="28"/>
        <source>Denied</source>
        <translation>被拒絕</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="30"/>
        <source>Insufficient Funds</source>
        <translation>餘額不足</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="31"/>
        <source>Tournament is full</source>
        <translation>錦標賽已滿員</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="32"/>
        <source>Access Denied</source>
        <translation>拒絕存取</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="34"/>
        <source>Already Registered</source>
        <translation>已報名</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="36"/>
        <source>Tournament is running</source>
        <translation>錦標賽正在進行</translation>
    </message>
</context>
</TS>
