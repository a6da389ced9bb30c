<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ChatOutputWidget</name>
    <message>
        <source>(%1)</source>
        <translation>(%1)</translation>
    </message>
    <message>
        <source>%1 %2: %3</source>
        <translation>%1 %2: %3</translation>
    </message>
</context>
<context>
    <name>ConferenceView</name>
    <message>
        <source>Send</source>
        <translation>送信</translation>
    </message>
</context>
<context>
    <name>ConferenceWidget</name>
    <message>
        <source>No error</source>
        <translation>エラーはありません</translation>
    </message>
    <message>
        <source>Undefined error</source>
        <translation>不明なエラー</translation>
    </message>
    <message>
        <source>You've been banned from this room</source>
        <translation>このルームから追放されています</translation>
    </message>
    <message>
        <source>The room is password protected</source>
        <translation>このルームはパスワードで保護されています</translation>
    </message>
    <message>
        <source>This is a members only room</source>
        <translation>このルームはメンバー専用です</translation>
    </message>
    <message>
        <source>Your nickname is already in use in this room</source>
        <translation>このニックネームはこのルームで既に使われています</translation>
    </message>
    <message>
        <source>The room is full</source>
        <translation>ルームは満員です</translation>
    </message>
    <message>
        <source>The room is locked</source>
        <translation>ルームはロックされています</translation>
    </message>
    <message>
        <source>The room doesn't exist</source>
        <translation>ルームが存在しません</translation>
    </message>
    <message>
        <source>Lobby chat unavailable</source>
        <translation>ロビーチャットは利用できません</translation>
    </message>
    <message>
        <source>Table chat only available to players</source>
        <translation>卓チャットはプレイヤーのみ利用できます</translation>
    </message>
    <message>
        <source>%1 joined the chat</source>
        <translation>%1 がチャットに参加しました</translation>
    </message>
    <message>
        <source>%1 left the chat</source>
        <translation>%1 がチャットから退出しました</translation>
    </message>
    <message>
        <source>%1 has been kicked from the chat</source>
        <translation>%1 はチャットからキックされました</translation>
    </message>
    <message>
        <source>%1 has been banned from the chat</source>
        <translation>%1 はチャットから追放されました</translation>
    </message>
    <message>
        <source>%1 has been kicked from the chat due to %2</source>
        <translation>%1 は %2 のためチャットからキックされました</translation>
    </message>
    <message>
        <source>%1 has been banned from the chat due to %2</source>
        <translation>%1 は %2 のためチャットから追放されました</translation>
    </message>
    <message>
        <source>%1 has been kicked from the chat by %2</source>
        <translation>%1 は %2 によりチャットからキックされました</translation>
    </message>
    <message>
        <source>%1 has been banned from the chat by %2</source>
        <translation>%1 は %2 によりチャットから追放されました</translation>
    </message>
    <message>
        <source>%1 has been kicked from the chat by %2 due to %3</source>
        <translation>%1 は %3 のため %2 によりチャットからキックされました</translation>
    </message>
    <message>
        <source>%1 has been banned from the chat by %2 due to %3</source>
        <translation>%1 は %3 のため %2 によりチャットから追放されました</translation>
    </message>
</context>
<context>
    <name>ConnectionManager</name>
    <message>
        <location filename="../../protocol/ConnectionManager.cpp" line="467"/>
        <source>%1</source>
        <translation>%1</translation>
    </message>
</context>
<context>
    <name>CreateUserForm</name>
    <message>
        <source>Create New User</source>
        <translation>新規ユーザー登録</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>メールアドレス</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>Repeat Password</source>
        <translation>パスワード(確認)</translation>
    </message>
    <message>
        <source>Create User</source>
        <translation>登録する</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>CreateUserWindow</name>
    <message>
        <source>User name must contain between %1 and %2 characters</source>
        <translation>ユーザー名は%1文字以上%2文字以下にしてください</translation>
    </message>
    <message>
        <source>Password must contain between %1 and %2 characters</source>
        <translation>パスワードは%1文字以上%2文字以下にしてください</translation>
    </message>
    <message>
        <source>Repeated password doesn&apos;t match</source>
        <translation>確認用パスワードが一致しません</translation>
    </message>
    <message>
        <source>Register User</source>
        <translation>ユーザー登録</translation>
    </message>
    <message>
        <source>Your account has been created. Please activate it with the link in the e-mail we sent you, then log in.</source>
        <translation>アカウントを作成しました。お送りしたメールのリンクで有効にしてから、ログインしてください。</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>I&apos;m over %L1 years old</source>
        <translation>%L1歳以上です</translation>
    </message>
    <message>
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
        <location filename="../../app/DebugDialog.cpp" line="68"/>
        <source>not available</source>
        <translation>取得できません</translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="76"/>
        <source>%1 B/s / %2 B/s</source>
        <translation>%1 B/s / %2 B/s</translation>
    </message>
</context>
<context>
    <name>EmbeddedBrowser</name>
    <message>
        <source>%p%</source>
        <translation>%p%</translation>
    </message>
    <message>
        <source>Secure connection</source>
        <translation>安全な接続</translation>
    </message>
    <message>
        <source>Insecure connection</source>
        <translation>安全でない接続</translation>
    </message>
