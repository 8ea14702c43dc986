// Every command of the main window as one row: its objectName, caption, shortcuts, the menu it
// sits in, whether it waits for a battle, and the method it runs. The menus, the enabling with the
// battle and the help's Keyboard page are all built from these rows, so a new command is one row
// here and one method of a target below.
//
// The rows point at pure virtual members: such a pointer is a slot in a table of virtual
// functions, not a symbol, so the help generator reads the rows without linking the window.
#pragma once

#include "app/command_names.h"
#include "view/map_view_logic.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace k2 {

// The commands the main window carries out itself: files, the check, the map image, help.
class WindowCommandTarget {
  public:
    virtual void OpenBattle() = 0;
    virtual void CreateBattle() = 0;
    virtual void SaveBattle() = 0;
    virtual void SaveBattleAs() = 0;
    virtual void BattleSettings() = 0;
    virtual void CheckBattle() = 0;
    virtual void ExportMapImage() = 0;
    // The reference picture traced under the map (View menu).
    virtual void ReferenceImage() = 0;
    virtual void AlignReferenceImage() = 0;
    virtual void Exit() = 0;
    virtual void HelpContents() = 0;
    virtual void KeywordSearch() = 0;
    virtual void About() = 0;
    // The zoom keys of the map view: in on the hex under the pointer (else the middle), or out.
    virtual void ZoomInByKey() = 0;
    virtual void ZoomOutByKey() = 0;

  protected:
    ~WindowCommandTarget() = default;
};

// The commands of the edit logic (EditCommands): undo and redo, the edit modes and the dialogs
// the menus open.
class EditCommandTarget {
  public:
    virtual void Undo() = 0;
    virtual void Redo() = 0;
    virtual void PlacePrimaryTerrain() = 0;
    virtual void PlaceSecondaryTerrain() = 0;
    virtual void FillPrimaryTerrain() = 0;
    virtual void AddModifyStructures() = 0;
    virtual void MapTrimmer() = 0;
    virtual void GenerateTerrain() = 0;
    virtual void AddModifyUnits() = 0;
    virtual void AddModifyReinforcements() = 0;
    virtual void CopyUnit() = 0;
    virtual void CutUnit() = 0;
    virtual void PasteUnit() = 0;
    virtual void MoveUnit() = 0;
    virtual void WesternOrderOfBattle() = 0;
    virtual void EasternOrderOfBattle() = 0;
    virtual void WesternSchedule() = 0;
    virtual void EasternSchedule() = 0;
    virtual void ArmyStatistics() = 0;
    virtual void SetSpecialHexMarkers() = 0;
    virtual void PlaceCaltrops() = 0;
    virtual void PlantStakes() = 0;
    virtual void SetModifyObjective() = 0;
    virtual void ObjectiveStatus() = 0;
    virtual void AddModifyMapText() = 0;
    // Map areas (Edit menu) and the brush (Terrain menu).
    virtual void SelectMapArea() = 0;
    virtual void SelectAll() = 0;
    virtual void SelectNone() = 0;
    virtual void InvertSelection() = 0;
    virtual void CopyMapArea() = 0;
    virtual void CutMapArea() = 0;
    virtual void DeleteMapArea() = 0;
    virtual void PasteMapArea() = 0;
    virtual void FillSelection() = 0;
    virtual void SmallerBrush() = 0;
    virtual void LargerBrush() = 0;

  protected:
    ~EditCommandTarget() = default;
};

// The menus of the menu bar, in their order; None for keys that belong to no menu.
enum class CommandMenu : uint8_t {
    File,
    Edit,
    Terrain,
    Units,
    SpecialHexes,
    MapText,
    View,
    Preferences,
    Help,
    None
};

struct MenuHeading {
    CommandMenu menu;
    std::string_view name;  // objectName of the QMenu
    std::string_view title; // with its mnemonic
};

inline constexpr std::array MenuHeadings = {
    MenuHeading{CommandMenu::File, "File1", "&File"},
    MenuHeading{CommandMenu::Edit, "Edit1", "&Edit"},
    MenuHeading{CommandMenu::Terrain, "Terrain1", "&Terrain"},
    MenuHeading{CommandMenu::Units, "Units1", "&Units"},
    MenuHeading{CommandMenu::SpecialHexes, "SpecialHexes1", "&Special Hexes"},
    MenuHeading{CommandMenu::MapText, "MapText1", "&Map Text"},
    MenuHeading{CommandMenu::View, "View1", "&View"},
    MenuHeading{CommandMenu::Preferences, "Preferences1", "&Preferences"},
    MenuHeading{CommandMenu::Help, "Help1", "&Help"},
};

