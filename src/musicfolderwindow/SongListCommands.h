#pragma once

#include "filehistory/FileHistory.h"
#include "songlist/SongList.h"

#include <QObject>
#include <QString>

#include <functional>

namespace ojn {

class MusicFolderWindow;

// The song list: choosing it, bringing it in step with the folder's
// charts, and building a new one. Lists are written safely on the work's
// task thread; the extra sections are always carried byte for byte.
class SongListCommands final : public QObject {
    Q_OBJECT
public:
    SongListCommands(MusicFolderWindow &window, QObject *parent);

    void chooseSongList();
    void updateSongList();
    void buildNewSongList();
    // After a command changed charts: the list still shows what they held
    // before, so Update Song List is offered when it is out of step.
    void offerUpdate();

private:
    // Writes `list` to `path` as a step of `kind`, then runs `saved`.
    void saveSongList(HistoryStep::Kind kind, const SongList &list, const QString &path, std::function<void()> saved);

    MusicFolderWindow &m_window;
};

} // namespace ojn
