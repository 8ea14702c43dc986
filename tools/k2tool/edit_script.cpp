#include "k2tool/edit_script.h"
#include "edit/edit_names.h"
#include "k2tool/area_ops.h"

#include "core/battle_file.h"
#include "edit/battle_save.h"
#include "edit/generate_terrain.h"
#include "edit/map_text_logic.h"
#include "edit/map_trimmer_logic.h"
#include "edit/marker_logic.h"
#include "edit/objective_logic.h"
#include "edit/structure_logic.h"
#include "edit/terrain_picker_logic.h"
#include "forces/unit_editor_logic.h"
#include "forces/unit_ratings.h"
#include "graphics/ansi_text.h"

#include <QJsonDocument>
#include <QJsonParseError>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

namespace k2 {

namespace {

// The ops. Each reads its arguments first, then acts as the user would.

OpOutcome UndoOp(OpArgs&, ScriptSession& s) {
    // As Edit > Undo; with nothing to undo the item is disabled and nothing happens.
    s.History().Undo();
    return {};
}

OpOutcome RedoOp(OpArgs&, ScriptSession& s) {
    s.History().Redo();
    return {};
}

} // namespace

void PickTerrain(OpArgs& args, ScriptSession& s, EditMode mode, int8_t use) {
    const int32_t terrain = args.Int("terrain");
    TerrainPickerLogic picker(s.Battle(), s.Symbols(), s.Edit(), s.History(), s.Boxes());
    s.Edit().PickerUse = use;
    picker.Activate(use);
    const auto& rows = picker.Rows();
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&](const TerrainPickerRow& r) { return r.Terrain == terrain; });
    if (row == rows.end() || !picker.ClickRow(int32_t(row - rows.begin())))
        throw OpArgumentError("terrain " + std::to_string(terrain) + " is not a " +
                              (use == PickerUseSecondary ? "secondary" : "primary") +
                              " terrain the picker lists");
    s.Edit().Mode = mode;
}