</context>
<context>
    <name>HttpsGet</name>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="30"/>
        <source>refusing to fetch %1: not an https:// address</source>
        <translation>%1 の取得を拒否しました：https:// のアドレスではありません</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="41"/>
        <location filename="../../app/HttpsGet.cpp" line="55"/>
        <source>%1 is larger than %2 bytes</source>
        <translation>%1 は %2 バイトを超えています</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="51"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="53"/>
        <source>%1 was redirected away from https</source>
        <translation>%1 は https 以外へリダイレクトされました</translation>
    </message>
</context>
<context>
    <name>LobbySummary</name>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="69"/>
        <source>Lobby</source>
        <translation>ロビー</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="70"/>
        <source>Players online: %L1</source>
        <translation>オンラインのプレイヤー：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="71"/>
        <source>Players seated: %L1</source>
        <translation>着席中のプレイヤー：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="72"/>
        <source>Open tables: %L1</source>
        <translation>開設中の卓：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="73"/>
        <source>Tournaments running: %L1</source>
        <translation>開催中のトーナメント：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="74"/>
        <source>Today&apos;s top winners</source>
        <translation>本日の上位獲得者</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="84"/>
        <source>%1. %2  %3</source>
        <translation>%1. %2  %3</translation>
    </message>
</context>
<context>
    <name>LobbyWindow</name>
    <message>
        <location filename="../../lobby/LobbyWindow.cpp" line="137"/>
        <source>Hide full tables</source>
        <translation>満席の卓を隠す</translation>
    </message>
</context>
<context>
    <name>LocalizationDb</name>
    <message>
        <location filename="../../lobby/LocalizationDb.cpp" line="22"/>
        <source>Table(%1)</source>
        <translation>卓(%1)</translation>
    </message>
</context>
<context>
    <name>Log</name>
    <message>
        <location filename="../../app/Log.cpp" line="247"/>
        <location filename="../../app/Log.cpp" line="250"/>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <location filename="../../app/Log.cpp" line="251"/>
        <source>%1

The program has to end. Please send the log file %2 to the support team.</source>
        <translation>%1

プログラムを終了します。ログファイル %2 をサポートチームにお送りください。</translation>
    </message>
</context>
<context>
    <name>LoginForm</name>
    <message>
        <source>Log in to Mahjong</source>
        <translation>麻雀にログイン</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>ユーザー名</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>パスワード</translation>
    </message>
    <message>
        <source>Log in</source>
        <translation>ログイン</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>新規登録</translation>
    </message>
    <message>
        <source>Choose language</source>
        <translation>言語を選択</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>You are not allowed to login, please contact support.</source>
        <translation>ログインが許可されていません。サポートにお問い合わせください。</translation>
    </message>
    <message>
        <source>Server error!</source>
        <translation>サーバーエラー!</translation>
    </message>
    <message>
        <source>You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.</source>
        <translation>先にメールアドレスの確認が必要です。確認メールが届いていないか受信箱をご確認ください。問題が続く場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <source>You have excluded yourself from playing. Contact support if this is incorrect.</source>
        <translation>ご自身でプレイを制限しています。誤りの場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <source>You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.
If you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.</source>
        <translation>ログインに6回失敗しました。安全のため、アカウントは10分間使えません。
パスワードを忘れた場合は、パスワードを再設定して10分お待ちください。それでも問題が続く場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <source>Your IP address is blacklisted, please contact support.</source>
        <translation>お使いのIPアドレスはブロックされています。サポートにお問い合わせください。</translation>
    </message>
    <message>
        <source>Unknown login failure!</source>
        <translation>不明な理由でログインできませんでした!</translation>
    </message>
    <message>
        <source>Login failed</source>
        <translation>ログイン失敗</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>接続中...</translation>
    </message>
    <message>
        <source>Log in</source>
        <translation>ログイン</translation>
    </message>
    <message>
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
        <location filename="../../game/Tile.cpp" line="22"/>
        <source>Plum blossom</source>
        <comment>flower</comment>
        <translation>梅</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="23"/>
        <source>Orchid</source>
        <comment>flower</comment>
        <translation>蘭</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="24"/>
        <source>Chrysanthemum</source>
        <comment>flower</comment>
        <translation>菊</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="25"/>
        <source>Bamboo</source>
        <comment>flower</comment>
        <translation>竹</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="28"/>
        <source>Spring</source>
        <translation>春</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="29"/>
        <source>Summer</source>
        <translation>夏</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="30"/>
        <source>Autumn</source>
        <translation>秋</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="31"/>
        <source>Winter</source>
        <translation>冬</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="34"/>
        <source>East Wind</source>
        <translation>東</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="35"/>
        <source>South Wind</source>
        <translation>南</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="36"/>
        <source>West Wind</source>
        <translation>西</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="37"/>
        <source>North Wind</source>
        <translation>北</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="40"/>
        <source>Green Dragon</source>
        <translation>發</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="41"/>
        <source>Red Dragon</source>
        <translation>中</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="42"/>
        <source>White Dragon</source>
        <translation>白</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="101"/>
        <source>Concealed</source>
        <translation>伏せ牌</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="109"/>
        <source>%1 %L2</source>
        <comment>Suit and number, e.g. Bamboo 7</comment>
        <translation>%L2%1</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="113"/>
        <source>%1 %L2</source>
        <comment>Flower and number, e.g. Orchid 3</comment>
        <translation>%1 %L2</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="117"/>
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
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="87"/>
        <source>Welcome to Brisquel Mahjong.</source>
        <translation>Brisquel Mahjong へようこそ。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="99"/>
        <source>Log in</source>
        <translation>ログイン</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="102"/>
        <source>User name:</source>
        <translation>ユーザー名：</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="103"/>
        <source>Password:</source>
        <translation>パスワード：</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="152"/>
        <source>Connecting to %1...</source>
        <translation>%1 に接続しています...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="158"/>
        <source>Connected to %1</source>
        <translation>%1 に接続しました</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="167"/>
        <source>The server closed the connection</source>
        <translation>サーバーが接続を切断しました</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="169"/>
        <source>Cannot connect to %1</source>
        <translation>%1 に接続できません</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="181"/>
        <source>Connected to %1. Please log in.</source>
        <translation>%1 に接続しました。ログインしてください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="191"/>
        <source>Logging in as %1...</source>
        <translation>%1 としてログインしています...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="221"/>
        <source>Authentication failed!</source>
        <translation>認証に失敗しました。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="223"/>
        <source>You are not allowed to login, please contact support.</source>
        <translation>ログインが許可されていません。サポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="225"/>
        <source>Server error!</source>
        <translation>サーバーエラーが発生しました。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="227"/>
        <source>You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.</source>
        <translation>先にメールアドレスの確認が必要です。受信トレイに届いた確認メールをご確認ください。問題が解決しない場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="230"/>
        <source>You have excluded yourself from playing. Contact support if this is incorrect.</source>
        <translation>自己排除の設定によりプレイできません。誤りの場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="232"/>
        <source>You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.
