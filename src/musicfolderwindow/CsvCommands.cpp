// Export... writes the rows in view as `ojn-header export` does; Import...
// checks every row on the work's task thread, shows the changes, saves
// them on Apply and then offers to update the song list.
#include "musicfolderwindow/CsvCommands.h"

#include "musicfolderwindow/EditSelectedCommand.h"
#include "musicfolderwindow/ImportPreviewDialog.h"
#include "musicfolderwindow/MusicFolderWindow.h"
#include "musicfolderwindow/SongListCommands.h"
#include "headercsv/HeaderCsv.h"
#include "headercsv/HeaderCsvImport.h"

#include <QDir>
#include <QFileInfo>

namespace ojn {
namespace {

const QString CsvFilter = QStringLiteral("CSV|*.csv|All Files|*");

} // namespace

CsvCommands::CsvCommands(MusicFolderWindow &window, EditSelectedCommand &saving, SongListCommands &songList, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_saving(saving)
    , m_songList(songList)
{
}

QString CsvCommands::startPath() const
{
    // Beside the Music folder, so the rows name its charts as Music/....
    return m_csvPath.isEmpty() ? QDir(QFileInfo(m_window.folder()).absolutePath()).filePath(QStringLiteral("headers.csv"))
                               : m_csvPath;
}

void CsvCommands::exportCsv()
{
    if (m_window.commandRunning() || m_window.folder().isEmpty())
        return;
    // As shown: filtered and sorted, songs with no chart left out.
    const QList<ChartScan> shown = m_window.chartsInView();
    const qsizetype readable = std::count_if(shown.cbegin(), shown.cend(), [](const ChartScan &chart) { return chart.header.has_value(); });
    if (readable == 0) {
        m_window.showError(QStringLiteral("No chart in view can be read, so there is nothing to export."));
        return;
    }
    const QString path = m_window.dialogs().askFileName(&m_window, FileDialogMode::Save, startPath(), CsvFilter);
    if (path.isEmpty())
        return;
    if (const Result<> target = checkCsvTarget(path); !target.ok()) {
        m_window.showError(target.error());
        return;
    }
    m_csvPath = path;
    const qsizetype leftOut = shown.size() - readable;
    m_window.runTask(
        QStringLiteral("Exporting headers"), 0,
        [shown, path, codec = m_window.codec()](const ScanControl &) {
            return writeHeaderCsvFile(exportHeaderCsv(shown, QFileInfo(path).absolutePath(), codec), path);
        },
        [this, path, readable, leftOut](const Result<> &written) {
            if (!written.ok()) {
                m_window.showError(written.error());
                return;
            }
            QString text = QStringLiteral("Exported %1 %2 to %3.")
                               .arg(readable)
                               .arg(QLatin1String(readable == 1 ? "chart" : "charts"), QDir::toNativeSeparators(path));
            if (leftOut > 0)
                text += QStringLiteral(" %1 that cannot be read %2 left out.").arg(leftOut).arg(QLatin1String(leftOut == 1 ? "was" : "were"));
            m_window.showInfo(text);
        });
}

void CsvCommands::importCsv()
{
    if (m_window.commandRunning() || m_window.folder().isEmpty())
        return;
    const QString path = m_window.dialogs().askFileName(&m_window, FileDialogMode::Open, startPath(), CsvFilter);
    if (path.isEmpty())
        return;
    m_csvPath = path;
    // Every row is checked against its chart off the window's thread; the
    // charts are only written once the changes were seen and applied.
    m_window.runTask(
        QStringLiteral("Checking the CSV's rows: %v of %m"), 0,
        [path, codec = m_window.codec(), locale = m_window.locale()](const ScanControl &control) {
            Result<HeaderCsvImportPlan> planned = planHeaderCsvImportFile(path, codec, locale, control);
            if (control.cancelled())
                return Result<HeaderCsvImportPlan>::failure(QStringLiteral("The import was cancelled; no chart was changed."));
            return planned;
        },
        [this](const Result<HeaderCsvImportPlan> &planned) {
            if (!planned.ok())
                m_window.showError(planned.error());
            else
                previewImport(planned.value());
        });
}

void CsvCommands::previewImport(const HeaderCsvImportPlan &plan)
{
    ImportPreviewDialog dialog(plan, &m_window);
    m_window.dialogs().showModal(dialog);
    if (dialog.result() != QDialog::Accepted || !plan.badRows.isEmpty())
        return;
    QList<std::pair<QString, FieldEdits>> charts;
    for (const CsvChartPlan &row : plan.rows) {
        if (!row.changes.isEmpty())
            charts.append({row.path, row.edits.fields});
    }
    if (!charts.isEmpty())
        m_saving.saveCharts(HistoryStep::Kind::Import, charts, [this] { m_songList.offerUpdate(); });
}

} // namespace ojn