namespace {

OpOutcome PrimaryOp(OpArgs& args, ScriptSession& s) {
    const int32_t hex = args.Hex();
    s.Edit().BrushRadius = BrushArg(args);
    PickTerrain(args, s, EditMode::PlacePrimary, PickerUsePrimary);
    return ClickMap(s, MapButton::Left, hex);
}

OpOutcome SecondaryOp(OpArgs& args, ScriptSession& s) {
    const int32_t hex = args.Hex();
    PickTerrain(args, s, EditMode::PlaceSecondary, PickerUseSecondary);
    return ClickMap(s, MapButton::Left, hex);
}

OpOutcome RemoveSecondaryOp(OpArgs& args, ScriptSession& s) {
    const int32_t hex = args.Hex();
    s.Edit().BrushRadius = BrushArg(args);
    s.Edit().Mode = EditMode::PlaceSecondary;
    return ClickMap(s, MapButton::Right, hex);
}

OpOutcome FillOp(OpArgs& args, ScriptSession& s) {
    const int32_t hex = args.Hex();
    const bool keep = args.Bool("keep");
    PickTerrain(args, s, EditMode::FillPrimary, PickerUseFill);
    s.Boxes().NextAnswer = keep ? MsgResultYes : MsgResultNo; // "Keep Terrain Fill Changes?"
    return ClickMap(s, MapButton::Left, hex);
}

// The picker's arrows and name box on one terrain's definition. Each value given is reached by
// arrow clicks, so the picker's bounds hold, and the edits merge into one step as in the picker.
OpOutcome TerrainDefOp(OpArgs& args, ScriptSession& s) {
    const int32_t terrain = args.Int("terrain");
    struct Target {
        const char* name;
        int32_t TerrainDef::*field;
        int32_t low, high;
        StepChange (TerrainPickerLogic::*up)();
        StepChange (TerrainPickerLogic::*down)();
        std::optional<int32_t> value;
    };
    using L = TerrainPickerLogic;
    Target targets[] = {
        {"elevation",
         &TerrainDef::elevation,
         L::MinElevation,
         L::MaxElevation,
         &L::ElevationUp,
         &L::ElevationDown,
         {}},
        {"cost", &TerrainDef::costPerMove, L::MinCost, L::MaxCost, &L::CostUp, &L::CostDown, {}},
        {"defense",
         &TerrainDef::defenseModifier,
         L::MinDefense,
         L::MaxDefense,
         &L::DefenseUp,
         &L::DefenseDown,
         {}},
    };
    for (Target& t : targets) {
        if (!args.Has(t.name)) continue;
        t.value = args.Int(t.name);
        if (*t.value < t.low || *t.value > t.high)
            throw OpArgumentError(std::string(t.name) + " must be from " + std::to_string(t.low) + " to " +
                                  std::to_string(t.high));
    }
    std::optional<std::string> name;
    if (args.Has("name")) name = ToAnsi(args.Text("name"));

    // A primary terrain is edited in the primary picker, a secondary one in the secondary picker.
    for (int8_t use : {PickerUsePrimary, PickerUseSecondary}) {
        TerrainPickerLogic picker(s.Battle(), s.Symbols(), s.Edit(), s.History(), s.Boxes());
        picker.Activate(use);
        const auto& rows = picker.Rows();
        const auto row = std::find_if(rows.begin(), rows.end(),
                                      [&](const TerrainPickerRow& r) { return r.Terrain == terrain; });
        if (row == rows.end() || !picker.ClickRow(int32_t(row - rows.begin()))) continue;
        const TerrainDef& def = s.Battle().TerrainDefs[std::size_t(terrain)];
        for (const Target& t : targets) {
            if (!t.value) continue;
            while (def.*t.field < *t.value && (picker.*t.up)().Changed) {
            }
            while (def.*t.field > *t.value && (picker.*t.down)().Changed) {
            }
        }
        if (name) picker.SetName(*name);
        return {};
    }
    throw OpArgumentError("terrain " + std::to_string(terrain) + " is not a terrain the picker lists");
}

// A click in `mode` on the op's hex.
OpOutcome ClickInMode(OpArgs& args, ScriptSession& s, EditMode mode) {
    const int32_t hex = args.Hex();
    s.Edit().Mode = mode;
    return ClickMap(s, MapButton::Left, hex);
}

OpOutcome CaltropsOp(OpArgs& args, ScriptSession& s) {
    return ClickInMode(args, s, EditMode::Caltrops);
}

OpOutcome StakesOp(OpArgs& args, ScriptSession& s) {
    return ClickInMode(args, s, EditMode::Stakes);
}

OpOutcome CopyOp(OpArgs& args, ScriptSession& s) {
    return ClickInMode(args, s, EditMode::CopyUnit);
}

OpOutcome CutOp(OpArgs& args, ScriptSession& s) {
    return ClickInMode(args, s, EditMode::CutUnit);
}

OpOutcome PasteOp(OpArgs& args, ScriptSession& s) {
    return ClickInMode(args, s, EditMode::PasteUnit);
}

// The two clicks of Move Unit, chosen afresh from the menu.
OpOutcome MoveOp(OpArgs& args, ScriptSession& s) {
    const int32_t from = args.Hex("from"), to = args.Hex("to");
    s.Edit().Mode = EditMode::MoveUnit;
    s.Session().MoveUnit().Begin();
    OpOutcome first = ClickMap(s, MapButton::Left, from);
    if (first.Refused) return first;
    return ClickMap(s, MapButton::Left, to);
}

// The unit editor opened on the hex, then its Remove.
OpOutcome RemoveUnitOp(OpArgs& args, ScriptSession& s) {
    const int32_t hex = args.Hex();
    bool removed = false;
    s.History().Record(step::Units, [&] { removed = RemoveUnitOnHex(s.Battle(), hex); });
    if (!removed) return {true, "no unit stands on the hex"};
    return {};
}

OpOutcome SortOp(OpArgs&, ScriptSession& s) {
    s.History().Record(step::SortUnits, [&] { SortUnits(s.Battle(), s.Equipment()); });
    return {};
}

// The map text dialog opened on the hex, then its Remove.
OpOutcome RemoveMapTextOp(OpArgs& args, ScriptSession& s) {
    const int32_t hex = args.Hex();
    int32_t result = 0;
    s.History().Record(step::MapText, [&] {
        MapTextLogic text(s.Battle(), s.History(), s.Sounds(), s.Boxes());
        text.Activate(hex);
        result = text.Remove();
    });
    if (result == 0) return {true, "the hex has no map text"};
    return {};
}

// A click in Set Special Hex Markers on the row of `symbol` for the kind, then Exit.
OpOutcome MarkerOp(OpArgs& args, ScriptSession& s) {
    const QString kindName = args.Text("kind");
    const int32_t symbol = args.Int("symbol");
    int32_t kind = 0;
    if (kindName == "western")
        kind = MarkerWesternReinforcement;
    else if (kindName == "eastern")
        kind = MarkerEasternReinforcement;
    else if (kindName == "objective")
        kind = MarkerObjective;
    else
        throw OpArgumentError("kind must be \"western\", \"eastern\" or \"objective\"");
    MarkerLogic markers(s.Battle(), s.Symbols(), s.History());
    markers.Open();
    const bool chosen = markers.ChooseSymbol(kind, symbol);
    markers.Exit();
    if (!chosen) return {true, "symbol " + std::to_string(symbol) + " is not offered for that kind"};
    return {};
}

MapEdge EdgeArg(OpArgs& args) {
    const QString edge = args.Text("edge");
    if (edge == "bottom") return MapEdge::Bottom;
    if (edge == "top") return MapEdge::Top;
    if (edge == "right") return MapEdge::Right;
    if (edge == "left") return MapEdge::Left;
    throw OpArgumentError("edge must be \"bottom\", \"top\", \"right\" or \"left\"");
}

// One press of a trimmer button.
OpOutcome Resize(ScriptSession& s, const ResizeResult& result) {
    if (result.Refused()) {
        s.Sounds().Play(SoundRefuse, 1);
        return {true, result.Message};
    }
    if (!result.Changed() && !result.Message.empty()) return {true, result.Message};
    return {};
}

OpOutcome TrimOp(OpArgs& args, ScriptSession& s) {
    const MapEdge edge = EdgeArg(args);
    MapTrimmerLogic trimmer(s.Battle());
    return Resize(s, RecordTrim(s.History(), trimmer, edge));
}

OpOutcome GrowOp(OpArgs& args, ScriptSession& s) {
    const MapEdge edge = EdgeArg(args);
    MapTrimmerLogic trimmer(s.Battle());
    return Resize(s, RecordGrow(s.History(), trimmer, edge));
}

// The dialog opened on the hex, then its Remove.
OpOutcome RemoveStructureOp(OpArgs& args, ScriptSession& s) {
    const int32_t hex = args.Hex();
    bool removed = false;
    s.History().Record(step::Structures, [&] { removed = RemoveStructureAt(s.Battle(), hex); });
    if (!removed) return {true, "the hex has no structure"};
    return {};
}

OpOutcome RemoveObjectiveOp(OpArgs& args, ScriptSession& s) {
    const int32_t hex = args.Hex();
    bool removed = false;
    s.History().Record(step::Objective, [&] { removed = RemoveObjectiveAt(s.Battle(), hex); });
    if (!removed) return {true, "the hex has no objective"};
    return {};
}

// Terrain > Generate Terrain with the op's seed and sliders (a slider not given takes the
// dialog's first proposal), then OK: one step.
OpOutcome GenerateOp(OpArgs& args, ScriptSession& s) {
    GeneratorSettings settings;
    if (!args.Has("seed")) throw OpArgumentError("argument \"seed\" is missing");
    const QJsonValue seed = args.Json().value(QLatin1String("seed"));
    const double d = seed.toDouble(-1);
    if (!seed.isDouble() || d != std::trunc(d) || d < 0 || d > double(UINT32_MAX))
        throw OpArgumentError("seed must be a whole number from 0 to 4294967295");
    settings.Seed = uint32_t(d);
    for (const SliderInfo& slider : Sliders) {
        if (!args.Has(slider.Name)) continue;
        const int32_t value = args.Int(slider.Name);
        if (value < 0 || value > GeneratorSettings::MaxSlider)
            throw OpArgumentError(std::string(slider.Name) + " must be from 0 to " +
                                  std::to_string(GeneratorSettings::MaxSlider));
        settings.*slider.Value = value;
    }
    if (!s.Roles()) return {true, "the battle's terrain set has no role table"};
    const GenerateTerrainOutcome outcome =
        RecordTerrainGeneration(s.History(), s.Battle(), *s.Roles(), settings);
    if (!outcome.Result) return {true, outcome.Result.message};
    return {};
}

// Adding an op is one function above and one row here.
const std::pair<const char*, OpOutcome (*)(OpArgs&, ScriptSession&)> StandardOps[] = {
    {"undo", UndoOp},
    {"redo", RedoOp},
    {"primary", PrimaryOp},
    {"secondary", SecondaryOp},
    {"remove-secondary", RemoveSecondaryOp},
    {"fill", FillOp},
    {"terrain-def", TerrainDefOp},
    {"caltrops", CaltropsOp},
    {"stakes", StakesOp},
    {"marker", MarkerOp},
    {"remove-map-text", RemoveMapTextOp},
    {"copy", CopyOp},
    {"cut", CutOp},
    {"paste", PasteOp},
    {"move", MoveOp},
    {"remove-unit", RemoveUnitOp},
    {"sort", SortOp},
    {"trim", TrimOp},
    {"grow", GrowOp},
    {"remove-structure", RemoveStructureOp},
    {"remove-objective", RemoveObjectiveOp},
    {"generate", GenerateOp},
};

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

const char* ResultName(OpResult r) {
    switch (r) {
    case OpResult::Changed:
        return "changed";
    case OpResult::Refused:
        return "refused";
    case OpResult::Unchanged:
        break;
    }
    return "unchanged";
}

} // namespace

