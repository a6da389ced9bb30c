<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AvatarDialog</name>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="20"/>
        <location filename="../../social/AvatarDialog.ui" line="26"/>
        <source>Choose avatar</source>
        <translation>アバターを選択</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="64"/>
        <source>Avatar images can only be 64x64 pixels (will be scaled down if larger)</source>
        <translation>アバター画像は 64x64 ピクセルまでです（大きい画像は縮小されます）</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="76"/>
        <source>Custom...</source>
        <translation>ファイルから...</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="90"/>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.ui" line="97"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="117"/>
        <source>The file %1 is unreadable</source>
        <translation>ファイル %1 を読み込めません</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="122"/>
        <source>The file %1 is an invalid image</source>
        <translation>ファイル %1 は有効な画像ではありません</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="136"/>
        <source>Failed to change avatar</source>
        <translation>アバターを変更できませんでした</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="141"/>
        <source>Locate Avatar Image</source>
        <translation>アバター画像を選択</translation>
    </message>
    <message>
        <location filename="../../social/AvatarDialog.cpp" line="142"/>
        <source>Image files</source>
        <translation>画像ファイル</translation>
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
        <translation>サーバーメンテナンスまで %1</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingEventPopup.cpp" line="39"/>
        <source>You are registered for tournament starting in %1</source>
        <translation>参加登録したトーナメントの開始まで %1</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingEventPopup.cpp" line="41"/>
        <source>Next tournament round starts in %1</source>
        <translation>トーナメントの次のラウンド開始まで %1</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingEventPopup.cpp" line="43"/>
        <source>Current tournament round ends in %1</source>
        <translation>トーナメントの現在のラウンド終了まで %1</translation>
    </message>
</context>
<context>
    <name>ComingTournamentsWidget</name>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.ui" line="24"/>
        <source>Upcoming tournaments</source>
        <translation>開催予定のトーナメント</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.cpp" line="181"/>
        <source>Unregister</source>
        <translation>登録解除</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.cpp" line="181"/>
        <source>Register</source>
        <translation>参加登録</translation>
    </message>
    <message>
        <location filename="../../tournaments/ComingTournamentsWidget.cpp" line="182"/>
        <source>Info</source>
        <translation>詳細</translation>
    </message>
</context>
<context>
    <name>CompactCityView</name>
    <message>
        <location filename="../../scene/CompactCityView.cpp" line="32"/>
        <source>Remaining tiles</source>
        <translation>残り牌数</translation>
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
        <translation>リーチ</translation>
    </message>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="11"/>
        <source>Kong</source>
        <translation>カン</translation>
    </message>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="12"/>
        <source>Pong to kong</source>
        <translation>加カン</translation>
    </message>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="13"/>
        <source>Replace flower</source>
        <translation>花牌交換</translation>
    </message>
    <message>
        <location filename="../../table/ConcealedActionDialog.ui" line="14"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>ConferenceView</name>
    <message>
        <location filename="../../social/ConferenceView.ui" line="64"/>
        <source>Send</source>
        <translation>送信</translation>
    </message>
</context>
<context>
    <name>ConferenceWidget</name>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="236"/>
        <source>You chat as %1 in this room</source>
        <translation>このルームでは %1 としてチャットします</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="243"/>
        <source>You now chat as %1 in this room</source>
        <translation>このルームでは今後 %1 としてチャットします</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="197"/>
        <source>No error</source>
        <translation>エラーはありません</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="199"/>
        <source>Undefined error</source>
        <translation>不明なエラー</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="201"/>
        <source>You&apos;ve been banned from this room</source>
        <translation>このルームから追放されています</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="203"/>
        <source>The room is password protected</source>
        <translation>このルームはパスワードで保護されています</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="205"/>
        <source>This is a members only room</source>
        <translation>このルームはメンバー専用です</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="207"/>
        <source>Your nickname is already in use in this room</source>
        <translation>このニックネームはこのルームで既に使われています</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="209"/>
        <source>The room is full</source>
        <translation>ルームは満員です</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="211"/>
        <source>The room is locked</source>
        <translation>ルームはロックされています</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="217"/>
        <source>The room doesn&apos;t exist</source>
        <translation>ルームが存在しません</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="214"/>
        <source>Lobby chat unavailable</source>
        <translation>ロビーチャットは利用できません</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="70"/>
        <source>The chat connection was lost</source>
        <translation>チャットの接続が切れました</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="48"/>
        <source>The chat room did not answer</source>
        <translation>チャットルームから応答がありませんでした</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="216"/>
        <source>Table chat only available to players</source>
        <translation>卓チャットはプレイヤーのみ利用できます</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="233"/>
        <location filename="../../social/ConferenceWidget.cpp" line="301"/>
        <source>%1 joined the chat</source>
        <translation>%1 がチャットに参加しました</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="261"/>
        <location filename="../../social/ConferenceWidget.cpp" line="308"/>
        <source>%1 left the chat</source>
        <translation>%1 がチャットから退出しました</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="272"/>
        <location filename="../../social/ConferenceWidget.cpp" line="318"/>
        <source>%1 has been kicked from the chat</source>
        <translation>%1 はチャットからキックされました</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="271"/>
        <location filename="../../social/ConferenceWidget.cpp" line="328"/>
        <source>%1 has been banned from the chat</source>
        <translation>%1 はチャットから追放されました</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="274"/>
        <source>%1 has been kicked from the chat due to %2</source>
        <translation>%1 は %2 のためチャットからキックされました</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="273"/>
        <source>%1 has been banned from the chat due to %2</source>
        <translation>%1 は %2 のためチャットから追放されました</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="278"/>
        <source>%1 has been kicked from the chat by %2</source>
        <translation>%1 は %2 によりチャットからキックされました</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="277"/>
        <source>%1 has been banned from the chat by %2</source>
        <translation>%1 は %2 によりチャットから追放されました</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="280"/>
        <source>%1 has been kicked from the chat by %2 due to %3</source>
        <translation>%1 は %3 のため %2 によりチャットからキックされました</translation>
    </message>
    <message>
        <location filename="../../social/ConferenceWidget.cpp" line="279"/>
        <source>%1 has been banned from the chat by %2 due to %3</source>
        <translation>%1 は %3 のため %2 によりチャットから追放されました</translation>
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
        <translation>新規ユーザー登録</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="29"/>
        <source>User name</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="60"/>
        <source>Email</source>
        <translation>メールアドレス</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="91"/>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="122"/>
        <source>Repeat Password</source>
        <translation>パスワード(確認)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="211"/>
        <source>Create User</source>
        <translation>登録する</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserForm.ui" line="237"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>CreateUserWindow</name>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="40"/>
        <source>User name must contain between %1 and %2 characters</source>
        <translation>ユーザー名は%1文字以上%2文字以下にしてください</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="56"/>
        <source>Password must contain between %1 and %2 characters</source>
        <translation>パスワードは%1文字以上%2文字以下にしてください</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="61"/>
        <source>Repeated password doesn&apos;t match</source>
        <translation>確認用パスワードが一致しません</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="221"/>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="235"/>
        <source>Register User</source>
        <translation>ユーザー登録</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="222"/>
        <source>Your account has been created. Please activate it with the link in the e-mail we sent you, then log in.</source>
        <translation>アカウントを作成しました。お送りしたメールのリンクで有効にしてから、ログインしてください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="250"/>
        <source>User name</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="251"/>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="252"/>
        <source>I&apos;m over %L1 years old</source>
        <translation>%L1歳以上です</translation>
    </message>
    <message>
        <location filename="../../mainwindow/CreateUserWindow.cpp" line="255"/>
        <source>I accept the &lt;a style=&quot;font-family: Verdana; font-weight: bold; font-size: 12px; color: rgb(255,244,189); text-decoration: underline;&quot; href=&quot;https://terms.invalid/&quot;&gt;terms and conditions&lt;/a&gt;</source>
        <translation>&lt;a style=&quot;font-family: Verdana; font-weight: bold; font-size: 12px; color: rgb(255,244,189); text-decoration: underline;&quot; href=&quot;https://terms.invalid/&quot;&gt;利用規約&lt;/a&gt;に同意します</translation>
    </message>
