<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>詳しくは &apos;%1 --help&apos; を実行してください。</translation>
    </message>
    <message>
        <source>License: MIT
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.
</source>
        <translation>ライセンス: MIT
これはフリーソフトウェアです。自由に変更および再配布できます。
法律で認められる範囲で、一切の保証はありません。
</translation>
    </message>
    <message>
        <source>Usage: %1 [QT-OPTION...]
A desktop ornament: a trail of seven coloured dots bounces about in a small
window; &quot;move&quot; sends the window wandering, &quot;date&quot; shows today&apos;s date, &quot;end&quot;
quits.

  -h, --help     show this help and exit
      --version  show the version and exit

Qt&apos;s standard options, such as -platform NAME, -display NAME or -style NAME,
are accepted.
</source>
        <translation>使い方: %1 [Qt のオプション...]
デスクトップの飾りです。小さなウィンドウの中で、連なった 7 つの色付きの点が
跳ね回ります。「move」でウィンドウが画面を歩き回り、「date」で今日の日付を
表示し、「end」で終了します。

  -h, --help     このヘルプを表示して終了します
      --version  バージョン情報を表示して終了します

-platform 名前、-display 名前、-style 名前 などの Qt 標準のオプションも
使えます。
</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>不明なオプションです: &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>予期しない引数です: &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Overflow</source>
        <translation>オーバーフローしました。</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>インデックスが有効範囲にありません。</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>メモリが不足しています。</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:</source>
        <translation>実行時エラー &apos;%1&apos;:</translation>
    </message>
</context>
<context>
    <name>Faces</name>
    <message>
        <source>no installed font holds &quot;%1&quot;; it will not show as it should</source>
        <translation>&quot;%1&quot; を含むフォントがインストールされていないため、正しく表示されません</translation>
    </message>
    <message>
        <source>none of the faces %1 holds &quot;%2&quot;; using %3</source>
        <translation>フォント %1 のどれにも &quot;%2&quot; が含まれていないため、%3 を使います</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>Play area</source>
        <translation>プレイエリア</translation>
    </message>
    <message>
        <source>A trail of seven coloured dots bounces about in it; today&apos;s date appears at its lower right when the date button shows it.</source>
        <translation>連なった 7 つの色付きの点がこの中を跳ね回ります。「date」ボタンで表示すると、右下に今日の日付が出ます。</translation>
    </message>
    <message>
        <source>Today&apos;s date</source>
        <translation>今日の日付</translation>
    </message>
</context>
<context>
    <name>Notices</name>
    <message>
        <source>this session does not let programs move their windows</source>
        <translation>このセッションでは、プログラムが自分のウィンドウを移動できません</translation>
    </message>
    <message>
        <source>the window manager ignores this program&apos;s moves</source>
        <translation>ウィンドウマネージャーがこのプログラムによるウィンドウの移動を無視しています</translation>
    </message>
</context>
<context>
    <name>Platform</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>DISPLAY も WAYLAND_DISPLAY も設定されていません</translation>
    </message>
    <message>
        <source>DISPLAY is not set</source>
        <translation>DISPLAY が設定されていません</translation>
    </message>
    <message>
        <source>cannot open a display: %1</source>
        <translation>ディスプレイを開けません: %1</translation>
    </message>
</context>
</TS>
