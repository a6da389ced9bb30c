<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ConnectionManager</name>
    <message>
        <location filename="../../protocol/ConnectionManager.cpp" line="467"/>
        <source>%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DebugDialog</name>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="13"/>
        <source>Debug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="15"/>
        <location filename="../../app/DebugDialog.cpp" line="16"/>
        <source>not connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="18"/>
        <source>Bytes received:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="19"/>
        <source>Bytes sent:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="20"/>
        <source>Rate (in/out):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="68"/>
        <source>not available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/DebugDialog.cpp" line="76"/>
        <source>%1 B/s / %2 B/s</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FriendSearchWindow</name>
    <message numerus="yes">
        <source>%Ln user(s) found</source>
        <translation>
            <numerusform>%Ln user found</numerusform>
            <numerusform>%Ln users found</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>HttpsGet</name>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="30"/>
        <source>refusing to fetch %1: not an https:// address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="41"/>
        <location filename="../../app/HttpsGet.cpp" line="55"/>
        <source>%1 is larger than %2 bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="51"/>
        <source>%1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/HttpsGet.cpp" line="53"/>
        <source>%1 was redirected away from https</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LobbySummary</name>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="69"/>
        <source>Lobby</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="70"/>
        <source>Players online: %L1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="71"/>
        <source>Players seated: %L1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="72"/>
        <source>Open tables: %L1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="73"/>
        <source>Tournaments running: %L1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="74"/>
        <source>Today&apos;s top winners</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/LobbySummary.cpp" line="84"/>
        <source>%1. %2  %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LobbyWindow</name>
    <message>
        <location filename="../../lobby/LobbyWindow.cpp" line="137"/>
        <source>Hide full tables</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LocalizationDb</name>
    <message>
        <location filename="../../lobby/LocalizationDb.cpp" line="22"/>
        <source>Table(%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Log</name>
    <message>
        <location filename="../../app/Log.cpp" line="247"/>
        <location filename="../../app/Log.cpp" line="250"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/Log.cpp" line="251"/>
        <source>%1

The program has to end. Please send the log file %2 to the support team.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Mahjong</name>
    <message>
        <location filename="../../game/Tile.cpp" line="12"/>
        <source>Bamboo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="13"/>
        <source>Character</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="14"/>
        <source>Circle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="22"/>
        <source>Plum blossom</source>
        <comment>flower</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="23"/>
        <source>Orchid</source>
        <comment>flower</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="24"/>
        <source>Chrysanthemum</source>
        <comment>flower</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="25"/>
        <source>Bamboo</source>
        <comment>flower</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="28"/>
        <source>Spring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="29"/>
        <source>Summer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="30"/>
        <source>Autumn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="31"/>
        <source>Winter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="34"/>
        <source>East Wind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="35"/>
        <source>South Wind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="36"/>
        <source>West Wind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="37"/>
        <source>North Wind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="40"/>
        <source>Green Dragon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="41"/>
        <source>Red Dragon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="42"/>
        <source>White Dragon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="101"/>
        <source>Concealed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="109"/>
        <source>%1 %L2</source>
        <comment>Suit and number, e.g. Bamboo 7</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="113"/>
        <source>%1 %L2</source>
        <comment>Flower and number, e.g. Orchid 3</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="117"/>
        <source>%1 %L2</source>
        <comment>Season and number, e.g. Winter 2</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="10"/>
        <source>East</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="11"/>
        <source>South</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="12"/>
        <source>West</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="13"/>
        <source>North</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="16"/>
        <source>Prevalent wind: East</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="17"/>
        <source>Prevalent wind: South</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="18"/>
        <source>Prevalent wind: West</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Wind.cpp" line="19"/>
        <source>Prevalent wind: North</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="87"/>
        <source>Welcome to Brisquel Mahjong.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="99"/>
        <source>Log in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="102"/>
        <source>User name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="103"/>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="152"/>
        <source>Connecting to %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="158"/>
        <source>Connected to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="167"/>
        <source>The server closed the connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="169"/>
        <source>Cannot connect to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="181"/>
        <source>Connected to %1. Please log in.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="191"/>
        <source>Logging in as %1...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="221"/>
        <source>Authentication failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="223"/>
        <source>You are not allowed to login, please contact support.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="225"/>
        <source>Server error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="227"/>
        <source>You need to verify your email first! Please check your inbox for verification email. Contact support if problem persists.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="230"/>
        <source>You have excluded yourself from playing. Contact support if this is incorrect.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="232"/>
        <source>You have made 6 wrong login attempts. For security reasons your account will be inactive for 10 minutes.
If you do not remember your password please reset your password and wait for 10 minutes. If you still have problems please contact support.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="236"/>
        <source>Your IP address is blacklisted, please contact support.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="238"/>
        <source>Unknown login failure!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="251"/>
        <source>Login failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="264"/>
        <source>Logged in as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="336"/>
        <source>Not allowed to join table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="338"/>
        <source>Join Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="340"/>
        <source>Table Full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="342"/>
        <source>Table In Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="344"/>
        <source>You don&apos;t have enough money on your account to join the table.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="346"/>
        <source>A player with the same IP address as you has already joined the table.
Please contact the support to remedy the situation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="349"/>
        <source>You are not allowed to play on money tables.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="351"/>
        <source>You are not fully registered and therefore not allowed to play for money.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="353"/>
        <source>You are not allowed to play, server will be unavailable due to maintenance.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="360"/>
        <source>Joined table %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="367"/>
        <source>Join Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="367"/>
        <source>Join Failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="372"/>
        <source>Watching table %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="378"/>
        <source>Watch Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="378"/>
        <source>Watch Failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="383"/>
        <source>You are already seated at table %L1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../mainwindow/MainWindow.cpp" line="394"/>
        <location filename="../../mainwindow/MainWindow.cpp" line="395"/>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SeatedWindow</name>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="107"/>
        <source>The game starts in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="114"/>
        <source>Seat reserved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="115"/>
        <source>Play</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="116"/>
        <source>Leave</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="123"/>
        <source>Table %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="124"/>
        <source>A seat is reserved for you at %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/SeatedWindow.cpp" line="125"/>
        <source>%1, %2, buy-in %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServerInfo</name>
    <message>
        <location filename="../../app/ServerInfo.cpp" line="84"/>
        <source>The service is down for maintenance. Please try again later.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SetScreennameDialog</name>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="83"/>
        <source>Choose a screen name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="84"/>
        <source>Please choose the name other players will see at the tables.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="85"/>
        <source>Screen name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/SetScreennameDialog.cpp" line="86"/>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TableInfo</name>
    <message>
        <location filename="../../protocol/TableInfo.cpp" line="41"/>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="11"/>
        <source>Classic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="13"/>
        <source>MCR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="15"/>
        <source>EMA Riichi</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="17"/>
        <location filename="../../lobby/TableTexts.cpp" line="33"/>
        <source>&lt;undefined&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="25"/>
        <source>Single hand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="27"/>
        <source>Tournament</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="29"/>
        <source>Full game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="31"/>
        <source>East only</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TableModel</name>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="78"/>
        <source>Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="80"/>
        <source>Rules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="82"/>
        <source>Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="84"/>
        <source>Stakes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="86"/>
        <source>Players</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="413"/>
        <source>Table %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableModel.cpp" line="429"/>
        <source>%1/%2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TablePreview</name>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="108"/>
        <source>Join</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="109"/>
        <source>Watch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="112"/>
        <source>Select a table to see it here.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="122"/>
        <source>Table %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="124"/>
        <source>Rules: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="125"/>
        <source>Game: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="126"/>
        <location filename="../../lobby/TablePreview.cpp" line="127"/>
        <source>Stakes: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="128"/>
        <source>Players: %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location filename="../../lobby/TablePreview.cpp" line="130"/>
        <source>(%n bot(s))</source>
        <translation>
            <numerusform>(%n bot)</numerusform>
            <numerusform>(%n bots)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../../lobby/TablePreview.cpp" line="132"/>
        <source>- table full</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TableValue</name>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="52"/>
        <source>-</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="53"/>
        <location filename="../../lobby/TableTexts.cpp" line="60"/>
        <source>%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/TableTexts.cpp" line="59"/>
        <source>-</source>
        <comment>buy-in part</comment>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TileGraphics</name>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="41"/>
        <source>Bamboo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="42"/>
        <source>Green 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="43"/>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="44"/>
        <source>Green 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="45"/>
        <source>Dark wood</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="52"/>
        <source>Numbered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="53"/>
        <source>Mixed numbered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="54"/>
        <source>Without numbers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="55"/>
        <source>Rustic numbered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../scene/TileGraphics.cpp" line="56"/>
        <source>Simple tiles</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TranslationsManager</name>
    <message>
        <location filename="../../widgets/TranslationsManager.cpp" line="18"/>
        <source>English</source>
        <comment>the name of this translation&apos;s language, in that language</comment>
        <translation>English</translation>
    </message>
</context>
<context>
    <name>UpdateDownloader</name>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="35"/>
        <source>The installer address is not an https:// address.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="37"/>
        <source>The installer&apos;s size or digest is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="46"/>
        <source>Cannot create the installer file: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="82"/>
        <source>The installer is larger than announced.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="85"/>
        <location filename="../../app/UpdateDownloader.cpp" line="108"/>
        <source>Cannot write the installer file: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="100"/>
        <source>The download failed: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="102"/>
        <source>The download was redirected away from https.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="104"/>
        <source>The download is incomplete (%1 of %2 bytes).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/UpdateDownloader.cpp" line="106"/>
        <source>The downloaded installer is damaged (digest mismatch).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Utils</name>
    <message>
        <location filename="../../widgets/Utils.cpp" line="36"/>
        <source>%1$%L2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="99"/>
        <source>%1d</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="101"/>
        <source>%1h</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="103"/>
        <source>%1m</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="104"/>
        <source>%1s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="117"/>
        <source>now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../widgets/Utils.cpp" line="118"/>
        <source>%1 - time to start</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <location filename="../../widgets/Utils.cpp" line="124"/>
        <source>%Ln min(s)</source>
        <translation>
            <numerusform>%Ln min</numerusform>
            <numerusform>%Ln mins</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>VersionChecker</name>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="19"/>
        <source>Update available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="20"/>
        <source>Version %1 of the client is available; you have version %2.
Do you want to download and install it now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="31"/>
        <source>Update failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../app/VersionChecker.cpp" line="32"/>
        <source>The update could not be installed:
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WatchingWindow</name>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="68"/>
        <source>Watching</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="69"/>
        <source>You are watching this table. Join to take a free seat.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="70"/>
        <source>Join</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../lobby/WatchingWindow.cpp" line="71"/>
        <source>Leave</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../../app/main.cpp" line="111"/>
        <source>Downtime</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WaitingForPlayersWindow</name>
    <message numerus="yes">
        <source>Waiting for %n player(s) to join table.</source>
        <translation>
            <numerusform>Waiting for %n player to join table.</numerusform>
            <numerusform>Waiting for %n players to join table.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PlayerWidget</name>
    <message numerus="yes">
        <source>%nwins</source>
        <extracomment>don't include %n in translation, only used to get correct noun form</extracomment>
        <translation>
            <numerusform>win</numerusform>
            <numerusform>wins</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%npts</source>
        <extracomment>don't include %n in translation, only used to get correct noun form</extracomment>
        <translation>
            <numerusform>pt</numerusform>
            <numerusform>pts</numerusform>
        </translation>
    </message>
</context>
</TS>
