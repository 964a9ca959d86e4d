// Export... and Import...: the rows in view out to a CSV, and a CSV's
// changes shown, then saved on the saving thread as Edit Selected saves.
#include "musicfolderwindow/MusicFolderWindow.h"

#include "headercsv/HeaderCsv.h"
#include "headercsv/HeaderCsvImport.h"
#include "musicfolderwindow/ImportPreviewDialog.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

namespace ojn {
namespace {

const QString CsvFilter = QStringLiteral("CSV|*.csv|All Files|*");

} // namespace

QString MusicFolderWindow::csvStartPath() const
{
    // Beside the Music folder, so the rows name its charts as Music/....
    return m_csvPath.isEmpty() ? QDir(QFileInfo(m_folder).absolutePath()).filePath(QStringLiteral("headers.csv")) : m_csvPath;
}

void MusicFolderWindow::exportCsv()
{
    if (m_work.saving() || m_folder.isEmpty())
        return;
    // As shown: filtered and sorted, songs with no chart left out.
    QList<ChartScan> shown;
    qsizetype readable = 0;
    for (int row = 0; row < m_sorted.rowCount(); ++row) {
        if (const ChartScan *chart = m_charts.chartAt(m_sorted.mapToSource(m_sorted.index(row, 0)).row())) {
            shown << *chart;
            readable += chart->header.has_value();
        }
    }
    if (readable == 0) {
        showError(QStringLiteral("No chart in view can be read, so there is nothing to export."));
        return;
    }
    const QString path = m_dialogs.askFileName(this, FileDialogMode::Save, csvStartPath(), CsvFilter);
    if (path.isEmpty())
        return;
    if (const Result<> target = checkCsvTarget(path); !target.ok()) {
        showError(target.error());
        return;
    }
    m_csvPath = path;
    const qsizetype leftOut = shown.size() - readable;
    writeInBackground(
        QStringLiteral("Exporting headers"),
        [shown, path, codec = m_codec] { return writeHeaderCsvFile(exportHeaderCsv(shown, QFileInfo(path).absolutePath(), codec), path); },
        [this, path, readable, leftOut] {
            QString text = QStringLiteral("Exported %1 %2 to %3.")
                               .arg(readable)
                               .arg(QLatin1String(readable == 1 ? "chart" : "charts"), QDir::toNativeSeparators(path));
            if (leftOut > 0)
                text += QStringLiteral(" %1 that cannot be read %2 left out.").arg(leftOut).arg(QLatin1String(leftOut == 1 ? "was" : "were"));
            showInfo(text);
        });
}

void MusicFolderWindow::importCsv()
{
    if (m_work.saving() || m_folder.isEmpty())
        return;
    const QString path = m_dialogs.askFileName(this, FileDialogMode::Open, csvStartPath(), CsvFilter);
    if (path.isEmpty())
        return;
    m_csvPath = path;
    // Every row is checked against its chart on the saving thread; the
    // charts are only written once the changes were seen and applied.
    auto plan = std::make_shared<HeaderCsvImportPlan>();
    m_afterWrite = [this, plan] { previewImport(*plan); };
    m_work.startTask([plan, path, codec = m_codec, locale = m_locale](const ScanControl &control) {
        Result<HeaderCsvImportPlan> planned = planHeaderCsvImportFile(path, codec, locale, control);
        if (control.cancelled())
            return Result<>::failure(QStringLiteral("The import was cancelled; no chart was changed."));
        if (!planned.ok())
            return Result<>::failure(planned.error());
        *plan = std::move(planned).value();
        return Result<>::success();
    });
    showProgress(QStringLiteral("Checking the CSV's rows: %v of %m"), 0, 0);
    updateCommands();
}

void MusicFolderWindow::previewImport(const HeaderCsvImportPlan &plan)
{
    ImportPreviewDialog dialog(plan, this);
    m_dialogs.showModal(dialog);
    if (dialog.result() != QDialog::Accepted || !plan.badRows.isEmpty())
        return;
    QList<std::pair<QString, FieldEdits>> charts;
    for (const CsvChartPlan &row : plan.rows) {
        if (!row.changes.isEmpty())
            charts.append({row.path, row.edits.fields});
    }
    if (charts.isEmpty())
        return;
    m_editStamp = m_charts.nextStamp();
    m_editName = QStringLiteral("Import");
    m_editedPaths.clear();
    m_editFailures.clear();
    m_afterEdits = [this] { offerSongListUpdate(); };
    m_work.startEdits(charts, m_codec, m_locale);
    showProgress(QStringLiteral("Saving charts: %v of %m"), 0, charts.size());
    updateCommands();
}

void MusicFolderWindow::offerSongListUpdate()
{
    // The list shows what the charts held before; Update Song List says
    // what it would change and asks first.
    const FolderSummary summary = m_charts.summary();
    if (m_charts.songList() && summary.stale + summary.notListed > 0)
        updateSongList();
}

} // namespace ojn
