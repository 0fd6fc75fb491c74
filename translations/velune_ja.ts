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
        <source>the empty line %1 is never read: the scene leaves at %2 on line %3</source>
        <translation>%1 行目の空行は一度も読まれません。ゲームは %3 行目の%2でこのシーンを抜けます</translation>
    </message>
    <message>
        <source>the empty lines %1 to %2 are never read: the scene leaves at %3 on line %4</source>
        <translation>%1〜%2 行目の空行は一度も読まれません。ゲームは %4 行目の%3でこのシーンを抜けます</translation>
    </message>
    <message>
        <source>line %1 is never read: the scene leaves at %2 on line %3</source>
        <translation>%1 行目は一度も読まれません。ゲームは %3 行目の%2でこのシーンを抜けます</translation>
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
    <message>
        <source>no play reaches %1: %2</source>
        <translation>%1 に行き着くプレイはありません: %2</translation>
    </message>
    <message>
        <source>%1 is reached with %2 love points without any gift prompt</source>
        <translation>%1 には好感度 %2 で、プロンプトを一度も通らずに行き着きます</translation>
    </message>
    <message>
        <source>%1 is reached with %2 love points without any gift prompt (maybe not the shortest way: the search of all plays stopped at its limit)</source>
        <translation>%1 には好感度 %2 で、プロンプトを一度も通らずに行き着きます (最短の道筋とは限りません: 全プレイの探索が上限で止まりました)</translation>
    </message>
    <message>
        <source>%1 is reached with %2 love points by: %3</source>
        <translation>%1 には好感度 %2 で行き着きます。道筋: %3</translation>
    </message>
    <message>
        <source>%1 is reached with %2 love points by: %3 (maybe not the shortest way: the search of all plays stopped at its limit)</source>
        <translation>%1 には好感度 %2 で行き着きます。道筋: %3 (最短の道筋とは限りません: 全プレイの探索が上限で止まりました)</translation>
    </message>
    <message>
        <source>with %1 love points the ending line opens %2, but %3 does not exist: the game stops with an error here</source>
        <translation>好感度 %1 ではエンディング行が %2 を開きますが、%3 がありません: ゲームはここでエラーで止まります</translation>
    </message>
    <message>
        <source>no play reaches this scene: the scenes that lead here are never reached themselves</source>
        <translation>このシーンに行き着くプレイはありません: ここへつながるシーンにも、どのプレイも行き着きません</translation>
    </message>
    <message>
        <source>no play reaches this scene: only the right gift at %1:%2 leads here, and no play can give %3 there</source>
        <translation>このシーンに行き着くプレイはありません: ここへつながるのは %1:%2 の正しいプレゼントだけですが、そこで %3 を渡せるプレイはありません</translation>
    </message>
    <message>
        <source>no play can give %1 right here: every play that gets here has given it away before</source>
        <translation>ここで正しいプレゼント %1 を渡せるプレイはありません: ここに来るまでに、どのプレイもそれを渡してしまっています</translation>
    </message>
    <message>
        <source>no play can give %1 right here: every play that gets here has given all its %2 entries away before</source>
        <translation>ここで正しいプレゼント %1 を渡せるプレイはありません: ここに来るまでに、どのプレイもその %2 個の項目をすべて渡してしまっています</translation>
    </message>
    <message>
        <source>no play reaches an ending line, nor a line that names %1</source>
        <translation>エンディング行にも、%1 を指定する行にも行き着くプレイはありません</translation>
    </message>
    <message>
        <source>no play reaches an ending line</source>
        <translation>エンディング行に行き着くプレイはありません</translation>
    </message>
    <message>
        <source>%1 needs %2 love points; the most any play collects before an ending line is %3</source>
        <translation>%1 には好感度 %2 以上が必要ですが、エンディング行までに集められる好感度は最大で %3 です</translation>
    </message>
    <message>
        <source>%1 needs fewer than %2 love points; the fewest any play has at an ending line is %3</source>
        <translation>%1 には好感度 %2 未満が必要ですが、エンディング行での好感度は最小でも %3 です</translation>
    </message>
    <message>
        <source>%1 needs %2 to %3 love points; the most any play collects before an ending line is %4</source>
        <translation>%1 には好感度 %2〜%3 が必要ですが、エンディング行までに集められる好感度は最大で %4 です</translation>
    </message>
    <message>
        <source>%1 needs %2 to %3 love points; the fewest any play has at an ending line is %4</source>
        <translation>%1 には好感度 %2〜%3 が必要ですが、エンディング行での好感度は最小でも %4 です</translation>
    </message>
    <message>
        <source>%1 needs %2 to %3 love points; plays reach an ending line with %4 or %5 love points, and nothing between</source>
        <translation>%1 には好感度 %2〜%3 が必要ですが、エンディング行での好感度は %4 か %5 で、その間になるプレイはありません</translation>
    </message>
    <message>
        <source>%1 time-out</source>
        <translation>%1 時間切れ</translation>
    </message>
    <message>
        <source>a time-out at each of the %1 prompts</source>
        <translation>%1 か所のプロンプトすべてで時間切れ</translation>
    </message>
    <message>
        <source>%1, and a time-out at each of the %2 other prompts</source>
        <translation>%1、ほかの %2 か所のプロンプトすべてで時間切れ</translation>
    </message>
    <message>
        <source>the search of all plays stopped at its limit before it found one that reaches %1, so it may still be reachable</source>
        <translation>全プレイの探索が、%1 に行き着くプレイを見つける前に上限で止まりました。まだ行き着ける可能性があります</translation>
    </message>
    <message>
        <source>%1 (even if every item could be given again and again; the search of all plays stopped at its limit)</source>
        <translation>%1 (どの品物も何度でも渡せるとしても同じです。全プレイの探索は上限で止まりました)</translation>
    </message>
    <message>
        <source>the page that goes on from the scene before does not fit the story text box: its lines wrap to more rows than the box shows, and the game cuts off its last lines and the ▼ mark; start a new page sooner with &quot;-p&quot; or shorten the lines</source>
        <translation>前のシーンから続くページが本文の枠に収まりません: 行が折り返されて枠に表示できる行数を超えるため、ゲームは最後の行と ▼ マークを切り捨てます。&quot;-p&quot; でもっと早く改ページするか、行を短くしてください</translation>
    </message>
    <message>
        <source>this page does not fit the story text box: its lines wrap to more rows than the box shows, and the game cuts off its last lines and the ▼ mark; start a new page sooner with &quot;-p&quot; or shorten the lines</source>
        <translation>このページが本文の枠に収まりません: 行が折り返されて枠に表示できる行数を超えるため、ゲームは最後の行と ▼ マークを切り捨てます。&quot;-p&quot; でもっと早く改ページするか、行を短くしてください</translation>
    </message>
    <message>
        <source>the page begun on line %1 does not fit the story text box: its lines wrap to more rows than the box shows, and the game cuts off its last lines and the ▼ mark; start a new page sooner with &quot;-p&quot; or shorten the lines</source>
        <translation>%1 行目から始まるページが本文の枠に収まりません: 行が折り返されて枠に表示できる行数を超えるため、ゲームは最後の行と ▼ マークを切り捨てます。&quot;-p&quot; でもっと早く改ページするか、行を短くしてください</translation>
    </message>
    <message>
        <source>the gift prompt &quot;%1&quot; falls below the story text box, under the lines of its page: the player never sees that a gift is wanted; start a new page with &quot;-p&quot; before the prompt or write fewer lines on its page</source>
        <translation>プレゼントのプロンプト &quot;%1&quot; が、そのページの行の下で本文の枠からはみ出します: プレイヤーにはプレゼントを求められていることがわかりません。プロンプトの前に &quot;-p&quot; で改ページするか、そのページの行を減らしてください</translation>
    </message>
    <message>
        <source>it is skipped and never shown</source>
        <translation>この行は読み飛ばされ、表示されません</translation>
    </message>
    <message>
        <source>it is not shown, and the game looks for the picture %1 instead</source>
        <translation>この行は表示されず、ゲームは代わりに画像 %1 を探します</translation>
    </message>
    <message>
        <source>the game goes to an ending here</source>
        <translation>ゲームはここでエンディングに進みます</translation>
    </message>
    <message>
        <source>the game starts over here</source>
        <translation>ゲームはここで最初からやり直します</translation>
    </message>
    <message>
        <source>the game stops with an error here (the line is too short for a jump)</source>
        <translation>ゲームはここでエラーで止まります (ジャンプ行としては短すぎます)</translation>
    </message>
    <message>
        <source>the game jumps to the scene %1 here</source>
        <translation>ゲームはここでシーン %1 にジャンプします</translation>
    </message>
    <message>
        <source>the game asks for the present %1 here</source>
        <translation>ゲームはここでプレゼント %1 を求めます</translation>
    </message>
    <message>
        <source>it is not shown, and the page ends here</source>
        <translation>この行は表示されず、ここで改ページされます</translation>
    </message>
    <message>
        <source>it is shown as story text</source>
        <translation>この行は本文として表示されます</translation>
    </message>
    <message>
        <source>a jump line to %1</source>
        <translation>%1 へのジャンプ行</translation>
    </message>
    <message>
        <source>a picture line for %1</source>
        <translation>画像 %1 の画像行</translation>
    </message>
    <message>
        <source>a gift prompt for %1</source>
        <translation>プレゼント %1 のプロンプト行</translation>
    </message>
    <message>
        <source>an ignored line %1</source>
        <translation>無視される行 %1</translation>
    </message>
    <message>
        <source>an ending line %1</source>
        <translation>エンディング行 %1</translation>
    </message>
    <message>
        <source>a restart line %1</source>
        <translation>リスタート行 %1</translation>
    </message>
    <message>
        <source>a page break %1</source>
        <translation>改ページ %1</translation>
    </message>
    <message>
        <source>story text %1</source>
        <translation>本文 %1</translation>
    </message>
    <message>
        <source>the points line %1 is written with full-width digits, which the game does not take for a number: it reads %2; write %3</source>
        <translation>ポイント行 %1 は全角数字で書かれていますが、ゲームは全角数字を数として読みません: %2 と読まれます。%3 と書いてください</translation>
    </message>
    <message>
        <source>the points line %1 is not a plain whole number: the game reads it as %2 and rounds the love points to a whole number (halves to the even one)</source>
        <translation>ポイント行 %1 は普通の整数ではありません: ゲームはこれを %2 と読み、好感度を整数に丸めます (ちょうど半分のときは偶数の側へ)</translation>
    </message>
    <message>
        <source>the points line %1 is not a plain whole number: the game reads it as %2</source>
        <translation>ポイント行 %1 は普通の整数ではありません: ゲームはこれを %2 と読みます</translation>
    </message>
    <message>
        <source>this file is saved as UTF-16 (Notepad&apos;s &quot;Unicode&quot;), which the game cannot read: it sees none of its lines as written; save it as Shift-JIS or as UTF-8 with a byte-order mark, which Notepad calls &quot;ANSI&quot; on a Japanese Windows and &quot;UTF-8 with BOM&quot;</source>
        <translation>このファイルは UTF-16 (メモ帳の「Unicode」) で保存されていて、ゲームには読めません: どの行も書かれたとおりには読まれません。Shift-JIS か BOM 付き UTF-8 で保存してください (日本語版 Windows のメモ帳では「ANSI」と「UTF-8 (BOM 付き)」です)</translation>
    </message>
    <message>
        <source>this file looks like UTF-8 without a byte-order mark: the game reads it as code page 932 (Shift-JIS) and shows garbled text; save it as Shift-JIS, or as UTF-8 with a byte-order mark</source>
        <translation>このファイルは BOM なしの UTF-8 のようです: ゲームはコードページ 932 (Shift-JIS) として読むため、文字化けして表示されます。Shift-JIS か BOM 付き UTF-8 で保存してください</translation>
    </message>
    <message>
        <source>this line holds bytes that are not UTF-8: the game shows them as � (%1); save the file as Shift-JIS, or as UTF-8 with a byte-order mark</source>
        <translation>この行には UTF-8 ではないバイトがあります: ゲームはそれを � と表示します (%1)。ファイルを Shift-JIS か BOM 付き UTF-8 で保存してください</translation>
    </message>
    <message>
        <source>this line holds bytes that code page 932 cannot decode: the game shows them as � (%1); save the file as Shift-JIS, or as UTF-8 with a byte-order mark</source>
        <translation>この行にはコードページ 932 として読めないバイトがあります: ゲームはそれを � と表示します (%1)。ファイルを Shift-JIS か BOM 付き UTF-8 で保存してください</translation>
    </message>
    <message>
        <source>the story line %1 is read as %2, because of %3: %4</source>
        <translation>本文の行 %1 は、%3 があるため%2として読まれます: %4</translation>
    </message>
    <message>
        <source>%1 is read as %2, because %3 is tested before a prompt: %4</source>
        <translation>%3 がプロンプトより先に調べられるため、%1 は%2として読まれます: %4</translation>
    </message>
    <message>
        <source>%1 is read as %2, because %3 is tested before &quot;%4&quot;: %5</source>
        <translation>%3 が &quot;%4&quot; より先に調べられるため、%1 は%2として読まれます: %5</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>the search of all plays stopped after %1 states (its limit): endings and scenes it did not find may still be reachable</source>
        <translation>全プレイの探索は %1 状態 (上限) で止まりました。見つからなかったエンディングやシーンにも、行き着くプレイがあるかもしれません</translation>
    </message>
    <message>
        <source>the gift block</source>
        <translation>プレゼント分岐</translation>
    </message>
    <message>
        <source>%1 (line %2 is longer than %3 bytes, too long for a story line)</source>
        <translation>%1 (%2 行目は %3 バイトを超えていて、物語の 1 行としては長すぎます)</translation>
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
        <source>%1 error</source>
        <translation>エラー %1 件</translation>
    </message>
    <message>
        <source>%1 errors</source>
        <translation>エラー %1 件</translation>
    </message>
    <message>
        <source>%1 warning</source>
        <translation>警告 %1 件</translation>
    </message>
    <message>
        <source>%1 warnings</source>
        <translation>警告 %1 件</translation>
    </message>
    <message>
        <source>%1 note</source>
        <translation>備考 %1 件</translation>
    </message>
    <message>
        <source>%1 notes</source>
        <translation>備考 %1 件</translation>
    </message>
    <message>
        <source>%1, %2, %3</source>
        <translation>%1、%2、%3</translation>
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
        <translation>%1 (%2で指定)</translation>
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
    <name>lsp</name>
    <message>
        <source>`end1` opens with fewer than %1 love points.</source>
        <translation>好感度が %1 未満なら `end1` が開きます。</translation>
    </message>
    <message>
        <source>`end2` opens with %1 to %2 love points.</source>
        <translation>好感度が %1 から %2 なら `end2` が開きます。</translation>
    </message>
    <message>
        <source>`end3` opens with %1 love points or more.</source>
        <translation>好感度が %1 以上なら `end3` が開きます。</translation>
    </message>
    <message>
        <source>No game can start, so no play reaches it.</source>
        <translation>ゲームを始められないので、どのプレイも行き着きません。</translation>
    </message>
    <message>
        <source>Some play reaches it with %1 love points.</source>
        <translation>好感度 %1 で行き着くプレイがあります。</translation>
    </message>
    <message>
        <source>The search of all plays stopped before it found a play that reaches it.</source>
        <translation>行き着くプレイが見つかる前に、全プレイの探索が止まりました。</translation>
    </message>
    <message>
        <source>No play reaches it.</source>
        <translation>どのプレイも行き着きません。</translation>
    </message>
    <message>
        <source>(no scene line)</source>
        <translation>(シーンの行がありません)</translation>
    </message>
    <message>
        <source>**Gift prompt**: she wants &quot;%1&quot;.</source>
        <translation>**プロンプト行**: 彼女がほしいのは「%1」です。</translation>
    </message>
    <message>
        <source>The right gift adds %1 love points and opens scene %2.</source>
        <translation>正しいプレゼントで好感度が %1 増え、シーン %2 が開きます。</translation>
    </message>
    <message>
        <source>A wrong gift or the time running out opens scene %1.</source>
        <translation>ほかのプレゼントか時間切れでは、シーン %1 が開きます。</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not on the gift list.</source>
        <translation>「%1」はプレゼントリストにありません。</translation>
    </message>
    <message>
        <source>**Ending line**: the love points choose the ending.</source>
        <translation>**エンディング行**: 好感度でエンディングが決まります。</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1%2</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>%1 ページ目</translation>
    </message>