If you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.</source>
        <translation>ログインに 6 回失敗しました。セキュリティ保護のため、アカウントは 10 分間ロックされます。
パスワードを忘れた場合は、パスワードをリセットして 10 分間お待ちください。それでも問題が解決しない場合はサポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="236"/>
        <source>Your IP address is blacklisted, please contact support.</source>
        <translation>お使いの IP アドレスはブロックされています。サポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="238"/>
        <source>Unknown login failure!</source>
        <translation>不明な原因でログインに失敗しました。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="251"/>
        <source>Login failed: %1</source>
        <translation>ログインに失敗しました：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="264"/>
        <source>Logged in as %1</source>
        <translation>%1 としてログイン中</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="336"/>
        <source>Not allowed to join table</source>
        <translation>この卓には参加できません</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="338"/>
        <source>Join Error</source>
        <translation>参加エラー</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="340"/>
        <source>Table Full</source>
        <translation>満席</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="342"/>
        <source>Table In Play</source>
        <translation>対局中</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="344"/>
        <source>You don&apos;t have enough money on your account to join the table.</source>
        <translation>残高が不足しているため、この卓に参加できません。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="346"/>
        <source>A player with the same IP address as you has already joined the table.
Please contact the support to remedy the situation.</source>
        <translation>あなたと同じ IP アドレスのプレイヤーがすでにこの卓に参加しています。
