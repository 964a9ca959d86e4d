// The editor's arguments on Windows: argv holds them in the ANSI code page,
// which loses any character outside it, so they are split again from the
// wide command line.
#include "app/EditorCommandLine.h"

#include <windows.h>
#include <shellapi.h>

namespace ojn {

QStringList editorArguments(int, char *[])
{
    QStringList arguments;
    int count = 0;
    if (wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 1; i < count; ++i)
            arguments << QString::fromWCharArray(wide[i]);
        LocalFree(wide);
    }
    return arguments;
}

} // namespace ojn