</context>
<context>
    <name>map</name>
    <message>
        <source>1 scene</source>
        <translation>シーン 1 個</translation>
    </message>
    <message>
        <source>%1 scenes</source>
        <translation>シーン %1 個</translation>
    </message>
    <message>
        <source>1 gift prompt</source>
        <translation>プロンプト 1 か所</translation>
    </message>
    <message>
        <source>%1 gift prompts</source>
        <translation>プロンプト %1 か所</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>%1, %2; endings reached: %3</source>
        <translation>%1、%2。行き着けるエンディング: %3</translation>
    </message>
    <message>
        <source>right gift</source>
        <translation>正しいプレゼント</translation>
    </message>
    <message>
        <source>wrong gift or time-out</source>
        <translation>ほかのプレゼントか時間切れ</translation>
    </message>
    <message>
        <source>ending by love points</source>
        <translation>好感度によるエンディング</translation>
    </message>
    <message>
        <source>jump</source>
        <translation>ジャンプ</translation>
    </message>
    <message>
        <source>restart</source>
        <translation>リスタート</translation>
    </message>
    <message>
        <source>grey, dashed: no play gets there</source>
        <translation>灰色の破線: どのプレイも行き着かない</translation>
    </message>
    <message>
        <source>red: an error</source>
        <translation>赤: エラー</translation>
    </message>
    <message>
        <source>nothing leads here from 00</source>
        <translation>00 からつながっていないシーン</translation>
    </message>
    <message>
        <source>missing file</source>
        <translation>ファイルがない</translation>
    </message>
    <message>
        <source>picture: %1</source>
        <translation>画像: %1</translation>
    </message>
    <message>
        <source>no play gets here</source>
        <translation>どのプレイも行き着かない</translation>
    </message>
    <message>
        <source>new game</source>
        <translation>新しいゲーム</translation>
    </message>
    <message>
        <source>back to 00</source>
        <translation>00 に戻る</translation>
    </message>
    <message>
        <source>no such scene: %1</source>
        <translation>ないシーン: %1</translation>
    </message>
    <message>
        <source>(not on the list)</source>
        <translation>(リストにない)</translation>
    </message>
    <message>
        <source>(never given)</source>
        <translation>(渡されることがない)</translation>
    </message>
    <message>
        <source>wrong /&lt;br/&gt;time-out</source>
        <translation>ほかのプレゼント /&lt;br/&gt;時間切れ</translation>
    </message>
    <message>
        <source>stands still for good</source>
        <translation>ここで止まったまま</translation>
    </message>
    <message>
        <source>error: reads past the end</source>
        <translation>エラー: 終わりを越えて読む</translation>
    </message>
    <message>
        <source>error: line too short</source>
        <translation>エラー: 行が短すぎる</translation>
    </message>
    <message>
        <source>error: line too long</source>
        <translation>エラー: 行が長すぎる</translation>
    </message>
    <message>
        <source>error: gift block cut short</source>
        <translation>エラー: プレゼント分岐が途中で切れている</translation>
    </message>
