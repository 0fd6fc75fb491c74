<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>game</name>
    <message>
        <source>this system cannot decode code page 932 (iconv has no CP932)</source>
        <translation>このシステムではコードページ 932 (Shift-JIS) を読めません (iconv に CP932 がありません)</translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation>ファイルを読めません</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>ファイルがありません</translation>
    </message>
    <message>
        <source>it is a folder, not a file</source>
        <translation>ファイルではなくフォルダです</translation>
    </message>
    <message>
        <source>it is not a plain file (a device, a pipe or a socket)</source>
        <translation>普通のファイルではありません (デバイス、パイプ、ソケットのどれかです)</translation>
    </message>
    <message>
        <source>the file cannot be opened for reading</source>
        <translation>ファイルを読むために開けません</translation>
    </message>
    <message>
        <source>unexpected failure: %1</source>
        <translation>思いがけない失敗: %1</translation>
    </message>
    <message>
        <source>the gift list %1 does not name a file in the game folder</source>
        <translation>プレゼントリスト %1 のファイルがゲームフォルダにありません</translation>
    </message>
    <message>
        <source>%1; the gift block on line %2 needs three lines after it (points, scene for the right gift, scene otherwise)</source>
        <translation>%1。%2 行目のプレゼント分岐には、そのあとに 3 行 (ポイント、正しいプレゼントのときのシーン、それ以外のときのシーン) が必要です</translation>
    </message>
    <message>
        <source>line %1 is longer than %2 bytes, too long for a story line</source>
        <translation>%1 行目が %2 バイトを超えています。物語の 1 行としては長すぎます</translation>
    </message>
    <message>
        <source>cannot open %1: file number %2 is already in use</source>
        <translation>%1 を開けません: ファイル番号 %2 はもう使われています</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>%1 を開けません: %2</translation>
    </message>
    <message>
        <source>file number %1 is not open</source>
        <translation>ファイル番号 %1 は開かれていません</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 を読めません: %2</translation>
    </message>
    <message>
        <source>%1: the file ends before its first line, but the game reads on</source>
        <translation>%1: ファイルは 1 行目の前で終わっていますが、ゲームはその先を読もうとしています</translation>
    </message>
    <message>
        <source>%1: the file ends after line %2, but the game reads on</source>
        <translation>%1: ファイルは %2 行目で終わっていますが、ゲームはその先を読もうとしています</translation>
    </message>
    <message>
        <source>the scene name %1 does not name a file in the game folder</source>
        <translation>シーン名 %1 のファイルがゲームフォルダにありません</translation>
    </message>
    <message>
        <source>%1 (named on %2)</source>
        <translation>%1 (%2 で指定)</translation>
    </message>
    <message>
        <source>%1, line %2</source>
        <translation>%1 の %2 行目</translation>
    </message>
    <message>
        <source>%1; a scene must end with a jump, an ending, a restart or a gift block</source>
        <translation>%1。シーンはジャンプ、エンディング、リスタート、プレゼント分岐のどれかで終わらなければなりません</translation>
    </message>
    <message>
        <source>%1: the picture line %2 is too short; it needs five characters before the name</source>
        <translation>%1: 画像行 %2 が短すぎます。名前の前に 5 文字が必要です</translation>
    </message>
    <message>
        <source>%1: the jump line %2 is too short; it needs five characters before the name</source>
        <translation>%1: ジャンプ行 %2 が短すぎます。名前の前に 5 文字が必要です</translation>
    </message>
</context>
<context>
    <name>window</name>
    <message>
        <source>velune: there is no display to open the game window on (DISPLAY and WAYLAND_DISPLAY are not set).
To play without a screen, use the scripted player: velune-tool run GAME_DIR [SCRIPT]
</source>
        <translation>velune: ゲームのウィンドウを開くディスプレイがありません (DISPLAY も WAYLAND_DISPLAY も設定されていません)。
画面なしで遊ぶには、スクリプトプレイヤーを使ってください: velune-tool run GAME_DIR [SCRIPT]
</translation>
    </message>
</context>
</TS>
