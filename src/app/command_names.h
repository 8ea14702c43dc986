// The objectName of every menu command and command control of the main window, defined once:
// the menus are built from these, the battle life cycle enables them by these, and tests find
// the items by them.
#pragma once

#include <array>
#include <string_view>

namespace k2::cmd {

// File
constexpr std::string_view OpenBattle = "OpenMapFile1";
constexpr std::string_view CreateBattle = "CreateNewMap1";
constexpr std::string_view SaveBattle = "SaveMapFile";
constexpr std::string_view SaveBattleAs = "SaveMapAs";
constexpr std::string_view BattleSettings = "ModifyScenario1";
constexpr std::string_view CheckBattle = "CheckBattle1";
constexpr std::string_view ExportMapImage = "ExportMapImage1";
constexpr std::string_view RecentSeparator = "N4";
constexpr std::string_view Exit = "Exit1";

// Edit
constexpr std::string_view Undo = "Undo1";
constexpr std::string_view Redo = "Redo1";
constexpr std::string_view SelectMapArea = "SelectMapArea1";
constexpr std::string_view SelectAll = "SelectAll1";
constexpr std::string_view SelectNone = "SelectNone1";
constexpr std::string_view InvertSelection = "InvertSelection1";
constexpr std::string_view CopyMapArea = "CopyMapArea1";
constexpr std::string_view CutMapArea = "CutMapArea1";
constexpr std::string_view DeleteMapArea = "DeleteMapArea1";
constexpr std::string_view PasteMapArea = "PasteMapArea1";
constexpr std::string_view FillSelection = "FillSelection1";

// Terrain
constexpr std::string_view PlacePrimary = "PlaceLv1Ter";
constexpr std::string_view PlaceSecondary = "PlaceLv2Ter";
constexpr std::string_view FillPrimary = "FillPrime";
constexpr std::string_view SmallerBrush = "SmallerBrush1";
constexpr std::string_view LargerBrush = "LargerBrush1";
constexpr std::string_view AddModifyStructures = "MM_Structures";
constexpr std::string_view MapTrimmer = "BtlMapInfo";
constexpr std::string_view GenerateTerrain = "GenerateTerrain1";

// Units
constexpr std::string_view AddModifyUnits = "AddModifyUnit1";
constexpr std::string_view AddModifyReinforcements = "AddModifyReinforcements1";
constexpr std::string_view CopyUnit = "CopyUnit1";
constexpr std::string_view CutUnit = "CutUnit1";
constexpr std::string_view PasteUnit = "PasteUnit1";
constexpr std::string_view MoveUnit = "MoveUnit1";
constexpr std::string_view WesternOrderOfBattle = "WestOB";
constexpr std::string_view EasternOrderOfBattle = "EastOB";
constexpr std::string_view WesternSchedule = "WestRForce";
constexpr std::string_view EasternSchedule = "EastRForce";
constexpr std::string_view ArmyStatistics = "Information1";

// View
constexpr std::string_view ReferenceImage = "ReferenceImage1";
constexpr std::string_view AlignReference = "AlignReferenceImage1";
constexpr std::string_view ReferenceDisplay = "ReferenceDisplay1";

// Special Hexes
constexpr std::string_view SpecialHexMarkers = "MM_SetSpcHex";
constexpr std::string_view PlaceCaltrops = "PlaceCaltrops1";
constexpr std::string_view PlantStakes = "MM_Stakes";
constexpr std::string_view SetModifyObjective = "AddModifyObjective1";
constexpr std::string_view ObjectiveStatus = "ObjectiveList";

// Map Text
constexpr std::string_view AddModifyMapText = "MapText";

// Preferences: the display switches
constexpr std::string_view ElevationDisplay = "MB_ElvDsp";
constexpr std::string_view ObjectiveDisplay = "ShowVicHex";
constexpr std::string_view ReinforcementDisplay = "RForce";
constexpr std::string_view OverlayDisplay = "MapOverlay";
constexpr std::string_view MapTextDisplay = "PlaceNameTgl";
constexpr std::string_view OverviewDisplay = "OverviewDisplay1";

// Help
constexpr std::string_view HelpContents = "HelpIndex";
constexpr std::string_view KeywordSearch = "KeywordSearch1";
constexpr std::string_view About = "AboutQRMIIMapBuilder1";

// Controls of the map view that are enabled like commands.
constexpr std::string_view ZoomIn = "ZoomIn";
constexpr std::string_view ZoomOut = "ZoomOut";
constexpr std::string_view ScrollHorz = "ScrollHorz";
constexpr std::string_view ScrollVert = "ScrollVert";

// Every name above that the window must have (the recent battle items come and go).
inline constexpr std::array All = {OpenBattle,
                                   CreateBattle,
                                   SaveBattle,
                                   SaveBattleAs,
                                   BattleSettings,
                                   CheckBattle,
                                   ExportMapImage,
                                   RecentSeparator,
                                   Exit,
                                   Undo,
                                   Redo,
                                   SelectMapArea,
                                   SelectAll,
                                   SelectNone,
                                   InvertSelection,
                                   CopyMapArea,
                                   CutMapArea,
                                   DeleteMapArea,
                                   PasteMapArea,
                                   FillSelection,
                                   PlacePrimary,
                                   PlaceSecondary,
                                   FillPrimary,
                                   SmallerBrush,
                                   LargerBrush,
                                   AddModifyUnits,
                                   AddModifyReinforcements,
                                   CopyUnit,
                                   CutUnit,
                                   PasteUnit,
                                   MoveUnit,
                                   SpecialHexMarkers,
                                   PlaceCaltrops,
                                   PlantStakes,
                                   AddModifyMapText,
                                   AddModifyStructures,
                                   MapTrimmer,
                                   GenerateTerrain,
                                   SetModifyObjective,
                                   ObjectiveStatus,
                                   WesternOrderOfBattle,
                                   EasternOrderOfBattle,
                                   WesternSchedule,
                                   EasternSchedule,
                                   ArmyStatistics,
                                   ElevationDisplay,
                                   ObjectiveDisplay,
                                   ReinforcementDisplay,
                                   OverlayDisplay,
                                   MapTextDisplay,
                                   ReferenceImage,
                                   AlignReference,
                                   ReferenceDisplay,
                                   OverviewDisplay,
                                   HelpContents,
                                   KeywordSearch,
                                   About,
                                   ZoomIn,
                                   ZoomOut,
                                   ScrollHorz,
                                   ScrollVert};

} // namespace k2::cmd
