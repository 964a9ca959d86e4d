#pragma once

#include "dialogs/Dialogs.h"
#include "filehistory/FileHistory.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

namespace ojn {

class Form1;
class MusicFolderWindow;

// Opens Music Folder windows beside the main window and wires each to it:
// a chart asked for in a folder window opens in the main window, a chart
// saved in either is read again by the other. The windows themselves
// never meet. One window per folder; asking again raises it. Each folder's
// undo history stays here for the program's life, so closing its window
// and opening the folder again keeps it.
class FolderWindowList final : public QObject {
    Q_OBJECT
public:
    FolderWindowList(Form1 &editor, Dialogs &dialogs);
    // Closes the folder windows still open, letting their work stop.
    ~FolderWindowList() override;

    void open(const QString &folder);

private:
    Form1 &m_editor;
    Dialogs &m_dialogs;
    QList<QPointer<MusicFolderWindow>> m_windows;
    QHash<QString, std::shared_ptr<FileHistory>> m_histories; // by the folder's path
};

} // namespace ojn
