#include "cli/CheckFormat.h"

#include "cli/HeaderText.h"

#include <QDir>
#include <QJsonArray>

#include <algorithm>

namespace ojn::cli {
namespace {

QString countOf(qsizetype n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

qsizetype problemsIn(const CheckReport &report)
{
    return std::count_if(report.lines.cbegin(), report.lines.cend(), [](const CheckLine &l) { return l.problem; });
}

QString findingsText(const CheckFindings &found, const Console &)
{
    const CheckReport &report = found.report;
    const qsizetype problems = problemsIn(report);
    const qsizetype notes = report.lines.size() - problems;
    QString text;
    for (const CheckLine &line : report.lines) {
        text += QDir::toNativeSeparators(line.file) + QLatin1String(line.problem ? ": problem: " : ": note: ")
              + printable(line.text) + QLatin1Char('\n');
    }
    text += QStringLiteral("Checked %1: %2, %3")
                .arg(countOf(report.charts.size(), "chart", "charts"), countOf(problems, "problem", "problems"),
                     countOf(notes, "note", "notes"));
    if (!found.listCounts.isEmpty()) {
        QStringList counts;
        for (const auto &[status, count] : found.listCounts)
            counts.append(QStringLiteral("%1 %2").arg(count).arg(listStatusName(status)));
        text += QStringLiteral("; song list: ") + counts.join(QLatin1String(", "));
    }
    return text + QStringLiteral(".\n");
}

QJsonObject findingsJson(const CheckFindings &found, const Console &console)
{
    const CheckReport &report = found.report;
    const qsizetype problems = problemsIn(report);
    QJsonArray findings;
    for (const CheckLine &line : report.lines) {
        findings.append(QJsonObject{{QStringLiteral("file"), QDir::toNativeSeparators(line.file)},
                                    {QStringLiteral("severity"), line.problem ? QStringLiteral("problem") : QStringLiteral("note")},
                                    {QStringLiteral("type"), line.type},
                                    {QStringLiteral("text"), line.text}});
    }
    QJsonObject result{{QStringLiteral("charts"), report.charts.size()},
                       {QStringLiteral("problems"), problems},
                       {QStringLiteral("notes"), report.lines.size() - problems},
                       {QStringLiteral("codePage"), console.codec.codePage()},
                       {QStringLiteral("findings"), findings}};
    if (found.listPath) {
        QJsonObject list{{QStringLiteral("file"), QDir::toNativeSeparators(*found.listPath)},
                         {QStringLiteral("read"), !found.listCounts.isEmpty()}};
        for (const auto &[status, count] : found.listCounts)
            list.insert(statusKey(status), count);
        result.insert(QStringLiteral("songList"), list);
    }
    return result;
}

} // namespace

// "not-listed" for "not listed": a key for scripts.
QString statusKey(ListStatus status)
{
    return listStatusName(status).replace(QLatin1Char(' '), QLatin1Char('-'));
}

RecordFormat<CheckFindings> checkFormat()
{
    return {findingsText, findingsJson};
}

} // namespace ojn::cli
