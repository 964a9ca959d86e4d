#include "CsvBench.h"

#include "RawIo.h"
#include "Report.h"

#include "cli/Console.h"
#include "cli/HeaderTool.h"
#include "folderchecks/ChartBatchCheck.h"
#include "headercsv/HeaderCsv.h"
#include "model/HeaderFields.h"
#include "text/Csv.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <cstdio>
#include <vector>

namespace ojn::bench {
namespace {

constexpr int ExportRuns = 7;
constexpr int ImportRuns = 3; // each saves every chart twice, with a sync each

void runTool(const QStringList &arguments)
{
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    cli::Console console{outStream, errStream, QLocale::c(), TextCodec(1252)};
    if (cli::runHeaderTool(arguments, console) != 0)
        fail(QStringLiteral("ojn-header %1 failed: %2").arg(arguments.first(), err));
}

// The CSV as exported, with every chart's Level Hx set to `level`.
QByteArray csvWithLevel(const QString &csv, int level)
{
    QFile file(csv);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("could not read ") + csv);
    const QList<CsvRecord> records = readCsv(csvTextOf(file.readAll()).value());
    const qsizetype column = headerCsvColumns().indexOf(QLatin1String(fieldInfo(HeaderField::LevelHx).jsonKey));
    QByteArray bytes = csvByteOrderMark();
    for (qsizetype i = 0; i < records.size(); ++i) {
        QStringList fields = records[i].fields;
        if (i > 0)
            fields[column] = QString::number(level);
        bytes += csvLine(fields);
    }
    return bytes;
}

} // namespace

void benchHeaderCsv(const QString &folder, const QString &music, const QStringList &paths)
{
    const QString csv = QDir(folder).filePath(QStringLiteral("headers.csv"));
    const TextCodec codec(1252);
    std::vector<double> exports, scans;
    for (int run = -1; run < ExportRuns; ++run) {
        const double scan = secondsOf([&] {
            const FolderListing listing = listFolder(music);
            (void)checkFolder(checkChartFiles(listing.chartPaths, CheckDepth::Header), listing, codec);
        });
        const double exported = secondsOf([&] { runTool({QStringLiteral("export"), music, QStringLiteral("--output"), csv}); });
        if (run >= 0) {
            exports.push_back(exported);
            scans.push_back(scan);
        }
    }
    printRatio(QStringLiteral("export --output (10,000 rows)"), median(exports), median(scans), 1.5);

    std::vector<double> imports, sets;
    QStringList setArguments{QStringLiteral("set")};
    setArguments += paths;
    setArguments << QStringLiteral("--level-hx") << QString();
    for (int run = 0; run < ImportRuns; ++run) {
        // Each step changes every chart: set to one level, import another.
        setArguments.last() = QString::number(20 + 2 * run);
        settle(folder);
        const double set = secondsOf([&] { runTool(setArguments); });
        QFile file(csv);
        const QByteArray edited = csvWithLevel(csv, 21 + 2 * run);
        if (!file.open(QIODevice::WriteOnly) || file.write(edited) != edited.size())
            fail(QStringLiteral("could not write ") + csv);
        file.close();
        settle(folder);
        const double imported = secondsOf([&] { runTool({QStringLiteral("import"), csv}); });
        imports.push_back(imported);
        sets.push_back(set);
    }
    printRatio(QStringLiteral("import, one field of every chart"), median(imports), median(sets), 1.2);
    QFile::remove(csv);
}

} // namespace ojn::bench