</context>
<context>
    <name>run</name>
    <message>
        <source>expected &quot;%1&quot;</source>
        <translation>&quot;%1&quot; の形で書いてください</translation>
    </message>
    <message>
        <source>wait takes a whole number of milliseconds, 0 or more</source>
        <translation>wait には 0 以上の整数 (ミリ秒) を書いてください</translation>
    </message>
    <message>
        <source>wait is too long</source>
        <translation>wait の時間が長すぎます</translation>
    </message>
    <message>
        <source>click takes left, right or middle</source>
        <translation>click には left、right、middle のどれかを書いてください</translation>
    </message>
    <message>
        <source>select takes an entry number, 0 or more</source>
        <translation>select には 0 以上の項目番号を書いてください</translation>
    </message>
    <message>
        <source>unknown action &quot;%1&quot; (wait, click, select, give, about, show, close)</source>
        <translation>&quot;%1&quot; という操作はありません (使えるのは wait、click、select、give、about、show、close です)</translation>
    </message>
    <message>
        <source>the waits add up to too long a time</source>
        <translation>wait の時間の合計が長すぎます</translation>
    </message>
    <message>
        <source>script line %1: %2</source>
        <translation>スクリプトの %1 行目: %2</translation>
    </message>
    <message>
        <source>cannot read the script %1: %2</source>
        <translation>スクリプト %1 を読めません: %2</translation>
    </message>
    <message>
        <source>script line %1: select %2: the gift list has %3 entries at this moment</source>
        <translation>スクリプトの %1 行目: select %2: このときのプレゼントリストの項目は %3 個です</translation>
    </message>
