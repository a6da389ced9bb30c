<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
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
        <translation>傳送</translation>
    </message>
</context>
<context>
    <name>ConferenceWidget</name>
    <message>
        <source>No error</source>
        <translation>沒有錯誤</translation>
    </message>
    <message>
        <source>Undefined error</source>
        <translation>未知錯誤</translation>
    </message>
    <message>
        <source>You've been banned from this room</source>
        <translation>您已被禁止進入此聊天室</translation>
    </message>
    <message>
        <source>The room is password protected</source>
        <translation>此聊天室受密碼保護</translation>
    </message>
    <message>
        <source>This is a members only room</source>
        <translation>此聊天室僅限成員</translation>
    </message>
    <message>
        <source>Your nickname is already in use in this room</source>
        <translation>您的暱稱已在此聊天室中使用</translation>
    </message>
    <message>
        <source>The room is full</source>
        <translation>聊天室已滿</translation>
    </message>
    <message>
        <source>The room is locked</source>
        <translation>聊天室已鎖定</translation>
    </message>
    <message>
        <source>The room doesn't exist</source>
        <translation>聊天室不存在</translation>
    </message>
    <message>
        <source>Lobby chat unavailable</source>
        <translation>大廳聊天無法使用</translation>
    </message>
    <message>
        <source>Table chat only available to players</source>
        <translation>牌桌聊天僅供玩家使用</translation>
    </message>
    <message>
        <source>%1 joined the chat</source>
        <translation>%1 加入了聊天</translation>
    </message>
    <message>
        <source>%1 left the chat</source>
        <translation>%1 離開了聊天</translation>
    </message>
    <message>
        <source>%1 has been kicked from the chat</source>
        <translation>%1 已被踢出聊天</translation>
    </message>
    <message>
        <source>%1 has been banned from the chat</source>
        <translation>%1 已被禁止聊天</translation>
    </message>
    <message>
        <source>%1 has been kicked from the chat due to %2</source>
        <translation>%1 因 %2 已被踢出聊天</translation>
    </message>
    <message>
        <source>%1 has been banned from the chat due to %2</source>
        <translation>%1 因 %2 已被禁止聊天</translation>
    </message>
    <message>
        <source>%1 has been kicked from the chat by %2</source>
        <translation>%1 已被 %2 踢出聊天</translation>
    </message>
    <message>
        <source>%1 has been banned from the chat by %2</source>
        <translation>%1 已被 %2 禁止聊天</translation>
    </message>
    <message>
        <source>%1 has been kicked from the chat by %2 due to %3</source>
        <translation>%1 因 %3 已被 %2 踢出聊天</translation>
    </message>
    <message>
        <source>%1 has been banned from the chat by %2 due to %3</source>
        <translation>%1 因 %3 已被 %2 禁止聊天</translation>
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
        <translation>建立新使用者</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>使用者名稱</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>電子郵件</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message>
        <source>Repeat Password</source>
        <translation>確認密碼</translation>
    </message>
    <message>
        <source>Create User</source>
        <translation>建立使用者</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>CreateUserWindow</name>
    <message>
        <source>User name must contain between %1 and %2 characters</source>
        <translation>使用者名稱須為%1到%2個字元</translation>
    </message>
    <message>
        <source>Password must contain between %1 and %2 characters</source>
        <translation>密碼須為%1到%2個字元</translation>
    </message>
    <message>
        <source>Repeated password doesn&apos;t match</source>
        <translation>兩次輸入的密碼不一致</translation>
    </message>
    <message>
        <source>Register User</source>
        <translation>註冊使用者</translation>
    </message>
    <message>
        <source>Your account has been created. Please activate it with the link in the e-mail we sent you, then log in.</source>
        <translation>帳戶已建立。請透過我們寄出的郵件中的連結啟用帳戶，然後登入。</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>使用者名稱</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message>
        <source>I&apos;m over %L1 years old</source>
        <translation>我已年滿%L1歲</translation>
    </message>
    <message>
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
        <location filename="../../app/DebugDialog.cpp" line="68"/>
        <source>not available</source>
        <translation>無法取得</translation>
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
        <translation>安全連線</translation>
    </message>
    <message>
        <source>Insecure connection</source>
        <translation>不安全的連線</translation>
    </message>
