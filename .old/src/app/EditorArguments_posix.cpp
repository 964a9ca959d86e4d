// The editor's arguments on Linux and other POSIX systems: as the system
// passes them, in the locale's encoding.
#include "app/EditorCommandLine.h"

namespace ojn {

QStringList editorArguments(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace ojn
