<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>check</name>
    <message>
        <source>an ignored line</source>
        <translation>無視される行</translation>
    </message>
    <message>
        <source>a picture line</source>
        <translation>画像行</translation>
    </message>
    <message>
        <source>an ending line</source>
        <translation>エンディング行</translation>
    </message>
    <message>
        <source>a restart line</source>
        <translation>リスタート行</translation>
    </message>
    <message>
        <source>a jump line</source>
        <translation>ジャンプ行</translation>
    </message>
    <message>
        <source>a gift prompt</source>
        <translation>プロンプト行</translation>
    </message>
    <message>
        <source>a page break</source>
        <translation>改ページ</translation>
    </message>
    <message>
        <source>story text</source>
        <translation>本文</translation>
    </message>
    <message>
        <source>a line</source>
        <translation>行</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (in &quot;%2&quot;)</source>
        <translation>&quot;%1&quot; (&quot;%2&quot; の一部)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; at character %2</source>
        <translation>%2 文字目の &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&quot;%1&quot; (in &quot;%2&quot;) at character %3</source>
        <translation>%3 文字目の &quot;%1&quot; (&quot;%2&quot; の一部)</translation>
    </message>
    <message>
        <source>(the name %1 has blanks around it; did you mean %2?)</source>
        <translation>(名前 %1 の前後に空白があります。%2 のまちがいではありませんか?)</translation>
    </message>
    <message>
        <source>(the name %1 has blanks around it)</source>
        <translation>(名前 %1 の前後に空白があります)</translation>
    </message>
    <message>
        <source>(did you mean %1?)</source>
        <translation>(%1 のまちがいではありませんか?)</translation>
    </message>
    <message>
        <source>the empty line %1 is never read: the scene leaves at the gift block on line %2</source>
        <translation>%1 行目の空行は一度も読まれません。ゲームは %2 行目のプレゼント分岐でこのシーンを抜けます</translation>
    </message>
    <message>
        <source>the empty line %1 is never read: the scene leaves at %2 on line %3</source>
        <translation>%1 行目の空行は一度も読まれません。ゲームは %3 行目の%2でこのシーンを抜けます</translation>
    </message>
    <message>
        <source>the empty lines %1 to %2 are never read: the scene leaves at the gift block on line %3</source>
        <translation>%1〜%2 行目の空行は一度も読まれません。ゲームは %3 行目のプレゼント分岐でこのシーンを抜けます</translation>
    </message>
    <message>
        <source>the empty lines %1 to %2 are never read: the scene leaves at %3 on line %4</source>
        <translation>%1〜%2 行目の空行は一度も読まれません。ゲームは %4 行目の%3でこのシーンを抜けます</translation>
    </message>
    <message>
        <source>line %1 is never read: the scene leaves at the gift block on line %2 (line %3 is longer than %4 bytes, too long for a story line)</source>
        <translation>%1 行目は一度も読まれません。ゲームは %2 行目のプレゼント分岐でこのシーンを抜けます (%3 行目は %4 バイトを超えていて、物語の 1 行としては長すぎます)</translation>
    </message>
    <message>
        <source>line %1 is never read: the scene leaves at %2 on line %3 (line %4 is longer than %5 bytes, too long for a story line)</source>
        <translation>%1 行目は一度も読まれません。ゲームは %3 行目の%2でこのシーンを抜けます (%4 行目は %5 バイトを超えていて、物語の 1 行としては長すぎます)</translation>
    </message>
    <message>
        <source>lines %1 to %2 are never read: the scene leaves at the gift block on line %3 (line %4 is longer than %5 bytes, too long for a story line)</source>
        <translation>%1〜%2 行目は一度も読まれません。ゲームは %3 行目のプレゼント分岐でこのシーンを抜けます (%4 行目は %5 バイトを超えていて、物語の 1 行としては長すぎます)</translation>
    </message>
    <message>
        <source>lines %1 to %2 are never read: the scene leaves at %3 on line %4 (line %5 is longer than %6 bytes, too long for a story line)</source>
        <translation>%1〜%2 行目は一度も読まれません。ゲームは %4 行目の%3でこのシーンを抜けます (%5 行目は %6 バイトを超えていて、物語の 1 行としては長すぎます)</translation>
    </message>
    <message>
        <source>line %1 is never read: the scene leaves at the gift block on line %2</source>
        <translation>%1 行目は一度も読まれません。ゲームは %2 行目のプレゼント分岐でこのシーンを抜けます</translation>
    </message>
    <message>
        <source>line %1 is never read: the scene leaves at %2 on line %3</source>
        <translation>%1 行目は一度も読まれません。ゲームは %3 行目の%2でこのシーンを抜けます</translation>
    </message>
    <message>
        <source>lines %1 to %2 are never read: the scene leaves at the gift block on line %3</source>
        <translation>%1〜%2 行目は一度も読まれません。ゲームは %3 行目のプレゼント分岐でこのシーンを抜けます</translation>
    </message>
    <message>
        <source>lines %1 to %2 are never read: the scene leaves at %3 on line %4</source>
        <translation>%1〜%2 行目は一度も読まれません。ゲームは %4 行目の%3でこのシーンを抜けます</translation>
    </message>
    <message>
        <source>this folder holds the scene files itself, as a dat/ folder does: give the folder above it, the game folder that holds dat/ and grf/</source>
        <translation>このフォルダには、dat/ フォルダのようにシーンファイルが直接入っています。1 つ上のフォルダ、つまり dat/ と grf/ の入ったゲームフォルダを指定してください</translation>
    </message>
    <message>
        <source>there is no dat/ folder here: give the game folder, the one that holds dat/ and grf/</source>
        <translation>ここには dat/ フォルダがありません。ゲームフォルダ (dat/ と grf/ の入ったフォルダ) を指定してください</translation>
    </message>
    <message>
        <source>the game looks for %1 and finds %2 only because it ignores letter case, for %3 lines: rename %2 to %1</source>
        <translation>ゲームは %1 を探しています。%2 が見つかるのは、大文字と小文字を区別しないからにすぎません (%3 行がこのファイルを指定しています)。%2 の名前を %1 に変えてください</translation>
    </message>
    <message>
        <source>the game looks for %1 and finds %2 only because it ignores letter case: rename %2 to %1</source>
        <translation>ゲームは %1 を探しています。%2 が見つかるのは、大文字と小文字を区別しないからにすぎません。%2 の名前を %1 に変えてください</translation>
    </message>
    <message>
        <source>scene 00 does not exist: every game starts with it, so the game stops with an error at once</source>
        <translation>最初のシーン 00 がありません。ゲームは必ずこのシーンから始まるため、すぐにエラーで止まります</translation>
    </message>
    <message>
        <source>the gift list does not exist: the game stops with an error at the start of every game</source>
        <translation>プレゼントリストがありません。ゲームは始めるたびに、最初にエラーで止まります</translation>
    </message>
    <message>
        <source>the gift list cannot be read (%1): the game stops with an error at the start of every game</source>
        <translation>プレゼントリストを読めません (%1)。ゲームは始めるたびに、最初にエラーで止まります</translation>
    </message>
    <message>
        <source>this line is longer than %1 bytes, too long for a story line: the game stops with an error at the start of every game, when it reads the gift list</source>
        <translation>この行は %1 バイトを超えていて、物語の 1 行としては長すぎます。ゲームは始めるたびに、プレゼントリストを読むところでエラーで止まります</translation>
    </message>
    <message>
        <source>the gift list is empty: the player has nothing to give</source>
        <translation>プレゼントリストが空です。プレイヤーが渡せるプレゼントがありません</translation>
    </message>
    <message>
        <source>this empty line becomes an empty entry of the gift list; remove it</source>
        <translation>この空行はプレゼントリストの空の項目になります。この行を消してください</translation>
    </message>
    <message>
        <source>no gift prompt can ask for %1: the line %2 is read as %3, because %4 is tested before a prompt</source>
        <translation>%1 を求めるプロンプト行は書けません。行 %2 は、プロンプト行より先に %4 が判定されるため、%3として読まれます</translation>
    </message>
    <message>
        <source>%1 is on the list again (first on line %2): it can be given twice, and either entry is right where it is wanted</source>
        <translation>%1 がリストにもう一度出てきます (最初は %2 行目)。2 回渡すことができ、求められている場面ではどちらの項目も正しいプレゼントになります</translation>
    </message>
    <message>
        <source>the tune does not exist: the game plays without music</source>
        <translation>BGM がありません。ゲームは音楽なしで進みます</translation>
    </message>
    <message>
        <source>the tune cannot be read (%1): the game plays without music</source>
        <translation>BGM を読めません (%1)。ゲームは音楽なしで進みます</translation>
    </message>
    <message>
        <source>the tune is not a Standard MIDI File (format 0 or 1): the game plays without music</source>
        <translation>BGM が Standard MIDI File (フォーマット 0 または 1) ではありません。ゲームは音楽なしで進みます</translation>
    </message>
    <message>
        <source>the scene file cannot be read (%1): the game stops with an error when it opens it</source>
        <translation>シーンファイルを読めません (%1)。ゲームはこのファイルを開くときにエラーで止まります</translation>
    </message>
    <message>
        <source>no jump, gift block or ending line leads to this scene from 00: no play ever shows it</source>
        <translation>00 からこのシーンに進むジャンプ行、プレゼント分岐、エンディング行がありません。どのプレイでもこのシーンは表示されません</translation>
    </message>
    <message>
        <source>the scene file is empty: the game stops with an error when it reads its first line</source>
        <translation>シーンファイルが空です。ゲームは 1 行目を読むときにエラーで止まります</translation>
    </message>
    <message>
        <source>the file ends right after a picture line: the game reads past the end and stops with an error; end the scene with a jump, an ending line, a restart or a gift block</source>
        <translation>ファイルが画像行の直後で終わっています。ゲームはファイルの終わりを越えて読もうとしてエラーで止まります。シーンの最後はジャンプ行、エンディング行、リスタート行、プレゼント分岐のどれかにしてください</translation>
    </message>
    <message>
        <source>the file ends right after an ignored line: the game reads past the end and stops with an error; end the scene with a jump, an ending line, a restart or a gift block</source>
        <translation>ファイルが無視される行の直後で終わっています。ゲームはファイルの終わりを越えて読もうとしてエラーで止まります。シーンの最後はジャンプ行、エンディング行、リスタート行、プレゼント分岐のどれかにしてください</translation>
    </message>
    <message>
        <source>a picture line %1 is shorter than five characters: the game stops with an error here; the name starts at the sixth character, as in &quot;&gt;img&gt;town&quot;</source>
        <translation>画像行 %1 が 5 文字に足りません。ゲームはここでエラーで止まります。名前は &quot;&gt;img&gt;town&quot; のように 6 文字目から書きます</translation>
    </message>
    <message>
        <source>a jump line %1 is shorter than five characters: the game stops with an error here; the name starts at the sixth character, as in &quot;&gt;ive&gt;10&quot;</source>
        <translation>ジャンプ行 %1 が 5 文字に足りません。ゲームはここでエラーで止まります。名前は &quot;&gt;ive&gt;10&quot; のように 6 文字目から書きます</translation>
    </message>
    <message>
        <source>the scene ends on a page break: the game shows the continue mark and stands still for good; end the scene with a jump, an ending line, a restart or a gift block</source>
        <translation>シーンが改ページで終わっています。ゲームは ▼ マークを出したまま、いつまでも先へ進みません。シーンの最後はジャンプ行、エンディング行、リスタート行、プレゼント分岐のどれかにしてください</translation>
    </message>
    <message>
        <source>the scene ends on story text: the game shows the continue mark and stands still for good; end the scene with a jump, an ending line, a restart or a gift block</source>
        <translation>シーンが本文で終わっています。ゲームは ▼ マークを出したまま、いつまでも先へ進みません。シーンの最後はジャンプ行、エンディング行、リスタート行、プレゼント分岐のどれかにしてください</translation>
    </message>
    <message>
        <source>this line is longer than %1 bytes, too long for a story line: the game stops with an error when it reads it</source>
        <translation>この行は %1 バイトを超えていて、物語の 1 行としては長すぎます。ゲームはこの行を読むときにエラーで止まります</translation>
    </message>
    <message>
        <source>this line of the gift block on line %1 is longer than %2 bytes, too long for a story line: the game stops with an error when it reads it, at every answer</source>
        <translation>%1 行目のプレゼント分岐のこの行は %2 バイトを超えていて、物語の 1 行としては長すぎます。どの答えのときも、ゲームはこの行を読むところでエラーで止まります</translation>
    </message>
    <message>
        <source>this line of the gift block on line %1 is longer than %2 bytes, too long for a story line: the game stops with an error when it reads it, after a wrong gift or the time-out</source>
        <translation>%1 行目のプレゼント分岐のこの行は %2 バイトを超えていて、物語の 1 行としては長すぎます。ほかのプレゼントを渡したときや時間切れのとき、ゲームはこの行を読むところでエラーで止まります</translation>
    </message>
    <message>
        <source>the gift block has %1 of the three lines it needs after the prompt (points, the scene after the right gift, the scene otherwise): the game reads past the end of the file and stops with an error at every answer</source>
        <translation>プレゼント分岐にはプロンプト行のあとに 3 行 (ポイント行、正しいプレゼントのあとのシーン、それ以外のときのシーン) が必要ですが、この分岐にあるのは %1 行です。どの答えのときも、ゲームはファイルの終わりを越えて読もうとしてエラーで止まります</translation>
    </message>
    <message>
        <source>the gift block has %1 of the three lines it needs after the prompt (points, the scene after the right gift, the scene otherwise): the game reads past the end of the file and stops with an error after a wrong gift or the time-out</source>
        <translation>プレゼント分岐にはプロンプト行のあとに 3 行 (ポイント行、正しいプレゼントのあとのシーン、それ以外のときのシーン) が必要ですが、この分岐にあるのは %1 行です。ほかのプレゼントを渡したときや時間切れのとき、ゲームはファイルの終わりを越えて読もうとしてエラーで止まります</translation>
    </message>
    <message>
        <source>the present %1 is not in %2, so it can never be given right: every answer leads to %3</source>
        <translation>プレゼント %1 は %2 にないため、正しいプレゼントとして渡すことができません。どの答えでも %3 に進みます</translation>
    </message>
    <message>
        <source>the present %1 is not in %2, so it can never be given right</source>
        <translation>プレゼント %1 は %2 にないため、正しいプレゼントとして渡すことができません</translation>
    </message>
    <message>
        <source>(a page break is written &quot;-p&quot;)</source>
        <translation>(改ページは &quot;-p&quot; と書きます)</translation>
    </message>
    <message>
        <source>(did you mean %1, on %2:%3? The names must match exactly)</source>
        <translation>(%2:%3 の %1 のまちがいではありませんか? 名前は完全に一致していなければなりません)</translation>
    </message>
    <message>
        <source>the picture name %1 does not name a file in the game folder: the game keeps the picture it shows</source>
        <translation>画像名 %1 はゲームフォルダの中のファイルを指していません。ゲームは今表示している画像をそのまま残します</translation>
    </message>
    <message>
        <source>the picture %1 does not exist: the game keeps the picture it shows</source>
        <translation>画像 %1 がありません。ゲームは今表示している画像をそのまま残します</translation>
    </message>
    <message>
        <source>%1 is a PNG picture: Velune shows it, but the original Windows game reads only BMP, JPEG and GIF pictures</source>
        <translation>%1 は PNG 画像です。Velune では表示されますが、元の Windows 版のゲームが読めるのは BMP、JPEG、GIF の画像だけです</translation>
    </message>
    <message>
        <source>%1 is not a picture the game can show (a BMP, JPEG or GIF file): the game keeps the picture it shows</source>
        <translation>%1 はゲームが表示できる画像 (BMP、JPEG、GIF のファイル) ではありません。ゲームは今表示している画像をそのまま残します</translation>
    </message>
    <message>
        <source>the jump line opens %1, which does not name a file in the game folder: the game stops with an error here</source>
        <translation>ジャンプ行が開くシーン名 %1 は、ゲームフォルダの中のファイルを指していません。ゲームはここでエラーで止まります</translation>
    </message>
    <message>
        <source>the right gift opens %1, which does not name a file in the game folder: the game stops with an error here</source>
        <translation>正しいプレゼントのときに開くシーン名 %1 は、ゲームフォルダの中のファイルを指していません。ゲームはここでエラーで止まります</translation>
    </message>
    <message>
        <source>a wrong gift or the time-out opens %1, which does not name a file in the game folder: the game stops with an error here</source>
        <translation>ほかのプレゼントや時間切れのときに開くシーン名 %1 は、ゲームフォルダの中のファイルを指していません。ゲームはここでエラーで止まります</translation>
    </message>
    <message>
        <source>the jump line opens an empty scene name, that is the file %1, which does not exist: the game stops with an error here</source>
        <translation>ジャンプ行が開くシーン名が空です。これはファイル %1 を指しますが、このファイルはありません。ゲームはここでエラーで止まります</translation>
    </message>
    <message>
        <source>the right gift opens an empty scene name, that is the file %1, which does not exist: the game stops with an error here</source>
        <translation>正しいプレゼントのときに開くシーン名が空です。これはファイル %1 を指しますが、このファイルはありません。ゲームはここでエラーで止まります</translation>
    </message>
    <message>
        <source>a wrong gift or the time-out opens an empty scene name, that is the file %1, which does not exist: the game stops with an error here</source>
        <translation>ほかのプレゼントや時間切れのときに開くシーン名が空です。これはファイル %1 を指しますが、このファイルはありません。ゲームはここでエラーで止まります</translation>
    </message>
    <message>
        <source>the jump line opens the scene %1, but %2 does not exist: the game stops with an error here</source>
        <translation>ジャンプ行はシーン %1 を開きますが、%2 がありません。ゲームはここでエラーで止まります</translation>
    </message>
    <message>
        <source>the right gift opens the scene %1, but %2 does not exist: the game stops with an error here</source>
        <translation>正しいプレゼントのときはシーン %1 を開きますが、%2 がありません。ゲームはここでエラーで止まります</translation>
    </message>
    <message>
        <source>a wrong gift or the time-out opens the scene %1, but %2 does not exist: the game stops with an error here</source>
        <translation>ほかのプレゼントや時間切れのときはシーン %1 を開きますが、%2 がありません。ゲームはここでエラーで止まります</translation>
    </message>
    <message>
        <source>the jump line opens an empty scene name, that is the file %1</source>
        <translation>ジャンプ行が開くシーン名が空です。これはファイル %1 を指します</translation>
    </message>
    <message>
        <source>the right gift opens an empty scene name, that is the file %1</source>
        <translation>正しいプレゼントのときに開くシーン名が空です。これはファイル %1 を指します</translation>
    </message>
    <message>
        <source>a wrong gift or the time-out opens an empty scene name, that is the file %1</source>
        <translation>ほかのプレゼントや時間切れのときに開くシーン名が空です。これはファイル %1 を指します</translation>
    </message>