</context>
<context>
    <name>HttpsGet</name>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="30"/>
        <source>refusing to fetch %1: not an https:// address</source>
        <translation>拒絕擷取 %1：不是 https:// 位址</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="41"/>
        <location filename="../../app/HttpsGet.cpp" line="55"/>
        <source>%1 is larger than %2 bytes</source>
        <translation>%1 大於 %2 位元組</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="51"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="53"/>
        <source>%1 was redirected away from https</source>
        <translation>%1 被重新導向至非 https 位址</translation>
    </message>
</context>
<context>
    <name>LobbySummary</name>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="69"/>
        <source>Lobby</source>
        <translation>大廳</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="70"/>
        <source>Players online: %L1</source>
        <translation>線上玩家：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="71"/>
        <source>Players seated: %L1</source>
        <translation>已入座玩家：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="72"/>
        <source>Open tables: %L1</source>
        <translation>開放牌桌：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="73"/>
        <source>Tournaments running: %L1</source>
        <translation>進行中的錦標賽：%L1</translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="74"/>
        <source>Today&apos;s top winners</source>
        <translation>今日贏家排行</translation>
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
        <translation>隱藏已滿牌桌</translation>
    </message>
</context>
<context>
    <name>LocalizationDb</name>
    <message>
        <location filename="../../lobby/LocalizationDb.cpp" line="22"/>
        <source>Table(%1)</source>
        <translation>牌桌(%1)</translation>
    </message>
</context>
<context>
    <name>Log</name>
    <message>
        <location filename="../../app/Log.cpp" line="247"/>
        <location filename="../../app/Log.cpp" line="250"/>
        <source>Error</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <location filename="../../app/Log.cpp" line="251"/>
        <source>%1

The program has to end. Please send the log file %2 to the support team.</source>
        <translation>%1

程式必須結束。請將記錄檔 %2 傳送給客服團隊。</translation>
    </message>
</context>
<context>
    <name>LoginForm</name>
    <message>
        <source>Log in to Mahjong</source>
        <translation>登入麻將</translation>
    </message>
    <message>
        <source>User name</source>
        <translation>使用者名稱</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密碼</translation>
    </message>
    <message>
        <source>Log in</source>
        <translation>登入</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>註冊</translation>
    </message>
    <message>
        <source>Choose language</source>
        <translation>選擇語言</translation>
    </message>
</context>
<context>
    <name>LoginWindow</name>
    <message>
        <source>You are not allowed to login, please contact support.</source>
        <translation>您無權登入，請聯絡客服。</translation>
    </message>
    <message>
        <source>Server error!</source>
        <translation>伺服器錯誤！</translation>
    </message>
    <message>
        <source>You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.</source>
        <translation>請先驗證您的電子郵件！請在收件匣中尋找驗證郵件。如問題持續，請聯絡客服。</translation>
    </message>
    <message>
        <source>You have excluded yourself from playing. Contact support if this is incorrect.</source>
        <translation>您已自我禁止遊戲。如有誤，請聯絡客服。</translation>
    </message>
    <message>
        <source>You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.
If you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.</source>
        <translation>您已連續6次登入失敗。為了安全，您的帳戶將停用10分鐘。