解決するにはサポートにお問い合わせください。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="349"/>
        <source>You are not allowed to play on money tables.</source>
        <translation>リアルマネーの卓ではプレイできません。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="351"/>
        <source>You are not fully registered and therefore not allowed to play for money.</source>
        <translation>登録が完了していないため、リアルマネーでプレイすることはできません。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="353"/>
        <source>You are not allowed to play, server will be unavailable due to maintenance.</source>
        <translation>メンテナンスのためまもなくサーバーが停止するので、プレイできません。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="360"/>
        <source>Joined table %1</source>
        <translation>卓 %1 に参加しました</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="367"/>
        <source>Join Failed</source>
        <translation>参加できませんでした</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="367"/>
        <source>Join Failed: %1</source>
        <translation>参加できませんでした：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="372"/>
        <source>Watching table %1</source>
        <translation>卓 %1 を観戦中</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="378"/>
        <source>Watch Failed</source>
        <translation>観戦できませんでした</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="378"/>
        <source>Watch Failed: %1</source>
        <translation>観戦できませんでした：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="383"/>
        <source>You are already seated at table %L1.</source>
        <translation>すでに卓 %L1 に着席しています。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="394"/>
        <location filename="../../mainwindow/MainWindow.cpp" line="395"/>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>スタート</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>プレイ</translation>
    </message>
    <message>
        <source>Tournaments</source>
        <translation>トーナメント</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Friends</source>
        <translation>友達</translation>
    </message>
    <message>
        <source>Game Guide</source>
        <translation>ゲームガイド</translation>
    </message>
    <message>
        <source>Windowed</source>
        <translation>ウィンドウ</translation>
    </message>
    <message>
        <source>Fullscreen</source>
        <translation>フルスクリーン</translation>
    </message>
    <message>
        <source>You have %1</source>
        <translation>所持金 %1</translation>
    </message>
    <message>
        <source>Local time is %1</source>
        <translation>現地時刻 %1</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Are you sure you want to quit?</source>
        <translation>終了してもよろしいですか?</translation>
    </message>
    <message>
        <source>Deposit</source>
        <translation>入金</translation>
    </message>
    <message>
        <source>Withdraw</source>
        <translation>出金</translation>
    </message>
    <message>
        <source>Statement</source>
        <translation>明細</translation>
    </message>
    <message>
        <source>My profile</source>
        <translation>プロフィール</translation>
    </message>
    <message>
        <source>Hand history</source>
        <translation>対局履歴</translation>
    </message>
    <message>
        <source>Player protection</source>
        <translation>プレイヤー保護</translation>
    </message>
    <message>
        <source>Change password</source>
        <translation>パスワード変更</translation>
    </message>
    <message>
        <source>Table invitation</source>
        <translation>卓への招待</translation>
    </message>
    <message>
        <source>%1 has invited you to table %2, do you want to join?</source>
        <translation>%1 さんから卓 %2 に招待されました。参加しますか?</translation>
    </message>
    <message>
        <source>Rejoin Table</source>
        <translation>卓に戻る</translation>
    </message>
    <message>
        <source>Do you want to rejoin table %1?</source>
        <translation>卓 %1 に戻りますか?</translation>
    </message>
    <message>
        <source>Watch Table</source>
        <translation>卓を観戦</translation>
    </message>
    <message>
        <source>Do you want to continue watching table %1?</source>
        <translation>卓 %1 の観戦を続けますか?</translation>
    </message>
    <message>
        <source>Leave Failed</source>
        <translation>退席できません</translation>
    </message>
    <message>
        <source>System message</source>
        <translation>システムメッセージ</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>お知らせ</translation>
    </message>
    <message>
        <source>Forced logout</source>
        <translation>強制ログアウト</translation>
    </message>
    <message>
        <source>You were forcefully logged out!</source>
        <translation>強制的にログアウトされました。</translation>
    </message>
    <message>
        <source>Make your choice below or go to the Lobby for more rules and table options</source>
        <translation>下から選ぶか、ロビーでルールと卓を選んでください</translation>
    </message>
    <message>
        <source>This is you</source>
        <translation>あなたです</translation>
    </message>
    <message>
        <source>Add to friends</source>
        <translation>友達に追加</translation>
    </message>
    <message>
        <source>Friend is offline</source>
        <translation>友達はオフラインです</translation>
    </message>
    <message>
        <source>Friend is not playing</source>
        <translation>友達はプレイしていません</translation>
    </message>
    <message>
        <source>Friend is only playing at this table</source>
        <translation>友達はこの卓でのみプレイしています</translation>
    </message>
    <message>
        <source>Registration</source>
        <translation>登録</translation>
    </message>
    <message>
        <source>Web browser</source>
        <translation>ウェブブラウザー</translation>
    </message>
    <message>
        <source>The web browser could not be started. The address is:
%1</source>
        <translation>ウェブブラウザーを起動できませんでした。アドレス:
%1</translation>
    </message>
</context>
<context>
    <name>PreferencesView</name>
    <message>
        <source>Change your settings below, changes will take effect immediately.</source>
        <translation>以下で設定を変更できます。変更はすぐに反映されます。</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>言語</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>ゲーム</translation>
    </message>
    <message>
        <source>Auto pass</source>
        <translation>自動パス</translation>
    </message>
    <message>
        <source>Controls if score dialogs are automatically closed when a new round begins</source>
        <translation>新しい局が始まるときに得点画面を自動で閉じるかどうか</translation>
    </message>
    <message>
        <source>Auto-close score dialogs</source>
        <translation>得点画面を自動で閉じる</translation>
    </message>
    <message>
        <source>Sounds</source>
        <translation>効果音</translation>
    </message>
    <message>
        <source>Animations</source>
        <translation>アニメーション</translation>
    </message>
    <message>
        <source>Alternative view (bigger tiles)</source>
        <translation>別の表示(大きい牌)</translation>
    </message>
    <message>
        <source>Show table invites</source>
        <translation>卓への招待を表示</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>プレイヤー</translation>
    </message>
    <message>
        <source>Choose avatar...</source>
        <translation>アバターを選ぶ...</translation>
    </message>
    <message>
        <source>Tile graphics</source>
        <translation>牌のデザイン</translation>
    </message>
    <message>
        <source>Face</source>
        <translation>表</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>裏</translation>
    </message>
</context>
<context>
    <name>SeatedWindow</name>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="107"/>
        <source>The game starts in %1</source>
        <translation>対局開始まで %1</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="114"/>
        <source>Seat reserved</source>
        <translation>席を確保しました</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="115"/>
        <source>Play</source>
        <translation>プレイ</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="116"/>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="123"/>
        <source>Table %1</source>
        <translation>卓 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="124"/>
        <source>A seat is reserved for you at %1.</source>
        <translation>%1 にあなたの席が確保されています。</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="125"/>
        <source>%1, %2, buy-in %3</source>
        <translation>%1、%2、参加費 %3</translation>
    </message>
</context>
<context>
    <name>ServerInfo</name>
    <message>
        <location filename="../../app/ServerInfo.cpp" line="84"/>
        <source>The service is down for maintenance. Please try again later.</source>
        <translation>メンテナンスのためサービスを停止しています。しばらくしてから再度お試しください。</translation>
    </message>