</context>
<context>
    <name>DebugDialog</name>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="13"/>
        <source>Debug</source>
        <translation>デバッグ</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="15"/>
        <location filename="../../app/DebugDialog.cpp" line="16"/>
        <source>not connected</source>
        <translation>未接続</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="18"/>
        <source>Bytes received:</source>
        <translation>受信バイト数：</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="19"/>
        <source>Bytes sent:</source>
        <translation>送信バイト数：</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="20"/>
        <source>Rate (in/out):</source>
        <translation>転送速度（受信/送信）：</translation>
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
        <translation>安全な接続</translation>
    </message>
    <message>
        <location filename="../../mainwindow/EmbeddedBrowser.cpp" line="142"/>
        <source>Insecure connection</source>
        <translation>安全でない接続</translation>
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
        <translation>プレイヤー待ち</translation>
    </message>
</context>
<context>
    <name>FriendDetailView</name>
    <message>
        <location filename="../../social/FriendDetailView.ui" line="14"/>
        <source>Friend Details</source>
        <translation>友達の詳細</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailView.ui" line="79"/>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailView.ui" line="88"/>
        <source>Player is seated at:</source>
        <translation>着席中の卓:</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailView.ui" line="139"/>
        <source>Join</source>
        <translation>参加</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailView.ui" line="146"/>
        <source>Watch</source>
        <translation>観戦</translation>
    </message>
</context>
<context>
    <name>FriendDetailWindow</name>
    <message>
        <location filename="../../social/FriendDetailWindow.cpp" line="78"/>
        <source>%1 with status &quot;%2&quot;</source>
        <extracomment>%1 is availability type, %2 is user status message</extracomment>
        <translation>%1（ステータス「%2」）</translation>
    </message>
    <message>
        <location filename="../../social/FriendDetailWindow.cpp" line="91"/>
        <source>Friend details for %1</source>
        <translation>%1 の詳細</translation>
    </message>
</context>
<context>
    <name>FriendSearchView</name>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="20"/>
        <location filename="../../social/FriendSearchView.ui" line="26"/>
        <source>Friend search results</source>
        <translation>友達検索の結果</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="48"/>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="118"/>
        <source>Add to friends</source>
        <translation>友達に追加</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchView.ui" line="125"/>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>FriendSearchWindow</name>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="52"/>
        <source>Add to friends</source>
        <translation>友達に追加</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="53"/>
        <source>Add item to friends list</source>
        <translation>友達リストに追加</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="54"/>
        <source>User</source>
        <translation>ユーザー</translation>
    </message>
    <message>
        <location filename="../../social/FriendSearchWindow.cpp" line="127"/>
        <location filename="../../social/FriendSearchWindow.cpp" line="178"/>
        <source>Search error</source>
        <translation>検索エラー</translation>
    </message>
    <message numerus="yes">
        <location filename="../../social/FriendSearchWindow.cpp" line="169"/>
        <source>%Ln user(s) found</source>
        <translation>
            <numerusform>%Ln 人のユーザーが見つかりました</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FriendsRosterModel</name>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="59"/>
        <source>offline</source>
        <translation>オフライン</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="62"/>
        <source>online</source>
        <translation>オンライン</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="65"/>
        <location filename="../../social/FriendsRosterModel.cpp" line="74"/>
        <source>away</source>
        <translation>離席中</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="68"/>
        <source>talkative</source>
        <translation>おしゃべり中</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="71"/>
        <source>busy</source>
        <translation>取り込み中</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="77"/>
        <source>&lt;unknown availability&gt;</source>
        <translation>&lt;不明な状態&gt;</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="129"/>
        <source>%1 is %2</source>
        <extracomment>%1 is friend name, %2 is availability type</extracomment>
        <translation>%1 は%2です</translation>
    </message>
    <message>
        <location filename="../../social/FriendsRosterModel.cpp" line="131"/>
        <source>%1 is %2 with status &quot;%3&quot;</source>
        <extracomment>%1 is friend name, %2 is availability type, %3 is user status message</extracomment>
        <translation>%1 は%2です（ステータス「%3」）</translation>
    </message>
</context>
<context>
    <name>FriendsView</name>
    <message>
        <location filename="../../social/FriendsView.ui" line="35"/>
        <source>Add friends and see when they are online!</source>
        <translation>友達を追加して、オンライン状況を確認しましょう！</translation>
    </message>
    <message>
        <location filename="../../social/FriendsView.ui" line="47"/>
        <source>Friends</source>
        <translation>友達</translation>
    </message>
    <message>
        <location filename="../../social/FriendsView.ui" line="65"/>
        <source>Find friend</source>
        <translation>友達を探す</translation>
    </message>
    <message>
        <location filename="../../social/FriendsView.ui" line="77"/>
        <source>Friend Details</source>
        <translation>友達の詳細</translation>
    </message>
</context>
<context>
    <name>FriendsWindow</name>
    <message>
        <location filename="../../social/FriendsWindow.cpp" line="65"/>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <location filename="../../social/FriendsWindow.cpp" line="66"/>
        <source>Remove user from list</source>
        <translation>リストからユーザーを削除</translation>
    </message>
</context>
<context>
    <name>GameWindow</name>
    <message>
        <location filename="../../protocol/kick_reason.h" line="26"/>
        <location filename="../../protocol/kick_reason.h" line="28"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="440"/>
        <source>You were kicked from the table.</source>
        <translation>卓からキックされました。</translation>
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
        <translation>キックされました</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="31"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="445"/>
        <source>You do not have enough funds to play another hand.
Do you want to make a deposit now?</source>
        <translation>残高が不足しているため、次の局をプレイできません。
今すぐ入金しますか？</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="36"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="455"/>
        <source>A server error occured and the game was aborted.
Your bet and fee will be repaid.</source>
        <translation>サーバーエラーが発生したため、対局は中止されました。
賭け金と手数料は返金されます。</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="38"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="451"/>
        <source>Server error</source>
        <translation>サーバーエラー</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="39"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="453"/>
        <source>A server error occured and the tournament will be aborted.
Check tournament rules for details regarding the distribution of the prize pool.</source>
        <translation>サーバーエラーが発生したため、トーナメントは中止されます。
