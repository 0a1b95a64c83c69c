<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>QObject</name>
    <message>
        <source>Sketch Studio did not end cleanly last time. Recover the sketch it was drawing?</source>
        <translation>Sketch Studio は前回正しく終了しませんでした。描いていたスケッチを復元しますか?</translation>
    </message>
    <message>
        <source>Left out:</source>
        <translation>除外した部分:</translation>
    </message>
    <message>
        <source>The journal is kept as %1; File &gt; Open Sketch opens it (Recovered journals).</source>
        <translation>記録は %1 として残してあります。[ファイル] &gt; [スケッチを開く] の「復元された記録」で開けます。</translation>
    </message>
    <message>
        <source>Recovered, but not all: %1</source>
        <translation>一部だけ復元しました: %1</translation>
    </message>
    <message>
        <source>Not all of the journal could be recovered:
%1</source>
        <translation>記録の一部を復元できませんでした:
%1</translation>
    </message>
    <message>
        <source>The sketch module cannot be loaded: %1</source>
        <translation>スケッチモジュールを読み込めません: %1</translation>
    </message>
    <message>
        <source>Work is not journalled, and a crash would lose it: %1</source>
        <translation>作業は記録されていません。異常終了すると失われます: %1</translation>
    </message>
    <message>
        <source>Cannot record: %1</source>
        <translation>記録できません: %1</translation>
    </message>
    <message>
        <source>The script stopped: %1</source>
        <translation>スクリプトが止まりました: %1</translation>
    </message>
    <message>
        <source>The journal lacks a picture: %1</source>
        <translation>記録に画像がありません: %1</translation>
    </message>
    <message>
        <source>Nothing was exported: %1</source>
        <translation>何も書き出しませんでした: %1</translation>
    </message>
    <message>
        <source>Export View as PNG...</source>
        <translation>表示を PNG で書き出す...</translation>
    </message>
    <message>
        <source>Export the view</source>
        <translation>表示の書き出し</translation>
    </message>
    <message>
        <source>PNG (*.png)</source>
        <translation>PNG (*.png)</translation>
    </message>
    <message>
        <source>Export Active Region as PNG Mask...</source>
        <translation>アクティブ領域を PNG マスクで書き出す...</translation>
    </message>
    <message>
        <source>Export the active region</source>
        <translation>アクティブ領域の書き出し</translation>
    </message>
    <message>
        <source>Export Trace as Points...</source>
        <translation>トレースを点列で書き出す...</translation>
    </message>
    <message>
        <source>Export the trace</source>
        <translation>トレースの書き出し</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>Export Sketch as SVG...</source>
        <translation>スケッチを SVG で書き出す...</translation>
    </message>
    <message>
        <source>Export the sketch</source>
        <translation>スケッチの書き出し</translation>
    </message>
    <message>
        <source>SVG (*.svg)</source>
        <translation>SVG (*.svg)</translation>
    </message>
    <message>
        <source>Record...</source>
        <translation>操作を記録...</translation>
    </message>
    <message>
        <source>Record into a replay script</source>
        <translation>再生スクリプトに記録</translation>
    </message>
    <message>
        <source>Replay scripts (*.txt)</source>
        <translation>再生スクリプト (*.txt)</translation>
    </message>
    <message>
        <source>its first line is not &quot;%1&quot;</source>
        <translation>1 行目が「%1」ではありません</translation>
    </message>
    <message>
        <source>there is not enough memory to read it</source>
        <translation>読み込むためのメモリーが足りません</translation>
    </message>
    <message>
        <source>The journal of the last run cannot be moved aside (%1: %2), so it is left as it is and this run keeps no journal: a crash would lose this work.</source>
        <translation>前回の記録を別の名前に移せない (%1: %2) ため、そのままにしてあります。今回は記録しません。異常終了するとこの作業は失われます。</translation>
    </message>
    <message>
        <source>The journal of the last run cannot be recovered: %1.

It is kept as %2.</source>
        <translation>前回の記録を復元できません: %1。