</context>
<context>
    <name>SetScreennameDialog</name>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="83"/>
        <source>Choose a screen name</source>
        <translation>表示名の設定</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="84"/>
        <source>Please choose the name other players will see at the tables.</source>
        <translation>卓で他のプレイヤーに表示される名前を決めてください。</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="85"/>
        <source>Screen name</source>
        <translation>表示名</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="86"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TableInfo</name>
    <message>
        <location filename="../../protocol/TableInfo.cpp" line="41"/>
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
    <name>TableModel</name>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="78"/>
        <source>Table</source>
        <translation>卓</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="80"/>
        <source>Rules</source>
        <translation>ルール</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="82"/>
        <source>Game</source>
        <translation>形式</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="84"/>
        <source>Stakes</source>
        <translation>レート</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="86"/>
        <source>Players</source>
        <translation>人数</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="413"/>
        <source>Table %1</source>
        <translation>卓 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="429"/>
        <source>%1/%2</source>
        <translation>%1/%2</translation>
    </message>
</context>
<context>
    <name>TablePreview</name>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="108"/>
        <source>Join</source>
        <translation>参加</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="109"/>
        <source>Watch</source>
        <translation>観戦</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="112"/>
        <source>Select a table to see it here.</source>
        <translation>卓を選択するとここに表示されます。</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="122"/>
        <source>Table %1</source>
        <translation>卓 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="124"/>
        <source>Rules: %1</source>
        <translation>ルール：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="125"/>
        <source>Game: %1</source>
        <translation>形式：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="126"/>
        <location filename="../../lobby/TablePreview.cpp" line="127"/>
        <source>Stakes: %1</source>
        <translation>レート：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="128"/>
        <source>Players: %1 of %2</source>
        <translation>人数：%1/%2</translation>
    </message>
    <message numerus="yes">
        <location filename="../../lobby/TablePreview.cpp" line="130"/>
        <source>(%n bot(s))</source>
        <translation>
            <numerusform>(ボット %n 人)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="132"/>
        <source>- table full</source>
        <translation>- 満席</translation>
    </message>
</context>
<context>
    <name>TableValue</name>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="52"/>
        <source>-</source>
        <translation>-</translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="53"/>
        <location filename="../../lobby/TableTexts.cpp" line="60"/>
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
        <location filename="../../scene/TileGraphics.cpp" line="41"/>
        <source>Bamboo</source>
        <translation>竹</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="42"/>
        <source>Green 1</source>
        <translation>緑 1</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="43"/>
        <source>Red</source>
        <translation>赤</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="44"/>
        <source>Green 2</source>
        <translation>緑 2</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="45"/>
        <source>Dark wood</source>
        <translation>ダークウッド</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="52"/>
        <source>Numbered</source>
        <translation>数字入り</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="53"/>
        <source>Mixed numbered</source>
        <translation>一部数字入り</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="54"/>
        <source>Without numbers</source>
        <translation>数字なし</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="55"/>
        <source>Rustic numbered</source>
        <translation>レトロ（数字入り）</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="56"/>
        <source>Simple tiles</source>
        <translation>シンプル</translation>
    </message>
</context>
<context>
    <name>TranslationsManager</name>
    <message>
        <location filename="../../widgets/TranslationsManager.cpp" line="18"/>
        <source>English</source>
        <comment>the name of this translation&apos;s language, in that language</comment>
        <translation>日本語</translation>
    </message>
</context>
<context>
    <name>UpdateDownloader</name>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="35"/>
        <source>The installer address is not an https:// address.</source>
        <translation>インストーラーのアドレスが https:// ではありません。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="37"/>
        <source>The installer&apos;s size or digest is missing.</source>
        <translation>インストーラーのサイズまたはダイジェストがありません。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="46"/>
        <source>Cannot create the installer file: %1</source>
        <translation>インストーラーファイルを作成できません：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="82"/>
        <source>The installer is larger than announced.</source>
        <translation>インストーラーが通知されたサイズを超えています。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="85"/>
        <location filename="../../app/UpdateDownloader.cpp" line="108"/>
        <source>Cannot write the installer file: %1</source>
        <translation>インストーラーファイルに書き込めません：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="100"/>
        <source>The download failed: %1</source>
        <translation>ダウンロードに失敗しました：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="102"/>
        <source>The download was redirected away from https.</source>
        <translation>ダウンロードが https 以外へリダイレクトされました。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="104"/>
        <source>The download is incomplete (%1 of %2 bytes).</source>
        <translation>ダウンロードが完了していません（%1 / %2 バイト）。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="106"/>
        <source>The downloaded installer is damaged (digest mismatch).</source>
        <translation>ダウンロードしたインストーラーが破損しています（ダイジェスト不一致）。</translation>
    </message>
</context>
<context>
    <name>Utils</name>
    <message>
        <location filename="../../widgets/Utils.cpp" line="36"/>
        <source>%1$%L2</source>
        <translation>%1$%L2</translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="99"/>
        <source>%1d</source>
        <translation>%1日</translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="101"/>
        <source>%1h</source>
        <translation>%1時間</translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="103"/>
        <source>%1m</source>
        <translation>%1分</translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="104"/>
        <source>%1s</source>
        <translation>%1秒</translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="117"/>
        <source>now</source>
        <translation>まもなく</translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="118"/>
        <source>%1 - time to start</source>
        <translation>開始まで %1</translation>
    </message>
    <message numerus="yes">
        <location filename="../../widgets/Utils.cpp" line="124"/>
        <source>%Ln min(s)</source>
        <translation>
            <numerusform>%Ln 分</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VersionChecker</name>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="19"/>
        <source>Update available</source>
        <translation>アップデートがあります</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="20"/>
        <source>Version %1 of the client is available; you have version %2.
