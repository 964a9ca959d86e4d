// "Edit Selected...": the fields the selected charts share shown once,
// each chart saved with the ones changed.
#include "musicfolderwindow/EditSelectedCommand.h"

#include "musicfolderwindow/EditSelectedDialog.h"
#include "musicfolderwindow/MessageLines.h"
#include "musicfolderwindow/MusicFolderWindow.h"

#include <QFileInfo>

#include <memory>

namespace ojn {

EditSelectedCommand::EditSelectedCommand(MusicFolderWindow &window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
}

void EditSelectedCommand::editSelected()
{
    if (m_window.commandRunning())
        return;
    QList<std::pair<QString, FieldEdits>> charts;
    QList<FieldTexts> editable;
    for (const int row : m_window.selectedChartRows()) {
        const ChartScan &chart = *m_window.catalogue().chartAt(row);
        charts.append({chart.path, {}});
        // Encrypted and unreadable charts are tried too, and listed with
        // the reason they cannot be saved; they offer no values.
        if (chart.header && !chart.encrypted)
            editable << fieldTextsOf(recordFieldsOf(*chart.header), m_window.codec(), m_window.locale());
    }
    if (charts.isEmpty())
        return;
    if (editable.isEmpty()) {
        m_window.showError(QStringLiteral("None of the selected charts can be edited: they are encrypted or cannot be read."));
        return;
    }
    EditSelectedDialog dialog(editable, m_window.codec(), m_window.locale(), &m_window);
    m_window.dialogs().showModal(dialog);
    if (dialog.result() != QDialog::Accepted)
        return;
    const FieldEdits edits = dialog.edits();
    if (!edits.any())
        return;
    for (auto &chart : charts)
        chart.second = edits;
    saveCharts(HistoryStep::Kind::EditSelected, charts);
}

void EditSelectedCommand::saveCharts(HistoryStep::Kind kind, const QList<std::pair<QString, FieldEdits>> &charts,
                                     std::function<void()> then)
{
    // What the saves did so far, filled batch by batch.
    struct Saving {
        quint64 stamp = 0;
        QStringList saved;
        QStringList failures;
        QList<FileChange> changes;
    };
    auto saving = std::make_shared<Saving>();
    saving->stamp = m_window.catalogue().nextStamp();
    const QString format = QStringLiteral("Saving charts: %v of %m");
    m_window.work().startEdits(
        charts, m_window.codec(), m_window.locale(),
        [this, saving, format](const QList<ChartEditResult> &results, qsizetype done, qsizetype total) {
            QList<ChartScan> scans;
            for (const ChartEditResult &result : results) {
                if (result.change && !result.change->isEmpty())
                    saving->changes << *result.change;
                if (result.saved.ok())
                    saving->saved << result.path;
                else
                    saving->failures << QStringLiteral("%1: %2").arg(QFileInfo(result.path).fileName(), result.saved.error());
                scans << result.scan;
            }
            m_window.catalogue().applyScans(scans, saving->stamp);
            m_window.showProgress(format, done, total);
        },
        [this, kind, saving, then = std::move(then)](bool cancelled) {
            const qsizetype changed = saving->changes.size();
            m_window.history().record(kind, changed, std::move(saving->changes));
            m_window.endProgress();
            for (const QString &path : std::as_const(saving->saved))
                emit chartSaved(path);
            const qsizetype saved = saving->saved.size();
            QString text = saved == 1 ? QStringLiteral("Saved 1 chart.") : QStringLiteral("Saved %1 charts.").arg(saved);
            if (cancelled)
                text += QStringLiteral(" Cancelled: the charts after those were left as they are.");
            if (saving->failures.isEmpty())
                m_window.showInfo(text);
            else
                m_window.showError(QStringLiteral("%1 These could not be saved and are as they were:\n\n%2")
                                       .arg(text, namedLines(saving->failures)));
            if (then)
                then();
        });
    m_window.showProgress(format, 0, charts.size());
}

} // namespace ojn