</context>
<context>
    <name>tool</name>
    <message>
        <source>velune-tool: tools for Velune story authors</source>
        <translation>velune-tool: Velune のストーリー作者のためのツール</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>使い方</translation>
    </message>
    <message>
        <source>OPTIONS</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>SUBCOMMAND</source>
        <translation>コマンド</translation>
    </message>
    <message>
        <source>SUBCOMMANDS</source>
        <translation>コマンド...</translation>
    </message>
    <message>
        <source>Positionals</source>
        <translation>引数</translation>
    </message>
    <message>
        <source>REQUIRED</source>
        <translation>必須</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>文字列</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Subcommands</source>
        <translation>コマンド</translation>
    </message>
    <message>
        <source>Print this help message and exit</source>
        <translation>このヘルプを表示して終了します</translation>
    </message>
    <message>
        <source>Display program version information and exit</source>
        <translation>バージョン情報を表示して終了します</translation>
    </message>
    <message>
        <source>Print the help of velune-tool, or of COMMAND</source>
        <translation>velune-tool のヘルプ、または COMMAND のヘルプを表示します</translation>
    </message>
    <message>
        <source>The command to explain</source>
        <translation>説明するコマンド</translation>
    </message>
    <message>
        <source>a command is required</source>
        <translation>コマンドを指定してください</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot;</source>
        <translation>&quot;%1&quot; というコマンドはありません</translation>
    </message>
    <message>
        <source>Run %1 --help for more information.</source>
        <translation>くわしくは %1 --help を実行してください。</translation>
    </message>
    <message>
        <source>Graphviz is not installed (no program &quot;dot&quot; on the PATH), so the map cannot be drawn as %1; install the graphviz package, or leave out -o to print the map as DOT text</source>
        <translation>Graphviz がインストールされていない (PATH に &quot;dot&quot; プログラムがない) ため、マップを %1 で描けません。graphviz パッケージをインストールするか、-o を付けずにマップを DOT のテキストとして出力してください</translation>
    </message>
    <message>
        <source>Graphviz could not draw the map into %1 (dot exited with status %2)</source>
        <translation>Graphviz はマップを %1 に描けませんでした (dot の終了ステータスは %2)</translation>
    </message>
    <message>
        <source>%1: no such game folder</source>
        <translation>%1: ゲームフォルダがありません</translation>
    </message>
    <message>
        <source>%1: the output file must end in .svg, .png, .pdf or .dot</source>
        <translation>%1: 出力ファイルの名前は .svg、.png、.pdf、.dot のどれかで終わらなければなりません</translation>
    </message>
    <message>
        <source>cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>%1; run &quot;velune-tool check %2&quot; for every finding</source>
        <translation>%1。すべての指摘を見るには &quot;velune-tool check %2&quot; を実行してください</translation>
    </message>
    <message>
        <source>The game folder (holds dat/ and grf/)</source>
        <translation>ゲームフォルダ (dat/ と grf/ があるフォルダ)</translation>
    </message>
    <message>
        <source>Play a game folder headlessly from a script of player actions</source>
        <translation>プレイヤーの操作を書いたスクリプトに従い、ウィンドウを開かずにゲームフォルダをプレイします</translation>
    </message>
    <message>
        <source>Also print every music command as it is sent</source>
        <translation>音楽のコマンドも、送るたびにすべて出力します</translation>
    </message>
    <message>
        <source>The script of player actions; - or none reads standard input</source>
        <translation>プレイヤーの操作を書いたスクリプト。- を指定するか省略すると、標準入力から読みます</translation>
    </message>
    <message>
        <source>Check a story for mistakes, the way the game will read it (exit 1 on an error, or on a warning with --strict)</source>
        <translation>ゲームが読むとおりにストーリーを読み、まちがいを調べます (エラーがあれば終了コード 1、--strict のときは警告でも 1)</translation>
    </message>
    <message>
        <source>Write the findings as JSON lines</source>
        <translation>指摘を JSON Lines 形式で出力します</translation>
    </message>
    <message>
        <source>Fail (exit 1) on a warning too, not only on an error</source>
        <translation>エラーだけでなく警告でも失敗 (終了コード 1) にします</translation>
    </message>
    <message>
        <source>How many states the search of all plays may visit before it stops</source>
        <translation>全プレイの探索が止まるまでにたどってよい状態の数</translation>
    </message>
    <message>
        <source>UINT:POSITIVE</source>
        <translation>正の整数</translation>
    </message>
    <message>
        <source>Draw the story as a graph (Graphviz DOT)</source>
        <translation>ストーリーマップをグラフとして描きます (Graphviz DOT)</translation>
    </message>
    <message>
        <source>Draw into this file (.svg, .png, .pdf through Graphviz, or .dot); without it the DOT text goes to standard output</source>
        <translation>このファイルに描きます (.svg、.png、.pdf は Graphviz で描画、.dot はそのまま)。省略すると DOT のテキストを標準出力に書きます</translation>
    </message>
    <message>
        <source>Open the game window on a story folder, to preview it</source>
        <translation>ストーリーのフォルダでゲームウィンドウを開き、プレビューします</translation>
    </message>
    <message>
        <source>unexpected failure: %1</source>
        <translation>思いがけない失敗: %1</translation>
    </message>
    <message>
        <source>cannot run %1: %2</source>
        <translation>%1 を実行できません: %2</translation>
    </message>
    <message>
        <source>lost track of %1</source>
        <translation>%1 の終了を確かめられなくなりました</translation>
    </message>
    <message>
        <source>%1 was stopped by a signal</source>
        <translation>%1 はシグナルで止められました</translation>
    </message>
    <message>
        <source>cannot create a temporary file: %1</source>
        <translation>一時ファイルを作れません: %1</translation>
    </message>
    <message>
        <source>cannot write the temporary file %1</source>
        <translation>一時ファイル %1 に書き込めません</translation>
    </message>
    <message>
        <source>cannot run %1 (Windows error %2)</source>
        <translation>%1 を実行できません (Windows のエラー %2)</translation>
    </message>
    <message>
        <source>cannot create a temporary file (Windows error %1)</source>
        <translation>一時ファイルを作れません (Windows のエラー %1)</translation>
    </message>
    <message>
        <source>Start a new game at every save of the story: at the scene saved, or else at the scene shown; an error shows in the window</source>
        <translation>ストーリーを保存するたびに新しいゲームを始めます (保存したシーンから、ほかは表示中のシーンから)。エラーはウィンドウに表示します</translation>
    </message>
    <message>
        <source>Start the game at this scene in place of 00</source>
        <translation>00 ではなく、このシーンからゲームを始めます</translation>
    </message>
    <message>
        <source>SCENE</source>
        <translation>シーン</translation>
    </message>
    <message>
        <source>Start the game with this many love points (default 0)</source>
        <translation>この好感度でゲームを始めます (指定がなければ 0)</translation>
    </message>
    <message>
        <source>N</source>
        <translation>数</translation>
    </message>
    <message>
        <source>Serve the Language Server Protocol on standard input and output, so that an editor shows the checker&apos;s findings while a scene file is written</source>
        <translation>標準入出力で Language Server Protocol のサーバーになり、シーンファイルを書いているあいだ、チェッカーの指摘をエディタに表示させます</translation>
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
    <message>
        <source>velune-tool play: --watch is not available on Windows yet; play the story without it and open it again after a change.
</source>
        <translation>velune-tool play: --watch は Windows ではまだ使えません。--watch なしで遊び、変えたあとで開き直してください。
</translation>
    </message>
</context>
</TS>