Do you want to download and install it now?</source>
        <translation>クライアントのバージョン %1 が利用可能です（現在のバージョンは %2）。
今すぐダウンロードしてインストールしますか？</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="31"/>
        <source>Update failed</source>
        <translation>アップデートに失敗しました</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="32"/>
        <source>The update could not be installed:
%1</source>
        <translation>アップデートをインストールできませんでした：
%1</translation>
    </message>
</context>
<context>
    <name>WatchingWindow</name>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="68"/>
        <source>Watching</source>
        <translation>観戦中</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="69"/>
        <source>You are watching this table. Join to take a free seat.</source>
        <translation>この卓を観戦中です。参加すると空席に着席できます。</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="70"/>
        <source>Join</source>
        <translation>参加</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="71"/>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../../app/main.cpp" line="111"/>
        <source>Downtime</source>
        <translation>メンテナンス</translation>
    </message>
</context>
<context>
    <name>WashoutWidget</name>
    <message>
        <source>Next hand starts in:</source>
        <translation>次の局まで：</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>準備完了</translation>
    </message>
    <message>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ScoreBoard</name>
    <message>
        <source>Next hand starts in:</source>
        <translation>次の局まで：</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>準備完了</translation>
    </message>
    <message>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
    <message>
        <source>Next hand</source>
        <translation>次の局</translation>
    </message>
    <message>
        <source>Play (%1)</source>
        <translation>もう一度 (%1)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>得点</translation>
    </message>
    <message>
        <source>Winning Hand</source>
        <translation>和了手</translation>
    </message>
    <message>
        <source>2:nd place</source>
        <translation>2位</translation>
    </message>
    <message>
        <source>3:rd place</source>
        <translation>3位</translation>
    </message>
    <message>
        <source>4:th place</source>
        <translation>4位</translation>
    </message>
    <message>
        <source>Dora/kan dora tiles</source>
        <translation>ドラ／カンドラ</translation>
    </message>
    <message>
        <source>Ura dora tiles</source>
        <translation>裏ドラ</translation>
    </message>
    <message>
        <source>Points:</source>
        <translation>符：</translation>
    </message>
    <message>
        <source>Doubles:</source>
        <translation>翻：</translation>
    </message>
    <message>
        <source>Limit hands:</source>
        <translation>役満：</translation>
    </message>
    <message>
        <source>%L1</source>
        <translation>%L1</translation>
    </message>
    <message>
        <source>Hand Score</source>
        <translation>和了点</translation>
    </message>
    <message>
        <source>Settlement</source>
        <translation>精算</translation>
    </message>
    <message>
        <source>Current Score</source>
        <translation>持ち点</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>支払い</translation>
    </message>
    <message>
        <source>Winning hand</source>
        <translation>和了</translation>
    </message>
    <message>
        <source>Losing hand</source>
        <translation>放銃・流局</translation>
    </message>
</context>
<context>
    <name>WashoutWindow</name>
    <message>
        <source>Ready</source>
        <translation>準備完了</translation>
    </message>
    <message>
        <source>Nine honors or terminals.</source>
        <translation>九種九牌。</translation>
    </message>
    <message>
        <source>Four kongs.</source>
        <translation>四槓散了。</translation>
    </message>
    <message>
        <source>Same wind discard.</source>
        <translation>四風連打。</translation>
    </message>
    <message>
        <source>No-one declared win after all player declared riichi.</source>
        <translation>四家立直。</translation>
    </message>
    <message>
        <source>Next hand</source>
        <translation>次の局</translation>
    </message>
    <message>
        <source>Play (%1)</source>
        <translation>もう一度 (%1)</translation>
    </message>
</context>
<context>
    <name>WaitingForPlayersWidget</name>
    <message>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
    <message>
        <source>Waiting for players</source>
        <translation>プレイヤー待ち</translation>
    </message>
    <message>
        <source>Invite friends</source>
        <translation>友達を招待</translation>
    </message>
</context>
<context>
    <name>PlayerInactiveWidget</name>
    <message>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
    <message>
        <source>Player inactive</source>
        <translation>操作なし</translation>
    </message>
    <message>
        <source>You  have been inactive, and will therefore automatically stand down. Please press reactivate to regain control.</source>
        <translation>操作がなかったため、自動で進行します。操作に戻るには「再開」を押してください。</translation>
    </message>
    <message>
        <source>Reactivate</source>
        <translation>再開</translation>
    </message>
