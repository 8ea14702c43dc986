// The brush, selection and map area ops of k2tool edit, run on the small stock battle.
#include "common/stock_symbols.h"
#include "core/battle_file.h"
#include "core/hex_grid.h"
#include "k2tool/edit_script.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace k2;

const fs::path Stock = K2_STOCK_DIR;

std::unique_ptr<Scenario> Load() {
    auto s = std::make_unique<Scenario>();
    EXPECT_TRUE(
        ReadBattle(*s, Stock / "scenarios" / "Border Skirmish.k2s", Stock / "sysdefs" / "K2Ter.Def").ok);
    return s;
}

class AreaOps : public ::testing::Test {
  protected:
    AreaOps() : battle(Load()), random(11), session(*battle, random, test::StockSymbols(), equipment) {}

    ScriptRun Run(const std::string& json) {
        QJsonArray ops;
        const auto error = script.Parse(QByteArray::fromStdString(json), ops);
        EXPECT_FALSE(error) << error->Message;
        return script.Run(ops, session);
    }
    std::vector<std::string> Results(const ScriptRun& run) {
        std::vector<std::string> out;
        for (const QJsonValue& v : EditScript::ReportJson(run.Reports))
            out.push_back(v.toObject().value("result").toString().toStdString());
        return out;
    }
    std::string Hex(int32_t row, int32_t col) { return std::to_string(battle->HexIndex(row, col)); }

    std::unique_ptr<Scenario> battle;
    StdRandomSource random;
    EquipmentTables equipment;
    ScriptSession session;
    EditScript script;
};

TEST_F(AreaOps, CopyCutPasteAndFillRunAsTheEditMenuDoes) {
    const Scenario before = *battle;
    const std::string ops = "[" + std::string(R"({"op":"copy-area"},)") + // nothing selected: refused
                            R"({"op":"select","from":)" + Hex(2, 2) + R"(,"to":)" + Hex(4, 5) + "}," +
                            R"({"op":"select","from":)" + Hex(4, 5) + R"(,"to":)" + Hex(4, 5) +
                            R"(,"mode":"remove"},)" + R"({"op":"copy-area"},)" +
                            R"({"op":"paste-area","hex":)" + Hex(10, 12) + "}," + R"({"op":"cut-area"},)" +
                            R"({"op":"select-all"},)" + R"({"op":"invert-selection"},)" +
                            R"({"op":"delete-area"},)" + R"({"op":"select-region","hex":)" + Hex(6, 6) +
                            "}," + R"({"op":"fill-selection","terrain":1},)" + R"({"op":"select-none"}])";
    const ScriptRun run = Run(ops);
    ASSERT_FALSE(run.Error) << run.Error->Message;
    EXPECT_EQ(Results(run), (std::vector<std::string>{"refused", "unchanged", "unchanged", "unchanged",
                                                      "changed", "changed", "unchanged", "unchanged",
                                                      "refused", "unchanged", "changed", "unchanged"}));
    // The pasted cells are the copied ones; the cut left its hexes empty of secondary terrain.
    EXPECT_EQ(battle->Hexes[std::size_t(battle->HexIndex(10, 12))].SecondaryTerrain,
              before.Hexes[std::size_t(battle->HexIndex(2, 2))].SecondaryTerrain);
    EXPECT_EQ(session.History().UndoName(), "Fill Selection");
    for (const char* name : {"Fill Selection", "Cut Map Area", "Paste Map Area"}) {
        EXPECT_EQ(session.History().UndoName(), name);
        session.History().Undo();
    }
    EXPECT_EQ(*battle, before);
}

TEST_F(AreaOps, PrimaryAndRemoveSecondaryTakeABrush) {
    // An inner hex with secondary terrain, for the removal.
    int32_t wooded = NoSymbol;
    for (int32_t h = 0; h < battle->HexCount && wooded == NoSymbol; ++h) {
        const auto [row, col] = battle->HexRowCol(h);
        if (row > 1 && col > 1 && row < battle->Rows - 2 && col < battle->Cols - 2 &&
            battle->Hexes[std::size_t(h)].SecondaryTerrain[0] != NoSymbol)
            wooded = h;
    }
    ASSERT_NE(wooded, NoSymbol);
    const Scenario before = *battle;
    const int32_t centre = battle->HexIndex(8, 9);
    const ScriptRun run = Run(R"([{"op":"primary","hex":)" + std::to_string(centre) +
                              R"(,"terrain":1,"brush":2},{"op":"remove-secondary","hex":)" +
                              std::to_string(wooded) + R"(,"brush":1}])");
    ASSERT_FALSE(run.Error) << run.Error->Message;
    std::size_t painted = 0;
    for (int32_t h : HexGrid{battle->Cols, battle->Rows}.Brush(centre, 2)) {
        const int32_t t = battle->Hexes[std::size_t(h)].PrimaryTerrain;
        painted += t == 1 || t == 3 || t == 57 || t == 58;
    }
    EXPECT_EQ(painted, 19u);
    for (int32_t h : HexGrid{battle->Cols, battle->Rows}.Brush(wooded, 1)) {
        auto expected = before.Hexes[std::size_t(h)].SecondaryTerrain;
        auto top = std::find_if(expected.rbegin(), expected.rend(), [](int32_t t) { return t != NoSymbol; });
        if (top != expected.rend()) *top = NoSymbol;
        EXPECT_EQ(battle->Hexes[std::size_t(h)].SecondaryTerrain, expected) << "hex " << h;
    }
}

TEST_F(AreaOps, UsageErrorsNameWhatIsWrong) {
    struct Case {
        std::string op;
        std::string message;
    };
    const Case cases[] = {
        {R"({"op":"primary","hex":50,"terrain":1,"brush":4})", "brush must be from 0 to 3"},
        {R"({"op":"select","from":50,"to":51,"mode":"xor"})", "mode must be"},
        {R"({"op":"paste-area","hex":)" + Hex(10, 13) + "}",
         "column 13 is not allowed, the nearest are 12 or 14"},
    };
    for (const Case& c : cases) {
        const ScriptRun run = Run(R"([{"op":"select-all"},{"op":"copy-area"},)" + c.op + "]");
        ASSERT_TRUE(run.Error) << c.op;
        EXPECT_EQ(run.Error->Position, 3);
        EXPECT_NE(run.Error->Message.find(c.message), std::string::npos) << run.Error->Message;
    }
}

} // namespace