如果您忘記密碼，請重設密碼並等待10分鐘。如仍有問題，請聯絡客服。</translation>
    </message>
    <message>
        <source>Your IP address is blacklisted, please contact support.</source>
        <translation>您的IP位址已被列入黑名單，請聯絡客服。</translation>
    </message>
    <message>
        <source>Unknown login failure!</source>
        <translation>未知原因登入失敗！</translation>
    </message>
    <message>
        <source>Login failed</source>
        <translation>登入失敗</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>連線中...</translation>
    </message>
    <message>
        <source>Log in</source>
        <translation>登入</translation>
    </message>
    <message>
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
        <translation>東風</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="35"/>
        <source>South Wind</source>
        <translation>南風</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="36"/>
        <source>West Wind</source>
        <translation>西風</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="37"/>
        <source>North Wind</source>
        <translation>北風</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="40"/>
        <source>Green Dragon</source>
        <translation>發財</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="41"/>
        <source>Red Dragon</source>
        <translation>紅中</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="42"/>
        <source>White Dragon</source>
        <translation>白板</translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="101"/>
        <source>Concealed</source>
        <translation>暗牌</translation>
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
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="87"/>
        <source>Welcome to Brisquel Mahjong.</source>
        <translation>歡迎來到 Brisquel Mahjong。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="99"/>
        <source>Log in</source>
        <translation>登入</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="102"/>
        <source>User name:</source>
        <translation>使用者名稱：</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="103"/>
        <source>Password:</source>
        <translation>密碼：</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="152"/>
        <source>Connecting to %1...</source>
        <translation>正在連線至 %1...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="158"/>
        <source>Connected to %1</source>
        <translation>已連線至 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="167"/>
        <source>The server closed the connection</source>
        <translation>伺服器已關閉連線</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="169"/>
        <source>Cannot connect to %1</source>
        <translation>無法連線至 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="181"/>
        <source>Connected to %1. Please log in.</source>
        <translation>已連線至 %1。請登入。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="191"/>
        <source>Logging in as %1...</source>
        <translation>正在以 %1 身分登入...</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="221"/>
        <source>Authentication failed!</source>
        <translation>驗證失敗！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="223"/>
        <source>You are not allowed to login, please contact support.</source>
        <translation>您無權登入，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="225"/>
        <source>Server error!</source>
        <translation>伺服器錯誤！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="227"/>
        <source>You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.</source>
        <translation>請先驗證您的電子郵件！請在收件匣中查看驗證郵件。如果問題持續發生，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="230"/>
        <source>You have excluded yourself from playing. Contact support if this is incorrect.</source>
        <translation>您已設定自我排除，無法進行遊戲。如有錯誤，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="232"/>
        <source>You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.
If you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.</source>
        <translation>您已 6 次登入失敗。基於安全考量，您的帳號將停用 10 分鐘。
如果忘記密碼，請重設密碼並等待 10 分鐘。如果仍有問題，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="236"/>
        <source>Your IP address is blacklisted, please contact support.</source>
        <translation>您的 IP 位址已被列入黑名單，請聯絡客服。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="238"/>
        <source>Unknown login failure!</source>
        <translation>登入失敗，原因不明！</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="251"/>
        <source>Login failed: %1</source>
        <translation>登入失敗：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="264"/>
        <source>Logged in as %1</source>
        <translation>已以 %1 身分登入</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="336"/>
        <source>Not allowed to join table</source>
        <translation>不允許加入此牌桌</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="338"/>
        <source>Join Error</source>
        <translation>加入錯誤</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="340"/>
        <source>Table Full</source>
        <translation>牌桌已滿</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="342"/>
        <source>Table In Play</source>
        <translation>牌局進行中</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="344"/>
        <source>You don&apos;t have enough money on your account to join the table.</source>
        <translation>您的帳戶餘額不足，無法加入此牌桌。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="346"/>
        <source>A player with the same IP address as you has already joined the table.
Please contact the support to remedy the situation.</source>
        <translation>與您 IP 位址相同的玩家已加入此牌桌。
請聯絡客服解決此問題。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="349"/>
        <source>You are not allowed to play on money tables.</source>
        <translation>您不能在現金牌桌上遊戲。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="351"/>
        <source>You are not fully registered and therefore not allowed to play for money.</source>
        <translation>您尚未完成註冊，因此不能進行現金遊戲。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="353"/>
        <source>You are not allowed to play, server will be unavailable due to maintenance.</source>
        <translation>伺服器即將停機維護，暫時無法遊戲。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="360"/>
        <source>Joined table %1</source>
        <translation>已加入牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="367"/>
        <source>Join Failed</source>
        <translation>加入失敗</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="367"/>
        <source>Join Failed: %1</source>
        <translation>加入失敗：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="372"/>
        <source>Watching table %1</source>
        <translation>正在觀戰牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="378"/>
        <source>Watch Failed</source>
        <translation>觀戰失敗</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="378"/>
        <source>Watch Failed: %1</source>
        <translation>觀戰失敗：%1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="383"/>
        <source>You are already seated at table %L1.</source>
        <translation>您已在牌桌 %L1 入座。</translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="394"/>
        <location filename="../../mainwindow/MainWindow.cpp" line="395"/>
        <source>Error</source>
        <translation>錯誤</translation>
    </message>
