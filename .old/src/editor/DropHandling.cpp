// Opening a chart dropped on the window, as File > Open would open it, or
// a dropped folder as a music folder.
#include "editor/Form1.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

namespace ojn {
namespace {

// The local files a drag carries; nothing when it carries anything else
// (text, a web address), which the window leaves alone.
QStringList localFilesOf(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    QStringList files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        files << url.toLocalFile();
    }
    return files;
}

} // namespace

void Form1::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localFilesOf(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent *event)
{
    const QStringList files = localFilesOf(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // Opened once the drop is over, so the program the files came from is
    // not held up while our question or message is on screen.
    QMetaObject::invokeMethod(this, [this, files] { openDroppedFiles(files); }, Qt::QueuedConnection);
}

void Form1::openDroppedFiles(const QStringList &files)
{
    if (files.size() > 1) {
        showError(QStringLiteral("%1 files were dropped, so none was opened. Drop one chart at a time.")
                      .arg(files.size()));
        return;
    }
    openPath(files.first());
}

void Form1::openPath(const QString &path)
{
    if (QFileInfo(path).isDir())
        emit musicFolderRequested(path);
    else
        openChartFile(path);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    // A text box would take a dropped file for text and type its name in;
    // the file is opened instead. Dropped text still goes into the box.
    const QEvent::Type type = event->type();
    if (qobject_cast<QLineEdit *>(watched)
        && (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop)) {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!localFilesOf(drop->mimeData()).isEmpty()) {
            if (type == QEvent::Drop)
                dropEvent(drop);
            else
                drop->acceptProposedAction();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace ojn
