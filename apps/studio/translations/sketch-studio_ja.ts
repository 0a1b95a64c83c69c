<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>QObject</name>
    <message>
        <location filename="../main.cpp" line="85"/>
        <source>Sketch Studio did not end cleanly last time. Recover the sketch it was drawing?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main.cpp" line="87"/>
        <source>Left out:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main.cpp" line="89"/>
        <source>The journal is kept as %1; File &gt; Open Sketch opens it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main.cpp" line="98"/>
        <source>Recovered, but not all: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main.cpp" line="101"/>
        <source>Not all of the journal could be recovered:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main.cpp" line="232"/>
        <source>Another Sketch Studio keeps the journal: a crash would lose this work.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../main.cpp" line="261"/>
        <source>The script stopped: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="196"/>
        <source>Export View as PNG...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="197"/>
        <source>Export the view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="197"/>
        <location filename="../SessionOutput.cpp" line="200"/>
        <source>PNG (*.png)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="199"/>
        <source>Export Active Region as PNG Mask...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="200"/>
        <source>Export the active region</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="202"/>
        <source>Export Trace as Points...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="203"/>
        <source>Export the trace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="203"/>
        <source>JSON (*.json)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="205"/>
        <source>Export Sketch as SVG...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="206"/>
        <source>Export the sketch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="206"/>
        <source>SVG (*.svg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="208"/>
        <source>Record...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="209"/>
        <source>Record into a replay script</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../SessionOutput.cpp" line="210"/>
        <source>Replay scripts (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StudioWindow</name>
    <message>
        <location filename="../StudioNavigation.cpp" line="36"/>
        <source>Zoom In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioNavigation.cpp" line="38"/>
        <source>Zoom Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioNavigation.cpp" line="39"/>
        <source>Actual Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioNavigation.cpp" line="40"/>
        <source>Fit in Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioNavigation.cpp" line="44"/>
        <source>Grid</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioNavigation.cpp" line="46"/>
        <source>Grid Spacing...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioNavigation.cpp" line="50"/>
        <source>Grid spacing in pixels of the picture:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioSketches.cpp" line="135"/>
        <source>The recording ended: another session was opened.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioSketches.cpp" line="159"/>
        <source>Save the sketch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioSketches.cpp" line="159"/>
        <location filename="../StudioSketches.cpp" line="170"/>
        <source>Sketches (*.sketch)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioSketches.cpp" line="165"/>
        <source>Saved %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioSketches.cpp" line="170"/>
        <source>Open a sketch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioSketches.cpp" line="184"/>
        <source>%1.

Replay the sketch over the pictures as they are now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioSketches.cpp" line="194"/>
        <source>Not all of %1 could be read:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="62"/>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="62"/>
        <source>&amp;Open Picture...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="63"/>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="64"/>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="65"/>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="65"/>
        <source>&amp;Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="66"/>
        <source>&amp;Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="67"/>
        <source>Cu&amp;t</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="68"/>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="69"/>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="70"/>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="70"/>
        <source>Sketch in &amp;Black</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="71"/>
        <source>Sketch &amp;Transparent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="72"/>
        <source>Sketch &amp;Inverted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="73"/>
        <source>Sketch in the &amp;Palette Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="74"/>
        <source>&amp;Show the Sketch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="75"/>
        <source>&amp;Hide the Sketch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="76"/>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="76"/>
        <source>&amp;Tile</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="77"/>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="77"/>
        <source>&amp;About Sketch Studio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="344"/>
        <source>Open a picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="345"/>
        <source>Pictures (*.png *.jpg *.jpeg *.bmp)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="364"/>
        <source>About %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="368"/>
        <source>A vector sketch over a picture.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="369"/>
        <source>Module: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="370"/>
        <source>No module is loaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="397"/>
        <source>the picture is %1 x %2 pixels; at most %3 on a side can be opened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="404"/>
        <source>the picture is too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="411"/>
        <source>%1 cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="433"/>
        <source>There is not enough memory to open %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="445"/>
        <source>The sketch over %1 has not been saved. Discard it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="482"/>
        <source>Out of memory: the last step was dropped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="494"/>
        <source>The journal cannot be written any more (%1): a crash would lose what is done from now on. File &gt; Save Sketch keeps it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="515"/>
        <source>X %1  Y %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="556"/>
        <source>Open Sketch...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="557"/>
        <source>Save Sketch...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="570"/>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <location filename="../StudioWindow.cpp" line="574"/>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolPalette</name>
    <message>
        <location filename="../ToolPalette.cpp" line="58"/>
        <source>Sketch tools on or off</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
