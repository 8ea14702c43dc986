// The unit editor's rules on its logic class: the two forms, Add, every value control with its
// bounds, the lists and their side effects, the symbol list with the side variant, the wing
// names, Exit and Remove.
#include "forces/unit_editor_test_support.h"
#include "forces/unit_ratings.h"

#include <gmock/gmock.h>

namespace k2 {
namespace {

using k2test::AddUnit;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr int32_t Hex = 27; // row 2, column 3

FixedText<RecordNameChars> N(const char* name) {
    return FixedText<RecordNameChars>(name);
}

class UnitEditorLogicTest : public ::testing::Test {
  protected:
    Scenario s = k2test::EditorBattle();
    EditState edit;
    EquipmentTables tables = k2test::EditorTables();
    k2test::RecordingSounds sounds;
    k2test::RecordingBoxes boxes;
    k2test::RecordingTables definitions;
    UnitEditorLogic logic{s, edit, tables, k2test::StockSymbols(), sounds, boxes, definitions};

    void OpenOn(int32_t hex, EditMode mode) {
        edit.Mode = mode;
        edit.CurrentHex = hex;
        logic.Open(mode == EditMode::Reinforcements);
    }
    // Opens on an empty hex and adds a unit there; returns its number.
    int32_t NewUnit(EditMode mode = EditMode::Units, int32_t hex = Hex) {
        OpenOn(hex, mode);
        EXPECT_TRUE(logic.Add());
        return logic.CurrentUnit();
    }
    UnitRecord& U() { return s.Units[size_t(logic.CurrentUnit())]; }
};

TEST_F(UnitEditorLogicTest, AnEmptyHexShowsTheDashesAndOnlyAddAndExitAct) {
    OpenOn(Hex, EditMode::Units);
    EXPECT_EQ(logic.FormTitle(), "Units");
    EXPECT_FALSE(logic.HasUnit());
    EXPECT_FALSE(logic.GroupsEnabled());
    EXPECT_TRUE(logic.AddEnabled());
    EXPECT_FALSE(logic.RemoveEnabled());
    EXPECT_EQ(logic.CheckedSide(), 0);
    EXPECT_EQ(logic.CheckedType(), 0);
    EXPECT_EQ(logic.NameText(), "");
    const std::vector<std::pair<UnitCounter, std::string>> dashes = {
        {UnitCounter::Men, "Men: --"},
        {UnitCounter::Morale, "Morale: --"},
        {UnitCounter::Movement, "Movement Points: --"},
        {UnitCounter::Value, "Value: --"},
        {UnitCounter::Ammo, "Missile Ammo: --"},
        {UnitCounter::Supply, "ReSupply Level: --"},
        {UnitCounter::Turn, "Activation Turn: --"}};
    for (const auto& [counter, text] : dashes) {
        EXPECT_EQ(logic.CounterText(counter), text);
        EXPECT_FALSE(logic.CounterEnabled(counter));
    }
    // Without a unit the controls change nothing.
    const Scenario before = s;
    logic.Step(UnitCounter::Men, true);
    logic.SetSide(SideEastern);
    logic.SelectClass(5);
    logic.SetWingLeader(true);
    logic.PickSymbolRow(1);
    EXPECT_TRUE(s == before);
    EXPECT_EQ(logic.Remove(), 0);
    EXPECT_EQ(logic.Exit(), 1);
    EXPECT_TRUE(s == before);
}

TEST_F(UnitEditorLogicTest, AddCreatesTheNewUnitOnTheHex) {
    s.UnitCount = 3;
    OpenOn(Hex, EditMode::Units);
    ASSERT_TRUE(logic.Add());
    EXPECT_EQ(logic.CurrentUnit(), 4);
    EXPECT_EQ(s.UnitCount, 4);
    EXPECT_EQ(s.Hexes[Hex].Unit, 4);
    EXPECT_EQ(s.Hexes[Hex].ReinforcementMarker, 0);
    const UnitRecord& u = s.Units[4];
    EXPECT_EQ(u.Name, "New Unit");
    EXPECT_EQ(u.Side, 1);
    EXPECT_EQ(u.UnitType, 1);
    EXPECT_EQ(u.Men, 25);
    EXPECT_EQ(u.Morale, 80);
    EXPECT_EQ(u.MovementPoints, 8);
    EXPECT_EQ(u.Value, 2);
    EXPECT_EQ(u.ActivationTurn, 1);
    EXPECT_EQ(u.Hex, Hex);
    EXPECT_EQ(u.WingLeader + u.CommandRange + u.CommandRating + u.HasStakes + u.FerociousAttack +
                  u.StartsDisrupted + u.MissileAmmo + u.SupplyLevel + u.Class + u.CombatWeapon +
                  u.MissileWeapon + u.Armour + u.Shield + u.Wing,
              0);
    EXPECT_THAT(sounds.played, ElementsAre(SoundAddUnit));
    EXPECT_TRUE(logic.GroupsEnabled());
    EXPECT_FALSE(logic.AddEnabled());
    EXPECT_TRUE(logic.RemoveEnabled());
    EXPECT_EQ(logic.CheckedSide(), 1);
    EXPECT_EQ(logic.CheckedType(), 1);
    EXPECT_EQ(logic.CounterText(UnitCounter::Men), "Men: 25");
    EXPECT_EQ(logic.CounterText(UnitCounter::Ammo), "Missile Ammo: X");
    EXPECT_FALSE(logic.Add()); // the hex holds a unit now
    EXPECT_EQ(s.UnitCount, 4);
}

TEST_F(UnitEditorLogicTest, AddInTheReinforcementsFormMarksTheHexWestern) {
    s.MaxTurns = 31;
    NewUnit(EditMode::Reinforcements);
    EXPECT_EQ(logic.FormTitle(), "Reinforcements");
    EXPECT_EQ(U().ActivationTurn, 15);
    EXPECT_EQ(s.Hexes[Hex].ReinforcementMarker, s.MarkerSymbols[MarkerWesternReinforcement]);
    EXPECT_TRUE(logic.CounterEnabled(UnitCounter::Turn));
}

TEST_F(UnitEditorLogicTest, AddToAFullTableAddsNothingAndSaysWhy) {
    s.UnitCount = MaxUnits;
    OpenOn(Hex, EditMode::Units);
    EXPECT_FALSE(logic.Add());
    EXPECT_EQ(s.UnitCount, MaxUnits);
    EXPECT_EQ(s.Hexes[Hex].Unit, 0);
    EXPECT_FALSE(logic.HasUnit());
    EXPECT_THAT(sounds.played, ElementsAre(SoundRefuse));
    ASSERT_EQ(boxes.plain.size(), 1u);
    EXPECT_THAT(boxes.plain[0], HasSubstr("500 units"));
}

TEST_F(UnitEditorLogicTest, TheFormFollowsTheModeAndTheHexMarker) {
    const int32_t placed = AddUnit(s, 30, UnitRecord{.Name = N("Guard"), .Men = 20});
    AddUnit(s, 31, UnitRecord{.Name = N("Late"), .ActivationTurn = 5});
    s.Hexes[31].ReinforcementMarker = s.MarkerSymbols[MarkerWesternReinforcement];

    OpenOn(30, EditMode::Units);
    EXPECT_EQ(logic.FormTitle(), "Units");
    EXPECT_EQ(logic.CurrentUnit(), placed);
    EXPECT_EQ(edit.Mode, EditMode::Units);
    EXPECT_FALSE(logic.CounterEnabled(UnitCounter::Turn));

    // A Units click on a reinforcement hex opens the Reinforcements form and the mode follows.
    OpenOn(31, EditMode::Units);
    EXPECT_EQ(logic.FormTitle(), "Reinforcements");
    EXPECT_EQ(edit.Mode, EditMode::Reinforcements);
    EXPECT_TRUE(logic.CounterEnabled(UnitCounter::Turn));
    EXPECT_EQ(logic.CounterText(UnitCounter::Turn), "Activation Turn: 5");

    OpenOn(40, EditMode::Reinforcements);
    EXPECT_EQ(logic.FormTitle(), "Reinforcements");
}

TEST_F(UnitEditorLogicTest, OpeningFromTheOrderOfBattleTakesTheFormFromTheUnit) {
    const int32_t placed = AddUnit(s, 30, UnitRecord{.Name = N("Guard"), .Men = 20});
    const int32_t late = AddUnit(s, 31, UnitRecord{.Name = N("Late"), .ActivationTurn = 5});
    s.Hexes[31].ReinforcementMarker = s.MarkerSymbols[MarkerEasternReinforcement];

    edit.Mode = EditMode::PlacePrimary;
    logic.OpenUnit(placed);
    EXPECT_EQ(edit.CurrentHex, 30);
    EXPECT_EQ(logic.FormTitle(), "Units");
    EXPECT_EQ(logic.NameText(), "Guard");
    logic.Exit();
    EXPECT_EQ(s.Hexes[30].ReinforcementMarker, 0); // a placed unit never gets a marker
    EXPECT_EQ(edit.Mode, EditMode::PlacePrimary);

    logic.OpenUnit(late);
    EXPECT_EQ(logic.FormTitle(), "Reinforcements");
    EXPECT_EQ(edit.Mode, EditMode::PlacePrimary);
    edit.Mode = EditMode::Units;
    logic.OpenUnit(late);
    EXPECT_EQ(edit.Mode, EditMode::Reinforcements);

    logic.OpenUnit(9); // no such unit
    EXPECT_FALSE(logic.HasUnit());
    EXPECT_FALSE(logic.Add());
}

// One arrow click: the value before, the direction, the value after. The unit is set up as
// `kind` says; `form` is the Reinforcements form when true.
enum class Kind { Foot, Gun, Archer, Supply, Leader };
struct StepCase {
    const char* name;
    UnitCounter counter;
    Kind kind;
    bool reinforcement;
    int32_t maxTurns;
    int32_t before;
    bool up;
    int32_t after;
};

void PrintTo(const StepCase& c, std::ostream* os) {
    *os << c.name;
}

class UnitEditorStepTest : public UnitEditorLogicTest, public ::testing::WithParamInterface<StepCase> {};

TEST_P(UnitEditorStepTest, OneClickStepsWithinItsBounds) {
    const StepCase& c = GetParam();
    s.MaxTurns = c.maxTurns;
    NewUnit(c.reinforcement ? EditMode::Reinforcements : EditMode::Units);
    switch (c.kind) {
    case Kind::Foot:
        break;
    case Kind::Gun:
        logic.SelectEquipment(EquipmentList::Missile, 2);
        break; // Light Gun
    case Kind::Archer:
        logic.SelectEquipment(EquipmentList::Missile, 1);
        break; // Long Bow
    case Kind::Supply:
        logic.SetUnitType(3);
        break;
    case Kind::Leader:
        logic.SetWingLeader(true);
        break;
    }
    int32_t UnitRecord::*field = nullptr;
    switch (c.counter) {
    case UnitCounter::Men:
        field = &UnitRecord::Men;
        break;
    case UnitCounter::Morale:
        field = &UnitRecord::Morale;
        break;
    case UnitCounter::Movement:
        field = &UnitRecord::MovementPoints;
        break;
    case UnitCounter::Ammo:
        field = &UnitRecord::MissileAmmo;
        break;
    case UnitCounter::Supply:
        field = &UnitRecord::SupplyLevel;
        break;
    case UnitCounter::Turn:
        field = &UnitRecord::ActivationTurn;
        break;
    case UnitCounter::Value:
        field = &UnitRecord::Value;
        break;
    case UnitCounter::Rating:
        field = &UnitRecord::CommandRating;
        break;
    case UnitCounter::Range:
        field = &UnitRecord::CommandRange;
        break;
    }
    U().*field = c.before;
    sounds.played.clear();
    logic.Step(c.counter, c.up);
    EXPECT_EQ(U().*field, c.after);
    EXPECT_EQ(sounds.played.size(), logic.CounterEnabled(c.counter) ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, UnitEditorStepTest,
    ::testing::Values(
        StepCase{"MenUpBelow50", UnitCounter::Men, Kind::Foot, false, 30, 49, true, 50},
        StepCase{"MenNotAbove50", UnitCounter::Men, Kind::Foot, false, 30, 50, true, 50},
        StepCase{"MenDownAbove10", UnitCounter::Men, Kind::Foot, false, 30, 11, false, 10},
        StepCase{"MenNotBelow10", UnitCounter::Men, Kind::Foot, false, 30, 10, false, 10},
        StepCase{"GunMenStepPastTheBound", UnitCounter::Men, Kind::Gun, false, 30, 48, true, 53},
        StepCase{"GunMenStopAbove50", UnitCounter::Men, Kind::Gun, false, 30, 53, true, 53},
        StepCase{"GunMenDownByFive", UnitCounter::Men, Kind::Gun, false, 30, 12, false, 7},
        StepCase{"ArcherMenByOne", UnitCounter::Men, Kind::Archer, false, 30, 48, true, 49},
        StepCase{"MoraleUp", UnitCounter::Morale, Kind::Foot, false, 30, 124, true, 125},
        StepCase{"MoraleTop", UnitCounter::Morale, Kind::Foot, false, 30, 125, true, 125},
        StepCase{"MoraleDown", UnitCounter::Morale, Kind::Foot, false, 30, 2, false, 1},
        StepCase{"MoraleBottom", UnitCounter::Morale, Kind::Foot, false, 30, 1, false, 1},
        StepCase{"MovementTop", UnitCounter::Movement, Kind::Foot, false, 30, 12, true, 12},
        StepCase{"MovementUp", UnitCounter::Movement, Kind::Foot, false, 30, 11, true, 12},
        StepCase{"MovementBottom", UnitCounter::Movement, Kind::Foot, false, 30, 0, false, 0},
        StepCase{"AmmoUp", UnitCounter::Ammo, Kind::Archer, false, 30, 3, true, 4},
        StepCase{"AmmoTop", UnitCounter::Ammo, Kind::Archer, false, 30, 4, true, 4},
        StepCase{"AmmoBottom", UnitCounter::Ammo, Kind::Archer, false, 30, 0, false, 0},
        StepCase{"AmmoWithoutMissileIgnored", UnitCounter::Ammo, Kind::Foot, false, 30, 0, true, 0},
        StepCase{"SupplyDown", UnitCounter::Supply, Kind::Supply, false, 30, 20, false, 19},
        StepCase{"SupplyTop", UnitCounter::Supply, Kind::Supply, false, 30, 20, true, 20},
        StepCase{"SupplyOfFootIgnored", UnitCounter::Supply, Kind::Foot, false, 30, 0, true, 0},
        StepCase{"ValueUp", UnitCounter::Value, Kind::Foot, false, 30, 24, true, 25},
        StepCase{"ValueTop", UnitCounter::Value, Kind::Foot, false, 30, 25, true, 25},
        StepCase{"ValueBottom", UnitCounter::Value, Kind::Foot, false, 30, 0, false, 0},
        StepCase{"RatingUp", UnitCounter::Rating, Kind::Leader, false, 30, 4, true, 5},
        StepCase{"RatingTop", UnitCounter::Rating, Kind::Leader, false, 30, 5, true, 5},
        StepCase{"RatingDown", UnitCounter::Rating, Kind::Leader, false, 30, -4, false, -5},
        StepCase{"RatingBottom", UnitCounter::Rating, Kind::Leader, false, 30, -5, false, -5},
        StepCase{"RatingOfNonLeaderIgnored", UnitCounter::Rating, Kind::Foot, false, 30, 0, true, 0},
        StepCase{"RangeUp", UnitCounter::Range, Kind::Leader, false, 30, 9, true, 10},
        StepCase{"RangeTop", UnitCounter::Range, Kind::Leader, false, 30, 10, true, 10},
        StepCase{"RangeDown", UnitCounter::Range, Kind::Leader, false, 30, 4, false, 3},
        StepCase{"RangeBottom", UnitCounter::Range, Kind::Leader, false, 30, 3, false, 3},
        StepCase{"RangeOfNonLeaderIgnored", UnitCounter::Range, Kind::Foot, false, 30, 0, true, 0},
        StepCase{"TurnFixedInUnitsForm", UnitCounter::Turn, Kind::Foot, false, 30, 1, true, 1},
        StepCase{"TurnUp", UnitCounter::Turn, Kind::Foot, true, 30, 15, true, 16},
        StepCase{"TurnTwoStaysTwo", UnitCounter::Turn, Kind::Foot, true, 30, 2, false, 2},
        StepCase{"TurnThreeDown", UnitCounter::Turn, Kind::Foot, true, 30, 3, false, 2},
        StepCase{"TurnCappedAtMaxTurns", UnitCounter::Turn, Kind::Foot, true, 30, 30, true, 30},
        StepCase{"TurnAboveMaxTurnsComesDown", UnitCounter::Turn, Kind::Foot, true, 30, 40, false, 30},
        StepCase{"TurnUpTo300", UnitCounter::Turn, Kind::Foot, true, 300, 299, true, 300},
        StepCase{"TurnNotAbove300", UnitCounter::Turn, Kind::Foot, true, 300, 300, true, 300}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST_F(UnitEditorLogicTest, TheLabelsShowTheUnitsValues) {
    NewUnit(EditMode::Reinforcements);
    UnitRecord& u = U();
    u.MissileWeapon = 1;
    u.SupplyLevel = 0;
    u.CommandRating = -2;
    u.CommandRange = 6;
    const std::vector<std::pair<UnitCounter, std::string>> texts = {
        {UnitCounter::Men, "Men: 25"},
        {UnitCounter::Morale, "Morale: 80"},
        {UnitCounter::Movement, "Movement Points: 8"},
        {UnitCounter::Value, "Value: 2"},
        {UnitCounter::Supply, "ReSupply Level: 0"},
        {UnitCounter::Turn, "Activation Turn: 15"},
        {UnitCounter::Rating, "Rating: -2"},
        {UnitCounter::Range, "Range: 6"}};
    for (const auto& [counter, text] : texts)
        EXPECT_EQ(logic.CounterText(counter), text);
    const std::vector<std::string> ammo = {"X", "1 Shot", "Low", "Hi", "Always Hi"};
    for (int32_t code = 0; code < 5; ++code) {
        u.MissileAmmo = code;
        EXPECT_EQ(logic.CounterText(UnitCounter::Ammo), "Missile Ammo: " + ammo[size_t(code)]);
    }
}

TEST_F(UnitEditorLogicTest, UnitTypesSetMovementSupplyAndTheAutomaticValue) {
    NewUnit();
    logic.Step(UnitCounter::Men, true); // 26 men: foot value 26 / 10
    EXPECT_EQ(U().Value, 2);
    for (int i = 0; i < 10; ++i)
        logic.Step(UnitCounter::Men, true);
    EXPECT_EQ(U().Value, 3);
    logic.SetUnitType(2);
    EXPECT_EQ(U().MovementPoints, 10);
    EXPECT_EQ(U().Value, 7); // 36 / 5
    logic.SetUnitType(3);
    EXPECT_EQ(U().MovementPoints, 4);
    EXPECT_EQ(U().SupplyLevel, 20);
    EXPECT_EQ(U().Value, 20);
    EXPECT_TRUE(logic.CounterEnabled(UnitCounter::Supply));
    logic.SetUnitType(1);
    EXPECT_EQ(U().MovementPoints, 6);
    EXPECT_EQ(U().SupplyLevel, 0);
    EXPECT_EQ(U().Value, 3);
    EXPECT_FALSE(logic.CounterEnabled(UnitCounter::Supply));

    // A hand-set value stays through changes other than men and type.
    logic.Step(UnitCounter::Value, true);
    logic.Step(UnitCounter::Morale, true);
    logic.SelectClass(3);
    logic.SelectEquipment(EquipmentList::Combat, 1);
    EXPECT_EQ(U().Value, 4);
}

TEST_F(UnitEditorLogicTest, EachClassSetsItsDefaultMorale) {
    NewUnit();
    const std::vector<std::string> names = {"Peasant", "Militia", "Veteran", "Elite", "Noble", "Hero"};
    EXPECT_EQ(logic.ClassNames(), names);
    const std::vector<int32_t> morale = {50, 70, 80, 90, 100, 120};
    for (int32_t c = 0; c < 6; ++c) {
        logic.SelectClass(c);
        EXPECT_EQ(U().Class, c);
        EXPECT_EQ(U().Morale, morale[size_t(c)]) << names[size_t(c)];
    }
    logic.SelectClass(6); // not in the list
    EXPECT_EQ(U().Class, 5);
}

TEST_F(UnitEditorLogicTest, MissileWeaponsSetAmmunitionAndMovementByWeight) {
    NewUnit();
    struct Case {
        int32_t weapon;
        int32_t movementAfter;
    };
    // Movement is 8 before each pick.
    for (const Case& c : {Case{4, 1}, Case{5, 4}, Case{6, 4}, Case{7, 8}, Case{1, 8}}) {
        U().MovementPoints = 8;
        U().MissileAmmo = 1;
        logic.SelectEquipment(EquipmentList::Missile, c.weapon);
        EXPECT_EQ(U().MissileWeapon, c.weapon);
        EXPECT_EQ(U().MovementPoints, c.movementAfter) << "weapon " << c.weapon;
        EXPECT_EQ(logic.CounterText(UnitCounter::Ammo), "Missile Ammo: Hi");
        EXPECT_TRUE(logic.CounterEnabled(UnitCounter::Ammo));
    }
    logic.SelectEquipment(EquipmentList::Missile, 0);
    EXPECT_EQ(U().MissileAmmo, 0);
    EXPECT_EQ(U().MovementPoints, 8);
    EXPECT_FALSE(logic.CounterEnabled(UnitCounter::Ammo));
    EXPECT_EQ(logic.MissileText(), "Missile: 0");
}

TEST_F(UnitEditorLogicTest, EquipmentListsStoreTheIndexAndTheStrengthsFollow) {
    const int32_t unit = NewUnit();
    EXPECT_EQ(logic.EquipmentNames(EquipmentList::Combat),
              (std::vector<std::string>{"Unarmed", "Spear", "Club"}));
    EXPECT_EQ(logic.EquipmentNames(EquipmentList::Shield), (std::vector<std::string>{"None", "Kite"}));
    logic.SelectEquipment(EquipmentList::Combat, 1);
    logic.SelectEquipment(EquipmentList::Armour, 1);
    logic.SelectEquipment(EquipmentList::Shield, 1);
    logic.SelectEquipment(EquipmentList::Shield, 2); // beyond the table: ignored
    EXPECT_EQ(U().CombatWeapon, 1);
    EXPECT_EQ(U().Armour, 1);
    EXPECT_EQ(U().Shield, 1);
    EXPECT_EQ(logic.SelectedEquipment(EquipmentList::Armour), 1);
    EXPECT_EQ(logic.CombatText(), "Combat: " + std::to_string(CombatStrength(s, tables, unit)));
    EXPECT_EQ(logic.DefenseText(), "Defense: 75%"); // (60 + 40) * 80 / 100 = 80, clamped
    EXPECT_EQ(logic.WeightText(), "Wgt: Mod");      // 10 + 0 + 20 + 9 = 39
    logic.SelectEquipment(EquipmentList::Missile, 1);
    EXPECT_EQ(logic.MissileText(), "Missile: " + std::to_string(FirePower(s, tables, unit)));
    EXPECT_NE(FirePower(s, tables, unit), 0);
}

TEST_F(UnitEditorLogicTest, FlagsAndTheWingLeaderToggle) {
    NewUnit();
    logic.ToggleFlag(UnitFlag::Stakes);
    logic.ToggleFlag(UnitFlag::Ferocious);
    logic.ToggleFlag(UnitFlag::Disrupted);
    logic.ToggleFlag(UnitFlag::Ferocious);
    EXPECT_EQ(U().HasStakes, 1);
    EXPECT_EQ(U().FerociousAttack, 0);
    EXPECT_EQ(U().StartsDisrupted, 1);
    EXPECT_TRUE(logic.Flag(UnitFlag::Disrupted));

    logic.SetWingLeader(true);
    EXPECT_EQ(U().WingLeader, 1);
    EXPECT_EQ(U().CommandRange, 4);
    EXPECT_EQ(U().CommandRating, 0);
    logic.Step(UnitCounter::Rating, true);
    logic.Step(UnitCounter::Range, true);
    EXPECT_EQ(logic.CounterText(UnitCounter::Rating), "Rating: 1");
    EXPECT_EQ(logic.CounterText(UnitCounter::Range), "Range: 5");
    logic.SetWingLeader(false);
    EXPECT_EQ(U().WingLeader + U().CommandRange + U().CommandRating, 0);
    EXPECT_FALSE(logic.CounterEnabled(UnitCounter::Rating));
}

TEST_F(UnitEditorLogicTest, TheSymbolListOffersEvenMembersAndTheSideTakesItsFacing) {
    const SymbolSet& symbols = k2test::StockSymbols();
    NewUnit(EditMode::Reinforcements);
    const auto& rows = logic.SymbolRows();
    ASSERT_GE(rows.size(), 2u);
    for (const auto& row : rows) {
        EXPECT_NE(row.Name.front(), '-');
        EXPECT_EQ(row.Name, symbols.Unit(row.Symbol).Name.Str());
    }
    // Every symbol of the set is either listed or named with a leading "-".
    std::size_t hidden = 0;
    for (int32_t k = 0; k < symbols.UnitCount(); ++k)
        hidden += symbols.Unit(k).Name.View().starts_with("-") ? 1 : 0;
    EXPECT_EQ(rows.size() + hidden, size_t(symbols.UnitCount()));

    logic.PickSymbolRow(1);
    EXPECT_EQ(U().Symbol, rows[1].Symbol);
    EXPECT_EQ(logic.CurrentSymbolName(), rows[1].Name);

    // Switching to the Eastern side keeps the symbol; the next pick takes the other facing.
    logic.SetSide(SideEastern);
    EXPECT_EQ(U().Side, 2);
    EXPECT_EQ(logic.CurrentSymbol(), rows[1].Symbol);
    EXPECT_EQ(s.Hexes[Hex].ReinforcementMarker, s.MarkerSymbols[MarkerEasternReinforcement]);
    logic.PickSymbolRow(1);
    EXPECT_EQ(U().Symbol, rows[1].Symbol + 1);
    EXPECT_EQ(logic.CurrentSymbolName(), rows[1].Name); // the name of the pair's even member

    logic.ToggleFacing();
    EXPECT_EQ(U().Symbol, rows[1].Symbol);
    logic.ToggleFacing();
    EXPECT_EQ(logic.Exit(), 1);
    EXPECT_EQ(U().Symbol, rows[1].Symbol + 1);

    // Loading a unit selects the row of its pair.
    U().Symbol = rows[0].Symbol + 1;
    OpenOn(Hex, EditMode::Units);
    EXPECT_EQ(logic.SelectedSymbolRow(), 0);
    EXPECT_EQ(logic.SideVariant(), SideEastern);
}

TEST_F(UnitEditorLogicTest, TheSideSwitchMarksTheHexOnlyInTheReinforcementsForm) {
    NewUnit(EditMode::Units);
    logic.SetSide(SideEastern);
    EXPECT_EQ(U().Side, 2);
    EXPECT_EQ(s.Hexes[Hex].ReinforcementMarker, 0);
    logic.Exit();
    EXPECT_EQ(s.Hexes[Hex].ReinforcementMarker, 0);
}

TEST_F(UnitEditorLogicTest, TypedWingNamesSelectOrAddAWingOnExit) {
    NewUnit();
    EXPECT_EQ(logic.WingNameList(), (std::vector<std::string>{"Main", "Left"}));
    EXPECT_EQ(logic.WingText(), "Main");

    logic.SetWingText("Left"); // an existing name is that wing, once the editor is left
    EXPECT_EQ(U().Wing, 0);
    logic.Exit();
    EXPECT_EQ(s.WingCount, 2);
    EXPECT_EQ(U().Wing, 1);

    OpenOn(Hex, EditMode::Units);
    EXPECT_EQ(logic.WingText(), "Left");
    logic.SetWingText("left"); // case counts: a new name
    EXPECT_EQ(U().Wing, 1);
    logic.Exit();
    EXPECT_EQ(s.WingCount, 3);
    EXPECT_EQ(s.WingNames[2], "left");
    EXPECT_EQ(U().Wing, 2);

    OpenOn(Hex, EditMode::Units);
    logic.SelectWing(0);
    EXPECT_EQ(U().Wing, 0);
    EXPECT_EQ(logic.WingText(), "Main");
    logic.SetWingText("A wing name far too long to fit");
    EXPECT_EQ(logic.WingText(), "A wing name far too long");
    logic.SetWingText("");
    logic.Exit();
    EXPECT_EQ(s.WingCount, 3);
    EXPECT_EQ(U().Wing, 0);
}

TEST_F(UnitEditorLogicTest, AFiftyFirstWingIsRefusedAndTheUnitKeepsItsWing) {
    s.WingCount = MaxWings;
    for (int32_t w = 2; w < MaxWings; ++w)
        s.WingNames[size_t(w)] = "Wing " + std::to_string(w);
    NewUnit();
    logic.SelectWing(1);
    // Typed a letter at a time, the name passes "Wing 2" and "Wing 20" on the way.
    const std::string typed = "Wing 20b";
    for (std::size_t n = 1; n <= typed.size(); ++n)
        logic.SetWingText(typed.substr(0, n));
    EXPECT_EQ(U().Wing, 1);
    sounds.played.clear();
    EXPECT_EQ(logic.Exit(), 1);
    EXPECT_EQ(s.WingCount, MaxWings);
    EXPECT_EQ(U().Wing, 1);
    ASSERT_EQ(boxes.plain.size(), 1u);
    EXPECT_THAT(boxes.plain[0], HasSubstr("\"Wing 20b\" was not added"));
    EXPECT_THAT(boxes.plain[0], HasSubstr("stays in wing \"Left\""));
    EXPECT_THAT(sounds.played, ElementsAre(SoundAccept));
}

TEST_F(UnitEditorLogicTest, ExitWritesTheHexAndTheSidesMarker) {
    NewUnit(EditMode::Reinforcements);
    logic.SetName("Border Guards of the North");
    EXPECT_EQ(U().Name, "Border Guards of the");
    logic.SetSide(SideEastern);
    s.Hexes[Hex].ReinforcementMarker = 0;
    sounds.played.clear();
    EXPECT_EQ(logic.Exit(), 1);
    EXPECT_EQ(s.Hexes[Hex].ReinforcementMarker, s.MarkerSymbols[MarkerEasternReinforcement]);
    EXPECT_EQ(U().Hex, Hex);
    EXPECT_THAT(sounds.played, ElementsAre(SoundAccept));
}

TEST_F(UnitEditorLogicTest, RemoveRenumbersTheLaterUnitsAndClearsTheMarker) {
    AddUnit(s, 10, UnitRecord{.Name = N("One")});
    AddUnit(s, 11, UnitRecord{.Name = N("Two"), .ActivationTurn = 4});
    AddUnit(s, 12, UnitRecord{.Name = N("Three")});
    s.Hexes[11].ReinforcementMarker = s.MarkerSymbols[MarkerWesternReinforcement];
    OpenOn(11, EditMode::Reinforcements);
    ASSERT_EQ(logic.CurrentUnit(), 2);
    EXPECT_EQ(logic.Remove(), 1);
    EXPECT_EQ(s.UnitCount, 2);
    EXPECT_EQ(s.Units[2].Name, "Three");
    EXPECT_EQ(s.Hexes[12].Unit, 2);
    EXPECT_EQ(s.Hexes[11].Unit, 0);
    EXPECT_EQ(s.Hexes[11].ReinforcementMarker, 0);

    EXPECT_TRUE(RemoveUnitOnHex(s, 10));
    EXPECT_EQ(s.Units[1].Name, "Three");
    EXPECT_EQ(s.Hexes[12].Unit, 1);
    EXPECT_FALSE(RemoveUnitOnHex(s, 10));
    EXPECT_FALSE(RemoveUnitOnHex(s, NoSymbol));
}

TEST_F(UnitEditorLogicTest, LoadingClearsTheSupplyOfAUnitThatCarriesNone) {
    AddUnit(s, 10, UnitRecord{.Name = N("Wagons"), .UnitType = 2, .SupplyLevel = 7});
    AddUnit(s, 11, UnitRecord{.Name = N("Train"), .UnitType = 3, .SupplyLevel = 7});
    OpenOn(10, EditMode::Units);
    EXPECT_EQ(s.Units[1].SupplyLevel, 0);
    OpenOn(11, EditMode::Units);
    EXPECT_EQ(s.Units[2].SupplyLevel, 7);
    EXPECT_EQ(logic.CheckedType(), 3);
}

TEST_F(UnitEditorLogicTest, InformationButtonsOpenTheirTables) {
    OpenOn(Hex, EditMode::Units);
    for (int32_t table : {DefTableCombat, DefTableMissile, DefTableArmour, DefTableShield})
        logic.ShowDefinitions(table);
    logic.ShowDefinitions(5);
    EXPECT_THAT(definitions.shown, ElementsAre(2, 1, 3, 4));
    EXPECT_THAT(sounds.played, ElementsAre(6, 6, 6, 6));
}

TEST_F(UnitEditorLogicTest, TheWingPlaceAndTheCommandingLeaderFollowTheUnit) {
    const int32_t captain = AddUnit(
        s, s.HexIndex(5, 5), UnitRecord{.Name = N("Captain"), .WingLeader = 1, .CommandRange = 2, .Wing = 1});
    AddUnit(s, s.HexIndex(9, 9), UnitRecord{.Name = N("Other"), .Wing = 1});
    AddUnit(s, s.HexIndex(9, 8), UnitRecord{.Name = N("East"), .Side = SideEastern, .Wing = 1});
    const int32_t hex = s.HexIndex(5, 7); // two hexes from the captain
    NewUnit(EditMode::Units, hex);
    EXPECT_EQ(logic.WingPlaceText(), "Unit 1 of 1 in Main");
    EXPECT_EQ(logic.LedByText(), "Led by: none");
    logic.SelectWing(1);
    EXPECT_EQ(logic.WingPlaceText(), "Unit 3 of 3 in Left");
    EXPECT_EQ(logic.LedByText(), "Led by: Captain");
    s.Units[size_t(captain)].CommandRange = 1;
    EXPECT_EQ(logic.LedByText(), "Led by: none");
    logic.SetWingLeader(true);
    logic.SetName("Major");
    EXPECT_EQ(logic.LedByText(), "Led by: Major");
}

} // namespace
} // namespace k2
