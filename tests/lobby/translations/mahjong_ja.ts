<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja">
<context>
    <name>LocalizationDb</name>
    <message>
        <source>Table(%1)</source>
        <translation>テーブル(%1)</translation>
    </message>
</context>
</TS>