賞金総額の分配については、トーナメントのルールをご確認ください。</translation>
    </message>
    <message>
        <location filename="../../protocol/kick_reason.h" line="43"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="460"/>
        <source>You were kicked from the table as the server will be unavailable due to mainenance.</source>
        <translation>サーバーメンテナンスのため、卓からキックされました。</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="461"/>
        <source>Table does not exist</source>
        <translation>卓が存在しません</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="461"/>
        <source>Table has been removed from server, press Ok to go back to lobby</source>
        <translation>卓はサーバーから削除されました。OKを押してロビーに戻ります</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="561"/>
        <source>%1 joined the table</source>
        <translation>%1 が卓に着きました</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="581"/>
        <source>You&apos;ve been unseated from this table.</source>
        <translation>この卓の席から外されました。</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="585"/>
        <source>%1 left the table</source>
        <translation>%1 が卓を離れました</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowTableEvents.cpp" line="638"/>
        <source>Hand started</source>
        <translation>局が始まりました</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="77"/>
        <source>Hand ended in washout!</source>
        <translation>流局で終わりました！</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="102"/>
        <source>Hand ended in Mahjong!</source>
        <translation>和了で終わりました！</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="162"/>
        <source>Table round ended</source>
        <translation>卓の回戦が終わりました</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="178"/>
        <location filename="../../table/GameWindowHandEnd.cpp" line="205"/>
        <source>Tournament round ended</source>
        <translation>トーナメントの回戦が終わりました</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="206"/>
        <source>The tournament round has ended, press Ok to go back to lobby</source>
        <translation>トーナメントの回戦が終わりました。OKを押してロビーに戻ります</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="317"/>
        <source>Leave Table</source>
        <translation>卓を離れる</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="317"/>
        <source>Are you sure you want to leave table %1?</source>
        <translation>卓 %1 を離れてもよろしいですか？</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="376"/>
        <source>Friends</source>
        <translation>フレンド</translation>
    </message>
    <message>
        <location filename="../../table/GameWindowHandEnd.cpp" line="377"/>
        <source>You haven&apos;t added any friends yet. Click on player names where you see them or go to friends section in the lobby.</source>
        <translation>フレンドはまだいません。プレイヤー名をクリックするか、ロビーのフレンド欄から追加してください。</translation>
    </message>
</context>
<context>
    <name>HttpsGet</name>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="28"/>
        <source>refusing to fetch %1: not an https:// address</source>
        <translation>%1 の取得を拒否しました：https:// のアドレスではありません</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="40"/>
        <location filename="../../app/HttpsGet.cpp" line="55"/>
        <source>%1 is larger than %2 bytes</source>
        <translation>%1 は %2 バイトを超えています</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="50"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="52"/>
        <source>%1 was redirected away from https</source>
        <translation>%1 は https 以外へリダイレクトされました</translation>
    </message>
</context>
<context>
    <name>JoinDialog</name>
    <message>
        <location filename="../../tournaments/JoinDialog.ui" line="37"/>
        <location filename="../../tournaments/JoinDialog.cpp" line="76"/>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.ui" line="38"/>
        <location filename="../../tournaments/JoinDialog.cpp" line="77"/>
        <source>Accept</source>
        <translation>同意する</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.ui" line="39"/>
        <location filename="../../tournaments/JoinDialog.cpp" line="78"/>
        <source>Deposit</source>
        <translation>入金</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="86"/>
        <source>Tournament registration</source>
        <translation>トーナメント参加登録</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="88"/>
        <source>Name: %1</source>
        <translation>名前：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="89"/>
        <source>Start: %1</source>
        <translation>開始：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="90"/>
        <source>Buy-in: %1</source>
        <translation>参加費：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="91"/>
        <source>Pot: %1</source>
        <translation>賞金総額：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="92"/>
        <source>Rules: %1</source>
        <translation>ルール：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="94"/>
        <source>Registered Players: %1</source>
        <translation>登録者数：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="103"/>
        <source>You do not have sufficient funds in your account to play. Please deposit more money to your account to continue playing.</source>
        <translation>アカウントの残高が不足しているため、プレイできません。プレイを続けるには入金してください。</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="99"/>
        <source>This tournament has been removed.</source>
        <translation>この大会は削除されました。</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="101"/>
        <source>Registration for this tournament is closed.</source>
        <translation>この大会の登録は締め切られました。</translation>
    </message>
    <message>
        <location filename="../../tournaments/JoinDialog.cpp" line="107"/>
        <source>Accepting the tournament will withdraw the buy-in from your account. If you choose to unregister from the tournament at a later time, but before the tournament starts, the buy-in will be refunded to your account.</source>
        <translation>同意すると、参加費がアカウントから引き落とされます。トーナメント開始前に参加登録を解除した場合、参加費はアカウントに返金されます。</translation>
    </message>
</context>
<context>
    <name>LobbySummary</name>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="71"/>
        <source>Lobby</source>
        <translation>ロビー</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="72"/>
        <source>Players online: %L1</source>
        <translation>オンラインのプレイヤー：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="73"/>
        <source>Players seated: %L1</source>
        <translation>着席中のプレイヤー：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="74"/>
        <source>Open tables: %L1</source>
        <translation>開設中の卓：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="75"/>
        <source>Tournaments running: %L1</source>
        <translation>開催中のトーナメント：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="76"/>
        <source>Today&apos;s top winners</source>
        <translation>本日の上位獲得者</translation>
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
        <translation>満席の卓を隠す</translation>
    </message>
</context>
<context>
    <name>LocalizationDb</name>
    <message>
        <location filename="../../lobby/LocalizationDb.cpp" line="26"/>
        <source>Table(%1)</source>
        <translation>卓(%1)</translation>
    </message>
</context>
<context>
    <name>Log</name>
    <message>
        <location filename="../../app/Log.cpp" line="389"/>
        <location filename="../../app/Log.cpp" line="489"/>
        <location filename="../../app/Log.cpp" line="492"/>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <location filename="../../app/Log.cpp" line="493"/>
        <source>%1

The program has to end. Please send the log file %2 to the support team.</source>
        <translation>%1

プログラムを終了します。ログファイル %2 をサポートチームにお送りください。</translation>
    </message>
</context>
<context>
    <name>LoginForm</name>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="29"/>
        <source>Log in to Mahjong</source>
        <translation>麻雀にログイン</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="36"/>
        <source>User name</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="50"/>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="70"/>
        <source>Log in</source>
        <translation>ログイン</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="86"/>
        <source>Register</source>
        <translation>新規登録</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginForm.ui" line="106"/>
        <source>Choose language</source>
        <translation>言語を選択</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="90"/>
        <source>You are not allowed to login, please contact support.</source>
        <translation>ログインが許可されていません。サポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="92"/>
        <source>Server error!</source>
        <translation>サーバーエラー!</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="94"/>
        <source>You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.</source>
        <translation>先にメールアドレスの確認が必要です。確認メールが届いていないか受信箱をご確認ください。問題が続く場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="97"/>
        <source>You have excluded yourself from playing. Contact support if this is incorrect.</source>
        <translation>ご自身でプレイを制限しています。誤りの場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="99"/>
        <source>You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.
If you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.</source>
        <translation>ログインに6回失敗しました。安全のため、アカウントは10分間使えません。
