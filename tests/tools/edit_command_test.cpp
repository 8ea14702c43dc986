// Scripted edits: the op runner on a real battle (with a click op of its own, since this runner
// knows only undo and redo itself), and `k2tool edit` as a user runs it.
#include "core/battle_file.h"
#include "core/scenario.h"
#include "forces/equipment_defs.h"
#include "forces/unit_ratings.h"
#include "k2tool/edit_script.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

namespace fs = std::filesystem;
using namespace k2;

const fs::path Stock = K2_STOCK_DIR;
const fs::path Small = Stock / "scenarios" / "Border Skirmish.k2s";
const fs::path Legacy = Stock / "scenarios" / "Old Raid.scn";

std::unique_ptr<Scenario> Load(const fs::path& file) {
    auto s = std::make_unique<Scenario>();
    EXPECT_TRUE(ReadBattle(*s, file, Stock / "sysdefs" / "K2Ter.Def").ok) << file;
    return s;
}

int32_t TerrainSetCount() {
    std::ifstream in(Stock / "scenarios" / "K2T.ter", std::ios::binary);
    unsigned char h[6] = {};
    in.read(reinterpret_cast<char*>(h), 6);
    return h[4] * 256 + h[5];
}

// Lays caltrops on a hex; a hex that has them already is refused.
class CaltropsTool : public EditTool {
  public:
    explicit CaltropsTool(Scenario& s) : s_(s) {}
    std::string StepName() const override { return "Caltrops"; }
    ToolResult LeftClick(int32_t hex) override {
        if (s_.Hexes[hex].Caltrops) return ToolResult::Refuse("caltrops lie there already");
        s_.Hexes[hex].Caltrops = 1;
        return ToolResult::Done();
    }

  private:
    Scenario& s_;
};

class ScriptRunner : public ::testing::Test {
  protected:
    ScriptRunner()
        : battle(Load(Small)), random(7), session(*battle, random, symbols, equipment), tool(*battle) {
        session.Dispatch().Register(EditMode::Caltrops, tool);
        // An op as later ones are added: read the arguments, then click as the user would.
        script.RegisterOp("caltrops", [](OpArgs& args, ScriptSession& s) {
            const int32_t hex = args.Hex();
            s.Edit().Mode = EditMode::Caltrops;
            return ClickMap(s, MapButton::Left, hex);
        });
        script.RegisterOp("typed", [](OpArgs& args, ScriptSession&) {
            args.Int("count");
            args.Bool("flag");
            args.Text("name");
            if (args.Has("extra")) args.Int("extra");
            return OpOutcome{};
        });
    }

    ScriptRun Run(const char* json) {
        QJsonArray ops;
        auto error = script.Parse(json, ops);
        EXPECT_FALSE(error) << error->Message;
        return script.Run(ops, session);
    }

    std::unique_ptr<Scenario> battle;
    StdRandomSource random;
    SymbolSet symbols;
    EquipmentTables equipment;
    ScriptSession session;
    CaltropsTool tool;
    EditScript script;
};

TEST_F(ScriptRunner, ResultsFollowTheHistoryAndTheDispatch) {
    const int32_t hex = battle->HexIndex(5, 7);
    ASSERT_EQ(battle->Hexes[hex].Caltrops, 0);
    const std::string ops = R"([{"op":"undo"},{"op":"caltrops","hex":)" + std::to_string(hex) +
                            R"(},{"op":"caltrops","hex":)" + std::to_string(hex) +
                            R"(},{"op":"undo"},{"op":"undo"},{"op":"redo"},{"op":"redo"}])";
    const ScriptRun run = Run(ops.c_str());
    ASSERT_FALSE(run.Error) << run.Error->Message;
    const QJsonArray expected = QJsonDocument::fromJson(R"([
        {"op":"undo","result":"unchanged"},
        {"op":"caltrops","result":"changed"},
        {"op":"caltrops","result":"refused","reason":"caltrops lie there already"},
        {"op":"undo","result":"changed"},
        {"op":"undo","result":"unchanged"},
        {"op":"redo","result":"changed"},
        {"op":"redo","result":"unchanged"}])")
                                    .array();
    EXPECT_EQ(EditScript::ReportJson(run.Reports), expected);
    EXPECT_EQ(battle->Hexes[hex].Caltrops, 1) << "redone";
    EXPECT_EQ(session.History().UndoName(), "Caltrops");
    // The dispatch sounded the refusal as it does for a click on the map.
    EXPECT_EQ(session.Sounds().Played, std::vector<int>{SoundRefuse});
}