</context>
<context>
    <name>PreferencesView</name>
    <message>
        <source>Change your settings below, changes will take effect immediately.</source>
        <translation>在下方變更設定，變更會立即生效。</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>語言</translation>
    </message>
    <message>
        <source>Game</source>
        <translation>遊戲</translation>
    </message>
    <message>
        <source>Auto pass</source>
        <translation>自動過</translation>
    </message>
    <message>
        <source>Controls if score dialogs are automatically closed when a new round begins</source>
        <translation>新一局開始時是否自動關閉計分視窗</translation>
    </message>
    <message>
        <source>Auto-close score dialogs</source>
        <translation>自動關閉計分視窗</translation>
    </message>
    <message>
        <source>Sounds</source>
        <translation>音效</translation>
    </message>
    <message>
        <source>Animations</source>
        <translation>動畫</translation>
    </message>
    <message>
        <source>Alternative view (bigger tiles)</source>
        <translation>另一種檢視（大牌）</translation>
    </message>
    <message>
        <source>Show table invites</source>
        <translation>顯示牌桌邀請</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>玩家</translation>
    </message>
    <message>
        <source>Choose avatar...</source>
        <translation>選擇頭像...</translation>
    </message>
    <message>
        <source>Tile graphics</source>
        <translation>牌面圖案</translation>
    </message>
    <message>
        <source>Face</source>
        <translation>正面</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>背面</translation>
    </message>
</context>
<context>
    <name>SeatedWindow</name>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="107"/>
        <source>The game starts in %1</source>
        <translation>遊戲將在 %1 後開始</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="114"/>
        <source>Seat reserved</source>
        <translation>座位已保留</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="115"/>
        <source>Play</source>
        <translation>開始遊戲</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="116"/>
        <source>Leave</source>
        <translation>離開</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="123"/>
        <source>Table %1</source>
        <translation>牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="124"/>
        <source>A seat is reserved for you at %1.</source>
        <translation>已在 %1 為您保留座位。</translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="125"/>
        <source>%1, %2, buy-in %3</source>
        <translation>%1，%2，買入 %3</translation>
    </message>
</context>
<context>
    <name>ServerInfo</name>
    <message>
        <location filename="../../app/ServerInfo.cpp" line="84"/>
        <source>The service is down for maintenance. Please try again later.</source>
        <translation>服務正在停機維護，請稍後再試。</translation>
    </message>