パスワードを忘れた場合は、パスワードを再設定して10分お待ちください。それでも問題が続く場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="103"/>
        <source>Your IP address is blacklisted, please contact support.</source>
        <translation>お使いのIPアドレスはブロックされています。サポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="105"/>
        <source>Unknown login failure!</source>
        <translation>不明な理由でログインできませんでした!</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="147"/>
        <source>Login failed</source>
        <translation>ログイン失敗</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="238"/>
        <source>Connecting...</source>
        <translation>接続中...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="238"/>
        <source>Log in</source>
        <translation>ログイン</translation>
    </message>
    <message>
        <location filename="../../mainwindow/LoginWindow.cpp" line="249"/>
        <source>&lt;a style=&quot;%1&quot; href=&quot;https://reset-password.invalid/&quot;&gt;Reset password&lt;/a&gt;</source>
        <translation>&lt;a style=&quot;%1&quot; href=&quot;https://reset-password.invalid/&quot;&gt;パスワードを再設定&lt;/a&gt;</translation>
    </message>
</context>
<context>
    <name>Mahjong</name>
    <message>
        <location filename="../../game/Tile.cpp" line="12"/>
        <source>Bamboo</source>
        <translation>索子</translation>
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
        <translation>東</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="36"/>
        <source>South Wind</source>
        <translation>南</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="37"/>
        <source>West Wind</source>
        <translation>西</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="38"/>
        <source>North Wind</source>
        <translation>北</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="41"/>
        <source>Green Dragon</source>
        <translation>發</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="42"/>
        <source>Red Dragon</source>
        <translation>中</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="43"/>
        <source>White Dragon</source>
        <translation>白</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="102"/>
        <source>Concealed</source>
        <translation>伏せ牌</translation>
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
        <translation>場風：東</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="17"/>
        <source>Prevalent wind: South</source>
        <translation>場風：南</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="18"/>
        <source>Prevalent wind: West</source>
        <translation>場風：西</translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="19"/>
        <source>Prevalent wind: North</source>
        <translation>場風：北</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="245"/>
        <source>My account</source>
        <translation>マイアカウント</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="246"/>
        <source>Support</source>
        <translation>サポート</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="247"/>
        <source>Toggle fullscreen</source>
        <translation>フルスクリーン切替</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="248"/>
        <source>Fullscreen</source>
        <translation>フルスクリーン</translation>
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
        <translation>終了</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="251"/>
        <source>Cashier</source>
        <translation>キャッシャー</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="253"/>
        <source>Lobby chat</source>
        <translation>ロビーチャット</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainView.cpp" line="254"/>
        <location filename="../../mainwindow/LoginWindow.cpp" line="234"/>
        <source>Try again</source>
        <translation>再試行</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="76"/>
        <source>Connecting to %1...</source>
        <translation>%1 に接続しています...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="83"/>
        <source>Connected to %1</source>
        <translation>%1 に接続しました</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="123"/>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="143"/>
        <source>The server closed the connection</source>
        <translation>サーバーが接続を切断しました</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="125"/>
        <source>Cannot connect to %1</source>
        <translation>%1 に接続できません</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="105"/>
        <source>Connected to %1. Please log in.</source>
        <translation>%1 に接続しました。ログインしてください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="171"/>
        <source>Logging in as %1...</source>
        <translation>%1 としてログインしています...</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="26"/>
        <source>Authentication failed!</source>
        <translation>認証に失敗しました。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="28"/>
        <source>You are not allowed to login, please contact support.</source>
        <translation>ログインが許可されていません。サポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="29"/>
        <source>Server error!</source>
        <translation>サーバーエラーが発生しました。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="31"/>
        <source>You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.</source>
        <translation>先にメールアドレスの確認が必要です。受信トレイに届いた確認メールをご確認ください。問題が解決しない場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="34"/>
        <source>You have excluded yourself from playing. Contact support if this is incorrect.</source>
        <translation>自己排除の設定によりプレイできません。誤りの場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="37"/>
        <source>You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.
If you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.</source>
        <translation>ログインに 6 回失敗しました。セキュリティ保護のため、アカウントは 10 分間ロックされます。
パスワードを忘れた場合は、パスワードをリセットして 10 分間お待ちください。それでも問題が解決しない場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="42"/>
        <source>Your IP address is blacklisted, please contact support.</source>
        <translation>お使いの IP アドレスはブロックされています。サポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../protocol/login_status.h" line="44"/>
        <source>Unknown login failure!</source>
        <translation>不明な原因でログインに失敗しました。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="185"/>
        <source>Login failed: %1</source>
        <translation>ログインに失敗しました：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="251"/>
        <source>Logged in as %1</source>
        <translation>%1 としてログイン中</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="29"/>
        <source>Not allowed to join table</source>
        <translation>この卓には参加できません</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="30"/>
        <source>Join Error</source>
        <translation>参加エラー</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="31"/>
        <source>Table Full</source>
        <translation>満席</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="32"/>
        <source>Table In Play</source>
        <translation>対局中</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="34"/>
        <source>You don&apos;t have enough money on your account to join the table.</source>
        <translation>残高が不足しているため、この卓に参加できません。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="36"/>
        <source>A player with the same IP address as you has already joined the table.
Please contact the support to remedy the situation.</source>
        <translation>あなたと同じ IP アドレスのプレイヤーがすでにこの卓に参加しています。
解決するにはサポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="39"/>
        <source>You are not allowed to play on money tables.</source>
        <translation>リアルマネーの卓ではプレイできません。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="41"/>
        <source>You are not fully registered and therefore not allowed to play for money.</source>
        <translation>登録が完了していないため、リアルマネーでプレイすることはできません。</translation>
    </message>
    <message>
        <location filename="../../protocol/join_failed_reason.h" line="43"/>
        <source>You are not allowed to play, server will be unavailable due to maintenance.</source>
        <translation>メンテナンスのためまもなくサーバーが停止するので、プレイできません。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="314"/>
        <source>Joined table %1</source>
        <translation>卓 %1 に参加しました</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="353"/>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="358"/>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="371"/>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="524"/>
        <source>Join Failed</source>
        <translation>参加できませんでした</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="449"/>
        <source>You are already seated at table %L1.
Do you want to rejoin?</source>
        <translation>すでに卓 %L1 に着席しています。
卓に戻りますか?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="507"/>
        <source>Table invitation</source>
        <translation>卓への招待</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="508"/>
        <source>%1 has invited you to table %2, do you want to join?</source>
        <translation>%1 さんから卓 %2 に招待されました。参加しますか?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="521"/>
        <source>Registration</source>
        <translation>登録</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="527"/>
        <source>Tournament registration</source>
        <translation>トーナメント参加登録</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="534"/>
        <source>You are not fully registered and therefore not allowed to play for money.
Do you want to complete your registration now?</source>
        <translation>登録が完了していないため、リアルマネーでプレイすることはできません。
今すぐ登録を完了しますか？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="191"/>
        <source>Tournaments</source>
        <translation>トーナメント</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="353"/>
        <source>Join Failed: %1</source>
        <translation>参加できませんでした：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="320"/>
        <source>Watching table %1</source>
        <translation>卓 %1 を観戦中</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="266"/>
        <source>Resolution too low!</source>
        <translation>画面の解像度が低すぎます。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="267"/>
        <source>You should have a resolution of at least 1024x768, you currently have %L1x%L2</source>
        <translation>1024x768 以上の解像度が必要です。現在の解像度は %L1x%L2 です</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="310"/>
        <source>Failed</source>
        <translation>失敗</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="417"/>
        <source>You have %1</source>
        <translation>所持金 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="423"/>
        <source>System message</source>
        <translation>システムメッセージ</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="428"/>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="434"/>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="443"/>
        <source>Information</source>
        <translation>お知らせ</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="435"/>
        <source>Unfortunately you were among the last players to register for tournament %1 and you have been unregistered to make sure every
