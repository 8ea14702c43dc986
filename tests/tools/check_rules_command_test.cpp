// `k2tool check FILE --rules` as a user runs it: the JSON list of findings, and the exit code
// that says whether any finding is an error.
#include "core/battle_file.h"
#include "core/scenario.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

namespace {

namespace fs = std::filesystem;

const fs::path Stock = K2_STOCK_DIR;
const QString Small = "scenarios/Border Skirmish.k2s";

struct ToolRun {
    int exitCode = -1;
    QByteArray out, err;
};

ToolRun Tool(const QStringList& args) {
    QProcess p;
    p.setWorkingDirectory(QString::fromStdString(Stock.string()));
    p.start(K2_TOOL_PATH, args);
    EXPECT_TRUE(p.waitForFinished(120000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

// The findings, each checked for the four members and their types.
QJsonArray Findings(const ToolRun& r) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    EXPECT_TRUE(doc.isArray());
    const QJsonArray findings = doc.array();
    for (const auto& v : findings) {
        const QJsonObject f = v.toObject();
        const QStringList keys = f.keys();
        EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()),
                  (QSet<QString>{"severity", "rule", "text", "hex"}));
        EXPECT_TRUE(f["severity"] == "error" || f["severity"] == "warning");
        EXPECT_FALSE(f["rule"].toString().isEmpty());
        EXPECT_FALSE(f["text"].toString().isEmpty());
        EXPECT_TRUE(f["hex"].isNull() || (f["hex"].isDouble() && f["hex"].toInt() >= 0));
    }
    return findings;
}

QJsonObject Find(const QJsonArray& findings, const QString& rule) {
    for (const auto& v : findings)
        if (v.toObject()["rule"] == rule) return v.toObject();
    return {};
}

// The small sample changed by `change`, written into `dir`.
QString Changed(const QTemporaryDir& dir, const std::function<void(k2::Scenario&)>& change) {
    auto s = std::make_unique<k2::Scenario>();
    EXPECT_TRUE(k2::ReadBattle(*s, Stock / Small.toStdString(), Stock / "sysdefs" / "K2Ter.Def").ok);
    change(*s);
    const fs::path file = fs::path(dir.path().toStdString()) / "changed.k2s";
    EXPECT_TRUE(k2::WriteBattle(*s, file, 143).ok);
    return QString::fromStdString(file.string());
}

TEST(CheckRulesCommand, StockBattlesPassWithoutError) {
    for (const QString& file :
         {Small, QString("scenarios/Battle of the Great Field.k2s"), QString("scenarios/Old Raid.scn")}) {
        ToolRun r = Tool({"check", file, "--rules"});
        EXPECT_EQ(r.exitCode, 0) << file.toStdString() << r.out.toStdString();
        for (const auto& v : Findings(r))
            EXPECT_EQ(v.toObject()["severity"], "warning") << file.toStdString();
    }
}

TEST(CheckRulesCommand, AnErrorFailsTheCheckAndWarningsDoNot) {
    QTemporaryDir dir;
    int32_t lateHex = -1;
    ToolRun r = Tool({"check", "--rules", Changed(dir, [&](k2::Scenario& s) {
                          s.Units[1].ActivationTurn = s.MaxTurns + 1;
                          lateHex = s.Units[1].Hex;
                          s.Objectives[1].VictoryPoints = 0;
                          s.WingNames[size_t(s.WingCount++)] = "Reserve";
                      })});
    EXPECT_EQ(r.exitCode, 1) << r.err.toStdString();
    const QJsonArray findings = Findings(r);
    ASSERT_GE(findings.size(), 3);
    EXPECT_EQ(findings[0].toObject()["severity"], "error") << "errors come first";
    const QJsonObject late = Find(findings, "activation-turn-out-of-range");
    EXPECT_EQ(late["severity"], "error");
    EXPECT_EQ(late["hex"].toInt(-1), lateHex);
    EXPECT_EQ(Find(findings, "objective-without-points")["severity"], "warning");
    EXPECT_TRUE(Find(findings, "wing-without-units")["hex"].isNull());

    ToolRun warned =
        Tool({"check", Changed(dir, [](k2::Scenario& s) { s.Objectives[1].VictoryPoints = 0; }), "--rules"});
    EXPECT_EQ(warned.exitCode, 0);
    const QJsonArray only = Findings(warned);
    ASSERT_EQ(only.size(), 1);
    EXPECT_EQ(only[0].toObject()["rule"], "objective-without-points");
}

TEST(CheckRulesCommand, RefusedFilesAndUsageErrors) {
    QTemporaryDir dir;
    const QString bad = dir.filePath("bad.k2s");
    std::ofstream(bad.toStdString(), std::ios::binary) << std::string("\x00\xc8\x00\x01", 4);
    ToolRun refused = Tool({"check", bad, "--rules"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.out.startsWith("Could not read selected file")) << refused.out.toStdString();

    for (const QStringList& args :
         {QStringList{"check", "--rules"}, QStringList{"check", Small, "--rules", "--rules"},
          QStringList{"check", Small, "--bogus"}, QStringList{"check", Small, Small}}) {
        ToolRun r = Tool(args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains("check FILE [--rules]"));
    }
    EXPECT_TRUE(Tool({"--help"}).out.contains("check FILE [--rules]"));
}

} // namespace
