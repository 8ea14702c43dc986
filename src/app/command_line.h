// The editor's command line: an optional battle to open, --help and --version.
#pragma once

#include <QString>
#include <QStringList>

namespace k2 {

struct EditorCommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, UsageError };
    Action action = Action::Run;
    QString battleFile; // absolute; empty when none was named
    QString text;       // the help, the version line or the usage message, ready to print
};

// `arguments` as the program got them, the program's name first. A relative battle file is
// taken from `workingDir`, the directory the command was run in.
EditorCommandLine ParseEditorCommandLine(const QStringList& arguments, const QString& workingDir);

// The exit status of a usage error, as k2tool has it.
inline constexpr int UsageExitStatus = 2;

} // namespace k2
