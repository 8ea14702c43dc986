#include "stockgen/help_document.h"

#include "app/command_table.h"

namespace k2stock {
namespace {

struct Section {
    const char* id;
    const char* title;
    const char* body;
};

const Section Sections[] = {
    {"introduction", "Keldmar 2 Battle Editor",
     "<p>The Battle Editor creates and changes the battles (scenarios) of Keldmar 2: a hex map with its "
     "terrain, "
     "structures, objective and map text, and the two forces, the Western and the Eastern, with the units "
     "that start "
     "on the map and the reinforcements that arrive on later turns.</p>"
     "<p>Every editing command of the menus puts the editor into an <b>edit mode</b>; a click on a hex of "
     "the map "
     "then carries it out, either at once or through a dialog. The information bar at the bottom tells you "
     "what the "
     "current mode expects. A click that is not allowed in the current mode is refused with a low sound and "
     "changes "
     "nothing; the information bar says why for a few seconds, then shows the mode's prompt again.</p>"
     "<p>While the battle differs from its saved file (or has no file yet), the window's caption ends in "
     "<b>*</b>.</p>"},
    {"file-menu", "The File menu",
     "<p>The File menu opens, creates and saves battles. Battles are kept in the <code>scenarios</code> "
     "folder of the "
     "installation.</p>"},
    {"open-battle", "Open Battle",
     "<p><b>File &gt; Open Battle</b> asks whether to save changes to the battle you are working on, then "
     "lets you "
     "choose a battle file. Keldmar 2 battles have the extension <code>.k2s</code>; battles of the first "
     "game "
     "(<code>.scn</code>) can be opened too and are converted as they are read: their border becomes Map "
     "Edge and their "
     "secondary terrain becomes Broken Ground. Save a converted battle under a new name to keep it.</p>"},
    {"new-battle", "Create New Battle",
     "<p><b>File &gt; Create New Battle</b> opens the battle settings for a new map. Give the battle a name "
     "and both "
     "forces a name, choose the map size (10 to 150 columns and rows) and the other settings, and press OK. "
     "The new "
     "map is open ground of mixed look, framed by a ring of Map Edge hexes that no terrain tool may "
     "change.</p>"},
    {"save-battle", "Save Battle",
     "<p><b>File &gt; Save Battle</b> writes the battle to its file. Units are stored in the game's order: "
     "by side, by "
     "arrival turn and by wing. The battle is then added to the recent battles at the foot of the File "
     "menu, and the information bar says <i>Battle saved.</i></p>"},
    {"save-battle-as", "Save Battle As...",
     "<p><b>File &gt; Save Battle As...</b> writes the battle under a new file name, which becomes the "
     "battle's file "
     "from then on. The information bar says <i>Battle saved as</i> and the file's name.</p>"},
    {"export-map-image", "Export Map Image...",
     "<p><b>File &gt; Export Map Image...</b> writes the map as a PNG picture at the current zoom level, "
     "with "
     "the display switches as they are now (elevation, objectives, reinforcement hexes, overlay, map text). "
     "Choose <b>The whole map</b> for the entire battle or <b>The visible part</b> for what the map view "
     "shows now (the size of each picture is given), then a file name. A large map at the largest zoom "
     "level takes a while: the progress window shows how far it has got, and Cancel stops it without "
     "writing anything. An existing file is replaced only when the new picture has been written "
     "completely. While a reference image lies under the map, <b>Include the reference image</b> puts it "
     "into the picture as the map shows it.</p>"},
    {"recent-battles", "Recent battles",
     "<p>The last battles you saved are listed at the foot of the File menu. Choose one to open it.</p>"},
    {"exit", "Exit",
     "<p><b>File &gt; Exit</b> closes the editor, after asking whether to save changes to the open "
     "battle.</p>"},
    {"recovery", "Recovering unsaved work",
     "<p>While a battle has unsaved changes, the editor keeps a <b>recovery copy</b> of it in your own "
     "application data folder (never among the installation's battles). The copy is written after each "
     "finished change (a click, a stroke when the button is released, a dialog when it closes, an undo or "
     "redo), at most once a minute, so the last change before a quiet minute is always in it; it is "
     "removed when you save the battle or close it without saving.</p>"
     "<p>If the editor ends without either, for example because the computer lost power, the next start "
     "asks <i>Recover the unsaved battle &lt;name&gt; from &lt;time&gt;?</i> Yes opens the copy as a "
     "changed battle; save it with <b>Save Battle As...</b>, which proposes its old file. No deletes the "
     "copy. A copy that cannot be read is reported, and deleted only if you agree.</p>"},
    {"starting", "Starting the editor and opening battles from outside",
     "<p>Choose <b>Keldmar 2 Battle Editor</b> in your desktop's menu, or double-click a battle file "
     "(<code>.k2s</code>, or <code>.scn</code> of the first game) in your file manager to start the editor "
     "with that battle open.</p>"
     "<p>From a terminal, <code>keldmar2-editor FILE</code> starts the editor and opens FILE (a path from "
     "the folder you are in) just as <b>File &gt; Open Battle</b> would, with the same messages for a file "
     "it cannot read. <code>keldmar2-editor --help</code> lists the options and "
     "<code>keldmar2-editor --version</code> shows the version; any other option is refused with a short "
     "usage message.</p>"
     "<p>Dropping a battle file on the editor's window opens it too. As with Open Battle, the editor "
     "first asks whether to save changes to the battle you are working on.</p>"},
    {"installation", "The installation folder",
     "<p>The editor reads its graphics, sounds and definitions from an <b>installation folder</b>, and "
     "writes "
     "into it: the terrain definitions you change in the terrain picker, the battles you save in its "
     "<code>scenarios</code> folder, and the list of recent battles.</p>"
     "<p>When you start the editor in a folder that holds an installation (a <code>sysdefs</code> folder "
     "with "
     "<code>K2Ter.Def</code>, and a <code>scenarios</code> folder), it uses that one. Otherwise it uses your "
     "own installation, <code>~/.local/share/Tessary/Keldmar 2/install</code>, which it makes at its first "
     "start by copying the stock installation that came with the program. The command-line tool "
     "<code>k2tool</code> finds its installation the same way, unless you name one with "
     "<code>--install</code>.</p>"
     "<p>When a newer version of the program is installed, the next start adds the new stock files to your "
     "installation and updates the stock files you have not changed. A file you have changed is never "
     "overwritten.</p>"
     "<p><b>To get a stock file back</b>, for example the original terrain definitions, close the editor, "
     "delete (or rename) your copy of the file in your installation folder and start the editor again: it "
     "copies the stock file back.</p>"},
    {"battle-settings", "Battle Settings",
     "<p><b>Battle Settings</b> shows the settings of the open battle: its name and description, the names "
     "of the two "
     "forces, the symbol sets, the weather, who has the initiative, the number of turns, the morale break "
     "points of "
     "each side, leader replacement and the battle icon. A battle needs a name and both force names before "
     "OK accepts "
     "the settings.</p>"},
    {"check-battle", "Check Battle",
     "<p><b>File &gt; Check Battle</b> (F7) checks the whole battle for mistakes before it goes to players "
     "and lists what it finds in the <b>Check Battle</b> panel below the map. <b>Errors</b> are problems "
     "that will likely make the game misbehave; <b>warnings</b> are probably mistakes. The summary line "
     "counts them (<i>No problems found.</i> when there are none). Double-click a finding, or select it and "
     "press Enter, to scroll the map to its hex and outline it. <b>Check Again</b> runs the check once more "
     "at once. While the panel is shown it checks again by itself shortly after each change (a stroke "
     "or several quick undos check once) and says <i>Up to date at</i> and the time, or <i>Checking after "
     "the last change...</i>. The Hex column writes a hex as the information bar does: its row number "
     "followed by its column number, counted from 0. The panel can be moved, floated or closed like any "
     "panel.</p>"
     "<p>Errors:</p><ul>"
     "<li>a hex refers to a unit, structure, objective or map text that does not exist or stands elsewhere, "
     "or a unit, structure or objective lies off the map;</li>"
     "<li>a unit belongs to a wing that is not in the wing list;</li>"
     "<li>a unit or structure belongs to neither the Western nor the Eastern side;</li>"
     "<li>a unit's activation turn is after the battle's last turn, or below 1;</li>"
     "<li>a side has no units;</li>"
     "<li>a unit stands on the map's border, or on a hex whose cost per move is X.</li></ul>"
     "<p>Warnings:</p><ul>"
     "<li>a wing has no units, or a side's units in a wing have no leader;</li>"
     "<li>a unit on the map at the start is outside every leader's command range;</li>"
     "<li>a reinforcement's hex has no reinforcement marker; a reinforcement marker lies on a hex with no "
     "unit, or under a unit that is on the map from the start; a reinforcement has the other side's marker, "
     "or a symbol that is neither side's marker;</li>"
     "<li>archer stakes lie under a unit that carries none, or carry the other side's symbol;</li>"
     "<li>a structure holds a unit of the other side;</li>"
     "<li>there is more than one terrain objective, or an objective is worth 0 points;</li>"
     "<li>a map text lies on no hex of the map, or two map texts share a hex.</li></ul>"},
    {"edit-menu", "The Edit menu: Undo and Redo",
     "<p>Every change you make to the battle can be taken back. <b>Edit &gt; Undo</b> (Ctrl+Z) takes back "
     "the last change and names it, for example <i>Undo Place Primary Terrain</i>; <b>Edit &gt; Redo</b> "
     "(Ctrl+Shift+Z or Ctrl+Y) makes it again. One change is one click on the map, one stroke of the mouse "
     "painted with the button held, one dialog from opening to closing, a kept fill, a trim of the map or "
     "the battle settings. Saving sorts the units into the game's order, which is a change of its own "
     "(<i>Sort Units</i>).</p>"
     "<p>The editor remembers where the battle was last saved: undo back to that point and the battle no "
     "longer counts as changed, so closing it does not ask to save. The oldest changes are forgotten when "
     "very many have been made. Opening or creating a battle starts its changes afresh.</p>"},
    {"preferences", "Preferences",
     "<p>The <b>Preferences</b> menu switches map layers on and off. The switches change only what you see, "
     "never the "
     "battle:</p><ul>"
     "<li><b>Elevation</b> draws every hex raised by its height, so that hills stand out; higher ground "
     "overlaps "
     "lower ground.</li>"
     "<li><b>Map Text</b> shows or hides the place names written on the map.</li>"
     "<li><b>Victory Objectives</b> shows or hides the objective marker.</li>"
     "<li><b>Reinforcement Hexes</b> shows or hides the markers of the hexes where reinforcements "
     "arrive.</li>"
     "<li><b>Map Overlay</b> draws the hex grid over the map.</li>"
     "<li><b>Overview</b> shows or hides the Overview panel, and the editor remembers your choice.</li></ul>"
     "<p>The picture traced over the map has its switch in the <b>View</b> menu, with the picture's own "
     "commands: see <a href=\"#reference-image\">Reference Image</a>.</p>"
     "<p>The <b>Overview</b> panel shows the whole battle map in miniature: each hex is coloured by its top "
     "terrain, structures tint their hex, and units show as blue (Western) or red (Eastern) dots. The "
     "yellow rectangle marks the part of the map the main view shows; it follows every scroll and zoom. "
     "Click or drag in the panel to centre the main view on that point. Like the Check Battle panel, it "
     "can be moved to another side of the window or floated.</p>"},
    {"terrain", "The Terrain menu",
     "<p>Terrain comes in layers. Each hex has one <b>primary terrain</b> (the ground: open ground, fields, "
     "marsh, "
     "hills...) and up to six <b>secondary terrains</b> drawn over it (woods, roads, rivers, walls, hedges, "
     "slopes, "
     "buildings). The terrain picker lists the terrain of the chosen layer under headings; a heading itself "
     "cannot be "
     "picked. The picker also shows and edits the game values of the selected terrain type: elevation, cost "
     "per move "
     "(\"-\" means no cost of its own, \"X\" impassable) and defense modifier.</p>"
     "<p>Roads, tracks, rivers and streams come in six pieces, one for each side of the hex (N, NE, SE, S, "
     "SW, NW), "
     "each running from the centre of the hex to that side. Put two pieces in one hex for a road that runs "
     "through "
     "it, three for a fork. Walls, hedges and slopes lie along one side of the hex; a slope falls away "
     "across the side "
     "it is drawn on. Put a Ford over a river where troops may cross it, or a Bridge to carry a road over "
     "it.</p>"},
    {"terrain-picker", "The terrain picker",
     "<p>The Terrain Symbols window lists the terrains you can lay down: primary terrains for Place "
     "Primary Terrain and Fill Primary Terrain, secondary terrains for Place Secondary Terrain. Click a "
     "terrain (or move with the arrow keys) to select it; the bold rows are headings and cannot be "
     "selected. The picture shows the selected symbol. The arrows change the terrain type's "
     "Elevation/Height (0 to 3), Cost Per Move (0 to 13; \"-\" means no cost, \"X\" impassable) and "
     "Defense Modifier (-8 to +8), and the Name box renames it (up to 20 characters). These changes apply "
     "to every hex of that terrain at once and can be undone with Undo. For Fill Primary Terrain the "
     "window has OK and Cancel: OK (or a double-click on a terrain) also saves the terrain definitions to "
     "<code>sysdefs/K2Ter.Def</code>; Cancel keeps your changes in memory without saving them. The window "
     "stays where you put it for the rest of the session.</p>"},
    {"place-primary", "Place Primary Terrain",
     "<p><b>Terrain &gt; Place Primary Terrain</b> opens the terrain picker beside the map. Choose a terrain "
     "in it and click hexes to give them that ground, or hold the left button and drag to paint every hex "
     "the pointer passes; a whole stroke is one change for Undo. While a terrain mode is active the hex "
     "under the pointer is outlined, so you see where the click will land. Open ground, wheat fields and "
     "rough ground are laid in one of four look-alike variants at random, so that large areas do not look "
     "uniform; pick a numbered variant to lay that one exactly. Border hexes cannot be changed. The picker "
     "stays open beside the map, and comes back where you left it.</p>"},
    {"place-secondary", "Place Secondary Terrain",
     "<p><b>Terrain &gt; Place Secondary Terrain</b> opens the picker on the secondary terrains. Left-click "
     "a hex to add the chosen one, right-click to take off the last one added; hold either button and drag "
     "to do the same along a stroke. Woods, orchards and scrub are laid in look-alike variants. A hex "
     "holds at most six secondary terrains (a seventh replaces the sixth); a terrain the hex already has "
     "is not added twice. The values of the last one added that has a cost decide the hex's cost per move "
     "and defense.</p>"},
    {"brushes", "Brushes",
     "<p>Place Primary Terrain, and the right button of Place Secondary Terrain, paint with a brush of "
     "radius 0, 1, 2 or 3: the hex under the pointer alone, or every hex within one, two or three steps of "
     "it (7, 19 or 37 hexes). Choose the radius in the <b>Brush</b> row of the terrain picker (its buttons "
     "show "
     "how many hexes each brush paints), or press <b>[</b> and <b>]</b> (<b>Terrain &gt; Smaller Brush</b>, "
     "<b>Larger Brush</b>) while a terrain mode is active; it is kept until you change it. The outline "
     "under the pointer shows every hex the brush will touch.</p>"
     "<p>Each hex of the brush gets its own look-alike variant. Border hexes and hexes beyond the map edge "
     "are passed over; only a click where every hex of the brush is a border hex is refused. A stroke "
     "paints each hex once, however often the brush passes over it, and a click or a whole stroke is one "
     "change for Undo. With the right button, a stroke takes the last secondary terrain off each hex it "
     "touches, once.</p>"},
    {"map-areas", "Map areas: select, copy, cut and paste",
     "<p><b>Edit &gt; Select Map Area</b> is an edit mode for choosing part of the map. Drag with the left "
     "button to select the rectangle of whole columns and rows between where you press and where you let "
     "go; hold <b>Shift</b> to add it to what is selected, <b>Ctrl</b> to take it away. A double-click "
     "selects the connected area of the clicked hex's primary terrain, by the same rule as Fill Primary "
     "Terrain. <b>Select All</b> (Ctrl+A), <b>Select None</b> (Ctrl+Shift+A) and <b>Invert Selection</b> "
     "work at any time. The selection is outlined and lightly tinted on the map. It is not part of the "
     "battle: it is not saved, Undo does not touch it, and it goes when the map changes size or another "
     "battle is opened.</p>"
     "<p><b>Copy Map Area</b> (Ctrl+C) takes each selected hex with its primary terrain, secondary "
     "terrains, caltrops, stakes, structure and map text. <b>Units, reinforcement hexes and the objective "
     "do not travel.</b> The area stays on the clipboard until the next copy, also when you open another "
     "battle, and the system clipboard gets it too, with a picture of it at the current zoom for other "
     "programs. <b>Cut Map Area</b> (Ctrl+X) copies and then clears the hexes; <b>Delete Map Area</b> "
     "(Delete) clears them without copying. A cleared hex gets the open ground of a new battle and loses "
     "its secondary terrain, caltrops, stakes, structure and map text; border hexes keep the border "
     "terrain.</p>"
     "<p><b>Paste Map Area</b> (Ctrl+V) shows the area under the pointer; click to lay it down with its "
     "top-left corner on the hex. The area moves by even numbers of columns only, so that roads, rivers, "
     "walls and hedges still join as they were copied. Hexes that would fall off the map or on the border "
     "are left out. A structure or map text of the area replaces the one on the hex it lands on. If the "
     "structures or map texts would not fit in the battle (100 structures, 50 map texts), or the battle's "
     "terrain set lacks a terrain of the area, nothing is pasted and the information bar says why. Press "
     "Escape or the right button to stop pasting and go back to Select Map Area.</p>"
     "<p><b>Fill Selection</b> lays the terrain chosen in the picker on every selected hex but the border, "
     "each with its own variant.</p>"
     "<p>Cut, Delete, each paste and Fill Selection are one change each for Undo. In the unit modes the "
     "Units menu's Copy Unit, Cut Unit and Paste Unit work on the one-unit clipboard as before; the two "
     "clipboards are separate.</p>"},
    {"fill-terrain", "Fill Primary Terrain",
     "<p><b>Terrain &gt; Fill Primary Terrain</b> opens the picker with OK and Cancel (a double-click on a "
     "terrain is OK), then click a hex: every hex of the same primary terrain that is joined to it through "
     "the hexes above and below it and the hexes of the same row beside it takes the new terrain. You are "
     "asked whether to keep the fill; answer No to put everything back. On a map of one terrain the fill "
     "covers all of it. OK in the fill picker also saves the terrain values you have edited in the "
     "definition file; edits of the values can be undone like any other change.</p>"},
    {"structures", "Structures",
     "<p><b>Terrain &gt; Add/Modify Structures</b>: click a hex to add, change or remove its structure: a "
     "castle, keep, tower, gatehouse, palisade, earthworks, church, abbey, village, manor house, farm, "
     "windmill, camp or fortified bridge. Add prepares a new structure and Exit creates it; a unit on the "
     "hex decides the owning side. A structure has a name, an owning side, a defense modifier, a supply "
     "level and a height. Remove deletes the hex's structure. A battle holds at most 100 structures.</p>"},
    {"objective", "Terrain Objective",
     "<p><b>Special Hexes &gt; Set/Modify Terrain Objective</b>: click a hex to set the battle's terrain "
     "objective; while one exists only its own hex can be chosen. Add creates \"Land Objective\" worth 50 "
     "points; type a name, set the points (0 to 100) with the arrows, or Remove it. <b>Terrain Objective "
     "Status</b> lists each objective with the force whose unit stands on it, its value and its hex.</p>"},
    {"units", "The Units menu",
     "<p><b>Add/Modify Units</b>: click a hex to open the unit editor. Add creates a unit; every change is "
     "written at once; Exit keeps the changes, Remove deletes the unit. Typing a new name in the Wing box "
     "creates that wing on Exit. The editor also shows the unit's place in its wing and the leader who "
     "commands it (\"Led by:\"). Opening the editor on a reinforcement hex switches to Add/Modify "
     "Reinforcements. The unit editor sets the unit's side, picture, class, equipment, men, morale, wing "
     "and leader values, and shows its combat strength, fire power and defence. Western units face east, "
     "Eastern units face west; the Facing button turns a unit round.</p>"
     "<p><b>Add/Modify Reinforcements</b>: as Units, for units arriving on a later turn. Not allowed on a "
     "hex holding a unit present at the start, or on a structure.</p>"
     "<p><b>Copy Unit</b> / <b>Cut Unit</b>: click a unit to copy it to the unit clipboard, or to copy it "
     "and remove it; the information bar names the unit now on the clipboard. The clipboard is kept when "
     "another battle is opened. <b>Paste Unit</b> (available "
     "after the first copy or cut): click an empty hex to add a copy of the clipboard unit; refused on a hex "
     "with a unit, for a unit present at the start on a reinforcement hex, and when the battle already holds "
     "500 units; the pasted unit keeps every value of the copied one, its arrival turn included. <b>Move "
     "Unit</b>: click a unit (it is outlined), then an empty hex; a reinforcement's marker moves with "
     "it.</p>"
     "<p><b>Order of Battle</b> (one item for each force, named after it): lists every unit of the side, "
     "placed or arriving later, after putting the units in their standard order (this can be undone as "
     "\"Sort Units\"). Wing leaders stand out, the others are indented. Click a column heading to sort "
     "the list by it (click again to reverse, a third time for the standard order); the unit numbers do "
     "not change. Ctrl+C copies the list as tab-separated text for a spreadsheet. Double-click a unit to "
     "open it in the unit editor.</p>"
     "<p><b>Reinforcement Schedule</b>: lists the side's units arriving after turn 1, with their arrival "
     "turn. Sorting, Ctrl+C and double-click work as in the Order of Battle.</p>"
     "<p>Beside the list, the <b>arrival chart</b> shows both sides' reinforcements by turn, from turn 2 "
     "to the battle's last turn: the upper chart counts units, the lower one men, with Western (blue) and "
     "Eastern (red) bars side by side, so that you can balance the two forces turn by turn. "
     "Reinforcements set to arrive after the last turn never enter the battle; the chart leaves them out "
     "and says how many there are.</p>"
     "<p><b>Army Statistics</b>: compares the two forces: men, units, average morale, fire power, combat "
     "strength and total points (unit values plus the objective's points for the side holding it).</p>"
     "<p>Equipment tables: the four small buttons beside the unit editor's equipment lists show the "
     "missile weapons, combat weapons, armour or shields with their ratings and weights.</p>"},
    {"special-hexes", "Special Hexes",
     "<p><b>Set Special Hex Markers</b>: choose the symbols drawn on Western and Eastern reinforcement "
     "hexes and on the terrain objective. Choosing a reinforcement symbol changes every reinforcement hex "
     "of that side at once.</p>"
     "<p><b>Place Caltrops</b>: each click on a hex lays caltrops there, or lifts them if they are already "
     "there; they add 3 to its cost per move. <b>Plant Archer Stakes</b>: a click on a unit that carries "
     "stakes plants them, in its side's symbol; a click on a hex with stakes pulls them up, with or without "
     "a unit.</p>"},
    {"map-text", "Map Text",
     "<p><b>Map Text &gt; Add/Modify Map Text</b>: click a hex to add or edit its label. Set the face, "
     "colour and style, and a size and position for each zoom level (text smaller than 6 points is not "
     "drawn at that level); the sample shows the text as the map will. Exit stores it and Remove deletes "
     "it. A battle holds at most 50 map texts.</p>"},
    {"map-trimmer", "Map Trimmer",
     "<p><b>Terrain &gt; Map Trimmer</b> shows the battle's counts. Trim cuts the bottom row, top row, right "
     "column or the two leftmost columns. Everything on the cut hexes is deleted, and the hexes of the new "
     "edge become border hexes. Grow adds a row at the bottom or top, a column at the right, or two "
     "columns at the left, up to 150 x 150; the old edge becomes open ground and the new edge is border. "
     "The map cannot shrink below 10 x 10. Each press can be undone.</p>"},
    {"generate-terrain", "Generate Terrain",
     "<p><b>Terrain &gt; Generate Terrain...</b> lays a new battlefield over the whole map, to shape "
     "further by hand. Choose a <b>seed</b> (or press <b>New Seed</b> for another) and set the sliders "
     "from 0 to 100: <b>Hills</b>, <b>Woods</b>, <b>Marsh and Water</b> and <b>Fields</b> ask for a share "
     "of the map inside its border (at 100: 40 % hills, 35 % woods, 25 % marsh and water, 30 % fields), "
     "<b>Villages</b>, <b>Roads</b> and <b>Rivers</b> for how many, more on a larger map. The preview "
     "shows the whole map as it will be and follows the sliders; OK lays it down, and one Undo takes it "
     "back.</p>"
     "<p>Hills come in clusters that rise one level at a time to their tops; woods grow in clumps; marsh "
     "lies on low ground and along the rivers, with open water inside the larger marshes; fields lie near "
     "the villages and roads. Rivers run from one edge of the map to the other; roads run from edge to "
     "edge, cross a river by a bridge or a ford, and lead to the villages; every piece of road or river "
     "meets its neighbour's matching piece. Each village is a structure, owned by the side of a unit "
     "standing on it, else by the side whose half of the map it lies in. The same seed and sliders always "
     "give the same map.</p>"
     "<p>Units, the objective, markers, caltrops, stakes and map text stay where they are, and a hex with "
     "a unit or a reinforcement marker never becomes water or river; the border stays. The battle's "
     "structures give way to the villages. Which terrain serves as ground, woods, water, hills, roads, "
     "rivers, bridges and fords comes from the <b>role table</b> of the battle's terrain set "
     "(<code>sysdefs/K2T.roles</code> for the stock set): for a terrain set without one, or with a "
     "damaged one, the command is disabled and its tip says why. <code>k2tool generate</code> makes a new "
     "battle with generated terrain from the command line.</p>"},
    {"reference-image", "Reference Image: tracing a map picture",
     "<p>To build a historical field from a period map or a survey, show the picture over the map, "
     "see-through, and paint the ground to match it. <b>View &gt; Reference Image...</b> opens its window: "
     "<b>Choose...</b> a picture "
     "(PNG, JPEG, BMP, GIF, TIFF and the other kinds the system reads), <b>Remove</b> it, and set the "
     "<b>Opacity</b> from 0 % (not drawn) to 100 % (the picture hides the map); it starts at 50 %. What "
     "you change shows on the map at once; Cancel puts back what was there. A new picture is first laid "
     "over the whole map from its top-left corner, as large as fits. The picture follows every scroll "
     "and zoom.</p>"
     "<p><b>View &gt; Align Reference Image</b> puts the picture in place: click a point of the picture "
     "(a church, a crossroads), then the hex where that point belongs; then a second point, well away "
     "from the first, and its hex. The picture is scaled, turned and moved so that both points sit on "
     "the centres of their hexes; the information bar says the scale and angle, and the window shows "
     "them too. The points clicked so far are marked with small red crosses; the right button starts the "
     "pairs again. While the mode is on, the arrow keys nudge the picture one pixel of the largest zoom "
     "level at a time. <b>Reset</b> in the window lays it over the whole map again.</p>"
     "<p><b>View &gt; Reference Image is: On/Off</b> (Ctrl+R) shows and hides it. None of this changes "
     "the battle: it is no step for Undo and does not mark the battle as changed. The settings are kept "
     "in a small file beside the battle, <code>NAME.k2s.reference.json</code> (the picture's place "
     "relative to the battle, the two points and their hexes, the nudge, the opacity and whether it is "
     "shown), written when the battle is saved, also under a new name, and whenever you change them for "
     "a battle that has a file. When the battle is opened the picture comes back; if the file is damaged "
     "or the picture is missing, the information bar says so and the battle opens as usual.</p>"},
    {"information", "Information",
     "<p>The <b>Information</b> menu shows the definition tables of weapons, armour and shields, with their "
     "weights, "
     "ranges and ratings; guns are shown by size class (Lt, Med, Hvy). Moving the mouse over the map shows "
     "the hex's "
     "terrain, cost per move, elevation, defense, objective and map text in the information bar, and the "
     "unit and "
     "structure there in the unit panel.</p>"},
    {"help-menu", "Help",
     "<p><b>Contents</b> opens this document. <b>Keyword Search</b> opens it on a search field: type a word "
     "and choose "
     "a keyword from the index. <b>About</b> shows the version of the editor.</p>"},
    {"keyboard-mouse", "Keyboard and mouse",
     "<ul><li>Left click on a hex: carry out the current edit mode there.</li>"
     "<li>Right click on a hex: in secondary terrain placement, take off the last secondary terrain "
     "added.</li>"
     "<li>Drag with a button held: in the primary and secondary terrain modes, paint (or, with the right "
     "button, clear) every hex the pointer passes, as one change.</li>"
     "<li>Select Map Area: drag with the left button to select a rectangle; hold Shift to add it, Ctrl to "
     "take it away; double-click to select the area of one primary terrain.</li>"
     "<li>Paste Map Area: the area follows the pointer; a left click lays it down; Escape or the right "
     "button ends pasting.</li>"
     "<li>Zoom in: press the zoom-in button, then click the hex to centre on; the zoom-out button steps "
     "back. "
     "There are three zoom levels.</li>"
     "<li>The help opens beside the main window; Escape or Ctrl+W closes it, and it closes with the "
     "editor.</li>"
     "<li>Scroll bars: move over the map.</li>"
     "<li>Mouse over a hex: its row and column (\"Hex:\" followed by the row and the column), cost per move, "
     "elevation and height, defense, terrain, objective and map text appear in the information bar.</li>"
     "</ul>"},
};

// The keys of the editor's commands, read from the same table the menus are built from.
std::string KeyboardList() {
    std::string html = "<p>Keys:</p>\n<ul>";
    for (const k2::CommandRow& row : k2::CommandTable) {
        if (row.keys[0].empty()) continue;
        std::string keys(row.keys[0]);
        if (!row.keys[1].empty()) keys += " or " + std::string(row.keys[1]);
        std::string_view caption = row.caption;
        while (caption.ends_with(' '))
            caption.remove_suffix(1);
        std::string what(caption);
        if (row.menu != k2::CommandMenu::None) what = std::string(k2::MenuTitle(row.menu)) + " &gt; " + what;
        html += "<li>" + keys + ": " + what + "</li>\n";
    }
    return html + "</ul>";
}

} // namespace

const std::vector<HelpKeyword>& HelpKeywords() {
    static const std::vector<HelpKeyword> keywords = {
        {"Align Reference Image", "reference-image"},
        {"Army Statistics", "units"},
        {"Battle Settings", "battle-settings"},
        {"Bridge", "terrain"},
        {"Brush", "brushes"},
        {"Caltrops", "special-hexes"},
        {"Check Battle", "check-battle"},
        {"Command line", "starting"},
        {"Copy Map Area", "map-areas"},
        {"Copy Unit", "units"},
        {"Create New Battle", "new-battle"},
        {"Cut Map Area", "map-areas"},
        {"Delete Map Area", "map-areas"},
        {"Double-click a battle file", "starting"},
        {"Drag and drop", "starting"},
        {"Arrival chart", "units"},
        {"Edit modes", "introduction"},
        {"Errors and warnings", "check-battle"},
        {"Elevation", "preferences"},
        {"Exit", "exit"},
        {"Export Map Image", "export-map-image"},
        {"Facing", "units"},
        {"Fill Primary Terrain", "fill-terrain"},
        {"Fill Selection", "map-areas"},
        {"Ford", "terrain"},
        {"Generate Terrain", "generate-terrain"},
        {"Help", "help-menu"},
        {"Information", "information"},
        {"Invert Selection", "map-areas"},
        {"Installation folder", "installation"},
        {"Keyboard", "keyboard-mouse"},
        {"Keyword Search", "help-menu"},
        {"Legacy battles", "open-battle"},
        {"Map areas", "map-areas"},
        {"Map Overlay", "preferences"},
        {"Map Text", "map-text"},
        {"Map Trimmer", "map-trimmer"},
        {"Mouse", "keyboard-mouse"},
        {"Move Unit", "units"},
        {"Objective", "objective"},
        {"Open Battle", "open-battle"},
        {"Order of Battle", "units"},
        {"Overview", "preferences"},
        {"Painting", "place-primary"},
        {"Paste Map Area", "map-areas"},
        {"Paste Unit", "units"},
        {"Place Primary Terrain", "place-primary"},
        {"Picture of the map", "export-map-image"},
        {"Place Secondary Terrain", "place-secondary"},
        {"Preferences", "preferences"},
        {"Opacity", "reference-image"},
        {"Period map", "reference-image"},
        {"Tracing a map", "reference-image"},
        {"Recent battles", "recent-battles"},
        {"Reference Image", "reference-image"},
        {"Recovery copy", "recovery"},
        {"Redo", "edit-menu"},
        {"Reinforcement Schedule", "units"},
        {"Reinforcements", "units"},
        {"Role table", "generate-terrain"},
        {"Radius", "brushes"},
        {"Random map", "generate-terrain"},
        {"Roads", "terrain"},
        {"Seed", "generate-terrain"},
        {"Save Battle", "save-battle"},
        {"Save Battle As", "save-battle-as"},
        {"Select All", "map-areas"},
        {"Select Map Area", "map-areas"},
        {"Select None", "map-areas"},
        {"Special Hexes", "special-hexes"},
        {"Stakes", "special-hexes"},
        {"Stock files", "installation"},
        {"Structures", "structures"},
        {"Terrain", "terrain"},
        {"Terrain picker", "terrain-picker"},
        {"Undo", "edit-menu"},
        {"View menu", "reference-image"},
        {"Units", "units"},
        {"Variants", "place-primary"},
        {"Zoom", "keyboard-mouse"},
    };
    return keywords;
}

std::string HelpDocumentHtml() {
    std::string html = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>Keldmar 2 Battle "
                       "Editor Help</title>\n"
                       "</head>\n<body>\n";
    html += "<h1>Keldmar 2 Battle Editor</h1>\n<p>Contents:</p>\n<ul>\n";
    for (const Section& s : Sections)
        html += std::string("<li><a href=\"#") + s.id + "\">" + s.title + "</a></li>\n";
    html += "<li><a href=\"#index\">Index</a></li>\n</ul>\n";
    for (const Section& s : Sections)
        html += std::string("<h2 id=\"") + s.id + "\">" + s.title + "</h2>\n" + s.body +
                (std::string_view(s.id) == "keyboard-mouse" ? KeyboardList() : "") + "\n";
    html += "<h2 id=\"index\">Index</h2>\n<ul class=\"index\">\n";
    for (const HelpKeyword& k : HelpKeywords())
        html += "<li><a href=\"#" + k.anchor + "\">" + k.keyword + "</a></li>\n";
    html += "</ul>\n</body>\n</html>\n";
    return html;
}

} // namespace k2stock
