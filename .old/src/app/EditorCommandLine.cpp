#include "app/EditorCommandLine.h"

#include <QFileInfo>

namespace ojn {

Result<EditorCommandLine> parseEditorCommandLine(const QStringList &arguments)
{
    EditorCommandLine parsed;
    QStringList charts;
    bool optionsEnded = false;
    for (const QString &argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && argument.startsWith(QLatin1Char('-'))) {
            if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
                parsed.action = EditorCommandLine::Action::Help;
                return parsed;
            }
            if (argument == QLatin1String("--version")) {
                parsed.action = EditorCommandLine::Action::Version;
                return parsed;
            }
            return Failure{QStringLiteral("unknown option '%1'.").arg(argument)};
        } else {
            charts << argument;
        }
    }
    if (charts.size() > 1 || (charts.size() == 1 && charts.first().isEmpty())) {
        return Failure{charts.size() > 1 ? QStringLiteral("give one chart or one music folder.")
                                         : QStringLiteral("the chart's path is empty.")};
    }
    if (!charts.isEmpty())
        parsed.path = QFileInfo(charts.first()).absoluteFilePath();
    return parsed;
}

QString editorHelpText()
{
    return QStringLiteral("Usage: ojn-tevrik-editor [CHART | MUSIC_FOLDER]\n"
                          "\n"
                          "Edits the header of an O2Jam note chart (.ojn file). With CHART, opens\n"
                          "that chart at start, as File > Open does. With a MUSIC_FOLDER (a game's\n"
                          "Music folder), shows all of its charts in a Music Folder window, as\n"
                          "File > Open Music Folder... does.\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help   show this help\n"
                          "  --version    show the program's version\n"
                          "  --           end of options: the argument after it is the chart or folder\n");
}

QString editorVersionText()
{
    return QStringLiteral("ojn-tevrik-editor %1\n").arg(QStringLiteral(OJN_VERSION));
}

QString editorUsageText(const QString &error)
{
    return QStringLiteral("ojn-tevrik-editor: %1\n"
                          "Usage: ojn-tevrik-editor [CHART | MUSIC_FOLDER]\n"
                          "Try 'ojn-tevrik-editor --help' for more.\n")
        .arg(error);
}

} // namespace ojn