記録は %2 として残してあります。</translation>
    </message>
    <message>
        <source>The journal of the last run was not recovered; it is kept as %1.</source>
        <translation>前回の記録は復元しませんでした。%1 として残してあります。</translation>
    </message>
    <message>
        <source>there was not enough memory to recover it all</source>
        <translation>すべてを復元するためのメモリーが足りませんでした</translation>
    </message>
    <message>
        <source>Recovered over pictures that have changed: %1</source>
        <translation>変更された画像の上に復元しました: %1</translation>
    </message>
    <message>
        <source>Another Sketch Studio (process %1) keeps the journal: a crash would lose this work.</source>
        <translation>別の Sketch Studio (プロセス %1) が記録を使っています。異常終了するとこの作業は失われます。</translation>
    </message>
    <message>
        <source>Sketch Studio keeps no journal (%1): a crash would lose this work.</source>
        <translation>Sketch Studio は記録していません (%1)。異常終了するとこの作業は失われます。</translation>
    </message>
    <message>
        <source>%1 cannot be made</source>
        <translation>%1 を作成できません</translation>
    </message>
    <message>
        <source>Pictures (*.png *.jpg *.jpeg *.bmp)</source>
        <translation>画像 (*.png *.jpg *.jpeg *.bmp)</translation>
    </message>
    <message>
        <source>The sketch was not saved: %1</source>
        <translation>スケッチを保存しませんでした: %1</translation>
    </message>
    <message>
        <source>Saved %1</source>
        <translation>%1 を保存しました</translation>
    </message>
</context>
<context>
    <name>SketchChanges</name>
    <message>
        <source>Move</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Draw</source>
        <translation>描画</translation>
    </message>
    <message>
        <source>Add Point</source>
        <translation>ポイントの追加</translation>
    </message>
    <message>
        <source>Delete Point</source>
        <translation>ポイントの削除</translation>
    </message>
    <message>
        <source>Cut Path</source>
        <translation>切断</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>連結</translation>
    </message>
    <message>
        <source>Move Point</source>
        <translation>ポイントの移動</translation>
    </message>
    <message>
        <source>Move Centre</source>
        <translation>回転中心の移動</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Edit Point</source>
        <translation>ポイントの編集</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>ペン</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>拡大、縮小</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>回転</translation>
    </message>
    <message>
        <source>Flip Horizontally</source>
        <translation>左右反転</translation>
    </message>
    <message>
        <source>Flip Vertically</source>
        <translation>上下反転</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>切り取り</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
</context>
<context>
    <name>SketchTools</name>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>Direct select</source>
        <translation>ダイレクト選択</translation>
    </message>
    <message>
        <source>Hand</source>
        <translation>手のひら</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>ズーム</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>長方形</translation>
    </message>
    <message>
        <source>Ellipse</source>
        <translation>楕円</translation>
    </message>
    <message>
        <source>Freehand</source>
        <translation>フリーハンド</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>ペン</translation>
    </message>
    <message>
        <source>Line</source>
        <translation>直線</translation>
    </message>
    <message>
        <source>Polyline</source>
        <translation>折れ線</translation>
    </message>
    <message>
        <source>Scissors</source>
        <translation>はさみ</translation>
    </message>
    <message>
        <source>Join</source>
        <translation>連結</translation>
    </message>
    <message>
        <source>Add point</source>
        <translation>ポイントの追加</translation>
    </message>
    <message>
        <source>Delete point</source>
        <translation>ポイントの削除</translation>
    </message>
    <message>
        <source>Polygon</source>
        <translation>多角形</translation>
    </message>
    <message>
        <source>Convert point</source>
        <translation>ポイントの変換</translation>
    </message>
    <message>
        <source>Scale</source>
        <translation>拡大、縮小</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>回転</translation>
    </message>
</context>
<context>
    <name>StudioWindow</name>
    <message>
        <source>Zoom In</source>
        <translation>ズームイン</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>ズームアウト</translation>
    </message>
    <message>
        <source>Actual Size</source>
        <translation>実際のサイズ</translation>
    </message>
    <message>
        <source>Fit in Window</source>
        <translation>ウィンドウに合わせる</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>グリッド</translation>
    </message>
    <message>
        <source>Grid Spacing...</source>
        <translation>グリッドの間隔...</translation>
    </message>
    <message>
        <source>Grid spacing in pixels of the picture:</source>
        <translation>グリッドの間隔 (画像のピクセル):</translation>
    </message>
    <message>
        <source>The recording ended: another session was opened.</source>
        <translation>別のセッションを開いたので、記録を終えました。</translation>
    </message>
    <message>
        <source>Save the sketch</source>
        <translation>スケッチの保存</translation>
    </message>
    <message>
        <source>Sketches (*.sketch)</source>
        <translation>スケッチ (*.sketch)</translation>
    </message>
    <message>
        <source>Open a picture</source>
        <translation>画像を開く</translation>
    </message>
    <message>
        <source>Open a sketch</source>
        <translation>スケッチを開く</translation>
    </message>
    <message>
        <source>Recovered journals (recovered-*.txt)</source>
        <translation>復元された記録 (recovered-*.txt)</translation>
    </message>
    <message>
        <source>No sketches yet</source>
        <translation>スケッチはまだありません</translation>
    </message>
    <message>
        <source>Locate %1: it cannot be read</source>
        <translation>%1 の場所を指定してください: 読み込めません</translation>
    </message>
    <message>
        <source>Locate the missing picture %1</source>
        <translation>見つからない画像 %1 の場所を指定</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>%1 を開けません: %2</translation>
    </message>
    <message>
        <source>%1 is not the picture the sketch was drawn over: its pixels differ.</source>
        <translation>%1 はスケッチを描いた画像ではありません。ピクセルが違います。</translation>
    </message>
    <message>
        <source>Replay the sketch over it as it is, or choose another picture?</source>
        <translation>この画像の上にそのままスケッチを再生しますか、それとも別の画像を選びますか?</translation>
    </message>
    <message>
        <source>Use This Picture</source>
        <translation>この画像を使う</translation>
    </message>
    <message>
        <source>Choose Another...</source>
        <translation>別の画像を選ぶ...</translation>
    </message>
    <message>
        <source>%1 cannot be used: %2</source>
        <translation>%1 は使えません: %2</translation>
    </message>
    <message>
        <source>The sketch cannot be opened: %1</source>
        <translation>スケッチを開けません: %1</translation>
    </message>
    <message>
        <source>%1.