</context>
<context>
    <name>SetScreennameDialog</name>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="83"/>
        <source>Choose a screen name</source>
        <translation>選擇暱稱</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="84"/>
        <source>Please choose the name other players will see at the tables.</source>
        <translation>請選擇其他玩家在牌桌上看到的名稱。</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="85"/>
        <source>Screen name</source>
        <translation>暱稱</translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="86"/>
        <source>OK</source>
        <translation>確定</translation>
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
    <name>TableModel</name>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="78"/>
        <source>Table</source>
        <translation>牌桌</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="80"/>
        <source>Rules</source>
        <translation>規則</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="82"/>
        <source>Game</source>
        <translation>賽制</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="84"/>
        <source>Stakes</source>
        <translation>注額</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="86"/>
        <source>Players</source>
        <translation>玩家</translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="413"/>
        <source>Table %1</source>
        <translation>牌桌 %1</translation>
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
        <translation>加入</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="109"/>
        <source>Watch</source>
        <translation>觀戰</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="112"/>
        <source>Select a table to see it here.</source>
        <translation>選擇牌桌後將在此處顯示。</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="122"/>
        <source>Table %1</source>
        <translation>牌桌 %1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="124"/>
        <source>Rules: %1</source>
        <translation>規則：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="125"/>
        <source>Game: %1</source>
        <translation>賽制：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="126"/>
        <location filename="../../lobby/TablePreview.cpp" line="127"/>
        <source>Stakes: %1</source>
        <translation>注額：%1</translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="128"/>
        <source>Players: %1 of %2</source>
        <translation>玩家：%1/%2</translation>
    </message>
    <message numerus="yes">
        <location filename="../../lobby/TablePreview.cpp" line="130"/>
        <source>(%n bot(s))</source>
        <translation>
            <numerusform>(%n 個機器人)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="132"/>
        <source>- table full</source>
        <translation>- 牌桌已滿</translation>
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
        <translation>綠色 1</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="43"/>
        <source>Red</source>
        <translation>紅色</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="44"/>
        <source>Green 2</source>
        <translation>綠色 2</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="45"/>
        <source>Dark wood</source>
        <translation>深色木紋</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="52"/>
        <source>Numbered</source>
        <translation>帶數字</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="53"/>
        <source>Mixed numbered</source>
        <translation>部分帶數字</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="54"/>
        <source>Without numbers</source>
        <translation>無數字</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="55"/>
        <source>Rustic numbered</source>
        <translation>古樸（帶數字）</translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="56"/>
        <source>Simple tiles</source>
        <translation>簡約</translation>
    </message>
</context>
<context>
    <name>TranslationsManager</name>
    <message>
        <location filename="../../widgets/TranslationsManager.cpp" line="18"/>
        <source>English</source>
        <comment>the name of this translation&apos;s language, in that language</comment>
        <translation>繁體中文</translation>
    </message>
</context>
<context>
    <name>UpdateDownloader</name>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="35"/>
        <source>The installer address is not an https:// address.</source>
        <translation>安裝程式的位址不是 https:// 位址。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="37"/>
        <source>The installer&apos;s size or digest is missing.</source>
        <translation>缺少安裝程式的大小或摘要。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="46"/>
        <source>Cannot create the installer file: %1</source>
        <translation>無法建立安裝程式檔案：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="82"/>
        <source>The installer is larger than announced.</source>
        <translation>安裝程式超出了公布的大小。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="85"/>
        <location filename="../../app/UpdateDownloader.cpp" line="108"/>
        <source>Cannot write the installer file: %1</source>
        <translation>無法寫入安裝程式檔案：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="100"/>
        <source>The download failed: %1</source>
        <translation>下載失敗：%1</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="102"/>
        <source>The download was redirected away from https.</source>
        <translation>下載被重新導向至非 https 位址。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="104"/>
        <source>The download is incomplete (%1 of %2 bytes).</source>
        <translation>下載不完整（%1 / %2 位元組）。</translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="106"/>
        <source>The downloaded installer is damaged (digest mismatch).</source>
        <translation>下載的安裝程式已損毀（摘要不符）。</translation>
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
        <translation>%1天</translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="101"/>
        <source>%1h</source>
        <translation>%1小時</translation>
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
        <translation>現在</translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="118"/>
        <source>%1 - time to start</source>
        <translation>距開始 %1</translation>
    </message>
    <message numerus="yes">
        <location filename="../../widgets/Utils.cpp" line="124"/>
        <source>%Ln min(s)</source>
        <translation>
            <numerusform>%Ln 分鐘</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VersionChecker</name>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="19"/>
        <source>Update available</source>
        <translation>有可用更新</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="20"/>
        <source>Version %1 of the client is available; you have version %2.
Do you want to download and install it now?</source>
        <translation>用戶端 %1 版已推出，您目前的版本是 %2。
是否立即下載並安裝？</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="31"/>
        <source>Update failed</source>
        <translation>更新失敗</translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="32"/>
        <source>The update could not be installed:
%1</source>
        <translation>無法安裝更新：
%1</translation>
    </message>
