// Save, Save As and the one write procedure they share with closing.
#include "editor/Form1.h"

#include "filekinds/OutputTarget.h"
#include "model/ChartFile.h"
#include "model/FieldValues.h"

#include <QDir>
#include <QLineEdit>

namespace ojn {

Result<> Form1::WriteChartFile(const QString &path)
{
    // An empty genre text (nothing selected) keeps the stored genre.
    const FieldTexts texts = shownFieldTexts();

    // Converted and written from a copy: a refused or failed save leaves
    // the held values as they were, so the boxes' restore rule and the next
    // save still see what is on disk.
    ChartRecord next = Chart;
    if (const Result<> applied = applyFieldTexts(texts, next, m_codec, m_locale); !applied.ok()) {
        return Result<>::failure(
            QStringLiteral("Could not save %1.\n\n%2").arg(QDir::toNativeSeparators(path), applied.error()));
    }
    if (Result<> saved = saveChartFile(next, path); !saved.ok())
        return saved;
    Chart = std::move(next);
    emit chartSaved(path);
    return Result<>::success();
}

void Form1::saveChart()
{
    if (Chart.ChartPath.isEmpty())
        return;
    if (const Result<> saved = WriteChartFile(Chart.ChartPath); !saved.ok()) {
        showError(saved.error());
        return;
    }
    resetEditingState(true);
    showInfo(QStringLiteral("Successfully Save OJN File."));
}

void Form1::saveChartAs()
{
    FileDialog.FileName.clear();
    FileDialog.Filter = QStringLiteral("O2Jam Note File|*.ojn");
    FileDialog.ShowSave();
    const QString chosen = FileDialog.FileName;
    if (chosen.isEmpty())
        return;
    // A chart may be replaced, an OJM or a song list never: the editor
    // stays as after a cancel.
    if (const Result<> target = checkOutputTarget(chosen, FileKind::Chart); !target.ok()) {
        showWarning(target.error());
        return;
    }

    if (const Result<> saved = WriteChartFile(chosen); !saved.ok()) {
        // The chart still belongs to the file it came from.
        showError(saved.error());
        return;
    }
    resetEditingState(true);
    PathBox->setText(QDir::toNativeSeparators(chosen));
    Chart.ChartPath = chosen;
    showInfo(QStringLiteral("Successfully Save OJN File."));
}

} // namespace ojn
