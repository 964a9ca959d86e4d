// Runs readPictureFile or writePictureFile in a process of its own, so a
// test can run them as an ordinary user:
//   picture_file_helper read <picture>
//   picture_file_helper write <target> <file whose bytes to write>
// Prints the failure message; exits 0 on success, 1 on failure.
#include "pictures/PictureFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

using namespace ojn;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    Result<> outcome = Result<>::failure(QStringLiteral("usage: read <picture> | write <target> <source>"));
    if (args.size() == 3 && args[1] == QLatin1String("read")) {
        PictureFileContent content;
        outcome = readPictureFile(args[2], content);
    } else if (args.size() == 4 && args[1] == QLatin1String("write")) {
        QFile source(args[3]);
        outcome = source.open(QIODevice::ReadOnly) ? writePictureFile(args[2], source.readAll())
                                                   : Result<>::failure(source.errorString());
    }
    QTextStream(stdout) << outcome.error();
    return outcome.ok() ? 0 : 1;
}