</context>
<context>
    <name>WatchingWindow</name>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="68"/>
        <source>Watching</source>
        <translation>觀戰中</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="69"/>
        <source>You are watching this table. Join to take a free seat.</source>
        <translation>您正在觀戰此牌桌。加入即可入座空位。</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="70"/>
        <source>Join</source>
        <translation>加入</translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="71"/>
        <source>Leave</source>
        <translation>離開</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../../app/main.cpp" line="111"/>
        <source>Downtime</source>
        <translation>停機維護</translation>
    </message>
</context>
<context>
    <name>WashoutWidget</name>
    <message>
        <source>Next hand starts in:</source>
        <translation>下一局開始於：</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>準備</translation>
    </message>
    <message>
        <source>Leave</source>
        <translation>離開</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>ScoreBoard</name>
    <message>
        <source>Next hand starts in:</source>
        <translation>下一局開始於：</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>準備</translation>
    </message>
    <message>
        <source>Leave</source>
        <translation>離開</translation>
    </message>
    <message>
        <source>Next hand</source>
        <translation>下一局</translation>
    </message>
    <message>
        <source>Play (%1)</source>
        <translation>再玩一局 (%1)</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>得分</translation>
    </message>
    <message>
        <source>Winning Hand</source>
        <translation>和牌</translation>
    </message>
    <message>
        <source>2:nd place</source>
        <translation>第2名</translation>
    </message>
    <message>
        <source>3:rd place</source>
        <translation>第3名</translation>
    </message>
    <message>
        <source>4:th place</source>
        <translation>第4名</translation>
    </message>
    <message>
        <source>Dora/kan dora tiles</source>
        <translation>寶牌／槓寶牌</translation>
    </message>
    <message>
        <source>Ura dora tiles</source>
        <translation>裡寶牌</translation>
    </message>
    <message>
        <source>Points:</source>
        <translation>符：</translation>
    </message>
    <message>
        <source>Doubles:</source>
        <translation>番：</translation>
    </message>
    <message>
        <source>Limit hands:</source>
        <translation>役滿：</translation>
    </message>
    <message>
        <source>%L1</source>
        <translation>%L1</translation>
    </message>
    <message>
        <source>Hand Score</source>
        <translation>和牌得分</translation>
    </message>
    <message>
        <source>Settlement</source>
        <translation>結算</translation>
    </message>
    <message>
        <source>Current Score</source>
        <translation>當前得分</translation>
    </message>
    <message>
        <source>Payment</source>
        <translation>支付</translation>
    </message>
    <message>
        <source>Winning hand</source>
        <translation>和牌</translation>
    </message>
    <message>
        <source>Losing hand</source>
        <translation>未和牌</translation>
    </message>
</context>
<context>
    <name>WashoutWindow</name>
    <message>
        <source>Ready</source>
        <translation>準備</translation>
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
        <translation>下一局</translation>
    </message>
    <message>
        <source>Play (%1)</source>
        <translation>再玩一局 (%1)</translation>
    </message>
</context>
<context>
    <name>WaitingForPlayersWidget</name>
    <message>
        <source>Leave</source>
        <translation>離開</translation>
    </message>
    <message>
        <source>Waiting for players</source>
        <translation>等待玩家</translation>
    </message>
    <message>
        <source>Invite friends</source>
        <translation>邀請好友</translation>
    </message>
</context>
<context>
    <name>PlayerInactiveWidget</name>
    <message>
        <source>Leave</source>
        <translation>離開</translation>
    </message>
    <message>
        <source>Player inactive</source>
        <translation>玩家未操作</translation>
    </message>
    <message>
        <source>You  have been inactive, and will therefore automatically stand down. Please press reactivate to regain control.</source>
        <translation>您長時間未操作，將自動託管。請按「恢復」重新控制。</translation>
    </message>
    <message>
        <source>Reactivate</source>
        <translation>恢復</translation>
    </message>
