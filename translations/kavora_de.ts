<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>ChangeList</name>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>All races</source>
        <translation>Alle Rassen</translation>
    </message>
    <message>
        <source>No report has been merged.</source>
        <translation>Es wurde noch kein Bericht eingelesen.</translation>
    </message>
    <message>
        <source>The report whose changes are listed</source>
        <translation>Der Bericht, dessen Änderungen aufgelistet sind</translation>
    </message>
    <message>
        <source>Show the changes that involve one race</source>
        <translation>Zeigt die Änderungen, die eine Rasse betreffen</translation>
    </message>
    <message>
        <source>Show one kind of change</source>
        <translation>Zeigt eine Art von Änderung</translation>
    </message>
    <message>
        <source>Re&amp;port:</source>
        <translation>&amp;Bericht:</translation>
    </message>
    <message>
        <source>&amp;Race:</source>
        <translation>&amp;Rasse:</translation>
    </message>
    <message>
        <source>&amp;Kind:</source>
        <translation>&amp;Art:</translation>
    </message>
</context>
<context>
    <name>ChangeListModel</name>
    <message>
        <source>Planet</source>
        <translation>Planet</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Race Before</source>
        <translation>Rasse vorher</translation>
    </message>
    <message>
        <source>Race After</source>
        <translation>Rasse nachher</translation>
    </message>
    <message>
        <source>Population Before</source>
        <translation>Bevölkerung vorher</translation>
    </message>
    <message>
        <source>Population After</source>
        <translation>Bevölkerung nachher</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Differenz</translation>
    </message>
    <message>
        <source>first seen</source>
        <translation>erstmals gesehen</translation>
    </message>
    <message>
        <source>captured</source>
        <translation>erobert</translation>
    </message>
    <message>
        <source>lost</source>
        <translation>verloren</translation>
    </message>
    <message>
        <source>new owner</source>
        <translation>neuer Besitzer</translation>
    </message>
    <message>
        <source>starbase built</source>
        <translation>Sternenbasis gebaut</translation>
    </message>
    <message>
        <source>starbase lost</source>
        <translation>Sternenbasis verloren</translation>
    </message>
    <message>
        <source>population up</source>
        <translation>Bevölkerung gestiegen</translation>
    </message>
    <message>
        <source>population down</source>
        <translation>Bevölkerung gesunken</translation>
    </message>
    <message>
        <source>All kinds</source>
        <translation>Alle Arten</translation>
    </message>
    <message>
        <source>%1: changes since %2</source>
        <translation>%1: Änderungen seit %2</translation>
    </message>
    <message>
        <source>planet changed hands</source>
        <translation>Planet wechselte den Besitzer</translation>
    </message>
    <message>
        <source>planets changed hands</source>
        <translation>Planeten wechselten den Besitzer</translation>
    </message>
    <message>
        <source>planet captured</source>
        <translation>Planet erobert</translation>
    </message>
    <message>
        <source>planets captured</source>
        <translation>Planeten erobert</translation>
    </message>
    <message>
        <source>planet lost</source>
        <translation>Planet verloren</translation>
    </message>
    <message>
        <source>planets lost</source>
        <translation>Planeten verloren</translation>
    </message>
    <message>
        <source>planet first seen</source>
        <translation>Planet erstmals gesehen</translation>
    </message>
    <message>
        <source>planets first seen</source>
        <translation>Planeten erstmals gesehen</translation>
    </message>
    <message>
        <source>starbases built</source>
        <translation>Sternenbasen gebaut</translation>
    </message>
    <message>
        <source>starbases lost</source>
        <translation>Sternenbasen verloren</translation>
    </message>
    <message>
        <source>population %1%2%</source>
        <translation>Bevölkerung %1%2 %</translation>
    </message>
    <message>
        <source>population %1%2</source>
        <translation>Bevölkerung %1%2</translation>
    </message>
    <message>
        <source>%1 of %2 changes</source>
        <translation>%1 von %2 Änderungen</translation>
    </message>
</context>
<context>
    <name>ChangeMarks</name>
    <message>
        <source>new owner</source>
        <translation>neuer Besitzer</translation>
    </message>
    <message>
        <source>captured</source>
        <translation>erobert</translation>
    </message>
    <message>
        <source>lost</source>
        <translation>verloren</translation>
    </message>
    <message>
        <source>first seen</source>
        <translation>erstmals gesehen</translation>
    </message>
    <message>
        <source>starbase built</source>
        <translation>Sternenbasis gebaut</translation>
    </message>
    <message>
        <source>starbase lost</source>
        <translation>Sternenbasis verloren</translation>
    </message>
    <message>
        <source>population up</source>
        <translation>Bevölkerung gestiegen</translation>
    </message>
    <message>
        <source>population down</source>
        <translation>Bevölkerung gesunken</translation>
    </message>
