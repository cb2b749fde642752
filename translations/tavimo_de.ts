<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>„%1 --help“ liefert weitere Informationen.</translation>
    </message>
    <message>
        <source>License: MIT
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.
</source>
        <translation>Lizenz: MIT
Dies ist freie Software: Sie dürfen sie verändern und weitergeben.
Es gibt KEINE GARANTIE, soweit gesetzlich zulässig.
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
        <translation>Aufruf: %1 [QT-OPTION …]
Ein Schmuckstück für die Arbeitsfläche: Eine Spur aus sieben bunten Punkten
hüpft in einem kleinen Fenster umher; „move“ schickt das Fenster auf
Wanderschaft, „date“ zeigt das heutige Datum, „end“ beendet das Programm.

  -h, --help     diese Hilfe anzeigen und beenden
      --version  Versionsinformation anzeigen und beenden

Die Standardoptionen von Qt wie -platform NAME, -display NAME oder -style NAME
werden angenommen.
</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option „%1“</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>unerwartetes Argument „%1“</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>Index außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Speicher</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:</source>
        <translation>Laufzeitfehler &apos;%1&apos;:</translation>
    </message>
</context>
<context>
    <name>Faces</name>
    <message>
        <source>no installed font holds &quot;%1&quot;; it will not show as it should</source>
        <translation>keine installierte Schrift enthält „%1“; es wird nicht richtig angezeigt</translation>
    </message>
    <message>
        <source>none of the faces %1 holds &quot;%2&quot;; using %3</source>
        <translation>keine der Schriften %1 enthält „%2“; %3 wird verwendet</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>Play area</source>
        <translation>Spielfläche</translation>
    </message>
    <message>
        <source>A trail of seven coloured dots bounces about in it; today&apos;s date appears at its lower right when the date button shows it.</source>
        <translation>Darin hüpft eine Spur aus sieben bunten Punkten umher; unten rechts erscheint das heutige Datum, wenn der Knopf „date“ es einblendet.</translation>
    </message>
    <message>
        <source>Today&apos;s date</source>
        <translation>Heutiges Datum</translation>
    </message>
</context>
<context>
    <name>Notices</name>
    <message>
        <source>this session does not let programs move their windows</source>
        <translation>diese Sitzung erlaubt Programmen nicht, ihre Fenster zu verschieben</translation>
    </message>
    <message>
        <source>the window manager ignores this program&apos;s moves</source>
        <translation>die Fensterverwaltung übergeht die Fensterbewegungen dieses Programms</translation>
    </message>
</context>
<context>
    <name>Platform</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt</translation>
    </message>
    <message>
        <source>DISPLAY is not set</source>
        <translation>DISPLAY ist nicht gesetzt</translation>
    </message>
    <message>
        <source>cannot open a display: %1</source>
        <translation>Anzeige kann nicht geöffnet werden: %1</translation>
    </message>
</context>
</TS>