</context>
<context>
    <name>SideBar</name>
    <message>
        <source>Leave</source>
        <translation>離開</translation>
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
        <translation>聊天</translation>
    </message>
    <message>
        <source>Wind round %L1 of %L2</source>
        <translation>第 %L1 / %L2 圈</translation>
    </message>
    <message>
        <source>x%1</source>
        <translation>x%1</translation>
    </message>
    <message>
        <source>Hand Id: %1</source>
        <translation>牌局編號：%1</translation>
    </message>
    <message>
        <source>Round %L1 of %L2</source>
        <translation>第 %L1 / %L2 輪</translation>
    </message>
    <message>
        <source>now</source>
        <translation>即將</translation>
    </message>
    <message>
        <source>No round playing</source>
        <translation>無進行中的輪次</translation>
    </message>
    <message>
        <source>Round ends in %1</source>
        <translation>本輪剩餘 %1</translation>
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
        <translation>立直</translation>
    </message>
    <message>
        <source>Kong</source>
        <translation>槓</translation>
    </message>
    <message>
        <source>Pong to kong</source>
        <translation>加槓</translation>
    </message>
    <message>
        <source>Replace flower</source>
        <translation>補花</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>MeldAuction</name>
    <message>
        <source>Riichi</source>
        <translation>立直</translation>
    </message>
    <message>
        <source>Mahjong</source>
        <translation>和牌</translation>
    </message>
    <message>
        <source>Alt+M</source>
        <comment>Mahjong</comment>
        <translation>Alt+M</translation>
    </message>
    <message>
        <source>Pass</source>
        <translation>過</translation>
    </message>
    <message>
        <source>Alt+Z</source>
        <comment>Pass</comment>
        <translation>Alt+Z</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>Choose Meld</source>
        <translation>選擇副露</translation>
    </message>
    <message>
        <source>Rob the Kong</source>
        <translation>搶槓</translation>
    </message>
    <message>
        <source>Replace tiles</source>
        <translation>補牌</translation>
    </message>
</context>
<context>
    <name>MeldChoice</name>
    <message>
        <source>Riichi</source>
        <translation>立直</translation>
    </message>
    <message>
        <source>Kong</source>
        <translation>槓</translation>
    </message>
    <message>
        <source>Pong to kong</source>
        <translation>加槓</translation>
    </message>
    <message>
        <source>Chow Low</source>
        <translation>吃（低）</translation>
    </message>
    <message>
        <source>Chow Mid</source>
        <translation>吃（中）</translation>
    </message>
    <message>
        <source>Chow Hi</source>
        <translation>吃（高）</translation>
    </message>
    <message>
        <source>Pong</source>
        <translation>碰</translation>
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
        <translation>關閉</translation>
    </message>
    <message>
        <source>Tournament 1</source>
        <translation>錦標賽 1</translation>
    </message>
    <message>
        <source>Round 1</source>
        <translation>第 1 輪</translation>
    </message>
    <message>
        <source>Round %L1/%L2</source>
        <translation>第 %L1/%L2 輪</translation>
    </message>
    <message>
        <source>Round results</source>
        <translation>本輪結果</translation>
    </message>
</context>
<context>
    <name>EmptySeatWidget</name>
    <message>
        <source>Waiting for player</source>
        <translation>等待玩家</translation>
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
        <translation>麻將分：</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Round results:</source>
        <translation>本輪結果：</translation>
    </message>
    <message>
        <source>Tournament points:</source>
        <translation>錦標賽積分：</translation>
    </message>
    <message>
        <source>?</source>
        <translation>?</translation>
    </message>
    <message>
        <source>Round balance:</source>
        <translation>本輪收支：</translation>
    </message>
</context>
<context>
    <name>TableSelector</name>
    <message>
        <source>Lobby</source>
        <translation>大廳</translation>
    </message>