</context>
<context>
    <name>SideBar</name>
    <message>
        <source>Leave</source>
        <translation>退席</translation>
    </message>
    <message>
        <source>TableName</source>
        <translation>TableName</translation>
    </message>
    <message>
        <source>TableDescription</source>
        <translation>TableDescription</translation>
    </message>
    <message>
        <source>TableRound</source>
        <translation>TableRound</translation>
    </message>
    <message>
        <source>TableCost</source>
        <translation>TableCost</translation>
    </message>
    <message>
        <source>TableLimit</source>
        <translation>TableLimit</translation>
    </message>
    <message>
        <source>RoundLimit</source>
        <translation>RoundLimit</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>.HandId</source>
        <translation>.HandId</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>チャット</translation>
    </message>
    <message>
        <source>Wind round %L1 of %L2</source>
        <translation>%L1 / %L2 周目</translation>
    </message>
    <message>
        <source>x%1</source>
        <translation>x%1</translation>
    </message>
    <message>
        <source>Hand Id: %1</source>
        <translation>局 ID：%1</translation>
    </message>
    <message>
        <source>Round %L1 of %L2</source>
        <translation>第 %L1 / %L2 ラウンド</translation>
    </message>
    <message>
        <source>now</source>
        <translation>まもなく</translation>
    </message>
    <message>
        <source>No round playing</source>
        <translation>ラウンドなし</translation>
    </message>
    <message>
        <source>Round ends in %1</source>
        <translation>ラウンド終了まで %1</translation>
    </message>
</context>
<context>
    <name>ConcealedActionDialog</name>
    <message>
        <source>Frame</source>
        <translation>Frame</translation>
    </message>
    <message>
        <source>Riichi</source>
        <translation>リーチ</translation>
    </message>
    <message>
        <source>Kong</source>
        <translation>カン</translation>
    </message>
    <message>
        <source>Pong to kong</source>
        <translation>加カン</translation>
    </message>
    <message>
        <source>Replace flower</source>
        <translation>花牌交換</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>MeldAuction</name>
    <message>
        <source>Riichi</source>
        <translation>リーチ</translation>
    </message>
    <message>
        <source>Mahjong</source>
        <translation>和了</translation>
    </message>
    <message>
        <source>Alt+M</source>
        <comment>Mahjong</comment>
        <translation>Alt+M</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>パス</translation>
    </message>
    <message>
        <source>Alt+Z</source>
        <comment>Pass</comment>
        <translation>Alt+Z</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Choose Meld</source>
        <translation>鳴きを選択</translation>
    </message>
    <message>
        <source>Rob the Kong</source>
        <translation>槍槓</translation>
    </message>
    <message>
        <source>Replace tiles</source>
        <translation>牌の交換</translation>
    </message>
</context>
<context>
    <name>MeldChoice</name>
    <message>
        <source>Riichi</source>
        <translation>リーチ</translation>
    </message>
    <message>
        <source>Kong</source>
        <translation>カン</translation>
    </message>
    <message>
        <source>Pong to kong</source>
        <translation>加カン</translation>
    </message>
    <message>
        <source>Chow Low</source>
        <translation>チー（下）</translation>
    </message>
    <message>
        <source>Chow Mid</source>
        <translation>チー（中）</translation>
    </message>
    <message>
        <source>Chow Hi</source>
        <translation>チー（上）</translation>
    </message>
    <message>
        <source>Pong</source>
        <translation>ポン</translation>
    </message>
    <message>
        <source>Bonus</source>
        <translation>花牌</translation>
    </message>
    <message>
        <source>Alt+1</source>
        <comment>Chow Low</comment>
        <translation>Alt+1</translation>
    </message>
    <message>
        <source>Alt+2</source>
        <comment>Chow Mid</comment>
        <translation>Alt+2</translation>
    </message>
    <message>
        <source>Alt+3</source>
        <comment>Chow Hi</comment>
        <translation>Alt+3</translation>
    </message>
    <message>
        <source>Alt+K</source>
        <comment>Kong</comment>
        <translation>Alt+K</translation>
    </message>
    <message>
        <source>Alt+P</source>
        <comment>Pong</comment>
        <translation>Alt+P</translation>
    </message>
    <message>
        <source>Alt+K</source>
        <comment>Pong to kong</comment>
        <translation>Alt+K</translation>
    </message>
    <message>
        <source>Alt+R</source>
        <comment>Riichi</comment>
        <translation>Alt+R</translation>
    </message>
</context>
<context>
    <name>RoundScoreBoard</name>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>Tournament 1</source>
        <translation>トーナメント 1</translation>
    </message>
    <message>
        <source>Round 1</source>
        <translation>ラウンド 1</translation>
    </message>
    <message>
        <source>Round %L1/%L2</source>
        <translation>ラウンド %L1/%L2</translation>
    </message>
    <message>
        <source>Round results</source>
        <translation>ラウンド結果</translation>
    </message>
</context>
<context>
    <name>EmptySeatWidget</name>
    <message>
        <source>Waiting for player</source>
        <translation>プレイヤー待ち</translation>
    </message>
</context>
<context>
    <name>RoundScoreWidget</name>
    <message>
        <source>name</source>
        <translation>name</translation>
    </message>
    <message>
        <source>Mahjong points:</source>
        <translation>麻雀点：</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Round results:</source>
        <translation>ラウンド結果：</translation>
    </message>
    <message>
        <source>Tournament points:</source>
        <translation>トーナメントポイント：</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>Round balance:</source>
        <translation>ラウンド収支：</translation>
    </message>
</context>
<context>
    <name>TableSelector</name>
    <message>
        <source>Lobby</source>
        <translation>ロビー</translation>
    </message>