TEST_F(ScriptRunner, ScriptsThatCannotBeRead) {
    struct Case {
        const char* json;
        int position;
        const char* message;
    };
    const Case cases[] = {
        {R"([{"op":"undo"},)", 0, "not valid JSON"},
        {R"({"op":"undo"})", 0, "must be a JSON array"},
        {R"([{"op":"undo"}, 3])", 2, "op 2 is not an object"},
        {R"([{"op":"undo"}, {"hex":3}])", 2, "op 2 has no \"op\""},
        {R"([{"op":"undo"}, {"op":"redo"}, {"op":"paint"}])", 3, "op 3: unknown op \"paint\""},
    };
    for (const Case& c : cases) {
        QJsonArray ops;
        const auto error = script.Parse(c.json, ops);
        ASSERT_TRUE(error) << c.json;
        EXPECT_EQ(error->Position, c.position) << c.json;
        EXPECT_NE(error->Message.find(c.message), std::string::npos) << error->Message;
    }
}

TEST_F(ScriptRunner, BadArgumentsStopTheScriptAtTheirOp) {
    struct Case {
        const char* op;
        const char* message;
    };
    const Case cases[] = {
        {R"({"op":"caltrops"})", R"(op 2 ("caltrops"): argument "hex" is missing)"},
        {R"({"op":"caltrops","hex":"12"})", R"(argument "hex" must be an integer)"},
        {R"({"op":"caltrops","hex":12.5})", R"(argument "hex" must be an integer)"},
        {R"({"op":"caltrops","hex":4294967308})", R"(argument "hex" must be an integer)"},
        {R"({"op":"caltrops","hex":-1})", "hex -1 is off the 40 x 30 map"},
        {R"({"op":"caltrops","hex":1200})", "hex 1200 is off the 40 x 30 map (hexes 0 to 1199)"},
        {R"({"op":"caltrops","hex":12,"hxe":13})", R"(unknown argument "hxe")"},
        {R"({"op":"undo","steps":2})", R"(op 2 ("undo"): unknown argument "steps")"},
        {R"({"op":"typed","count":1,"flag":1,"name":"x"})", R"(argument "flag" must be true or false)"},
        {R"({"op":"typed","count":1,"flag":true,"name":7})", R"(argument "name" must be a string)"},
        {R"({"op":"typed","count":1,"flag":true,"name":"x","extra":"y"})",
         R"(argument "extra" must be an integer)"},
    };
    ASSERT_EQ(battle->HexCount, 1200);
    for (const Case& c : cases) {
        const std::string json = std::string(R"([{"op":"caltrops","hex":3},)") + c.op + "]";
        const ScriptRun run = Run(json.c_str());
        ASSERT_TRUE(run.Error) << c.op;
        EXPECT_EQ(run.Error->Position, 2) << c.op;
        EXPECT_NE(run.Error->Message.find(c.message), std::string::npos) << run.Error->Message;
        EXPECT_EQ(run.Reports.size(), 1u) << "the ops before it ran";
        while (session.History().CanUndo())
            session.History().Undo();
    }
    EXPECT_FALSE(Run(R"([{"op":"typed","count":-3,"flag":false,"name":""}])").Error);
}

TEST_F(ScriptRunner, SaveAsSortsTheUnitsAsAStepAndMarksTheBattleSaved) {
    QTemporaryDir dir;
    auto equipment = std::make_unique<EquipmentTables>();
    ASSERT_TRUE(LoadEquipment(*equipment, Stock / "sysdefs").ok);
    // Units out of order, as a dialog could leave them.
    std::swap(battle->Units[1], battle->Units[battle->UnitCount]);
    battle->Hexes[battle->Units[1].Hex].Unit = 1;
    battle->Hexes[battle->Units[battle->UnitCount].Hex].Unit = battle->UnitCount;
    ScriptSession fresh(*battle, random, symbols, *equipment);
    const fs::path out = fs::path(dir.path().toStdString()) / "out.k2s";
    ASSERT_TRUE(fresh.SaveAs(out, TerrainSetCount()).ok);
    EXPECT_EQ(fresh.History().UndoName(), "Sort Units");
    EXPECT_FALSE(fresh.History().Modified());
    auto read = Load(out);
    for (int32_t u = 1; u <= read->UnitCount; ++u)
        EXPECT_EQ(read->Hexes[read->Units[u].Hex].Unit, u);
}

