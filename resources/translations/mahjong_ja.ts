<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>ConnectionManager</name>
    <message>
        <location filename="../../protocol/ConnectionManager.cpp" line="463"/>
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
    <name>Log</name>
    <message>
        <location filename="../../app/Log.cpp" line="243"/>
        <location filename="../../app/Log.cpp" line="246"/>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <location filename="../../app/Log.cpp" line="247"/>
        <source>%1

The program has to end. Please send the log file %2 to the support team.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Mahjong</name>
    <message>
        <location filename="../../game/Tile.cpp" line="12"/>
        <location filename="../../game/Tile.cpp" line="20"/>
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
        <location filename="../../game/Tile.cpp" line="17"/>
        <source>Plum blossom</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="18"/>
        <source>Orchid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="19"/>
        <source>Chrysanthemum</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="23"/>
        <source>Spring</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="24"/>
        <source>Summer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="25"/>
        <source>Autumn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="26"/>
        <source>Winter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="29"/>
        <source>East Wind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="30"/>
        <source>South Wind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="31"/>
        <source>West Wind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="32"/>
        <source>North Wind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="35"/>
        <source>Green Dragon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="36"/>
        <source>Red Dragon</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../../game/Tile.cpp" line="37"/>
        <source>White Dragon</source>
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
        <location filename="../../mainwindow/MainWindow.cpp" line="22"/>
        <source>Welcome to Brisquel Mahjong.</source>
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
    <name>TableInfo</name>
    <message>
        <location filename="../../protocol/TableInfo.cpp" line="41"/>
        <source>-</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../../app/main.cpp" line="110"/>
        <source>Downtime</source>
        <translation>メンテナンス</translation>
    </message>
</context>
</TS>
