#include "app/FolderWindowList.h"

#include "editor/Form1.h"
#include "musicfolderwindow/MusicFolderWindow.h"

#include <QDir>
#include <QFileInfo>

namespace ojn {

FolderWindowList::FolderWindowList(Form1 &editor, Dialogs &dialogs)
    : m_editor(editor)
    , m_dialogs(dialogs)
{
    connect(&editor, &Form1::musicFolderRequested, this, &FolderWindowList::open);
}

FolderWindowList::~FolderWindowList()
{
    for (const QPointer<MusicFolderWindow> &window : std::as_const(m_windows))
        delete window.data();
}

void FolderWindowList::open(const QString &folder)
{
    m_windows.removeAll(nullptr);
    for (const QPointer<MusicFolderWindow> &window : std::as_const(m_windows)) {
        if (QDir(window->folder()) == QDir(folder)) {
            window->raise();
            window->activateWindow();
            return;
        }
    }
    auto *window = new MusicFolderWindow(m_dialogs);
    window->setAttribute(Qt::WA_DeleteOnClose);
    const QFileInfo where(folder);
    const QString key = where.canonicalFilePath().isEmpty() ? QDir::cleanPath(where.absoluteFilePath()) : where.canonicalFilePath();
    std::shared_ptr<FileHistory> &history = m_histories[key];
    if (!history)
        history = std::make_shared<FileHistory>();
    window->setHistory(history);
    connect(window, &MusicFolderWindow::openFolderRequested, this, &FolderWindowList::open);
    m_windows.append(window);
    connect(window, &MusicFolderWindow::openChartRequested, &m_editor, [this](const QString &path) {
        m_editor.openChartFile(path);
        m_editor.raise();
        m_editor.activateWindow();
    });
    connect(window, &MusicFolderWindow::chartSaved, &m_editor, &Form1::chartChangedOnDisk);
    connect(window, &MusicFolderWindow::chartMoved, &m_editor, &Form1::chartMovedOnDisk);
    connect(window, &MusicFolderWindow::chartsAboutToChange, &m_editor, &Form1::chartsAboutToChange);
    connect(&m_editor, &Form1::chartSaved, window, &MusicFolderWindow::refreshChart);
    window->show();
    window->openFolder(folder);
}

} // namespace ojn