// ---- ScriptSession

ScriptSession::ScriptSession(Scenario& scenario, RandomSource& random, const SymbolSet& symbols,
                             const EquipmentTables& equipment)
    : symbols_(symbols), equipment_(equipment), history_(scenario),
      session_(scenario, edit_, history_, EditSeams{sounds_, boxes_, random, zoom_, terrain_, dialogs_}) {
    session_.Areas().SetTerrainSymbolCount([this] { return symbols_.TerrainCount(); });
}

Status ScriptSession::SaveAs(const std::filesystem::path& file, int32_t terrainSymbolCount) {
    return SaveBattleFile(history_, Battle(), equipment_, file, terrainSymbolCount);
}

// ---- OpArgs

QJsonValue OpArgs::Get(const char* name) {
    read_.insert(QString::fromUtf8(name));
    const QJsonValue v = op_.value(QLatin1String(name));
    if (v.isUndefined()) throw OpArgumentError("argument " + Quoted(name) + " is missing");
    return v;
}

bool OpArgs::Has(const char* name) {
    read_.insert(QString::fromUtf8(name));
    return op_.contains(QLatin1String(name));
}

int32_t OpArgs::Int(const char* name) {
    const QJsonValue v = Get(name);
    const double d = v.toDouble();
    if (!v.isDouble() || d != std::trunc(d) || d < std::numeric_limits<int32_t>::min() ||
        d > std::numeric_limits<int32_t>::max())
        throw OpArgumentError("argument " + Quoted(name) + " must be an integer");
    return static_cast<int32_t>(d);
}