enum class CommandKind : uint8_t {
    Item,          // a menu item that runs its method
    Separator,     // a line between groups of items
    RecentBattles, // the separator and the five recent battle items, shown as the list fills
    Switch,        // a display switch: its caption says its state
    OverviewDock,  // the Overview panel's own show/hide toggle
    MapKeys,       // shortcuts of the map view, in no menu; `name` is the control they act for
};

enum class Enabling : uint8_t {
    Always,
    WithBattle, // only while a battle is shown
    Own,        // by a rule of its own: Save (the battle has a file), Undo and Redo (the history),
                // Paste Unit (the clipboard), the objective's status (the battle has an objective)
};

using WindowMethod = void (WindowCommandTarget::*)();
using EditMethod = void (EditCommandTarget::*)();

struct CommandRow {
    CommandKind kind = CommandKind::Item;
    CommandMenu menu = CommandMenu::None;
    std::string_view name;
    std::string_view caption;
    // In the portable form QKeySequence reads ("Ctrl+Shift+S"); the first is the one menus show.
    std::array<std::string_view, 2> keys{};
    Enabling enabling = Enabling::Always;
    // Exactly one of the two runs the command of an Item or MapKeys row.
    WindowMethod window = nullptr;
    EditMethod edit = nullptr;
    DisplaySwitch display = DisplaySwitch::Elevation;
};

namespace rows {

constexpr CommandRow Row(CommandKind kind, CommandMenu menu, std::string_view name,
                         std::string_view caption = {}) {
    CommandRow row;
    row.kind = kind;
    row.menu = menu;
    row.name = name;
    row.caption = caption;
    return row;
}

constexpr CommandRow Window(CommandMenu menu, std::string_view name, std::string_view caption,
                            Enabling enabling, WindowMethod run, std::array<std::string_view, 2> keys = {}) {
    CommandRow row = Row(CommandKind::Item, menu, name, caption);
    row.keys = keys;
    row.enabling = enabling;
    row.window = run;
    return row;
}

constexpr CommandRow Edit(CommandMenu menu, std::string_view name, std::string_view caption, EditMethod run,
                          Enabling enabling = Enabling::WithBattle,
                          std::array<std::string_view, 2> keys = {}) {
    CommandRow row = Row(CommandKind::Item, menu, name, caption);
    row.keys = keys;
    row.enabling = enabling;
    row.edit = run;
    return row;
}

constexpr CommandRow Separator(CommandMenu menu) {
    return Row(CommandKind::Separator, menu, {});
}

constexpr CommandRow Switch(std::string_view name, DisplaySwitch which) {
    CommandRow row = Row(CommandKind::Switch, CommandMenu::Preferences, name);
    row.enabling = Enabling::WithBattle;
    row.display = which;
    return row;
}

// A switch with a key of its own, enabled by its own rule; `caption` names it on the help's
// Keyboard page (the menu item's caption says its state).
constexpr CommandRow KeyedSwitch(CommandMenu menu, std::string_view name, std::string_view caption,
                                 DisplaySwitch which, std::array<std::string_view, 2> keys) {
    CommandRow row = Row(CommandKind::Switch, menu, name, caption);
    row.enabling = Enabling::Own;
    row.display = which;
    row.keys = keys;
    return row;
}

constexpr CommandRow MapKeys(std::string_view control, std::string_view caption,
                             std::array<std::string_view, 2> keys, WindowMethod run) {
    CommandRow row = Row(CommandKind::MapKeys, CommandMenu::None, control, caption);
    row.keys = keys;
    row.enabling = Enabling::WithBattle;
    row.window = run;
    return row;
}

} // namespace rows