</context>
<context>
    <name>ChartExplorer</name>
    <message>
        <source>Chart Explorer</source>
        <translation>Karten-Explorer</translation>
    </message>
    <message>
        <source>&amp;Labels:</source>
        <translation>&amp;Beschriftung:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Planets with Starbases</source>
        <translation>Mit Sternenbasen</translation>
    </message>
    <message>
        <source>Populated Planets</source>
        <translation>Bevölkerte Planeten</translation>
    </message>
    <message>
        <source>All Planets</source>
        <translation>Alle Planeten</translation>
    </message>
    <message>
        <source>Le&amp;gend</source>
        <translation>&amp;Legende</translation>
    </message>
    <message>
        <source>Sa&amp;ve View As...</source>
        <translation>&amp;Speichern unter...</translation>
    </message>
    <message>
        <source>&amp;Changes</source>
        <translation>Ä&amp;nderungen</translation>
    </message>
    <message>
        <source>Find:</source>
        <translation>Suchen:</translation>
    </message>
    <message>
        <source>Planet name (Ctrl+F)</source>
        <translation>Name (Strg+F)</translation>
    </message>
    <message>
        <source>Find a planet</source>
        <translation>Einen Planeten suchen</translation>
    </message>
    <message>
        <source>Any part of a planet&apos;s name, in any letter case; Enter selects and centres it</source>
        <translation>Ein beliebiger Teil eines Planetennamens, gleich in welcher Schreibung; Enter wählt ihn aus und zentriert ihn</translation>
    </message>
    <message>
        <source>Chart explorer map</source>
        <translation>Karte des Karten-Explorers</translation>
    </message>
    <message>
        <source>No planet matches &quot;%1&quot;</source>
        <translation>Kein Planet passt zu &quot;%1&quot;</translation>
    </message>
    <message>
        <source>&amp;Rings:</source>
        <translation>&amp;Ringe:</translation>
    </message>
    <message>
        <source>Circles round the selected planet at these distances</source>
        <translation>Kreise um den ausgewählten Planeten in diesen Entfernungen</translation>
    </message>
    <message>
        <source>S&amp;peed:</source>
        <translation>&amp;Tempo:</translation>
    </message>
    <message>
        <source>units a turn</source>
        <translation>Einheiten je Zug</translation>
    </message>
    <message>
        <source>Fleet speed: the ruler counts the turns a move takes</source>
        <translation>Flottentempo: das Lineal zählt die Züge, die eine Bewegung braucht</translation>
    </message>
</context>
<context>
    <name>ChartPicture</name>
    <message>
        <source>%1. Selected: %2</source>
        <translation>%1. Ausgewählt: %2</translation>
    </message>
</context>
<context>
    <name>ColourSchemeMenu</name>
    <message>
        <source>Colour &amp;Scheme</source>
        <translation>&amp;Farbschema</translation>
    </message>
    <message>
        <source>&amp;Classic</source>
        <translation>&amp;Klassisch</translation>
    </message>
    <message>
        <source>&amp;Distinct</source>
        <translation>&amp;Unterscheidbar</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source> (kavora --help shows the usage)</source>
        <translation> (kavora --help zeigt den Aufruf)</translation>
    </message>
    <message>
        <source>%1 takes a number, not &quot;%2&quot;</source>
        <translation>%1 erwartet eine Zahl, nicht &quot;%2&quot;</translation>
    </message>
    <message>
        <source>the output could not be written</source>
        <translation>die Ausgabe konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>standard output</source>
        <translation>Standardausgabe</translation>
    </message>
    <message>
        <source>the output</source>
        <translation>die Ausgabe</translation>
    </message>
    <message>
        <source>kavora: no race named &quot;%1&quot; in the reports</source>
        <translation>kavora: keine Rasse namens &quot;%1&quot; in den Berichten</translation>
    </message>
    <message>
        <source>kavora: no planet lies in the view drawn (see --zoom and --center)
</source>
        <translation>kavora: kein Planet liegt in der gezeichneten Ansicht (siehe --zoom und --center)