int32_t OpArgs::Hex(const char* name) {
    const int32_t hex = Int(name);
    if (hex < 0 || hex >= scenario_.HexCount)
        throw OpArgumentError("hex " + std::to_string(hex) + " is off the " + std::to_string(scenario_.Cols) +
                              " x " + std::to_string(scenario_.Rows) + " map (hexes 0 to " +
                              std::to_string(scenario_.HexCount - 1) + ")");
    return hex;
}

bool OpArgs::Bool(const char* name) {
    const QJsonValue v = Get(name);
    if (!v.isBool()) throw OpArgumentError("argument " + Quoted(name) + " must be true or false");
    return v.toBool();
}

QString OpArgs::Text(const char* name) {
    const QJsonValue v = Get(name);
    if (!v.isString()) throw OpArgumentError("argument " + Quoted(name) + " must be a string");
    return v.toString();
}

std::vector<std::string> OpArgs::Unread() const {
    std::vector<std::string> out;
    for (auto it = op_.begin(); it != op_.end(); ++it)
        if (it.key() != QLatin1String("op") && !read_.contains(it.key()))
            out.push_back(it.key().toStdString());
    return out;
}

// ---- Clicks

OpOutcome ClickMap(ScriptSession& session, MapButton button, int32_t hex) {
    MapClickDispatch& dispatch = session.Dispatch();
    ClickOutcome click = dispatch.Press(true, button, hex);
    // A painting tool's stroke becomes its step on the release.
    dispatch.Release();
    return {click.Refused, std::move(click.Reason)};
}

