#pragma once

#include "filehistory/FileHistory.h"

#include <QObject>
#include <QString>

namespace ojn {

class MusicFolderWindow;

// Undo and Redo: the folder's history replays its step off the window's
// thread and reports what it did; the window then shows the files as
// they are, and the editor is told of the charts it may have open.
class HistoryCommands final : public QObject {
    Q_OBJECT
public:
    HistoryCommands(MusicFolderWindow &window, QObject *parent);

    void undo();
    void redo();
    // What follows a replay, whichever window started it.
    void followReplay(const ReplayReport &report);

signals:
    void chartMoved(const QString &from, const QString &to);
    void chartSaved(const QString &path);

private:
    void replay(FileChange::Direction direction);
    // The editor told, the song list and the rows as they are now, and
    // what was done said.
    void finishReplay(const ReplayReport &report);

    MusicFolderWindow &m_window;
};

} // namespace ojn
