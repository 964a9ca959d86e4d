// Replacing, viewing and extracting the cover and the thumbnail.
#include "editor/Form1.h"

#include "pictures/PictureFile.h"

namespace ojn {

void Form1::changeCover()
{
    replacePicture(QStringLiteral("JPG Image|*.jpg"), Chart.FullImageData, FullImagePicture, FullImageDirty);
}

void Form1::changeThumbnail()
{
    replacePicture(QStringLiteral("BMP Image|*.bmp"), Chart.SmallFrameData, SmallFramePicture, SmallFrameDirty);
}

void Form1::viewCover()
{
    viewPicture(*ensureLoadingFrameForm(), FullImagePicture);
}

void Form1::viewThumbnail()
{
    viewPicture(*ensureThumbnailFrameForm(), SmallFramePicture);
}

void Form1::extractCover()
{
    extractPicture(QStringLiteral("JPG Image|*.jpg"), Chart.FullImageData, QStringLiteral("Successfully Extract Loading Frame."));
}

void Form1::extractThumbnail()
{
    extractPicture(QStringLiteral("BMP Image|*.bmp"), Chart.SmallFrameData, QStringLiteral("Successfully Extract Small Frame."));
}

void Form1::replacePicture(const QString &filter, QByteArray &buffer, Picture &picture, bool &dirty)
{
    FileDialog.FileName.clear();
    FileDialog.Filter = filter;
    FileDialog.ShowOpen();
    if (FileDialog.FileName.isEmpty())
        return;

    // Read and decode before anything changes: a file that cannot be used
    // leaves the chart's picture, and whether it counts as changed, alone.
    PictureFileContent replacement;
    if (const Result<> read = readPictureFile(FileDialog.FileName, replacement); !read.ok()) {
        showError(read.error());
        return;
    }
    buffer = std::move(replacement.bytes);
    picture = std::move(replacement.picture);
    // Set even for the very picture already held: the user asked for it.
    dirty = true;
}

void Form1::viewPicture(PictureWindow &window, const Picture &picture)
{
    window.setPicture(picture);
    m_dialogs.showModal(window);
}

void Form1::extractPicture(const QString &filter, const QByteArray &buffer, const QString &doneMessage)
{
    FileDialog.FileName.clear();
    FileDialog.Filter = filter;
    FileDialog.ShowSave();
    if (FileDialog.FileName.isEmpty())
        return;
    // Never over a chart (the open one included), an OJM or a song list.
    if (const Result<> target = checkPictureTarget(FileDialog.FileName); !target.ok()) {
        showWarning(target.error());
        return;
    }

    // The held bytes as they are, under the name exactly as given; an
    // existing file is replaced whole, so nothing of it trails the picture.
    if (const Result<> written = writePictureFile(FileDialog.FileName, buffer); !written.ok()) {
        showError(written.error());
        return;
    }
    showInfo(doneMessage);
}

} // namespace ojn
