// "Edit Selected...": the genre, artist, pattern and levels of several
// charts at once, saved one by one on the saving thread.
#include "musicfolderwindow/MusicFolderWindow.h"

#include "musicfolderwindow/EditSelectedDialog.h"
#include "musicfolderwindow/MessageLines.h"

#include <QFileInfo>

namespace ojn {

void MusicFolderWindow::editSelected()
{
    if (m_work.saving())
        return;
    QStringList paths;
    QList<FieldTexts> editable;
    for (const int row : selectedChartRows()) {
        const ChartScan &chart = *m_charts.chartAt(row);
        paths << chart.path;
        // Encrypted and unreadable charts are tried too, and listed with
        // the reason they cannot be saved; they offer no values.
        if (chart.header && !chart.encrypted)
            editable << fieldTextsOf(recordFieldsOf(*chart.header), m_codec, m_locale);
    }
    if (paths.isEmpty())
        return;
    if (editable.isEmpty()) {
        showError(QStringLiteral("None of the selected charts can be edited: they are encrypted or cannot be read."));
        return;
    }
    EditSelectedDialog dialog(editable, m_codec, m_locale, this);
    m_dialogs.showModal(dialog);
    if (dialog.result() != QDialog::Accepted)
        return;
    const FieldEdits edits = dialog.edits();
    if (!edits.any())
        return;

    m_editStamp = m_charts.nextStamp();
    m_editName = QStringLiteral("Edit Selected");
    m_editedPaths.clear();
    m_editFailures.clear();
    m_work.startEdits(paths, edits, m_codec, m_locale);
    showProgress(QStringLiteral("Saving charts: %v of %m"), 0, paths.size());
    updateCommands();
}

void MusicFolderWindow::onChartsEdited(const QList<ChartEditResult> &results, qsizetype done, qsizetype total)
{
    QList<ChartScan> scans;
    for (const ChartEditResult &result : results) {
        if (result.change)
            m_editChanges << *result.change;
        if (result.saved.ok())
            m_editedPaths << result.path;
        else
            m_editFailures << QStringLiteral("%1: %2").arg(QFileInfo(result.path).fileName(), result.saved.error());
        scans << result.scan;
    }
    m_charts.applyScans(scans, m_editStamp);
    refreshPanelFindings();
    showProgress(QStringLiteral("Saving charts: %v of %m"), done, total);
    updateStatus();
}

void MusicFolderWindow::onEditsFinished(bool cancelled)
{
    recordStep(std::exchange(m_editName, {}), std::exchange(m_editChanges, {}));
    finishWork();
    for (const QString &path : std::as_const(m_editedPaths))
        emit chartSaved(path);

    const qsizetype saved = m_editedPaths.size();
    QString text = saved == 1 ? QStringLiteral("Saved 1 chart.") : QStringLiteral("Saved %1 charts.").arg(saved);
    if (cancelled)
        text += QStringLiteral(" Cancelled: the charts after those were left as they are.");
    if (m_editFailures.isEmpty()) {
        showInfo(text);
    } else {
        showError(QStringLiteral("%1 These could not be saved and are as they were:\n\n%2").arg(text, namedLines(m_editFailures)));
    }
    if (const std::function<void()> after = std::exchange(m_afterEdits, {}))
        after();
}

} // namespace ojn