Replay the sketch over the pictures as they are now?</source>
        <translation>%1。

今の画像の上にスケッチを再生しますか?</translation>
    </message>
    <message>
        <source>Not all of %1 could be read:
%2</source>
        <translation>%1 の一部を読み込めませんでした:
%2</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Open Picture...</source>
        <translation>画像を開く(&amp;O)...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>やり直し(&amp;R)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>切り取り(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>貼り付け(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>Sketch in &amp;Black</source>
        <translation>黒色で表示(&amp;B)</translation>
    </message>
    <message>
        <source>Sketch &amp;Transparent</source>
        <translation>透過色で表示(&amp;T)</translation>
    </message>
    <message>
        <source>Sketch &amp;Inverted</source>
        <translation>反転色で表示(&amp;I)</translation>
    </message>
    <message>
        <source>Sketch in the &amp;Palette Colour</source>
        <translation>パレット色で表示(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Show the Sketch</source>
        <translation>スケッチを表示(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Hide the Sketch</source>
        <translation>スケッチを隠す(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>ウィンドウ(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>並べて表示(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Sketch Studio</source>
        <translation>Sketch Studio について(&amp;A)</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>%1 について</translation>
    </message>
    <message>
        <source>A vector sketch over a picture.</source>
        <translation>画像の上にベクトルのスケッチを描きます。</translation>
    </message>
    <message>
        <source>Module: %1</source>
        <translation>モジュール: %1</translation>
    </message>
    <message>
        <source>No module is loaded.</source>
        <translation>モジュールが読み込まれていません。</translation>
    </message>
    <message>
        <source>the picture is %1 x %2 pixels; at most %3 on a side can be opened</source>
        <translation>画像は %1 × %2 ピクセルです。開けるのは一辺 %3 ピクセルまでです</translation>
    </message>
    <message>
        <source>the picture is too large</source>
        <translation>画像が大きすぎます</translation>
    </message>
    <message>
        <source>There is not enough memory to open %1.</source>
        <translation>%1 を開くメモリが足りません。</translation>
    </message>
    <message>
        <source>Save the sketch over %1 before closing?</source>
        <translation>閉じる前に %1 の上のスケッチを保存しますか?</translation>
    </message>
    <message>
        <source>Save the changes to %1 before closing?</source>
        <translation>閉じる前に %1 への変更を保存しますか?</translation>
    </message>
    <message>
        <source>If you do not save, the changes are lost.</source>
        <translation>保存しないと、変更は失われます。</translation>
    </message>
    <message>
        <source>Out of memory: the last step was dropped.</source>
        <translation>メモリが足りません: 最後の操作は行われませんでした。</translation>
    </message>
    <message>
        <source>The journal cannot be written any more (%1): a crash would lose what is done from now on. File &gt; Save As keeps it.</source>
        <translation>記録をこれ以上書けません (%1)。異常終了すると、これからの作業は失われます。[ファイル] &gt; [名前を付けて保存] で残せます。</translation>
    </message>
    <message>
        <source>X %1  Y %2</source>
        <translation>X %1  Y %2</translation>
    </message>
    <message>
        <source>Open Sketch...</source>
        <translation>スケッチを開く...</translation>
    </message>
    <message>
        <source>Open Recent</source>
        <translation>最近使ったスケッチ</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>名前を付けて保存...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>すべて選択</translation>
    </message>
    <message>
        <source>No journal</source>
        <translation>記録なし</translation>
    </message>
</context>
<context>
    <name>ToolPalette</name>
    <message>
        <source>Sketch tools on or off</source>
        <translation>スケッチツールのオン/オフ</translation>
    </message>
</context>
</TS>