</context>
<context>
    <name>WaitingForPlayersWindow</name>
    <message numerus="yes">
        <source>Waiting for %n player(s) to join table.</source>
        <translation>
            <numerusform>正在等待 %n 位玩家加入牌桌。</numerusform>
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
            <numerusform>分</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AvatarDialog</name>
    <message>
        <source>Choose avatar</source>
        <translation>選擇頭像</translation>
    </message>
    <message>
        <source>Avatar images can only be 64x64 pixels (will be scaled down if larger)</source>
        <translation>頭像圖片只能為 64x64 像素（較大的圖片會被縮小）</translation>
    </message>
    <message>
        <source>Custom...</source>
        <translation>自訂...</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Locate Avatar Image</source>
        <translation>選擇頭像圖片</translation>
    </message>
    <message>
        <source>Image files</source>
        <translation>圖片檔案</translation>
    </message>
    <message>
        <source>The file %1 is unreadable</source>
        <translation>無法讀取檔案 %1</translation>
    </message>
    <message>
        <source>The file %1 is an invalid image</source>
        <translation>檔案 %1 不是有效的圖片</translation>
    </message>
    <message>
        <source>Failed to change avatar</source>
        <translation>更換頭像失敗</translation>
    </message>
</context>
<context>
    <name>FriendDetailView</name>
    <message>
        <source>Friend Details</source>
        <translation>好友詳細資料</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Player is seated at:</source>
        <translation>玩家所在牌桌：</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>加入</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>觀戰</translation>
    </message>
</context>
<context>
    <name>FriendDetailWindow</name>
    <message>
        <source>Friend details for %1</source>
        <translation>%1 的詳細資料</translation>
    </message>
    <message>
        <source>%1 with status &quot;%2&quot;</source>
        <translation>%1，狀態為「%2」</translation>
    </message>
</context>
<context>
    <name>FriendSearchView</name>
    <message>
        <source>Friend search results</source>
        <translation>好友搜尋結果</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>搜尋</translation>
    </message>
    <message>
        <source>Add to friends</source>
        <translation>加為好友</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>關閉</translation>
    </message>
</context>
<context>
    <name>FriendSearchWindow</name>
    <message>
        <source>Add to friends</source>
        <translation>加為好友</translation>
    </message>
    <message>
        <source>Add item to friends list</source>
        <translation>加入好友清單</translation>
    </message>
    <message>
        <source>User</source>
        <translation>使用者</translation>
    </message>
    <message>
        <source>Search error</source>
        <translation>搜尋錯誤</translation>
    </message>
    <message numerus="yes">
        <source>%Ln user(s) found</source>
        <translation>
            <numerusform>找到 %Ln 位使用者</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FriendsRosterModel</name>
    <message>
        <source>offline</source>
        <translation>離線</translation>
    </message>
    <message>
        <source>online</source>
        <translation>線上</translation>
    </message>
    <message>
        <source>away</source>
        <translation>離開</translation>
    </message>
    <message>
        <source>talkative</source>
        <translation>想聊天</translation>
    </message>
    <message>
        <source>busy</source>
        <translation>忙碌</translation>
    </message>
    <message>
        <source>&lt;unknown availability&gt;</source>
        <translation>&lt;未知狀態&gt;</translation>
    </message>
    <message>
        <source>%1 is %2</source>
        <translation>%1 目前%2</translation>
    </message>
    <message>
        <source>%1 is %2 with status &quot;%3&quot;</source>
        <translation>%1 目前%2，狀態為「%3」</translation>
    </message>
</context>
<context>
    <name>FriendsView</name>
    <message>
        <source>Add friends and see when they are online!</source>
        <translation>新增好友，隨時查看他們是否在線上！</translation>
    </message>
    <message>
        <source>Friends</source>
        <translation>好友</translation>
    </message>
    <message>
        <source>Find friend</source>
        <translation>尋找好友</translation>
    </message>
    <message>
        <source>Friend Details</source>
        <translation>好友詳細資料</translation>
    </message>
</context>
<context>
    <name>FriendsWindow</name>
    <message>
        <source>Remove</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>Remove user from list</source>
        <translation>從清單中刪除使用者</translation>
    </message>
</context>
<context>
    <name>TableInviteDialog</name>
    <message>
        <source>Invite friends</source>
        <translation>邀請好友</translation>
    </message>
    <message>
        <source>Invite</source>
        <translation>邀請</translation>
    </message>
</context>
</TS>