</context>
<context>
    <name>WaitingForPlayersWindow</name>
    <message numerus="yes">
        <source>Waiting for %n player(s) to join table.</source>
        <translation>
            <numerusform>あと %n 人の参加を待っています。</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message numerus="yes">
        <source>%nwins</source>
        <extracomment>don't include %n in translation, only used to get correct noun form</extracomment>
        <translation>
            <numerusform>勝</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%npts</source>
        <extracomment>don't include %n in translation, only used to get correct noun form</extracomment>
        <translation>
            <numerusform>点</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AvatarDialog</name>
    <message>
        <source>Choose avatar</source>
        <translation>アバターを選択</translation>
    </message>
    <message>
        <source>Avatar images can only be 64x64 pixels (will be scaled down if larger)</source>
        <translation>アバター画像は 64x64 ピクセルまでです（大きい画像は縮小されます）</translation>
    </message>
    <message>
        <source>Custom...</source>
        <translation>ファイルから...</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Locate Avatar Image</source>
        <translation>アバター画像を選択</translation>
    </message>
    <message>
        <source>Image files</source>
        <translation>画像ファイル</translation>
    </message>
    <message>
        <source>The file %1 is unreadable</source>
        <translation>ファイル %1 を読み込めません</translation>
    </message>
    <message>
        <source>The file %1 is an invalid image</source>
        <translation>ファイル %1 は有効な画像ではありません</translation>
    </message>
    <message>
        <source>Failed to change avatar</source>
        <translation>アバターを変更できませんでした</translation>
    </message>
</context>
<context>
    <name>FriendDetailView</name>
    <message>
        <source>Friend Details</source>
        <translation>友達の詳細</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Player is seated at:</source>
        <translation>着席中の卓:</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>参加</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>観戦</translation>
    </message>
</context>
<context>
    <name>FriendDetailWindow</name>
    <message>
        <source>Friend details for %1</source>
        <translation>%1 の詳細</translation>
    </message>
    <message>
        <source>%1 with status &quot;%2&quot;</source>
        <translation>%1（ステータス「%2」）</translation>
    </message>
</context>
<context>
    <name>FriendSearchView</name>
    <message>
        <source>Friend search results</source>
        <translation>友達検索の結果</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>検索</translation>
    </message>
    <message>
        <source>Add to friends</source>
        <translation>友達に追加</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>FriendSearchWindow</name>
    <message>
        <source>Add to friends</source>
        <translation>友達に追加</translation>
    </message>
    <message>
        <source>Add item to friends list</source>
        <translation>友達リストに追加</translation>
    </message>
    <message>
        <source>User</source>
        <translation>ユーザー</translation>
    </message>
    <message>
        <source>Search error</source>
        <translation>検索エラー</translation>
    </message>
    <message numerus="yes">
        <source>%Ln user(s) found</source>
        <translation>
            <numerusform>%Ln 人のユーザーが見つかりました</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FriendsRosterModel</name>
    <message>
        <source>offline</source>
        <translation>オフライン</translation>
    </message>
    <message>
        <source>online</source>
        <translation>オンライン</translation>
    </message>
    <message>
        <source>away</source>
        <translation>離席中</translation>
    </message>
    <message>
        <source>talkative</source>
        <translation>おしゃべり中</translation>
    </message>
    <message>
        <source>busy</source>
        <translation>取り込み中</translation>
    </message>
    <message>
        <source>&lt;unknown availability&gt;</source>
        <translation>&lt;不明な状態&gt;</translation>
    </message>
    <message>
        <source>%1 is %2</source>
        <translation>%1 は%2です</translation>
    </message>
    <message>
        <source>%1 is %2 with status &quot;%3&quot;</source>
        <translation>%1 は%2です（ステータス「%3」）</translation>
    </message>
</context>
<context>
    <name>FriendsView</name>
    <message>
        <source>Add friends and see when they are online!</source>
        <translation>友達を追加して、オンライン状況を確認しましょう！</translation>
    </message>
    <message>
        <source>Friends</source>
        <translation>友達</translation>
    </message>
    <message>
        <source>Find friend</source>
        <translation>友達を探す</translation>
    </message>
    <message>
        <source>Friend Details</source>
        <translation>友達の詳細</translation>
    </message>
</context>
<context>
    <name>FriendsWindow</name>
    <message>
        <source>Remove</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Remove user from list</source>
        <translation>リストからユーザーを削除</translation>
    </message>
</context>
<context>
    <name>TableInviteDialog</name>
    <message>
        <source>Invite friends</source>
        <translation>友達を招待</translation>
    </message>
    <message>
        <source>Invite</source>
        <translation>招待</translation>
    </message>
</context>
<context>
    <name>MainView</name>
    <message>
        <source>My account</source>
        <translation>マイアカウント</translation>
    </message>
    <message>
        <source>Support</source>
        <translation>サポート</translation>
    </message>
    <message>
        <source>Toggle fullscreen</source>
        <translation>フルスクリーン切替</translation>
    </message>
    <message>
        <source>Fullscreen</source>
        <translation>フルスクリーン</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Cashier</source>
        <translation>キャッシャー</translation>
    </message>
    <message>
        <source>Lobby chat</source>
        <translation>ロビーチャット</translation>
    </message>
    <message>
        <source>Try again</source>
        <translation>再試行</translation>
    </message>
</context>
</TS>
