#include "app/command_line.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace k2 {
namespace {

// Qt's own options, which QApplication takes off the line. The line is read before there is a
// QApplication (so that --help, --version and a usage error need no display), so they must be
// known here too.
void AddToolkitOptions(QCommandLineParser& parser) {
    for (const char* name : {"platform",
                             "platformpluginpath",
                             "platformtheme",
                             "plugin",
                             "qmljsdebugger",
                             "qwindowgeometry",
                             "qwindowicon",
                             "qwindowtitle",
                             "session",
                             "display",
                             "geometry",
                             "name",
                             "title",
                             "visual",
                             "ncols",
                             "cmap",
                             "im",
                             "inputstyle",
                             "fn",
                             "font",
                             "bg",
                             "background",
                             "fg",
                             "foreground",
                             "btn",
                             "button",
                             "style",
                             "stylesheet"}) {
        QCommandLineOption option(name, "", "value");
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : {"reverse", "nograb", "dograb", "sync", "widgetcount"}) {
        QCommandLineOption option(name);
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

} // namespace

EditorCommandLine ParseEditorCommandLine(const QStringList& arguments, const QString& workingDir) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Keldmar 2 Battle Editor: paints the map and raises the armies of a "
                                     "battle file (.k2s); battles of the first game (.scn) open too.");
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument("FILE", "The battle to open, as File > Open Battle does.", "[FILE]");
    // Qt spells its options with one dash ("-platform offscreen").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    AddToolkitOptions(parser);

    const QString program =
        arguments.isEmpty() ? QString("keldmar2-editor") : QFileInfo(arguments[0]).fileName();
    const QString usage = "Usage: " + program + " [options] [FILE]\n";
    EditorCommandLine result;
    const bool parsed = parser.parse(arguments);
    // --help and --version win over anything else on the line, as users expect.
    if (parser.isSet(help) || parser.isSet("help-all")) {
        result.action = EditorCommandLine::Action::ShowHelp;
        // The parser's own first line names the program only when there is an application object.
        const QString text = parser.helpText();
        result.text = usage + text.mid(text.indexOf('\n') + 1);
        return result;
    }
    if (parser.isSet(version)) {
        result.action = EditorCommandLine::Action::ShowVersion;
        result.text = program + " " + K2_VERSION + "\n";
        return result;
    }
    const QStringList files = parser.positionalArguments();
    if (!parsed || files.size() > 1) {
        result.action = EditorCommandLine::Action::UsageError;
        const QString reason = parsed ? "Only one battle can be opened." : parser.errorText();
        result.text = program + ": " + reason + "\n" + usage + "Try '" + program + " --help' for more.\n";
        return result;
    }
    if (!files.isEmpty()) result.battleFile = QDir::cleanPath(QDir(workingDir).absoluteFilePath(files[0]));
    return result;
}

} // namespace k2
