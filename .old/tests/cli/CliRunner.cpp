#include "CliRunner.h"

#include "cli/Console.h"
#include "cli/HeaderTool.h"

#include <QTextStream>

namespace ojn::test {

CliRun runCli(const QStringList &arguments, const QLocale &locale, int codePage)
{
    CliRun run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    cli::Console console{out, err, locale, TextCodec(codePage)};
    run.status = cli::runHeaderTool(arguments, console);
    out.flush();
    err.flush();
    return run;
}

} // namespace ojn::test