tournament table has exactly four players. Your buy-in and fee will be repaid.</source>
        <translation>トーナメント %1 の参加登録が最後のほうだったため、すべての卓がちょうど 4 人になるよう参加登録を解除しました。
参加費と手数料は返金されます。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="444"/>
        <source>A server error occured during tournament %1 and the tournament was aborted.
Check tournament rules for details regarding the distribution of the prize pool.</source>
        <translation>トーナメント %1 の進行中にサーバーエラーが発生したため、トーナメントは中止されました。
賞金総額の分配については、トーナメントのルールをご確認ください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="463"/>
        <source>Forced logout</source>
        <translation>強制ログアウト</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="463"/>
        <source>You were forcefully logged out!</source>
        <translation>強制的にログアウトされました。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="136"/>
        <source>Left table %1</source>
        <translation>テーブル %1 を退出しました</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="350"/>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="350"/>
        <source>Are you sure you want to quit?</source>
        <translation>終了してもよろしいですか?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="412"/>
        <source>Windowed</source>
        <translation>ウィンドウ</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="412"/>
        <source>Fullscreen</source>
        <translation>フルスクリーン</translation>
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
        <translation>スタート</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="189"/>
        <source>Play</source>
        <translation>プレイ</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="193"/>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="195"/>
        <source>Friends</source>
        <translation>友達</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="197"/>
        <source>Game Guide</source>
        <translation>ゲームガイド</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="203"/>
        <source>Make your choice below or go to the Lobby for more rules and table options</source>
        <translation>下から選ぶか、ロビーでルールと卓を選んでください</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="337"/>
        <source>Join game failed!</source>
        <translation>対局に参加できませんでした。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="338"/>
        <source>Failed to join game.
Please try again in a little while.
If problem persists please contact support</source>
        <translation>対局に参加できませんでした。
しばらくしてからもう一度お試しください。
問題が解決しない場合はサポートにお問い合わせください</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="376"/>
        <source>Leave Failed</source>
        <translation>退席できません</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="384"/>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="386"/>
        <source>Watch Failed</source>
        <translation>観戦できませんでした</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="384"/>
        <source>Watch Failed: %1</source>
        <translation>観戦できませんでした：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="428"/>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="448"/>
        <source>Rejoin Table</source>
        <translation>卓に戻る</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="428"/>
        <source>Do you want to rejoin table %1?</source>
        <translation>卓 %1 に戻りますか?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="435"/>
        <source>Watch Table</source>
        <translation>卓を観戦</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="436"/>
        <source>Do you want to continue watching table %1?</source>
        <translation>卓 %1 の観戦を続けますか?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="447"/>
        <source>You are already seated at table %L1.</source>
        <translation>すでに卓 %L1 に着席しています。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="123"/>
        <source>Web browser</source>
        <translation>ウェブブラウザー</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="124"/>
        <source>The web browser could not be started. The address is:
%1</source>
        <translation>ウェブブラウザーを起動できませんでした。アドレス:
%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="288"/>
        <source>Deposit</source>
        <translation>入金</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="289"/>
        <source>Withdraw</source>
        <translation>出金</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="290"/>
        <source>Statement</source>
        <translation>明細</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="291"/>
        <source>My profile</source>
        <translation>プロフィール</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="292"/>
        <source>Hand history</source>
        <translation>対局履歴</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="293"/>
        <source>Player protection</source>
        <translation>プレイヤー保護</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowWebPages.cpp" line="294"/>
        <source>Change password</source>
        <translation>パスワード変更</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="441"/>
        <source>Local time is %1</source>
        <translation>現地時刻 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="633"/>
        <source>New tournament round - %1</source>
        <translation>トーナメント新ラウンド - %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="634"/>
        <source>Continuing tournament round - %1</source>
        <translation>トーナメントラウンド続行 - %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="359"/>
        <source>You don&apos;t have enough money on your account to join the table.
Do you want to make a deposit now?</source>
        <translation>残高が不足しているため、この卓に参加できません。
今すぐ入金しますか？</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="636"/>
        <source>New tournament round</source>
        <translation>トーナメント新ラウンド</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="636"/>
        <source>Continuing tournament round</source>
        <translation>トーナメントラウンド続行</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="638"/>
        <source>You have been assigned to tournament table %1. Show now?</source>
        <translation>トーナメントの卓 %1 に割り当てられました。今すぐ表示しますか?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="639"/>
        <source>You are assigned to tournament table %1. Show now?</source>
        <translation>トーナメントの卓 %1 に割り当てられています。今すぐ表示しますか?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="708"/>
        <source>This is you</source>
        <translation>あなたです</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="710"/>
        <source>Add to friends</source>
        <translation>友達に追加</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="729"/>
        <source>Watch table %1</source>
        <comment>%1 is table name</comment>
        <translation>卓 %1 を観戦</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="735"/>
        <source>Friend is offline</source>
        <translation>友達はオフラインです</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="736"/>
        <source>Friend is only playing at this table</source>
        <translation>友達はこの卓でのみプレイしています</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowTables.cpp" line="737"/>
        <source>Friend is not playing</source>
        <translation>友達はプレイしていません</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="481"/>
        <location filename="../../mainwindow/MainWindowLogin.cpp" line="484"/>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
</context>
<context>
    <name>MeldAuction</name>
    <message>
        <location filename="../../table/MeldAuction.ui" line="50"/>
        <source>Riichi</source>
        <translation>リーチ</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.ui" line="30"/>
        <source>Mahjong</source>
        <translation>和了</translation>
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
        <translation>パス</translation>
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
        <translation>閉じる</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.cpp" line="87"/>
        <source>Choose Meld</source>
        <translation>鳴きを選択</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.cpp" line="89"/>
        <source>Rob the Kong</source>
        <translation>槍槓</translation>
    </message>
    <message>
        <location filename="../../table/MeldAuction.cpp" line="91"/>
        <source>Replace tiles</source>
        <translation>牌の交換</translation>
    </message>
