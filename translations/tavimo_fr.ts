<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CommandLine</name>
    <message>
        <source>Try &apos;%1 --help&apos; for more information.</source>
        <translation>Saisissez «&#xa0;%1 --help&#xa0;» pour plus d&apos;informations.</translation>
    </message>
    <message>
        <source>License: MIT
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.
</source>
        <translation>Licence&#xa0;: MIT
Ceci est un logiciel libre&#xa0;: vous pouvez le modifier et le redistribuer.
Il n&apos;y a AUCUNE GARANTIE, dans les limites permises par la loi.
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
        <translation>Utilisation&#xa0;: %1 [OPTION-QT...]
Un ornement de bureau&#xa0;: une traînée de sept points colorés rebondit dans une
petite fenêtre&#xa0;; «&#xa0;move&#xa0;» fait vagabonder la fenêtre, «&#xa0;date&#xa0;» affiche
la date du jour, «&#xa0;end&#xa0;» quitte.

  -h, --help     afficher cette aide et quitter
      --version  afficher la version et quitter

Les options standard de Qt, comme -platform NOM, -display NOM ou -style NOM,
sont acceptées.
</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>option inconnue&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argument inattendu&#xa0;: «&#xa0;%1&#xa0;»</translation>
    </message>
</context>
<context>
    <name>ErrorReport</name>
    <message>
        <source>Overflow</source>
        <translation>Dépassement de capacité</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>L&apos;indice n&apos;appartient pas à la sélection</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Mémoire insuffisante</translation>
    </message>
    <message>
        <source>Run-time error &apos;%1&apos;:</source>
        <translation>Erreur d&apos;exécution &apos;%1&apos;:</translation>
    </message>
</context>
<context>
    <name>Faces</name>
    <message>
        <source>no installed font holds &quot;%1&quot;; it will not show as it should</source>
        <translation>aucune police installée ne contient «&#xa0;%1&#xa0;»&#xa0;; il ne s&apos;affichera pas comme prévu</translation>
    </message>
    <message>
        <source>none of the faces %1 holds &quot;%2&quot;; using %3</source>
        <translation>aucune des polices %1 ne contient «&#xa0;%2&#xa0;»&#xa0;; utilisation de %3</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>Play area</source>
        <translation>Zone de jeu</translation>
    </message>
    <message>
        <source>A trail of seven coloured dots bounces about in it; today&apos;s date appears at its lower right when the date button shows it.</source>
        <translation>Une traînée de sept points colorés y rebondit&#xa0;; la date du jour apparaît en bas à droite quand le bouton «&#xa0;date&#xa0;» l&apos;affiche.</translation>
    </message>
    <message>
        <source>Today&apos;s date</source>
        <translation>Date du jour</translation>
    </message>
</context>
<context>
    <name>Notices</name>
    <message>
        <source>this session does not let programs move their windows</source>
        <translation>cette session ne permet pas aux programmes de déplacer leurs fenêtres</translation>
    </message>
    <message>
        <source>the window manager ignores this program&apos;s moves</source>
        <translation>le gestionnaire de fenêtres ignore les déplacements demandés par ce programme</translation>
    </message>
</context>
<context>
    <name>Platform</name>
    <message>
        <source>neither DISPLAY nor WAYLAND_DISPLAY is set</source>
        <translation>ni DISPLAY ni WAYLAND_DISPLAY n&apos;est défini</translation>
    </message>
    <message>
        <source>DISPLAY is not set</source>
        <translation>DISPLAY n&apos;est pas défini</translation>
    </message>
    <message>
        <source>cannot open a display: %1</source>
        <translation>impossible d&apos;ouvrir un affichage&#xa0;: %1</translation>
    </message>
</context>
</TS>