// ---- k2tool edit as a user runs it

struct ToolRun {
    int exitCode = -1;
    QByteArray out, err;
};

ToolRun Edit(const QStringList& args) {
    QProcess p;
    p.setWorkingDirectory(QString::fromStdString(Stock.string()));
    p.start(K2_TOOL_PATH, QStringList{"edit"} + args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

QString Q(const fs::path& p) {
    return QString::fromStdString(p.string());
}

QByteArray Bytes(const fs::path& p) {
    QFile f(Q(p));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class EditCommand : public ::testing::Test {
  protected:
    fs::path Path(const std::string& name) const { return fs::path(dir.path().toStdString()) / name; }
    fs::path Script(const std::string& name, const std::string& json) const {
        std::ofstream(Path(name), std::ios::binary) << json;
        return Path(name);
    }
    QTemporaryDir dir;
};

TEST_F(EditCommand, WritesWhatTheEditorWouldSave) {
    const fs::path ops = Script("ops.json", R"([{"op":"undo"},{"op":"redo"},{"op":"undo"}])");
    auto equipment = std::make_unique<EquipmentTables>();
    ASSERT_TRUE(LoadEquipment(*equipment, Stock / "sysdefs").ok);
    for (const fs::path& battle : {Small, Legacy}) {
        const fs::path out = Path("out.k2s"), expected = Path("expected.k2s");
        const ToolRun r = Edit({Q(battle), "--script", Q(ops), "--out", Q(out), "--seed", "42"});
        ASSERT_EQ(r.exitCode, 0) << battle << r.err.toStdString();
        EXPECT_EQ(QJsonDocument::fromJson(r.out).array(), QJsonDocument::fromJson(R"([
            {"op":"undo","result":"unchanged"},{"op":"redo","result":"unchanged"},
            {"op":"undo","result":"unchanged"}])")
                                                              .array());
        // Open, then Save Battle As: the units sorted and the current layout.
        auto s = Load(battle);
        SortUnits(*s, *equipment);
        ASSERT_TRUE(WriteBattle(*s, expected, TerrainSetCount()).ok);
        EXPECT_EQ(Bytes(out), Bytes(expected)) << battle;
        auto written = Load(out);
        EXPECT_EQ(written->BattleName, s->BattleName);
    }
}

TEST_F(EditCommand, TerrainOpsActAsTheirMapClicks) {
    // 207 is row 5, column 7 of the 40-column battle; 0 is a corner of its border.
    const fs::path ops = Script("terrain.json", R"([
        {"op":"primary","hex":207,"terrain":76},
        {"op":"primary","hex":0,"terrain":76},
        {"op":"secondary","hex":207,"terrain":71},
        {"op":"secondary","hex":207,"terrain":71},
        {"op":"remove-secondary","hex":207},
        {"op":"secondary","hex":207,"terrain":71},
        {"op":"fill","hex":207,"terrain":5,"keep":false},
        {"op":"fill","hex":207,"terrain":5,"keep":true},
        {"op":"undo"}])");
    const fs::path out = Path("out.k2s");
    const ToolRun r = Edit({Q(Small), "--script", Q(ops), "--out", Q(out), "--seed", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList results;
    for (const QJsonValue& report : QJsonDocument::fromJson(r.out).array())
        results << report.toObject()["result"].toString();
    EXPECT_EQ(results, QStringList({"changed", "refused", "changed", "unchanged", "changed", "changed",
                                    "unchanged", "changed", "changed"}));
    EXPECT_EQ(QJsonDocument::fromJson(r.out).array()[1].toObject()["reason"].toString(),
              "Border hexes cannot be changed.");

    auto before = Load(Small), after = Load(out);
    EXPECT_EQ(after->Hexes[207].PrimaryTerrain, 76);
    EXPECT_EQ(after->Hexes[0].PrimaryTerrain, before->Hexes[0].PrimaryTerrain);
    const auto& secondary = after->Hexes[207].SecondaryTerrain;
    EXPECT_EQ(std::count(secondary.begin(), secondary.end(), 71), 1);
}

TEST_F(EditCommand, TerrainDefinitionsAreEditedAsThePickerDoes) {
    const fs::path ops = Script("defs.json", R"([
        {"op":"terrain-def","terrain":76,"elevation":2,"cost":5,"defense":-3,"name":"Fen"},
        {"op":"terrain-def","terrain":71,"cost":0},
        {"op":"undo"}])");
    const ToolRun r = Edit({Q(Small), "--script", Q(ops), "--out", Q(Path("out.k2s"))});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList results;
    for (const QJsonValue& report : QJsonDocument::fromJson(r.out).array())
        results << report.toObject()["result"].toString();
    EXPECT_EQ(results, QStringList({"changed", "changed", "changed"}));
    auto before = Load(Small), after = Load(Path("out.k2s"));
    // One step per op, however many arrow clicks it took: the undo took back only the second.
    const TerrainDef& fen = after->TerrainDefs[76];
    EXPECT_EQ(fen.elevation, 2);
    EXPECT_EQ(fen.costPerMove, 5);
    EXPECT_EQ(fen.defenseModifier, -3);
    EXPECT_EQ(fen.name, "Fen");
    EXPECT_EQ(after->TerrainDefs[71], before->TerrainDefs[71]);

    const ToolRun bad =
        Edit({Q(Small), "--script", Q(Script("bad.json", R"([{"op":"terrain-def","terrain":76,"cost":14}])")),
              "--out", Q(Path("bad.k2s"))});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains("cost must be from 0 to 13")) << bad.err.toStdString();
}

TEST_F(EditCommand, UnitMarkerAndTextOpsActAsTheEditorDoes) {
    auto before = Load(Small);
    Scenario& b = *before;
    int32_t unitHex = -1, reinforcementHex = -1, textHex = -1, empty = -1;
    for (int32_t u = 1; u <= b.UnitCount; ++u)
        if (b.Units[u].ActivationTurn == 1 && unitHex < 0) unitHex = b.Units[u].Hex;
    for (int32_t h = 0; h < b.HexCount; ++h) {
        const HexCell& c = b.Hexes[h];
        if (c.MapText && textHex < 0) textHex = h;
        if (b.IsBorderHex(h) || c.Unit || c.Structure || c.ReinforcementMarker || c.MapText || c.Objective ||
            c.Caltrops || c.Stakes)
            continue;
        if (empty < 0)
            empty = h;
        else if (reinforcementHex < 0)
            reinforcementHex = h;
    }
    ASSERT_TRUE(unitHex >= 0 && reinforcementHex >= 0 && textHex >= 0 && empty >= 0);
    // A marked hex whose reinforcement has not been placed yet.
    b.Hexes[reinforcementHex].ReinforcementMarker = b.MarkerSymbols[MarkerWesternReinforcement];
    const fs::path input = Path("marked.k2s");
    ASSERT_TRUE(WriteBattle(b, input, TerrainSetCount()).ok);
    const auto op = [](const std::string& name, const std::string& args) {
        return "{\"op\":\"" + name + "\"" + (args.empty() ? "" : "," + args) + "}";
    };
    const auto hex = [](int32_t h) { return "\"hex\":" + std::to_string(h); };
    const std::vector<std::pair<std::string, const char*>> steps = {
        {op("copy", hex(empty)), "unchanged"},
        {op("copy", hex(unitHex)), "unchanged"},
        {op("paste", hex(unitHex)), "refused"},
        {op("paste", hex(reinforcementHex)), "refused"},
        {op("paste", hex(empty)), "changed"},
        {op("cut", hex(empty)), "changed"},
        {op("move", "\"from\":" + std::to_string(unitHex) + ",\"to\":" + std::to_string(empty)), "changed"},
        {op("remove-unit", hex(unitHex)), "refused"},
        {op("remove-unit", hex(empty)), "changed"},
        {op("caltrops", hex(empty)), "changed"},
        {op("stakes", hex(empty)), "refused"},
        {op("remove-map-text", hex(textHex)), "changed"},
        {op("remove-map-text", hex(textHex)), "refused"},
        {op("marker", "\"kind\":\"western\",\"symbol\":13"), "refused"},
    };
    std::string json = "[";
    for (const auto& [text, result] : steps)
        json += (json.size() > 1 ? "," : "") + text;
    const ToolRun r =
        Edit({Q(input), "--script", Q(Script("units.json", json + "]")), "--out", Q(Path("out.k2s"))});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QJsonArray reports = QJsonDocument::fromJson(r.out).array();
    ASSERT_EQ(reports.size(), qsizetype(steps.size()));
    for (std::size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(reports[qsizetype(i)].toObject()["result"].toString().toStdString(), steps[i].second)
            << steps[i].first;

    // The unit moved, was removed, and the map text is gone with its entry.
    auto after = Load(Path("out.k2s"));
    EXPECT_EQ(after->UnitCount, b.UnitCount - 1);
    EXPECT_EQ(after->MapTextCount, b.MapTextCount - 1);
    EXPECT_EQ(after->Hexes[unitHex].Unit, 0);
    EXPECT_NE(after->Hexes[empty].Caltrops, 0);
}

TEST_F(EditCommand, NothingIsWrittenUnlessEveryOpRan) {
    const fs::path out = Path("out.k2s");
    const fs::path good = Script("good.json", R"([{"op":"undo"}])");
    struct Case {
        const char* what;
        QStringList args;
        int exitCode;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"malformed JSON",
         {Q(Small), "--script", Q(Script("a.json", "[{\"op\":")), "--out", Q(out)},
         2,
         "not valid JSON"},
        {"unknown op",
         {Q(Small), "--script", Q(Script("b.json", R"([{"op":"undo"},{"op":"paint"}])")), "--out", Q(out)},
         2,
         "op 2: unknown op \"paint\""},
        {"a secondary terrain as primary",
         {Q(Small), "--script", Q(Script("d.json", R"([{"op":"primary","hex":207,"terrain":55}])")), "--out",
          Q(out)},
         2,
         "op 1 (\"primary\"): terrain 55 is not a primary terrain"},
        {"a heading",
         {Q(Small), "--script", Q(Script("e.json", R"([{"op":"secondary","hex":207,"terrain":27}])")),
          "--out", Q(out)},
         2,
         "terrain 27 is not a secondary terrain"},
        {"a hex off the map",
         {Q(Small), "--script", Q(Script("f.json", R"([{"op":"remove-secondary","hex":1200}])")), "--out",
          Q(out)},
         2,
         "op 1"},
        {"unknown argument",
         {Q(Small), "--script", Q(Script("c.json", R"([{"op":"redo","hex":9999}])")), "--out", Q(out)},
         2,
         "op 1 (\"redo\"): unknown argument \"hex\""},
        {"no --out", {Q(Small), "--script", Q(good)}, 2, "--out is required"},
        {"legacy output name", {Q(Small), "--script", Q(good), "--out", Q(Path("out.scn"))}, 2, "legacy"},
        {"bad seed", {Q(Small), "--script", Q(good), "--out", Q(out), "--seed", "-1"}, 2, "--seed"},
        {"missing script",
         {Q(Small), "--script", Q(Path("none.json")), "--out", Q(out)},
         1,
         "could not read"},
        {"missing battle", {Q(Path("none.k2s")), "--script", Q(good), "--out", Q(out)}, 1, "Could not open"},
        {"unwritable output",
         {Q(Small), "--script", Q(good), "--out", Q(Path("no/dir/out.k2s"))},
         1,
         "Could not"},
    };
    for (const Case& c : cases) {
        std::ofstream(out, std::ios::binary) << "previous";
        const ToolRun r = Edit(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << c.what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(c.message)) << c.what << ": " << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty()) << c.what;
        EXPECT_EQ(Bytes(out), "previous") << c.what;
        EXPECT_FALSE(fs::exists(Path("out.scn"))) << c.what;
    }
}

} // namespace