// In menu order. Captions are shown exactly as written (a trailing space included).
inline constexpr std::array CommandTable = [] {
    using enum CommandMenu;
    using enum Enabling;
    return std::array{
        rows::Window(File, cmd::OpenBattle, "Open Battle", Always, &WindowCommandTarget::OpenBattle,
                     {"Ctrl+O"}),
        rows::Window(File, cmd::CreateBattle, "Create New Battle", Always, &WindowCommandTarget::CreateBattle,
                     {"Ctrl+N"}),
        rows::Window(File, cmd::SaveBattle, "Save Battle", Own, &WindowCommandTarget::SaveBattle, {"Ctrl+S"}),
        rows::Window(File, cmd::SaveBattleAs, "Save Battle As...", WithBattle,
                     &WindowCommandTarget::SaveBattleAs, {"Ctrl+Shift+S"}),
        rows::Separator(File),
        rows::Window(File, cmd::BattleSettings, "Battle Settings", WithBattle,
                     &WindowCommandTarget::BattleSettings),
        rows::Window(File, cmd::CheckBattle, "Check Battle", WithBattle, &WindowCommandTarget::CheckBattle,
                     {"F7"}),
        rows::Window(File, cmd::ExportMapImage, "Export Map Image...", WithBattle,
                     &WindowCommandTarget::ExportMapImage),
        rows::Row(CommandKind::RecentBattles, File, cmd::RecentSeparator),
        rows::Separator(File),
        rows::Window(File, cmd::Exit, "Exit", Always, &WindowCommandTarget::Exit, {"Ctrl+Q"}),

        rows::Edit(Edit, cmd::Undo, "Undo", &EditCommandTarget::Undo, Own, {"Ctrl+Z"}),
        rows::Edit(Edit, cmd::Redo, "Redo", &EditCommandTarget::Redo, Own, {"Ctrl+Shift+Z", "Ctrl+Y"}),
        rows::Separator(Edit),
        rows::Edit(Edit, cmd::SelectMapArea, "Select Map Area", &EditCommandTarget::SelectMapArea),
        rows::Edit(Edit, cmd::SelectAll, "Select All", &EditCommandTarget::SelectAll, WithBattle, {"Ctrl+A"}),
        rows::Edit(Edit, cmd::SelectNone, "Select None", &EditCommandTarget::SelectNone, WithBattle,
                   {"Ctrl+Shift+A"}),
        rows::Edit(Edit, cmd::InvertSelection, "Invert Selection", &EditCommandTarget::InvertSelection),
        rows::Separator(Edit),
        // Own: while something is selected (Paste: while an area is on the clipboard).
        rows::Edit(Edit, cmd::CopyMapArea, "Copy Map Area", &EditCommandTarget::CopyMapArea, Own, {"Ctrl+C"}),
        rows::Edit(Edit, cmd::CutMapArea, "Cut Map Area", &EditCommandTarget::CutMapArea, Own, {"Ctrl+X"}),
        rows::Edit(Edit, cmd::DeleteMapArea, "Delete Map Area", &EditCommandTarget::DeleteMapArea, Own,
                   {"Del"}),
        rows::Edit(Edit, cmd::PasteMapArea, "Paste Map Area", &EditCommandTarget::PasteMapArea, Own,
                   {"Ctrl+V"}),
        rows::Edit(Edit, cmd::FillSelection, "Fill Selection", &EditCommandTarget::FillSelection, Own),

        rows::Edit(Terrain, cmd::PlacePrimary, "Place Primary Terrain",
                   &EditCommandTarget::PlacePrimaryTerrain),
        rows::Edit(Terrain, cmd::PlaceSecondary, "Place Secondary Terrain",
                   &EditCommandTarget::PlaceSecondaryTerrain),
        rows::Edit(Terrain, cmd::FillPrimary, "Fill Primary Terrain", &EditCommandTarget::FillPrimaryTerrain),
        rows::Separator(Terrain),
        rows::Edit(Terrain, cmd::SmallerBrush, "Smaller Brush", &EditCommandTarget::SmallerBrush, WithBattle,
                   {"["}),
        rows::Edit(Terrain, cmd::LargerBrush, "Larger Brush", &EditCommandTarget::LargerBrush, WithBattle,
                   {"]"}),
        rows::Separator(Terrain),
        rows::Edit(Terrain, cmd::AddModifyStructures, "Add/Modify Structures",
                   &EditCommandTarget::AddModifyStructures),
        rows::Separator(Terrain),
        rows::Edit(Terrain, cmd::MapTrimmer, "Map Trimmer", &EditCommandTarget::MapTrimmer),
        // Own: while the battle's terrain set has a role table (the item's tip says why not).
        rows::Edit(Terrain, cmd::GenerateTerrain, "Generate Terrain...", &EditCommandTarget::GenerateTerrain,
                   Own),

        rows::Edit(Units, cmd::AddModifyUnits, "Add/Modify Units", &EditCommandTarget::AddModifyUnits),
        rows::Edit(Units, cmd::AddModifyReinforcements, "Add/Modify Reinforcements ",
                   &EditCommandTarget::AddModifyReinforcements),
        rows::Separator(Units),
        rows::Edit(Units, cmd::CopyUnit, "Copy Unit", &EditCommandTarget::CopyUnit),
        rows::Edit(Units, cmd::CutUnit, "Cut Unit", &EditCommandTarget::CutUnit),
        rows::Edit(Units, cmd::PasteUnit, "Paste Unit", &EditCommandTarget::PasteUnit, Own),
        rows::Edit(Units, cmd::MoveUnit, "Move Unit", &EditCommandTarget::MoveUnit),
        rows::Separator(Units),
        // The battle life cycle puts the forces' names into these four captions.
        rows::Edit(Units, cmd::WesternOrderOfBattle, "Western Forces Order of Battle",
                   &EditCommandTarget::WesternOrderOfBattle),
        rows::Edit(Units, cmd::EasternOrderOfBattle, "Eastern Forces Order of Battle",
                   &EditCommandTarget::EasternOrderOfBattle),
        rows::Edit(Units, cmd::WesternSchedule, "Western Reinforcement Schedule",
                   &EditCommandTarget::WesternSchedule),
        rows::Edit(Units, cmd::EasternSchedule, "Eastern Reinforcement Schedule",
                   &EditCommandTarget::EasternSchedule),
        rows::Edit(Units, cmd::ArmyStatistics, "Army Statistics", &EditCommandTarget::ArmyStatistics),

        rows::Edit(SpecialHexes, cmd::SpecialHexMarkers, "Set Special Hex Markers",
                   &EditCommandTarget::SetSpecialHexMarkers),
        rows::Edit(SpecialHexes, cmd::PlaceCaltrops, "Place Caltrops", &EditCommandTarget::PlaceCaltrops),
        rows::Edit(SpecialHexes, cmd::PlantStakes, "Plant Archer Stakes", &EditCommandTarget::PlantStakes),
        rows::Separator(SpecialHexes),
        rows::Edit(SpecialHexes, cmd::SetModifyObjective, "Set/Modify Terrain Objective",
                   &EditCommandTarget::SetModifyObjective),
        rows::Edit(SpecialHexes, cmd::ObjectiveStatus, "Terrain Objective Status",
                   &EditCommandTarget::ObjectiveStatus, Own),

        rows::Edit(MapText, cmd::AddModifyMapText, "Add/Modify Map Text",
                   &EditCommandTarget::AddModifyMapText),

        rows::Window(View, cmd::ReferenceImage, "Reference Image...", WithBattle,
                     &WindowCommandTarget::ReferenceImage),
        // Own: while a reference picture is shown under the battle.
        rows::Window(View, cmd::AlignReference, "Align Reference Image", Own,
                     &WindowCommandTarget::AlignReferenceImage),
        rows::Separator(View),
        // Own: while there is a reference picture to show or hide.
        rows::KeyedSwitch(View, cmd::ReferenceDisplay, "Show or Hide the Reference Image",
                          DisplaySwitch::Reference, {"Ctrl+R"}),

        rows::Switch(cmd::ElevationDisplay, DisplaySwitch::Elevation),
        rows::Switch(cmd::ObjectiveDisplay, DisplaySwitch::Objectives),
        rows::Switch(cmd::ReinforcementDisplay, DisplaySwitch::Reinforcements),
        rows::Switch(cmd::OverlayDisplay, DisplaySwitch::Overlay),
        rows::Switch(cmd::MapTextDisplay, DisplaySwitch::MapText),
        rows::Separator(Preferences),
        rows::Row(CommandKind::OverviewDock, Preferences, cmd::OverviewDisplay, "Overview"),

        rows::Window(Help, cmd::HelpContents, "Contents", Always, &WindowCommandTarget::HelpContents, {"F1"}),
        rows::Window(Help, cmd::KeywordSearch, "Keyword Search", Always, &WindowCommandTarget::KeywordSearch),
        rows::Separator(Help),
        rows::Window(Help, cmd::About, "About Tessary Keldmar 2", Always, &WindowCommandTarget::About),

        rows::MapKeys(cmd::ZoomIn, "Zoom in on the hex under the pointer", {"+", "="},
                      &WindowCommandTarget::ZoomInByKey),
        rows::MapKeys(cmd::ZoomOut, "Zoom out", {"-"}, &WindowCommandTarget::ZoomOutByKey),
    };
}();

// The row named `name`, or null.
constexpr const CommandRow* FindCommand(std::string_view name) {
    for (const CommandRow& row : CommandTable)
        if (row.kind != CommandKind::Separator && row.name == name) return &row;
    return nullptr;
}

// The title of `menu` without its mnemonic ("Special Hexes").
constexpr std::string_view MenuTitle(CommandMenu menu) {
    for (const MenuHeading& heading : MenuHeadings)
        if (heading.menu == menu) return heading.title.substr(1);
    return {};
}

} // namespace k2