</context>
<context>
    <name>MeldChoice</name>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="86"/>
        <source>Riichi</source>
        <translation>リーチ</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="78"/>
        <source>Kong</source>
        <translation>カン</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="82"/>
        <source>Pong to kong</source>
        <translation>加カン</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="72"/>
        <source>Chow Low</source>
        <translation>チー（下）</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="74"/>
        <source>Chow Mid</source>
        <translation>チー（中）</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="76"/>
        <source>Chow Hi</source>
        <translation>チー（上）</translation>
    </message>
    <message>
        <location filename="../../table/MeldChoice.cpp" line="80"/>
        <source>Pong</source>
        <translation>ポン</translation>
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
            <numerusform>（%Ln 回）</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../../widgets/ModelessMsgBox.cpp" line="84"/>
        <source>%Ln more message(s), listed in the details.</source>
        <translation>
            <numerusform>ほかに %Ln 件のメッセージがあり、詳細に表示されます。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../../widgets/ModelessMsgBox.cpp" line="87"/>
        <source>%Ln earlier message(s) not listed.</source>
        <translation>
            <numerusform>それより前の %Ln 件のメッセージは表示されません。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PlayerInactiveWidget</name>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="19"/>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="6"/>
        <source>Player inactive</source>
        <translation>操作なし</translation>
    </message>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="10"/>
        <source>You have been inactive, and will therefore automatically stand down. Please press reactivate to regain control.</source>
        <translation>操作がなかったため、自動で進行します。操作に戻るには「再開」を押してください。</translation>
    </message>
    <message>
        <location filename="../../table/PlayerInactiveWidget.ui" line="18"/>
        <source>Reactivate</source>
        <translation>再開</translation>
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
            <numerusform>点</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PreferencesView</name>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="20"/>
        <source>Change your settings below, changes will take effect immediately.</source>
        <translation>以下で設定を変更できます。変更はすぐに反映されます。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="43"/>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="68"/>
        <source>Game</source>
        <translation>ゲーム</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="74"/>
        <source>Auto pass</source>
        <translation>自動パス</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="84"/>
        <source>Controls if score dialogs are automatically closed when a new round begins</source>
        <translation>新しい局が始まるときに得点画面を自動で閉じるかどうか</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="87"/>
        <source>Auto-close score dialogs</source>
        <translation>得点画面を自動で閉じる</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="97"/>
        <source>Sounds</source>
        <translation>効果音</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="107"/>
        <source>Animations</source>
        <translation>アニメーション</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="117"/>
        <source>Alternative view (bigger tiles)</source>
        <translation>別の表示(大きい牌)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="127"/>
        <source>Show table invites</source>
        <translation>卓への招待を表示</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="140"/>
        <source>Player</source>
        <translation>プレイヤー</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="162"/>
        <source>Choose avatar...</source>
        <translation>アバターを選ぶ...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="185"/>
        <source>Tile graphics</source>
        <translation>牌のデザイン</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="271"/>
        <source>Face</source>
        <translation>表</translation>
    </message>
    <message>
        <location filename="../../mainwindow/PreferencesView.ui" line="281"/>
        <source>Back</source>
        <translation>裏</translation>
    </message>
</context>
<context>
    <name>QuestionListBox</name>
    <message numerus="yes">
        <location filename="../../widgets/QuestionListBox.cpp" line="180"/>
        <source>%n question(s) wait for your answer. Choose one or more, then answer Yes or No.</source>
        <translation>
            <numerusform>%n 件の質問が回答を待っています。一つ以上選んで「はい」か「いいえ」で答えてください。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RoundScoreBoard</name>
    <message>
        <location filename="../../table/RoundScoreBoard.ui" line="21"/>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.ui" line="10"/>
        <source>Tournament 1</source>
        <translation>トーナメント 1</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.ui" line="16"/>
        <source>Round 1</source>
        <translation>ラウンド 1</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.cpp" line="67"/>
        <source>Round %L1/%L2</source>
        <translation>ラウンド %L1/%L2</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreBoard.cpp" line="71"/>
        <source>Round results</source>
        <translation>ラウンド結果</translation>
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
        <translation>麻雀点：</translation>
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
        <translation>ラウンド結果：</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.ui" line="37"/>
        <source>Tournament points:</source>
        <translation>トーナメントポイント：</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.ui" line="38"/>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <location filename="../../table/RoundScoreWidget.cpp" line="28"/>
        <source>Round balance:</source>
        <translation>ラウンド収支：</translation>
    </message>
</context>
<context>
    <name>ScoreBoard</name>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="198"/>
        <source>Next hand starts in:</source>
        <translation>次の局まで：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="206"/>
        <location filename="../../table/ScoreBoard.cpp" line="275"/>
        <source>Ready</source>
        <translation>準備完了</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="208"/>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="279"/>
        <location filename="../../table/ScoreBoard.cpp" line="287"/>
        <source>Next hand</source>
        <translation>次の局</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="284"/>
        <source>Play (%1)</source>
        <translation>もう一度 (%1)</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="207"/>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="7"/>
        <source>Scores</source>
        <translation>得点</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="126"/>
        <source>Winning Hand</source>
        <translation>和了手</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="133"/>
        <source>2:nd place</source>
        <translation>2位</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="140"/>
        <source>3:rd place</source>
        <translation>3位</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="147"/>
        <source>4:th place</source>
        <translation>4位</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="164"/>
        <source>Dora/kan dora tiles</source>
        <translation>ドラ／カンドラ</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.ui" line="165"/>
        <source>Ura dora tiles</source>
        <translation>裏ドラ</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="180"/>
        <source>Points:</source>
        <translation>点数：</translation>
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
        <translation>点数：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="184"/>
        <source>Doubles:</source>
        <translation>翻：</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="188"/>
        <source>Limit hands:</source>
        <translation>役満：</translation>
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
        <translation>和了点</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="247"/>
        <source>Settlement</source>
        <translation>精算</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="248"/>
        <source>Current Score</source>
        <translation>持ち点</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="250"/>
        <source>Payment</source>
        <translation>支払い</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="253"/>
        <source>Winning hand</source>
        <translation>和了</translation>
    </message>
    <message>
        <location filename="../../table/ScoreBoard.cpp" line="254"/>
        <source>Losing hand</source>
        <translation>放銃・流局</translation>
    </message>
</context>
<context>
    <name>SeatedWindow</name>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="112"/>
        <source>The game starts in %1</source>
        <translation>対局開始まで %1</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="119"/>
        <source>Seat reserved</source>
        <translation>席を確保しました</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="120"/>
        <source>Play</source>
        <translation>プレイ</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="121"/>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="128"/>
        <source>Table %1</source>
        <translation>卓 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="129"/>
        <source>A seat is reserved for you at %1.</source>
        <translation>%1 にあなたの席が確保されています。</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="130"/>
        <source>%1, %2, buy-in %3</source>
        <translation>%1、%2、参加費 %3</translation>
    </message>
</context>
<context>
    <name>ServerInfo</name>
    <message>
        <location filename="../../app/ServerInfo.cpp" line="85"/>
        <source>The service is down for maintenance. Please try again later.</source>
        <translation>メンテナンスのためサービスを停止しています。しばらくしてから再度お試しください。</translation>
    </message>
</context>
<context>
    <name>SetScreennameDialog</name>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="84"/>
        <source>Choose a screen name</source>
        <translation>表示名の設定</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="85"/>
        <source>Please choose the name other players will see at the tables.</source>
        <translation>卓で他のプレイヤーに表示される名前を決めてください。</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="86"/>
        <source>Screen name</source>
        <translation>表示名</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="87"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>SideBar</name>
    <message>
        <location filename="../../table/SideBar.ui" line="34"/>
        <source>Leave</source>
        <translation>退席</translation>
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
        <translation>チャット</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="109"/>
        <source>Wind round %L1 of %L2</source>
        <translation>%L1 / %L2 周目</translation>
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
        <translation>局 ID：%1</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="176"/>
        <source>Round %L1 of %L2</source>
        <translation>第 %L1 / %L2 ラウンド</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="231"/>
        <source>now</source>
        <translation>まもなく</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="218"/>
        <location filename="../../table/SideBar.cpp" line="225"/>
        <source>No round playing</source>
        <translation>ラウンドなし</translation>
    </message>
    <message>
        <location filename="../../table/SideBar.cpp" line="232"/>
        <source>Round ends in %1</source>
        <translation>ラウンド終了まで %1</translation>
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
        <translation>クラシック</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="13"/>
        <source>MCR</source>
        <translation>中国麻雀</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="15"/>
        <source>EMA Riichi</source>
        <translation>EMA リーチ</translation>
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
        <translation>一局戦</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="27"/>
        <source>Tournament</source>
        <translation>トーナメント</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="29"/>
        <source>Full game</source>
        <translation>フルゲーム</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="31"/>
        <source>East only</source>
        <translation>東風戦</translation>
    </message>
