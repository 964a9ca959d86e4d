// Opening a chart: BtnBrowseOJN and File > Open, and a chart named on the
// command line or dropped on the window, which skip only the file dialog;
// reading it again after another window changed it; asking for a music
// folder.
#include "editor/Form1.h"

#include "model/ChartReader.h"
#include "pictures/PictureFromByteStream.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace ojn {

void Form1::openChart()
{
    // Asked before the dialog: the user decides about the edits first, and
    // a cancelled dialog then leaves them as they are.
    if (!maybeSave(AfterSave::KeepEditing))
        return;
    FileDialog.FileName.clear();
    FileDialog.Filter = QStringLiteral("O2Jam Note File|*.ojn");
    FileDialog.ShowOpen();
    if (FileDialog.FileName.isEmpty())
        return;
    loadChart(FileDialog.FileName);
}

void Form1::openMusicFolder()
{
    const QString folder = m_dialogs.askFolder(this, QStringLiteral("Open Music Folder"), QString());
    if (!folder.isEmpty())
        emit musicFolderRequested(folder);
}

void Form1::chartChangedOnDisk(const QString &path)
{
    // Only a chart open for editing; after a refused open the path box
    // names a file that is not open.
    if (!SaveMenuStrip->isEnabled() || QFileInfo(path) != QFileInfo(Chart.ChartPath))
        return;
    if (InfoDirty || FullImageDirty || SmallFrameDirty) {
        const QString question =
            QStringLiteral("%1 was changed and saved in another window.\n\n"
                           "Load it again? Your unsaved changes here would be lost. "
                           "If you keep them, saving writes every field as this window shows it.")
                .arg(QDir::toNativeSeparators(path));
        if (m_dialogs.showMessage(this, question, QStringLiteral("Chart Changed"), MessageIcon::Question,
                                  MessageButtons::YesNo)
            != MessageAnswer::Yes)
            return;
    }
    loadChart(Chart.ChartPath);
}

void Form1::chartMovedOnDisk(const QString &from, const QString &to)
{
    if (!SaveMenuStrip->isEnabled() || QFileInfo(from) != QFileInfo(Chart.ChartPath))
        return;
    // A save now must go to the new name: the old one is gone, and writing
    // it again would give the folder a second chart of the old ID.
    Chart.ChartPath = to;
    PathBox->setText(QDir::toNativeSeparators(to));
    chartChangedOnDisk(to);
}

void Form1::chartsAboutToChange(const QStringList &paths)
{
    if (!SaveMenuStrip->isEnabled())
        return;
    for (const QString &path : paths) {
        if (QFileInfo(path) == QFileInfo(Chart.ChartPath)) {
            // A failed save keeps the edits in the window; the change then
            // asks again whether to drop them.
            (void)maybeSave(AfterSave::KeepEditing);
            return;
        }
    }
}

void Form1::openChartFile(const QString &path)
{
    if (maybeSave(AfterSave::KeepEditing))
        loadChart(path);
}

void Form1::loadChart(const QString &path)
{
    // The path shows the chosen file even when it then fails to open.
    Chart.ChartPath = path;
    PathBox->setText(QDir::toNativeSeparators(Chart.ChartPath));

    Result<ChartRecord> result = readChartFile(Chart.ChartPath);
    if (!result.ok()) {
        closeChartView();
        showError(result.error());
        return;
    }

    Chart = std::move(result).value();
    showChartFields();

    FullImagePicture = PictureFromByteStream(Chart.FullImageData);
    ensureLoadingFrameForm()->setPicture(FullImagePicture);
    SmallFramePicture = PictureFromByteStream(Chart.SmallFrameData);
    ensureThumbnailFrameForm()->setPicture(SmallFramePicture);

    // Filling the boxes ran their change rules; this clears the flags again.
    resetEditingState(true);
}

void Form1::closeChartView()
{
    // The numeric boxes' rules put the held values back at once.
    for (QLineEdit *box : {IDBox, TitleBox, ArtistBox, PatternBox, OJMBox, BPMBox, ExBox, NxBox, HxBox})
        box->clear();
    // A box that was empty already raised no change; it shows its held
    // value (0 before any chart was opened) all the same.
    for (QLineEdit *box : {IDBox, BPMBox, ExBox, NxBox, HxBox}) {
        if (box->text().isEmpty())
            onNumericFieldChanged(box);
    }
    resetEditingState(false);
}

} // namespace ojn