</context>
<context>
    <name>findings</name>
    <message>
        <source>error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>note</source>
        <translation>備考</translation>
    </message>
    <message>
        <source>%1 error, %2 warning, %3 note</source>
        <translation>エラー %1 件、警告 %2 件、備考 %3 件</translation>
    </message>
    <message>
        <source>%1 error, %2 warning, %3 notes</source>
        <translation>エラー %1 件、警告 %2 件、備考 %3 件</translation>
    </message>
    <message>
        <source>%1 error, %2 warnings, %3 note</source>
        <translation>エラー %1 件、警告 %2 件、備考 %3 件</translation>
    </message>
    <message>
        <source>%1 error, %2 warnings, %3 notes</source>
        <translation>エラー %1 件、警告 %2 件、備考 %3 件</translation>
    </message>
    <message>
        <source>%1 errors, %2 warning, %3 note</source>
        <translation>エラー %1 件、警告 %2 件、備考 %3 件</translation>
    </message>
    <message>
        <source>%1 errors, %2 warning, %3 notes</source>
        <translation>エラー %1 件、警告 %2 件、備考 %3 件</translation>
    </message>
    <message>
        <source>%1 errors, %2 warnings, %3 note</source>
        <translation>エラー %1 件、警告 %2 件、備考 %3 件</translation>
    </message>
    <message>
        <source>%1 errors, %2 warnings, %3 notes</source>
        <translation>エラー %1 件、警告 %2 件、備考 %3 件</translation>
    </message>
</context>
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