</context>
<context>
    <name>TableInviteDialog</name>
    <message>
        <location filename="../../social/TableInviteDialog.ui" line="14"/>
        <source>Invite friends</source>
        <translation>友達を招待</translation>
    </message>
    <message>
        <location filename="../../social/TableInviteDialog.ui" line="71"/>
        <source>Invite</source>
        <translation>招待</translation>
    </message>
</context>
<context>
    <name>TableModel</name>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="86"/>
        <source>Table</source>
        <translation>卓</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="88"/>
        <source>Rules</source>
        <translation>ルール</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="90"/>
        <source>Game</source>
        <translation>形式</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="92"/>
        <source>Stakes</source>
        <translation>レート</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="94"/>
        <source>Players</source>
        <translation>人数</translation>
    </message>
    <message>
        <location filename="../../lobby/LocalizationDb.cpp" line="46"/>
        <location filename="../../lobby/TableModel.cpp" line="464"/>
        <source>Table %1</source>
        <translation>卓 %1</translation>
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
        <translation>参加</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="110"/>
        <source>Watch</source>
        <translation>観戦</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="113"/>
        <source>Select a table to see it here.</source>
        <translation>卓を選択するとここに表示されます。</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="123"/>
        <source>Table %1</source>
        <translation>卓 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="125"/>
        <source>Rules: %1</source>
        <translation>ルール：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="126"/>
        <source>Game: %1</source>
        <translation>形式：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="127"/>
        <location filename="../../lobby/TablePreview.cpp" line="128"/>
        <source>Stakes: %1</source>
        <translation>レート：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="129"/>
        <source>Players: %1 of %2</source>
        <translation>人数：%1/%2</translation>
    </message>
    <message numerus="yes">
        <location filename="../../lobby/TablePreview.cpp" line="131"/>
        <source>(%n bot(s))</source>
        <translation>
            <numerusform>(ボット %n 人)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="133"/>
        <source>- table full</source>
        <translation>- 満席</translation>
    </message>
</context>
<context>
    <name>TableSelector</name>
    <message>
        <location filename="../../table/TableSelector.cpp" line="153"/>
        <source>Lobby</source>
        <translation>ロビー</translation>
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
        <translation>緑 1</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="54"/>
        <source>Red</source>
        <translation>赤</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="55"/>
        <source>Green 2</source>
        <translation>緑 2</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="56"/>
        <source>Dark wood</source>
        <translation>ダークウッド</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="63"/>
        <source>Numbered</source>
        <translation>数字入り</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="64"/>
        <source>Mixed numbered</source>
        <translation>一部数字入り</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="65"/>
        <source>Without numbers</source>
        <translation>数字なし</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="66"/>
        <source>Rustic numbered</source>
        <translation>レトロ（数字入り）</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="67"/>
        <source>Simple tiles</source>
        <translation>シンプル</translation>
    </message>
</context>
<context>
    <name>TournamentDetailDialog</name>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="21"/>
        <source>Tournament is removed</source>
        <translation>トーナメントは削除されました</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="86"/>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="333"/>
        <source>Players</source>
        <translation>プレイヤー</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="117"/>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="343"/>
        <source>Payout structure</source>
        <translation>賞金配分</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="156"/>
        <source>Find:</source>
        <translation>検索：</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="164"/>
        <source>Register</source>
        <translation>参加登録</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.ui" line="165"/>
        <source>Unregister</source>
        <translation>登録解除</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="223"/>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="455"/>
        <source>Watch</source>
        <translation>観戦</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="321"/>
        <source>Status: %1</source>
        <translation>状態：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="322"/>
        <source>Buy-in: %1</source>
        <translation>参加費：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="323"/>
        <source>Pot: %1</source>
        <translation>賞金総額：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="324"/>
        <source>Rules: %1</source>
        <translation>ルール：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="325"/>
        <source>Duration: %1</source>
        <translation>対局時間：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="327"/>
        <source>Registered Players: %1</source>
        <translation>登録者数：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="333"/>
        <source>Standings</source>
        <translation>順位</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="348"/>
        <source>Tables</source>
        <translation>卓</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="383"/>
        <source>Starts in: %1</source>
        <translation>開始まで：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="399"/>
        <source>Round %1</source>
        <translation>ラウンド %1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="411"/>
        <source>Ends in: %1</source>
        <translation>終了まで：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="411"/>
        <source>Next break in: %1</source>
        <translation>次の休憩まで：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentDetailDialog.cpp" line="418"/>
        <source>Next round in: %1</source>
        <translation>次のラウンドまで：%1</translation>
    </message>
</context>
<context>
    <name>TournamentInfo</name>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="15"/>
        <source>Open</source>
        <translation>受付中</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="17"/>
        <source>Closed</source>
        <translation>受付終了</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="19"/>
        <source>Seating</source>
        <translation>着席中</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="21"/>
        <source>Playing</source>
        <translation>対局中</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="23"/>
        <source>Paused</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="25"/>
        <source>Done</source>
        <translation>終了</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="27"/>
        <source>Cancelled</source>
        <translation>中止</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentTexts.cpp" line="29"/>
        <source>Aborted</source>
        <translation>打ち切り</translation>
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
        <translation>左の一覧からトーナメントを選択してください。</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.ui" line="66"/>
        <source>Register</source>
        <translation>参加登録</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.ui" line="67"/>
        <source>Unregister</source>
        <translation>登録解除</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.ui" line="68"/>
        <source>Info</source>
        <translation>詳細</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="87"/>
        <source>Status: %1</source>
        <translation>状態：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="88"/>
        <source>Buy-in: %1</source>
        <translation>参加費：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="89"/>
        <source>Pot: %1</source>
        <translation>賞金総額：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="90"/>
        <source>Rules: %1</source>
        <translation>ルール：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="91"/>
        <source>Duration: %1</source>
        <translation>対局時間：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="93"/>
        <source>Registered Players: %1</source>
        <translation>登録者数：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="109"/>
        <source>Starts in: %1</source>
        <translation>開始まで：%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentPreview.cpp" line="125"/>
        <source>Tournament</source>
        <translation>トーナメント</translation>
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
        <translation>プレイヤー</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="47"/>
        <source>Table points / competition points / prize</source>
        <translation>テーブルポイント / 大会ポイント / 賞金</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="48"/>
        <source>Table points / competition points</source>
        <translation>テーブルポイント / 大会ポイント</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="50"/>
        <source>Points/Comp./Prize</source>
        <translation>点数/大会/賞金</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentRankingModel.cpp" line="50"/>
        <source>Points/Comp.</source>
        <translation>点数/大会</translation>
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
        <translation>拒否されました</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="108"/>
        <source>Insufficient Funds</source>
        <translation>残高不足</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="110"/>
        <source>Tournament is full</source>
        <translation>トーナメントは満員です</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="112"/>
        <source>Access Denied</source>
        <translation>アクセスが拒否されました</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="114"/>
        <source>Already Registered</source>
        <translation>参加登録済みです</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="116"/>
        <source>Tournament is running</source>
        <translation>トーナメントは開催中です</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="299"/>
        <source>Join tournament</source>
        <translation>トーナメントに参加</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="304"/>
        <source>You don&apos;t have enough money on your account to join the tournament.