</translation>
    </message>
    <message>
        <source>--zoom takes a factor from 0 to below 1</source>
        <translation>--zoom erwartet einen Faktor von 0 bis unter 1</translation>
    </message>
    <message>
        <source>--center takes X,Y, not &quot;%1&quot;</source>
        <translation>--center erwartet X,Y, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--center: %1 must lie within -32768 to 32767</source>
        <translation>--center: %1 muss zwischen -32768 und 32767 liegen</translation>
    </message>
    <message>
        <source>--labels knows all, populated and starbases, not &quot;%1&quot;</source>
        <translation>--labels kennt all, populated und starbases, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--race-color takes NAME=#RRGGBB, not &quot;%1&quot;</source>
        <translation>--race-color erwartet NAME=#RRGGBB, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--size takes WxH, each from %1 to %2, not &quot;%3&quot;</source>
        <translation>--size erwartet WxH, jeweils von %1 bis %2, nicht &quot;%3&quot;</translation>
    </message>
    <message>
        <source>--scale takes a whole number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--scale erwartet eine ganze Zahl von 1 bis %1, nicht &quot;%2&quot;</translation>
    </message>
    <message>
        <source>--format takes tsv, csv or json, not &quot;%1&quot;</source>
        <translation>--format erwartet tsv, csv oder json, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>%1 can only go with %2</source>
        <translation>%1 geht nur zusammen mit %2</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>give only one of --planets, --races, --changes and --render</source>
        <translation>nur eines von --planets, --races, --changes und --render angeben</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>unbekannte Option %1</translation>
    </message>
    <message>
        <source>no map file given</source>
        <translation>keine Kartendatei angegeben</translation>
    </message>
    <message>
        <source>kavora: no command-line mode given</source>
        <translation>kavora: kein Befehlszeilenmodus angegeben</translation>
    </message>
    <message>
        <source>--palette takes classic or distinct, not &quot;%1&quot;</source>
        <translation>--palette erwartet classic oder distinct, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--changes with --render needs --size</source>
        <translation>--changes mit --render braucht --size</translation>
    </message>
    <message>
        <source>the chart is written as .bmp, .png, .svg or .pdf, not &quot;%1&quot;</source>
        <translation>die Karte wird als .bmp, .png, .svg oder .pdf geschrieben, nicht als &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--size times --scale is at most %1 pixels each way</source>
        <translation>--size mal --scale ergibt höchstens %1 Pixel je Richtung</translation>
    </message>
    <message>
        <source>Usage: kavora [MAP [REPORT ...]]                    open the windows
       kavora --planets [--format tsv|csv|json] [--near NAME [--within R]]
              [--notes FILE] [--kept-colours] MAP [REPORT ...]
                                                    print the planet table; --near: the
                                                    planets nearest NAME first, with their
                                                    distance, only those within R units
       kavora --races [--format tsv|csv|json] [--kept-colours] MAP [REPORT ...]
                                                    print the race table
       kavora --changes [--format tsv|csv|json] MAP [REPORT ...]
                                                    print what each report changed
       kavora --render OUT [--zoom F] [--center X,Y] [--labels all,populated,starbases]
              [--race-color NAME=#RRGGBB ...] [--scale N] [--legend]
              [--size WxH [--changes]] [--select NAME [--rings D,D...]]
              [--notes FILE] [--title TEXT] [--kept-colours] MAP [REPORT ...]
                                                    draw the chart into OUT (.bmp, .png,
                                                    or as vectors .svg, .pdf);
                                                    --size: the explorer&apos;s view, one scale
                                                    on both axes, labels that never collide;
                                                    --changes: the last report&apos;s changes
                                                    marked on it; --select: that planet
                                                    selected, ringed and centred, with
                                                    --rings around it
       --palette classic|distinct                   the races&apos; colour scheme, in any mode
       kavora --help | --version
The races get their default colours; --kept-colours gives them those kept in the
windows (Keep These Colours) instead. The markers and notes come from MAP&apos;s notes
file (universe.notes.json beside universe.map), or from --notes FILE.
</source>
        <translation>Aufruf: kavora [KARTE [BERICHT ...]]                öffnet die Fenster
       kavora --planets [--format tsv|csv|json] [--near NAME [--within R]]
              [--notes DATEI] [--kept-colours] KARTE [BERICHT ...]
                                                    gibt die Planetentabelle aus; --near: die
                                                    Planeten nächst NAME zuerst, mit ihrer
                                                    Entfernung, nur die binnen R Einheiten
       kavora --races [--format tsv|csv|json] [--kept-colours] KARTE [BERICHT ...]
                                                    gibt die Rassentabelle aus
       kavora --changes [--format tsv|csv|json] KARTE [BERICHT ...]
                                                    gibt aus, was jeder Bericht änderte
       kavora --render AUS [--zoom F] [--center X,Y] [--labels all,populated,starbases]
              [--race-color NAME=#RRGGBB ...] [--scale N] [--legend]
              [--size WxH [--changes]] [--select NAME [--rings D,D...]]
              [--notes DATEI] [--title TEXT] [--kept-colours] KARTE [BERICHT ...]
                                                    zeichnet die Karte nach AUS (.bmp, .png, oder
                                                    als Vektoren .svg, .pdf); --size: die Ansicht
                                                    des Explorers, ein Maßstab für beide Achsen,
                                                    Beschriftungen ohne Überschneidung; --changes:
                                                    die Änderungen des letzten Berichts markiert;
                                                    --select: dieser Planet ausgewählt, umringt
                                                    und mittig, mit --rings um ihn
       --palette classic|distinct                   das Farbschema der Rassen, in jedem Modus
       kavora --help | --version
Die Rassen erhalten ihre Standardfarben; mit --kept-colours stattdessen die in den
Fenstern behaltenen (Diese Farben behalten). Markierungen und Notizen kommen aus der
Notizdatei der KARTE (universe.notes.json neben universe.map) oder aus --notes DATEI.
</translation>
    </message>
    <message>
        <source>kavora: no planet named &quot;%1&quot; for --select</source>
        <translation>kavora: kein Planet namens &quot;%1&quot; für --select</translation>
    </message>
    <message>
        <source>no notes file</source>
        <translation>keine Notizdatei</translation>
    </message>
    <message>
        <source>kavora: warning: </source>
        <translation>kavora: Warnung: </translation>
    </message>
    <message>
        <source>--within takes a distance of 0 or more, not &quot;%1&quot;</source>
        <translation>--within erwartet eine Entfernung von 0 oder mehr, nicht &quot;%1&quot;</translation>
    </message>
    <message>
        <source>--rings takes up to %1 distances above 0 and up to %2, such as 81,162, not &quot;%3&quot;</source>
        <translation>--rings erwartet bis zu %1 Entfernungen über 0 und bis %2, etwa 81,162, nicht &quot;%3&quot;</translation>
    </message>
    <message>
        <source>--within needs --near</source>
        <translation>--within braucht --near</translation>
    </message>
    <message>
        <source>--select needs --size: it selects in the explorer&apos;s view</source>
        <translation>--select braucht --size: es wählt in der Ansicht des Explorers aus</translation>
    </message>
    <message>
        <source>--rings needs --select: they go round the selected planet</source>
        <translation>--rings braucht --select: sie liegen um den ausgewählten Planeten</translation>
    </message>
    <message>
        <source>kavora: no planet named &quot;%1&quot; for --near</source>
        <translation>kavora: kein Planet namens &quot;%1&quot; für --near</translation>
    </message>
</context>
<context>
    <name>CommonDialog</name>
    <message>
        <source>Kavora for Quelmar</source>
        <translation>Kavora für Quelmar</translation>
    </message>
</context>
<context>
    <name>DistanceRuler</name>
    <message>
        <source>%1 to %2: %3</source>
        <translation>%1 nach %2: %3</translation>
    </message>
    <message>
        <source>Total: </source>
        <translation>Gesamt: </translation>
    </message>
</context>
<context>
    <name>Distances</name>
    <message>
        <source>%1 turn at %2</source>
        <translation>%1 Zug bei Tempo %2</translation>
    </message>
    <message>
        <source>%1 turns at %2</source>
        <translation>%1 Züge bei Tempo %2</translation>
    </message>
</context>
<context>
    <name>DumpFile</name>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>the file is larger than 256 MB</source>
        <translation>die Datei ist größer als 256 MB</translation>
    </message>
</context>
<context>
    <name>ExplorerRenderer</name>
    <message>
        <source>%1 units</source>
        <translation>%1 Einheiten</translation>
    </message>
    <message>
        <source>unowned</source>
        <translation>ohne Besitzer</translation>
    </message>
    <message>
        <source>owner %1</source>
        <translation>Besitzer %1</translation>
    </message>
    <message>
        <source>population %1</source>
        <translation>Bevölkerung %1</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>no starbase</source>
        <translation>keine Sternenbasis</translation>
    </message>
    <message>
        <source>starbase %1</source>
        <translation>Sternenbasis %1</translation>
    </message>
    <message>
        <source>distance %1</source>
        <translation>Entfernung %1</translation>
    </message>
</context>
<context>
    <name>LayoutPicture</name>
    <message>
        <source>Star chart</source>
        <translation>Sternkarte</translation>
    </message>
    <message>
        <source>Drawn by Kavora</source>
        <translation>Gezeichnet von Kavora</translation>
    </message>
    <message>
        <source>the drawing could not be started</source>
        <translation>die Zeichnung konnte nicht begonnen werden</translation>
    </message>
</context>
<context>
    <name>Legend</name>
    <message>
        <source>Race</source>
        <translation>Rasse</translation>
    </message>
    <message>
        <source>Population</source>
        <translation>Bevölkerung</translation>
    </message>
    <message>
        <source>Starbases</source>
        <translation>Sternenbasen</translation>
    </message>
    <message>
        <source>Planets</source>
        <translation>Planeten</translation>
    </message>
</context>
<context>
    <name>MapReader</name>
    <message>
        <source>%1 &quot;%2&quot; is not a number</source>
        <translation>%1 &quot;%2&quot; ist keine Zahl</translation>
    </message>
    <message>
        <source>%1 %2 is outside -32768 to 32767</source>
        <translation>%1 %2 liegt außerhalb von -32768 bis 32767</translation>
    </message>
    <message>
        <source>a map holds at most 32767 planets</source>
        <translation>eine Karte fasst höchstens 32767 Planeten</translation>
    </message>
    <message>
        <source>a planet line needs number, X, Y and name separated by tabs</source>
        <translation>eine Planetenzeile braucht Nummer, X, Y und Namen, durch Tabulatoren getrennt</translation>
    </message>
</context>
<context>
    <name>Marker</name>
    <message>
        <source>Target</source>
        <translation>Ziel</translation>
    </message>
    <message>
        <source>Ally</source>
        <translation>Verbündeter</translation>
    </message>
    <message>
        <source>Enemy</source>
        <translation>Feind</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Heimat</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Beobachtung</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
</context>
<context>
    <name>NotesFile</name>
    <message>
        <source>text after the end</source>
        <translation>Text nach dem Ende</translation>
    </message>
    <message>
        <source>the text ends too soon</source>
        <translation>der Text endet zu früh</translation>
    </message>
    <message>
        <source>&quot;%1&quot; expected</source>
        <translation>&quot;%1&quot; erwartet</translation>
    </message>
    <message>
        <source>nested too deeply</source>
        <translation>zu tief verschachtelt</translation>
    </message>
    <message>
        <source>a value expected</source>
        <translation>ein Wert erwartet</translation>
    </message>
    <message>
        <source>a number expected</source>
        <translation>eine Zahl erwartet</translation>
    </message>
    <message>
        <source>digits expected after the point</source>
        <translation>Ziffern nach dem Punkt erwartet</translation>
    </message>
    <message>
        <source>digits expected in the exponent</source>
        <translation>Ziffern im Exponenten erwartet</translation>
    </message>
    <message>
        <source>four hexadecimal digits expected after \u</source>
        <translation>vier Hexadezimalziffern nach \u erwartet</translation>
    </message>
    <message>
        <source>a text without its closing quote</source>
        <translation>ein Text ohne schließendes Anführungszeichen</translation>
    </message>
    <message>
        <source>a line end or control character inside a text</source>
        <translation>ein Zeilenende oder Steuerzeichen in einem Text</translation>
    </message>
    <message>
        <source>an unknown escape in a text</source>
        <translation>eine unbekannte Escape-Sequenz in einem Text</translation>
    </message>
    <message>
        <source>not a notes file (%1)</source>
        <translation>keine Notizdatei (%1)</translation>
    </message>
    <message>
        <source>not a notes file (no version)</source>
        <translation>keine Notizdatei (keine Version)</translation>
    </message>
    <message>
        <source>notes of version %1, which this Kavora does not know</source>
        <translation>Notizen der Version %1, die dieses Kavora nicht kennt</translation>
    </message>
    <message>
        <source>&quot;planets&quot; is not a list</source>
        <translation>&quot;planets&quot; ist keine Liste</translation>
    </message>
    <message>
        <source>%1 of %2 planet entries could not be read, the first is entry %3</source>
        <translation>%1 von %2 Planeteneinträgen konnten nicht gelesen werden, der erste ist Eintrag %3</translation>
    </message>
    <message>
        <source>the notes cannot be read</source>
        <translation>die Notizen können nicht gelesen werden</translation>
    </message>
    <message>
        <source>too large for a notes file</source>
        <translation>zu groß für eine Notizdatei</translation>
    </message>
    <message>
        <source>the notes cannot be saved</source>
        <translation>die Notizen können nicht gespeichert werden</translation>
    </message>
    <message>
        <source>the notes cannot be copied</source>
        <translation>die Notizen können nicht kopiert werden</translation>
    </message>
</context>
<context>
    <name>OpenFiles</name>
    <message>
        <source>%1 (not a file on this computer)</source>
        <translation>%1 (keine Datei auf diesem Computer)</translation>
    </message>
    <message>
        <source>%1 (a name that is not UTF-8)</source>
        <translation>%1 (ein Name, der kein UTF-8 ist)</translation>
    </message>
    <message>
        <source>%1 (a folder)</source>
        <translation>%1 (ein Ordner)</translation>
    </message>
    <message>
        <source>%1 (not found)</source>
        <translation>%1 (nicht gefunden)</translation>
    </message>
    <message>
        <source>%1 (neither a map nor a planet report)</source>
        <translation>%1 (weder eine Karte noch ein Planetenbericht)</translation>
    </message>
    <message>
        <source>Kavora opens universe maps (*.map) and planet reports (*.pla). Not opened:
</source>
        <translation>Kavora öffnet Universumskarten (*.map) und Planetenberichte (*.pla). Nicht geöffnet:
</translation>
    </message>
    <message>
        <source>
and %1 more</source>
        <translation>
und %1 weitere</translation>
    </message>
</context>
<context>
    <name>PictureFile</name>
    <message>
        <source>not a file, a device or a pipe that a picture can be written to</source>
        <translation>weder eine Datei noch ein Gerät oder eine Pipe, in die ein Bild geschrieben werden kann</translation>
    </message>
    <message>
        <source>a pipe, and no program reads from it</source>
        <translation>eine Pipe, aus der kein Programm liest</translation>
    </message>
</context>
<context>
    <name>PlanetList</name>
    <message>
        <source>Planet List</source>
        <translation>Planetenliste</translation>
    </message>
    <message>
        <source>Filter by name or owner</source>
        <translation>Nach Name oder Besitzer filtern</translation>
    </message>
    <message>
        <source>All races</source>
        <translation>Alle Rassen</translation>
    </message>
    <message>
        <source>Unowned</source>
        <translation>Ohne Besitzer</translation>
    </message>
    <message>
        <source>Show the planets of one race, or the unowned</source>
        <translation>Zeigt die Planeten einer Rasse oder die ohne Besitzer</translation>
    </message>
    <message>
        <source>Planets</source>
        <translation>Planeten</translation>
    </message>
    <message>
        <source>&amp;Race:</source>
        <translation>&amp;Rasse:</translation>
    </message>
    <message>
        <source>. Enter or a double click centres the chart on the planet</source>
        <translation>. Enter oder ein Doppelklick zentriert die Karte auf dem Planeten</translation>
    </message>
    <message>
        <source>Mar&amp;ker:</source>
        <translation>Mar&amp;kierung:</translation>
    </message>
    <message>
        <source>Within distance</source>
        <translation>Innerhalb der Entfernung</translation>
    </message>
    <message>
        <source>Any marker</source>
        <translation>Alle Markierungen</translation>
    </message>
    <message>
        <source>Marked</source>
        <translation>Markiert</translation>
    </message>
    <message>
        <source>Unmarked</source>
        <translation>Nicht markiert</translation>
    </message>
    <message>
        <source>Distance &amp;from:</source>
        <translation>&amp;Entfernung von:</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Explorer Selection</source>
        <translation>Auswahl im Explorer</translation>
    </message>
    <message>
        <source>a planet&apos;s name</source>
        <translation>Name eines Planeten</translation>
    </message>
    <message>
        <source>&amp;within</source>
        <translation>&amp;innerhalb</translation>
    </message>
    <message>
        <source>units</source>
        <translation>Einheiten</translation>
    </message>
</context>
<context>
    <name>PlanetListModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Besitzer</translation>
    </message>
    <message>
        <source>Starbase</source>
        <translation>Sternenbasis</translation>
    </message>
    <message>
        <source>Report Age</source>
        <translation>Berichtsalter</translation>
    </message>
    <message>
        <source>Population</source>
        <translation>Bevölkerung</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Entfernung</translation>
    </message>
    <message>
        <source>Marker</source>
        <translation>Markierung</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
</context>
<context>
    <name>PlanetListProxy</name>
    <message>
        <source>%1 of %2 planets</source>
        <translation>%1 von %2 Planeten</translation>
    </message>
</context>
<context>
    <name>PlanetMenu</name>
    <message>
        <source>&amp;Mark as</source>
        <translation>&amp;Markieren als</translation>
    </message>
    <message>
        <source>&amp;Note...</source>
        <translation>&amp;Notiz...</translation>
    </message>
    <message>
        <source>&amp;Distances from Here</source>
        <translation>&amp;Entfernungen von hier</translation>
    </message>
</context>
<context>
    <name>PlanetPicker</name>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keine</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>Owner: </source>
        <translation>Besitzer: </translation>
    </message>
    <message>
        <source>unowned</source>
        <translation>ohne Besitzer</translation>
    </message>
    <message>
        <source>Population: </source>
        <translation>Bevölkerung: </translation>
    </message>
    <message>
        <source>Starbase: </source>
        <translation>Sternenbasis: </translation>
    </message>
    <message>
        <source>Report age: </source>
        <translation>Berichtsalter: </translation>
    </message>
    <message>
        <source>Coordinates: </source>
        <translation>Koordinaten: </translation>
    </message>
    <message>
        <source>Marker: </source>
        <translation>Markierung: </translation>
    </message>
    <message>
        <source>Note: </source>
        <translation>Notiz: </translation>
    </message>
</context>
<context>
    <name>Planning</name>
    <message>
        <source>The file is left as it is until a note changes; it is then kept as %1.bak.</source>
        <translation>Die Datei bleibt, wie sie ist, bis sich eine Notiz ändert; dann wird sie als %1.bak aufbewahrt.</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Notiz</translation>
    </message>
    <message>
        <source>Note on %1:</source>
        <translation>Notiz zu %1:</translation>
    </message>
    <message>
        <source>The notes are kept while Kavora runs; each change tries again to save them.</source>
        <translation>Die Notizen bleiben erhalten, solange Kavora läuft; jede Änderung versucht erneut, sie zu speichern.</translation>
    </message>
</context>
<context>
    <name>QuickSort</name>
    <message>
        <source>cannot sort planets %1 to %2 of %3</source>
        <translation>die Planeten %1 bis %2 von %3 lassen sich nicht sortieren</translation>
    </message>
</context>
<context>
    <name>RaceOverview</name>
    <message>
        <source>trillions</source>
        <translation>Billionen</translation>
    </message>
    <message>
        <source>billions</source>
        <translation>Milliarden</translation>
    </message>
    <message>
        <source>millions</source>
        <translation>Millionen</translation>
    </message>
    <message>
        <source>thousands</source>
        <translation>Tausend</translation>
    </message>
    <message>
        <source>Race Overview</source>
        <translation>Rassenübersicht</translation>
    </message>
    <message>
        <source>Population</source>
        <translation>Bevölkerung</translation>
    </message>
    <message>
        <source>Population by report</source>
        <translation>Bevölkerung nach Bericht</translation>
    </message>
    <message>
        <source>Keep These Colours</source>
        <translation>Diese Farben behalten</translation>
    </message>
    <message>
        <source>Default Colours</source>
        <translation>Standardfarben</translation>
    </message>
    <message>
        <source>Slot</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>report</source>
        <translation>Bericht</translation>
    </message>
    <message>
        <source>Loaded files</source>
        <translation>Geladene Dateien</translation>
    </message>
    <message>
        <source>Races</source>
        <translation>Rassen</translation>
    </message>
    <message>
        <source>Population by race</source>
        <translation>Bevölkerung nach Rasse</translation>
    </message>
    <message>
        <source>A bar per race in its colour; the table holds the same figures</source>
        <translation>Ein Balken je Rasse in ihrer Farbe; die Tabelle enthält dieselben Zahlen</translation>
    </message>
</context>
<context>
    <name>RaceOverviewModel</name>
    <message>
        <source>Slot</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Planets</source>
        <translation>Planeten</translation>
    </message>
    <message>
        <source>Population</source>
        <translation>Bevölkerung</translation>
    </message>
    <message>
        <source>Starbases</source>
        <translation>Sternenbasen</translation>
    </message>
    <message>
        <source>Share %</source>
        <translation>Anteil %</translation>
    </message>
    <message>
        <source>%1: %2 planets, population %3</source>
        <translation>%1: %2 Planeten, Bevölkerung %3</translation>
    </message>
    <message>
        <source>No map is open.</source>
        <translation>Keine Karte geöffnet.</translation>
    </message>
    <message>
        <source>Map: %1 (%2 planets)</source>
        <translation>Karte: %1 (%2 Planeten)</translation>
    </message>
    <message>
        <source>
Report: %1: %2 lines matched a planet, %3 did not</source>
        <translation>
Bericht: %1: %2 Zeilen passten zu einem Planeten, %3 nicht</translation>
    </message>
</context>
<context>
    <name>RecentMenu</name>
    <message>
        <source>%1 no longer exists; it is taken off the recent files.</source>
        <translation>%1 gibt es nicht mehr; die Datei wird aus den zuletzt geöffneten Dateien entfernt.</translation>
    </message>
    <message>
        <source>%1 (not a file)</source>
        <translation>%1 (keine Datei)</translation>
    </message>
    <message>
        <source>No longer there, so not opened:
</source>
        <translation>Nicht mehr vorhanden, daher nicht geöffnet:
</translation>
    </message>
</context>
<context>
    <name>ReportReader</name>
    <message>
        <source>a report line needs planet, owner, starbase, report age and population, each followed by a tab</source>
        <translation>eine Berichtszeile braucht Planet, Besitzer, Sternenbasis, Berichtsalter und Bevölkerung, jeweils gefolgt von einem Tabulator</translation>
    </message>
    <message>
        <source>Processing number </source>
        <translation>Verarbeite Nummer </translation>
    </message>
    <message>
        <source>&quot;%1&quot; would be race 17; there are 16 race slots</source>
        <translation>&quot;%1&quot; wäre Rasse 17; es gibt 16 Plätze für Rassen</translation>
    </message>
    <message>
        <source>a race&apos;s total no longer fits</source>
        <translation>die Summe einer Rasse passt nicht mehr</translation>
    </message>
    <message>
        <source>%1: %2 of %3 lines matched planets of %4</source>
        <translation>%1: %2 von %3 Zeilen passten zu Planeten von %4</translation>
    </message>
    <message>
        <source>%1: only %2 of %3 lines name a planet of %4; is it from another universe?</source>
        <translation>%1: nur %2 von %3 Zeilen nennen einen Planeten von %4; stammt der Bericht aus einem anderen Universum?</translation>
    </message>
    <message>
        <source>Sorting...</source>
        <translation>Sortiere...</translation>
    </message>
    <message>
        <source>Done!</source>
        <translation>Fertig!</translation>
    </message>
    <message>
        <source>Not merged: </source>
        <translation>Nicht eingelesen: </translation>
    </message>
</context>
<context>
    <name>RunError</name>
    <message>
        <source>Invalid procedure call or argument</source>
        <translation>Ungültiger Prozeduraufruf oder ungültiges Argument</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>Überlauf</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Speicher</translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation>Index außerhalb des gültigen Bereichs</translation>
    </message>
    <message>
        <source>Type mismatch</source>
        <translation>Typen unverträglich</translation>
    </message>
    <message>
        <source>Bad file name or number</source>
        <translation>Dateiname oder -nummer falsch</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Datei nicht gefunden</translation>
    </message>
    <message>
        <source>Device I/O error</source>
        <translation>E/A-Fehler des Geräts</translation>
    </message>
    <message>
        <source>Input past end of file</source>
        <translation>Einlesen hinter Dateiende</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>Path/File access error</source>
        <translation>Fehler beim Zugriff auf Pfad/Datei</translation>
    </message>
    <message>
        <source>Path not found</source>
        <translation>Pfad nicht gefunden</translation>
    </message>
    <message>
        <source>Invalid picture</source>
        <translation>Ungültiges Bild</translation>
    </message>
    <message>
        <source>Application-defined or object-defined error</source>
        <translation>Anwendungs- oder objektdefinierter Fehler</translation>
    </message>
    <message>
        <source> (line %1 of %2)</source>
        <translation> (Zeile %1 von %2)</translation>
    </message>
    <message>
        <source>Error!!! %1 %2</source>
        <translation>Fehler!!! %1 %2</translation>
    </message>
    <message>
        <source>Invalid file format</source>
        <translation>Ungültiges Dateiformat</translation>
    </message>
</context>
<context>
    <name>SpokenText</name>
    <message>
        <source>Map from %1 to %2 across and %3 to %4 up</source>
        <translation>Karte von %1 bis %2 in der Breite und %3 bis %4 in der Höhe</translation>
    </message>
    <message>
        <source>unowned</source>
        <translation>ohne Besitzer</translation>
    </message>
    <message>
        <source>owner %1</source>
        <translation>Besitzer %1</translation>
    </message>
    <message>
        <source>population %1</source>
        <translation>Bevölkerung %1</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>no starbase</source>
        <translation>keine Sternenbasis</translation>
    </message>
    <message>
        <source>starbase %1</source>
        <translation>Sternenbasis %1</translation>
    </message>
    <message>
        <source>the whole map</source>
        <translation>die ganze Karte</translation>
    </message>
    <message>
        <source>%1 times closer than the whole map</source>
        <translation>%1-mal näher als die ganze Karte</translation>
    </message>
    <message>
        <source>%1 times farther out than the whole map</source>
        <translation>%1-mal weiter entfernt als die ganze Karte</translation>
    </message>
    <message>
        <source>, zoom factor %1</source>
        <translation>, Zoomfaktor %1</translation>
    </message>
</context>
<context>
    <name>StartPanel</name>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>No map is open yet.</source>
        <translation>Noch ist keine Karte geöffnet.</translation>
    </message>
    <message>
        <source>Open Map File...</source>
        <translation>Kartendatei öffnen...</translation>
    </message>
    <message>
        <source>Shortcut: %1</source>
        <translation>Tastenkürzel: %1</translation>
    </message>
    <message>
        <source>Recent maps:</source>
        <translation>Zuletzt geöffnete Karten:</translation>
    </message>
    <message>
        <source>Open the Sample Universe</source>
        <translation>Das Beispieluniversum öffnen</translation>
    </message>
    <message>
        <source>Or drop a map file, and planet reports with it, on this window.</source>
        <translation>Oder eine Kartendatei, mit Planetenberichten dazu, auf dieses Fenster ziehen.</translation>
    </message>
</context>
<context>
    <name>Surface</name>
    <message>
        <source>the chart window has no extent</source>
        <translation>das Kartenfenster hat keine Ausdehnung</translation>
    </message>
</context>
<context>
    <name>SysInfo</name>
    <message>
        <source>the registry value %1 of %2 holds no data</source>
        <translation>der Registrierungswert %1 von %2 enthält keine Daten</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Die Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Star charts for Quelmar</source>
        <translation>Sternkarten für Quelmar</translation>
    </message>
    <message>
        <source>Copyright © the Kavora authors</source>
        <translation>Copyright © die Kavora-Autoren</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminfo...</translation>
    </message>
    <message>
        <source>About </source>
        <translation>Über </translation>
    </message>
</context>
<context>
    <name>frmColor</name>
    <message>
        <source>Total Population:</source>
        <translation>Bevölkerung:</translation>
    </message>
    <message>
        <source>Race Colors</source>
        <translation>Rassenfarben</translation>
    </message>
    <message>
        <source>&amp;Color</source>
        <translation>&amp;Farbe</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Starbases:</source>
        <translation>Sternenbasen:</translation>
    </message>
    <message>
        <source>Select here for race name</source>
        <translation>Hier eine Rasse wählen</translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Star charts for Quelmar</source>
        <translation>Sternkarten für Quelmar</translation>
    </message>
    <message>
        <source>Copyright © the Kavora authors</source>
        <translation>Copyright © die Kavora-Autoren</translation>
    </message>
</context>
<context>
    <name>mainform</name>
    <message>
        <source>Please open a map first.</source>
        <translation>Bitte zuerst eine Karte öffnen.</translation>
    </message>
    <message>
        <source>Please display map first.</source>
        <translation>Bitte zuerst die Karte anzeigen.</translation>
    </message>
    <message>
        <source>Open Quelmar Map File</source>
        <translation>Quelmar-Kartendatei öffnen</translation>
    </message>
    <message>
        <source>Quelmar Map File (*.map)|*.map</source>
        <translation>Quelmar-Kartendatei (*.map)|*.map</translation>
    </message>
    <message>
        <source>Open Quelmar Player File</source>
        <translation>Quelmar-Spielerdatei öffnen</translation>
    </message>
    <message>
        <source>Quelmar Player File (*.pla)|*.pla</source>
        <translation>Quelmar-Spielerdatei (*.pla)|*.pla</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open Map File</source>
        <translation>&amp;Kartendatei öffnen</translation>
    </message>
    <message>
        <source>Open &amp;Player File</source>
        <translation>&amp;Spielerdatei öffnen</translation>
    </message>
    <message>
        <source>&amp;Undo Last Report</source>
        <translation>Letzten Bericht &amp;rückgängig machen</translation>
    </message>
    <message>
        <source>&amp;Save Map as Bitmap</source>
        <translation>Karte als Bitmap s&amp;peichern</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Map</source>
        <translation>&amp;Karte</translation>
    </message>
    <message>
        <source>&amp;Center</source>
        <translation>&amp;Zentrieren</translation>
    </message>
    <message>
        <source>&amp;Player Colors</source>
        <translation>&amp;Spielerfarben</translation>
    </message>
    <message>
        <source>Planet &amp;List</source>
        <translation>&amp;Planetenliste</translation>
    </message>
    <message>
        <source>&amp;Race Overview</source>
        <translation>&amp;Rassenübersicht</translation>
    </message>
    <message>
        <source>Chart &amp;Explorer</source>
        <translation>Karten-&amp;Explorer</translation>
    </message>
    <message>
        <source>C&amp;hanges</source>
        <translation>Ä&amp;nderungen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>Undone: %1</source>
        <translation>Rückgängig gemacht: %1</translation>
    </message>
    <message>
        <source>Save View As</source>
        <translation>Ansicht speichern unter</translation>
    </message>
    <message>
        <source>Open &amp;Sample Universe</source>
        <translation>Beispiel&amp;universum öffnen</translation>
    </message>
    <message>
        <source>The sample universe is not installed: it was looked for in
</source>
        <translation>Das Beispieluniversum ist nicht installiert; gesucht wurde in
</translation>
    </message>
    <message>
        <source>Save Map as Bitmap</source>
        <translation>Karte als Bitmap speichern</translation>
    </message>
</context>
<context>
    <name>savePictureAs</name>
    <message>
        <source>Bitmaps (*.bmp)|*.bmp|PNG images (*.png)|*.png</source>
        <translation>Bitmaps (*.bmp)|*.bmp|PNG-Bilder (*.png)|*.png</translation>
    </message>
    <message>
        <source>|SVG drawings (*.svg)|*.svg|PDF documents (*.pdf)|*.pdf</source>
        <translation>|SVG-Zeichnungen (*.svg)|*.svg|PDF-Dokumente (*.pdf)|*.pdf</translation>
    </message>
</context>
<context>
    <name>starmap</name>
    <message>
        <source>Star Map</source>
        <translation>Sternkarte</translation>
    </message>
    <message>
        <source>Map Control Center</source>
        <translation>Kartensteuerung</translation>
    </message>
    <message>
        <source>Search for Star:</source>
        <translation>Stern suchen:</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Zoom Controls:</source>
        <translation>Zoom:</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>Zoom Factor:</source>
        <translation>Zoomfaktor:</translation>
    </message>
    <message>
        <source>Display Options</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>Planets with Starbases</source>
        <translation>Mit Sternenbasen</translation>
    </message>
    <message>
        <source>Populated Planets</source>
        <translation>Bevölkerte Planeten</translation>
    </message>
    <message>
        <source>All Planets</source>
        <translation>Alle Planeten</translation>
    </message>
    <message>
        <source>Navigation Controls:</source>
        <translation>Navigation:</translation>
    </message>
    <message>
        <source>&amp;U</source>
        <translation>&amp;O</translation>
    </message>
    <message>
        <source>&amp;L</source>
        <translation>&amp;L</translation>
    </message>
    <message>
        <source>&amp;C</source>
        <translation>&amp;M</translation>
    </message>
    <message>
        <source>&amp;R</source>
        <translation>&amp;R</translation>
    </message>
    <message>
        <source>&amp;D</source>
        <translation>&amp;U</translation>
    </message>
    <message>
        <source>Color Control:</source>
        <translation>Farben:</translation>
    </message>
    <message>
        <source>R&amp;ace Color Selector...</source>
        <translation>R&amp;assenfarben...</translation>
    </message>
    <message>
        <source>Star chart</source>
        <translation>Sternkarte</translation>
    </message>
</context>
</TS>
