// Edits applied from a script (k2tool edit): a JSON array of ops, each carried out by the code
// that the editor's own map clicks and commands run, on a session that no one sees, and each
// reported as changed, unchanged or refused.
#pragma once

#include "core/platform.h"
#include "core/random_source.h"
#include "core/scenario.h"
#include "core/status.h"
#include "edit/edit_session.h"
#include "forces/equipment_defs.h"
#include "generate/role_table.h"
#include "graphics/symbol_set.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace k2 {

// The sounds of a script session: nothing is played, every number is kept.
class ScriptSounds : public SoundPlayer {
  public:
    bool Play(int number, int) override {
        Played.push_back(number);
        return false;
    }
    std::vector<int> Played;
};

// The boxes of a script session: every text and question is kept; a question is answered as a
// box closed without a choice answers (2).
class ScriptBoxes : public MessageBoxes {
  public:
    void ShowPlain(const std::string& title, const std::string& text) override {
        Shown.push_back(title + ": " + text);
    }
    int Ask(int, int kind) override {
        Asked.push_back(kind);
        return std::exchange(NextAnswer, 2);
    }
    // No script op asks a free question; it is answered No.
    bool Confirm(const std::string& title, const std::string& text) override {
        Shown.push_back(title + ": " + text);
        return false;
    }
    std::vector<std::string> Shown;
    std::vector<int> Asked;
    // The answer to the next question only (an op that answers one sets it first).
    int NextAnswer = 2;
};

// An edit session over a battle that is not shown: the history, the click dispatch with every
// mode's tool, and the recorders in place of the platform.
class ScriptSession {
  public:
    // `scenario` is the battle as read; the history starts from it. `symbols` is the battle's
    // loaded symbol set, which ops that name symbols check against.
    ScriptSession(Scenario& scenario, RandomSource& random, const SymbolSet& symbols,
                  const EquipmentTables& equipment);
    ScriptSession(const ScriptSession&) = delete;
    ScriptSession& operator=(const ScriptSession&) = delete;

    EditSession& Session() { return session_; }
    Scenario& Battle() { return session_.Battle(); }
    EditState& Edit() { return edit_; }
    EditHistory& History() { return history_; }
    MapClickDispatch& Dispatch() { return session_.Dispatch(); }
    ScriptSounds& Sounds() { return sounds_; }
    ScriptBoxes& Boxes() { return boxes_; }
    const SymbolSet& Symbols() const { return symbols_; }
    const EquipmentTables& Equipment() const { return equipment_; }
    // The role table of the battle's terrain set, which the generate op needs (without one the
    // op is refused, as the editor disables its command).
    void SetRoleTable(const RoleTable* roles) { roles_ = roles; }
    const RoleTable* Roles() const { return roles_; }

    // Writes the battle as Save Battle As does: the units sorted, as a step of the history,
    // then the safe write of the current layout; the history then knows the battle as saved.
    Status SaveAs(const std::filesystem::path& file, int32_t terrainSymbolCount);

  private:
    const SymbolSet& symbols_;
    const EquipmentTables& equipment_;
    const RoleTable* roles_ = nullptr;
    EditState edit_;
    DisplaySwitches switches_;
    EditHistory history_;
    ScriptSounds sounds_;
    ScriptBoxes boxes_;
    NoZoom zoom_;
    NoTerrainFeedback terrain_;
    NoDialogs dialogs_;
    EditSession session_;
};

// A missing argument, one of the wrong type or a hex off the map: the script is wrong, not the
// battle. The runner reports it with the op's position.
class OpArgumentError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The arguments of one op. A handler reads every argument it takes before it acts; each getter
// throws OpArgumentError when the argument is missing or of the wrong type. An argument that
// the handler never read is reported as unknown, so that a misspelt one is not ignored.
class OpArgs {
  public:
    OpArgs(const QJsonObject& op, const Scenario& scenario) : op_(op), scenario_(scenario) {}

    // Whether the op gives the argument (for optional ones); counts as reading it.
    bool Has(const char* name);
    int32_t Int(const char* name);
    // A hex index of the battle's map as it is when the op runs.
    int32_t Hex(const char* name = "hex");
    bool Bool(const char* name);
    QString Text(const char* name);
    const QJsonObject& Json() const { return op_; }

    // The names the op gives that no getter read ("op" aside).
    std::vector<std::string> Unread() const;

  private:
    QJsonValue Get(const char* name);

    const QJsonObject& op_;
    const Scenario& scenario_;
    std::set<QString> read_;
};

// What an op reports besides the change, which the runner sees in the history itself.
struct OpOutcome {
    bool Refused = false;
    std::string Reason;
};

// A button pressed and released on `hex` of the map in the current edit mode, as the map view
// passes a click to the dispatch.
OpOutcome ClickMap(ScriptSession& session, MapButton button, int32_t hex);

// The picker shown for `use` and a click on the row of the op's "terrain", as the user chooses
// it; then `mode` is the edit mode. A terrain the picker does not list is an argument error.
void PickTerrain(OpArgs& args, ScriptSession& session, EditMode mode, int8_t use);

enum class OpResult { Changed, Unchanged, Refused };

struct OpReport {
    std::string Op;
    OpResult Result = OpResult::Unchanged;
    std::string Reason; // for a refusal
};

// A script that cannot run: malformed JSON, an unknown op or a bad argument.
struct ScriptError {
    int Position = 0; // the op, counted from 1; 0 for the script as a whole
    std::string Message;
};

struct ScriptRun {
    std::vector<OpReport> Reports; // one per op that ran
    std::optional<ScriptError> Error;
};

class EditScript {
  public:
    using Handler = std::function<OpOutcome(OpArgs& args, ScriptSession& session)>;

    // Knows every op the editor provides.
    EditScript();

    // Adds (or replaces) the op `name`.
    void RegisterOp(std::string name, Handler handler);
    bool HasOp(std::string_view name) const;
    // The names of the ops, in alphabetical order.
    std::vector<std::string> OpNames() const;

    // Reads a script: a JSON array of objects, each naming a known op in "op". Arguments are
    // checked when the op runs, against the battle as it is then.
    std::optional<ScriptError> Parse(const QByteArray& text, QJsonArray& ops) const;

    // Runs the ops in order until one is in error. The result of an op is "changed" when it
    // moved the history, "refused" when its click was refused, otherwise "unchanged".
    ScriptRun Run(const QJsonArray& ops, ScriptSession& session) const;

    // [{"op": ..., "result": "changed" | "unchanged" | "refused", "reason": ...}, ...]
    static QJsonArray ReportJson(const std::vector<OpReport>& reports);

  private:
    std::optional<ScriptError> CheckOp(const QJsonValue& op, int position) const;

    std::map<std::string, Handler, std::less<>> handlers_;
};

} // namespace k2
