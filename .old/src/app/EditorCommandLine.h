#pragma once

#include "result/Result.h"

#include <QString>
#include <QStringList>

namespace ojn {

// What the editor's command line asks for: at most one chart or music
// folder to open, as a file manager passes it, or the help or the version.
struct EditorCommandLine {
    enum class Action { Run, Help, Version };
    Action action = Action::Run;
    QString path; // Run: the chart or music folder to open at start (absolute), or empty
};

// Reads the arguments that follow the program's name. A failure is a usage
// error: what is wrong.
Result<EditorCommandLine> parseEditorCommandLine(const QStringList &arguments);

// The arguments after the program's name, exactly as given (on Windows in
// full Unicode, not in the ANSI code page), one file per system:
// EditorArguments_posix.cpp and EditorArguments_win.cpp.
[[nodiscard]] QStringList editorArguments(int argc, char *argv[]);

[[nodiscard]] QString editorHelpText();
[[nodiscard]] QString editorVersionText();
[[nodiscard]] QString editorUsageText(const QString &error);

} // namespace ojn