Do you want to make a deposit now?</source>
        <translation>残高が不足しているため、このトーナメントに参加できません。
今すぐ入金しますか？</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="313"/>
        <source>Deposit</source>
        <translation>入金</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="314"/>
        <source>Your account is opened in a web browser</source>
        <translation>アカウントページを Web ブラウザで開きました</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="328"/>
        <source>Tournament %1 is full</source>
        <translation>トーナメント %1 は満員です</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="332"/>
        <source>Join tournament failed!
%1</source>
        <translation>トーナメントに参加できませんでした。
%1</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="339"/>
        <source>Unregister from tournament</source>
        <translation>トーナメントの参加登録を解除</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsController.cpp" line="340"/>
        <source>Unregister from tournament failed!
%1</source>
        <translation>参加登録を解除できませんでした。
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
        <translation>状態</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Rules</source>
        <translation>ルール</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Players</source>
        <translation>人数</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Buy-in</source>
        <translation>参加費</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyModel.cpp" line="111"/>
        <source>Pot</source>
        <translation>賞金総額</translation>
    </message>
</context>
<context>
    <name>TournamentsLobbyView</name>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="37"/>
        <source>Rules</source>
        <translation>ルール</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="46"/>
        <source>Classic</source>
        <translation>クラシック</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="53"/>
        <source>MCR</source>
        <translation>中国麻雀</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="60"/>
        <source>EMA Riichi</source>
        <translation>EMA リーチ</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="70"/>
        <source>Buy-in</source>
        <translation>参加費</translation>
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
        <translation>すべてのトーナメントを表示</translation>
    </message>
    <message>
        <location filename="../../tournaments/TournamentsLobbyView.ui" line="184"/>
        <source>Find:</source>
        <translation>検索：</translation>
    </message>
</context>
<context>
    <name>TranslationsManager</name>
    <message>
        <location filename="../../widgets/TranslationsManager.cpp" line="20"/>
        <source>English</source>
        <comment>the name of this translation&apos;s language, in that language</comment>
        <translation>日本語</translation>
    </message>
</context>
<context>
    <name>UpdateDownloader</name>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="38"/>
        <source>The installer address is not an https:// address.</source>
        <translation>インストーラーのアドレスが https:// ではありません。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="40"/>
        <source>The installer&apos;s size or digest is missing.</source>
        <translation>インストーラーのサイズまたはダイジェストがありません。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="49"/>
        <source>Cannot create the installer file: %1</source>
        <translation>インストーラーファイルを作成できません：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="84"/>
        <source>The installer is larger than announced.</source>
        <translation>インストーラーが通知されたサイズを超えています。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="87"/>
        <location filename="../../app/UpdateDownloader.cpp" line="110"/>
        <source>Cannot write the installer file: %1</source>
        <translation>インストーラーファイルに書き込めません：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="102"/>
        <source>The download failed: %1</source>
        <translation>ダウンロードに失敗しました：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="104"/>
        <source>The download was redirected away from https.</source>
        <translation>ダウンロードが https 以外へリダイレクトされました。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="106"/>
        <source>The download is incomplete (%1 of %2 bytes).</source>
        <translation>ダウンロードが完了していません（%1 / %2 バイト）。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="108"/>
        <source>The downloaded installer is damaged (digest mismatch).</source>
        <translation>ダウンロードしたインストーラーが破損しています（ダイジェスト不一致）。</translation>
    </message>
</context>
<context>
    <name>UpdateProgressDialog</name>
    <message>
        <location filename="../../app/UpdateProgressDialog.cpp" line="14"/>
        <source>Update</source>
        <translation>アップデート</translation>
    </message>
    <message>
        <location filename="../../app/UpdateProgressDialog.cpp" line="36"/>
        <source>Downloading version %1 of the client...</source>
        <translation>クライアントのバージョン %1 をダウンロードしています...</translation>
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
        <translation>%1日</translation>
    </message>
    <message>
        <location filename="../../core/TextFormat.cpp" line="81"/>
        <source>%1h</source>
        <translation>%1時間</translation>
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
        <translation>まもなく</translation>
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
            <numerusform>%Ln 分</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VersionChecker</name>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="183"/>
        <source>Update available</source>
        <translation>アップデートがあります</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="184"/>
        <source>Version %1 of the client is available; you have version %2.
Do you want to download and install it now?</source>
        <translation>クライアントのバージョン %1 が利用可能です（現在のバージョンは %2）。
今すぐダウンロードしてインストールしますか？</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="24"/>
        <source>Update failed</source>
        <translation>アップデートに失敗しました</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="25"/>
        <source>The update could not be installed:
%1</source>
        <translation>アップデートをインストールできませんでした：
%1</translation>
    </message>
</context>
<context>
    <name>WaitingForPlayersWidget</name>
    <message>
        <location filename="../../table/WaitingForPlayersWidget.ui" line="17"/>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
    <message>
        <location filename="../../table/WaitingForPlayersWidget.ui" line="6"/>
        <source>Waiting for players</source>
        <translation>プレイヤー待ち</translation>
    </message>
    <message>
        <location filename="../../table/WaitingForPlayersWidget.ui" line="18"/>
        <source>Invite friends</source>
        <translation>友達を招待</translation>
    </message>
</context>
<context>
    <name>WaitingForPlayersWindow</name>
    <message numerus="yes">
        <location filename="../../table/WaitingForPlayersWindow.cpp" line="42"/>
        <source>Waiting for %n player(s) to join table.</source>
        <translation>
            <numerusform>あと %n 人の参加を待っています。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WashoutWidget</name>
    <message>
        <location filename="../../table/WashoutWidget.ui" line="28"/>
        <source>Next hand starts in:</source>
        <translation>次の局まで：</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWidget.ui" line="42"/>
        <source>Ready</source>
        <translation>準備完了</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWidget.ui" line="43"/>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWidget.ui" line="44"/>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>WashoutWindow</name>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="109"/>
        <source>Ready</source>
        <translation>準備完了</translation>
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
        <translation>次の局</translation>
    </message>
    <message>
        <location filename="../../table/WashoutWindow.cpp" line="118"/>
        <source>Play (%1)</source>
        <translation>もう一度 (%1)</translation>
    </message>
</context>
<context>
    <name>WatchingWindow</name>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="69"/>
        <source>Watching</source>
        <translation>観戦中</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="70"/>
        <source>You are watching this table. Join to take a free seat.</source>
        <translation>この卓を観戦中です。参加すると空席に着席できます。</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="71"/>
        <source>Join</source>
        <translation>参加</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="72"/>
        <source>Leave</source>
        <translation>退席</translation>
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
        <translation>拒否されました</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="30"/>
        <source>Insufficient Funds</source>
        <translation>残高不足</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="31"/>
        <source>Tournament is full</source>
        <translation>トーナメントは満員です</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="32"/>
        <source>Access Denied</source>
        <translation>アクセスが拒否されました</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="34"/>
        <source>Already Registered</source>
        <translation>参加登録済みです</translation>
    </message>
    <message>
        <location filename="../../protocol/tmnt_register_failed_reason.h" line="36"/>
        <source>Tournament is running</source>
        <translation>トーナメントは開催中です</translation>
    </message>
</context>
</TS>
