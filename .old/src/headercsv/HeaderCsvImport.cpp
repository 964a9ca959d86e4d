#include "headercsv/HeaderCsvImport.h"

#include "headercsv/CsvSongIds.h"
#include "headercsv/HeaderCsv.h"
#include "fileio/NotRegularFile.h"
#include "model/ChartFileCheck.h"
#include "model/ChartLayout.h"
#include "model/ChartReader.h"
#include "text/Csv.h"
#include "text/MessageText.h"
#include "text/NumberText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <bit>
#include <charconv>

namespace ojn {
namespace {

// Larger than any folder's CSV by far; a bigger file is not one of ours.
constexpr qint64 MaxCsvSize = 256 * 1024 * 1024;

// The header row's columns: for each, the field it names, or nothing for
// "file".
struct Columns {
    QList<std::optional<HeaderField>> fields;
    qsizetype file = -1;
};

Result<Columns> columnsOf(const CsvRecord &header)
{
    if (!header.error.isEmpty())
        return Failure{QStringLiteral("Its header row is malformed: %1").arg(header.error)};
    Columns columns;
    QSet<QString> seen;
    for (qsizetype i = 0; i < header.fields.size(); ++i) {
        const QString &name = header.fields[i];
        if (seen.contains(name))
            return Failure{QStringLiteral("Its header row names the column \"%1\" twice.").arg(name)};
        seen.insert(name);
        if (name == QLatin1String("file")) {
            columns.file = i;
            columns.fields.append(std::nullopt);
        } else if (const std::optional<HeaderField> field = fieldWithJsonKey(name)) {
            columns.fields.append(field);
        } else {
            return Failure{QStringLiteral("Its header row has the unknown column \"%1\"; the columns are %2.")
                               .arg(name, headerCsvColumns().join(QLatin1String(", ")))};
        }
    }
    if (columns.file < 0)
        return Failure{QStringLiteral("Its header row has no \"file\" column, so it names no chart.")};
    return columns;
}

// A number cell in the locale's form: one written with "." where the
// locale has another separator is taken as that; nothing when it is no
// number either way.
std::optional<QString> localNumberText(const QString &cell, const QLocale &locale)
{
    if (numberFromText(cell, locale))
        return cell;
    if (!numberFromText(cell, QLocale::c()))
        return std::nullopt;
    QString text = cell;
    return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

// Whether a BPM cell reads as exactly the stored float (a value exported
// and left alone reads back so even when its text is not bpmText's).
bool isSameBpm(const QString &cell, float held)
{
    const QByteArray text = cell.trimmed().toLatin1();
    float value = 0;
    const std::from_chars_result read = std::from_chars(text.constData(), text.constData() + text.size(), value);
    return read.ec == std::errc() && read.ptr == text.constData() + text.size()
        && std::bit_cast<quint32>(value) == std::bit_cast<quint32>(held);
}

// The genre a cell names: a name from the list, its number, or the stored
// number outside the list; -1 for anything else.
int genreOfCell(const QString &cell, qint16 held)
{
    if (const int genre = genreNamedOrNumbered(cell); genre >= 0)
        return genre;
    bool isNumber = false;
    const int number = cell.toInt(&isNumber);
    return isNumber && number == held ? number : -1;
}

bool sameField(const ChartRecord &a, const ChartRecord &b, const HeaderFieldInfo &info)
{
    if (info.kind == FieldKind::Text)
        return textIn(a, info.field) == textIn(b, info.field);
    if (info.kind == FieldKind::Float32)
        return std::bit_cast<quint32>(a.BPM) == std::bit_cast<quint32>(b.BPM);
    return numberIn(a, info.field) == numberIn(b, info.field);
}

// One row against its chart: a plan, or why the row is bad.
Result<CsvChartPlan> planRow(const CsvRecord &row, const Columns &columns, const QString &csvFolder, const TextCodec &codec,
                             const QLocale &locale)
{
    CsvChartPlan plan;
    plan.line = row.line;
    plan.file = row.fields[columns.file];
    if (plan.file.trimmed().isEmpty())
        return Failure{QStringLiteral("Its file cell is empty.")};
    plan.path = chartPathOfCell(plan.file, csvFolder);
    const QFileInfo info(plan.path);
    if (!info.isFile()) {
        const QString shown = shownForMessage(QDir::toNativeSeparators(plan.path));
        if (const QString why = notRegularFileReason(plan.path); !why.isEmpty())
            return Failure{QStringLiteral("%1 cannot be read: %2.").arg(shown, why)};
        if (!info.exists())
            return Failure{QStringLiteral("There is no chart %1.").arg(shown)};
        return Failure{QStringLiteral("%1 is not a chart file.").arg(shown)};
    }
    // A file that is no chart (a web page saved as one) has no header.
    const ChartScan scan = scanChartFile(plan.path);
    if (!scan.header)
        return Failure{scan.unreadableReason()};

    const ChartRecord held = csvRecordOf(*scan.header);
    FieldEdits edits;
    for (qsizetype i = 0; i < columns.fields.size(); ++i) {
        if (!columns.fields[i])
            continue;
        const HeaderFieldInfo &info = fieldInfo(*columns.fields[i]);
        const QString &cell = row.fields[i];
        if (!info.editable) {
            const std::optional<QString> number = localNumberText(cell, locale);
            const qint64 stored = qint64(*numberIn(held, info.field));
            if (!number || numberFromText(*number, locale) != double(stored))
                plan.readOnlyDifferences.append({info.field, integerText(stored), shownForMessage(cell)});
            continue;
        }
        if (info.field == HeaderField::Genre) {
            const int genre = genreOfCell(cell, held.Genre);
            if (genre < 0)
                return Failure{QStringLiteral("Genre: %1 is not in the genre list; give a name or its number: %2.")
                                   .arg(quotedForMessage(cell), genreListText())};
            if (genre != held.Genre)
                edits[info.field] = genreNames()[size_t(genre)];
        } else if (info.kind == FieldKind::Text) {
            edits[info.field] = cell;
        } else if (info.kind == FieldKind::Float32 && isSameBpm(cell, held.BPM)) {
            continue;
        } else {
            // A cell that is no number goes as it is, for the field's own refusal.
            edits[info.field] = localNumberText(cell, locale).value_or(cell);
        }
    }
    ChartRecord next = held;
    if (Result<> applied = applyFieldEdits(edits, next, codec, locale); !applied.ok())
        return Failure{applied.error()};

    const QStringList before = headerCsvCells(held, codec);
    const QStringList after = headerCsvCells(next, codec);
    for (const HeaderFieldInfo &info : headerFields()) {
        if (!edits[info.field] || sameField(held, next, info))
            continue;
        plan.edits.fields[info.field] = edits[info.field];
        plan.changes.append({info.field, before[int(info.field)], after[int(info.field)]});
    }
    if (!plan.changes.isEmpty() && scan.encrypted)
        return Failure{encryptedChartMessage()};
    plan.songId = next.SongID;
    return plan;
}

} // namespace

qsizetype HeaderCsvImportPlan::changedCharts() const
{
    return std::count_if(rows.cbegin(), rows.cend(), [](const CsvChartPlan &row) { return !row.changes.isEmpty(); });
}

qsizetype HeaderCsvImportPlan::unchangedRows() const
{
    return rows.size() - changedCharts();
}

Result<HeaderCsvImportPlan> planHeaderCsvImport(const QByteArray &csv, const QString &csvFolder, const TextCodec &codec,
                                        const QLocale &locale, const ScanControl &control)
{
    const Result<QString> text = csvTextOf(csv);
    if (!text.ok())
        return Failure{text.error()};
    const QList<CsvRecord> records = readCsv(text.value());
    if (records.isEmpty())
        return Failure{QStringLiteral("It is empty; the first line must name the columns.")};
    const Result<Columns> columns = columnsOf(records.first());
    if (!columns.ok())
        return Failure{columns.error()};

    HeaderCsvImportPlan plan;
    QHash<QString, qsizetype> lineOfChart; // by the file's canonical path
    for (qsizetype r = 1; r < records.size(); ++r) {
        if (control.cancelled())
            break;
        const CsvRecord &row = records[r];
        if (control.progress)
            control.progress(r, records.size() - 1);
        if (row.error.isEmpty() && row.fields.size() == 1 && row.fields.first().isEmpty())
            continue; // a blank line
        if (!row.error.isEmpty()) {
            plan.badRows.append({row.line, row.error});
            continue;
        }
        if (row.fields.size() != columns->fields.size()) {
            plan.badRows.append({row.line, QStringLiteral("It has %1 fields; the header row has %2.")
                                               .arg(row.fields.size())
                                               .arg(columns->fields.size())});
            continue;
        }
        Result<CsvChartPlan> planned = planRow(row, columns.value(), csvFolder, codec, locale);
        if (!planned.ok()) {
            plan.badRows.append({row.line, planned.error()});
            continue;
        }
        const QString key = QFileInfo(planned->path).canonicalFilePath();
        if (const auto first = lineOfChart.constFind(key); first != lineOfChart.cend()) {
            plan.badRows.append({row.line, QStringLiteral("It names the same chart as line %1.").arg(*first)});
            continue;
        }
        lineOfChart.insert(key, row.line);
        plan.rows.append(std::move(planned).value());
    }
    if (!control.cancelled())
        refuseSongIdClashes(plan);
    return plan;
}

Result<HeaderCsvImportPlan> planHeaderCsvImportFile(const QString &csvPath, const TextCodec &codec, const QLocale &locale,
                                            const ScanControl &control)
{
    const QFileInfo info(csvPath);
    const QString shown = QDir::toNativeSeparators(csvPath);
    if (!info.exists())
        return Failure{QStringLiteral("File not found: %1").arg(shown)};
    if (!info.isFile())
        return Failure{QStringLiteral("%1 is not a regular file.").arg(shown)};
    if (info.size() > MaxCsvSize)
        return Failure{QStringLiteral("%1 is %2 bytes, too large for a CSV of chart headers.").arg(shown).arg(info.size())};
    QFile file(csvPath);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("Could not open %1: %2").arg(shown, file.errorString())};
    const QByteArray bytes = file.read(MaxCsvSize + 1);
    if (file.error() != QFileDevice::NoError)
        return Failure{QStringLiteral("Could not read %1: %2").arg(shown, file.errorString())};
    Result<HeaderCsvImportPlan> plan = planHeaderCsvImport(bytes, info.absolutePath(), codec, locale, control);
    if (!plan.ok())
        return Failure{QStringLiteral("%1: %2").arg(shown, plan.error())};
    return plan;
}

Result<> applyCsvChartPlan(const CsvChartPlan &plan, const TextCodec &codec, const QLocale &locale)
{
    return editChartFile(plan.path, plan.edits, codec, locale);
}

QString csvChangeText(const CsvFieldChange &change)
{
    const HeaderFieldInfo &info = fieldInfo(change.field);
    const QString label = QLatin1String(info.label);
    if (info.kind == FieldKind::Text)
        return QStringLiteral("%1: \"%2\" -> \"%3\"").arg(label, change.oldText, change.newText);
    return QStringLiteral("%1: %2 -> %3").arg(label, change.oldText, change.newText);
}

} // namespace ojn