// ---- EditScript

EditScript::EditScript() {
    for (const auto& [name, handler] : StandardOps)
        RegisterOp(name, handler);
    RegisterAreaOps(*this);
}

void EditScript::RegisterOp(std::string name, Handler handler) {
    handlers_[std::move(name)] = std::move(handler);
}

std::vector<std::string> EditScript::OpNames() const {
    std::vector<std::string> names;
    for (const auto& [name, handler] : handlers_)
        names.push_back(name);
    return names;
}

bool EditScript::HasOp(std::string_view name) const {
    return handlers_.find(name) != handlers_.end();
}

std::optional<ScriptError> EditScript::CheckOp(const QJsonValue& op, int position) const {
    const std::string at = "op " + std::to_string(position);
    if (!op.isObject()) return ScriptError{position, at + " is not an object"};
    const QJsonValue name = op.toObject().value(QLatin1String("op"));
    if (!name.isString()) return ScriptError{position, at + " has no \"op\" naming what to do"};
    const std::string text = name.toString().toStdString();
    if (!HasOp(text)) return ScriptError{position, at + ": unknown op " + Quoted(text)};
    return std::nullopt;
}

std::optional<ScriptError> EditScript::Parse(const QByteArray& text, QJsonArray& ops) const {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
    if (error.error != QJsonParseError::NoError)
        return ScriptError{0, "the script is not valid JSON: " + error.errorString().toStdString() +
                                  " at offset " + std::to_string(error.offset)};
    if (!doc.isArray()) return ScriptError{0, "the script must be a JSON array of ops"};
    ops = doc.array();
    for (qsizetype i = 0; i < ops.size(); ++i)
        if (auto e = CheckOp(ops[i], int(i) + 1)) return e;
    return std::nullopt;
}

ScriptRun EditScript::Run(const QJsonArray& ops, ScriptSession& session) const {
    ScriptRun run;
    for (qsizetype i = 0; i < ops.size(); ++i) {
        const int position = int(i) + 1;
        if (auto e = CheckOp(ops[i], position)) {
            run.Error = e;
            return run;
        }
        const QJsonObject op = ops[i].toObject();
        const std::string name = op.value(QLatin1String("op")).toString().toStdString();
        OpArgs args(op, session.Battle());
        const uint64_t before = session.History().Revision();
        OpOutcome outcome;
        try {
            outcome = handlers_.find(name)->second(args, session);
            if (auto unread = args.Unread(); !unread.empty())
                throw OpArgumentError("unknown argument " + Quoted(unread.front()));
        } catch (const OpArgumentError& e) {
            run.Error = ScriptError{position, "op " + std::to_string(position) + " (" + Quoted(name) +
                                                  "): " + e.what()};
            return run;
        }
        OpReport report{name, OpResult::Unchanged, {}};
        // What happened to the battle decides; a refused click changes nothing.
        if (session.History().Revision() != before) {
            report.Result = OpResult::Changed;
        } else if (outcome.Refused) {
            report.Result = OpResult::Refused;
            report.Reason = std::move(outcome.Reason);
        }
        run.Reports.push_back(std::move(report));
    }
    return run;
}

QJsonArray EditScript::ReportJson(const std::vector<OpReport>& reports) {
    QJsonArray out;
    for (const OpReport& r : reports) {
        QJsonObject o{{"op", QString::fromStdString(r.Op)}, {"result", ResultName(r.Result)}};
        if (r.Result == OpResult::Refused) o["reason"] = QString::fromStdString(r.Reason);
        out.append(o);
    }
    return out;
}

} // namespace k2
