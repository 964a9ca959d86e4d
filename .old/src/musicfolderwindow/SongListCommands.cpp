// The song list: finding or choosing it, bringing it in step with the
// folder's charts, and building a new one. Lists are written safely on the
// saving thread; the extra sections are always carried byte for byte.
#include "musicfolderwindow/MusicFolderWindow.h"

#include "songlist/SongListLocation.h"
#include "songlist/SongListSync.h"

#include <QDir>

namespace ojn {
namespace {

const QString SongListFilter = QStringLiteral("Song List|*.dat|All Files|*");

QString leftOut(const QStringList &skipped)
{
    if (skipped.isEmpty())
        return QString();
    return skipped.size() == 1 ? QStringLiteral("\n1 chart that cannot be read is left out.")
                               : QStringLiteral("\n%1 charts that cannot be read are left out.").arg(skipped.size());
}

} // namespace

bool MusicFolderWindow::loadSongList(const QString &path)
{
    m_songListPath = path;
    const Result<SongList> read = readSongListFile(path);
    m_songListError = read.error();
    m_charts.setSongList(read.ok() ? std::optional(read.value()) : std::nullopt);
    updateCommands();
    updateStatus();
    return read.ok();
}

void MusicFolderWindow::chooseSongList()
{
    const QString start = m_songListPath.isEmpty() ? newSongListPath(m_folder) : m_songListPath;
    const QString path = m_dialogs.askFileName(this, FileDialogMode::Open, start, SongListFilter);
    if (path.isEmpty())
        return;
    if (!loadSongList(path))
        showError(m_songListError);
}

void MusicFolderWindow::updateSongList()
{
    if (!m_allHeadersRead || m_work.saving() || m_songListPath.isEmpty())
        return;
    // Read again: the file on disk, with its extra sections as they are
    // now, is what gets updated.
    if (!loadSongList(m_songListPath)) {
        showError(m_songListError);
        return;
    }
    const Result<SongListSync> planned = planSongListSync(*m_charts.songList(), m_charts.charts());
    if (!planned.ok()) {
        showError(planned.error());
        return;
    }
    const SongListSync &sync = planned.value();
    if (!sync.changesList()) {
        showInfo(QStringLiteral("The song list is up to date: %1").arg(sync.summary()));
        return;
    }
    const QString shownPath = QDir::toNativeSeparators(m_songListPath);
    const QString question = QStringLiteral("Update the song list %1?\n\n%2%3\nIts extra sections are kept as they are.")
                                 .arg(shownPath, sync.summary(), leftOut(sync.skipped));
    if (m_dialogs.showMessage(this, question, QStringLiteral("Update Song List"), MessageIcon::Question,
                              MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    const SongList list = sync.list;
    const QString path = m_songListPath;
    writeUndoable(QStringLiteral("Update Song List"), QStringLiteral("Saving the song list"), path,
                  [list, path] { return writeSongListFile(list, path); },
                  [this, list, shownPath, summary = sync.summary()] {
                          m_charts.setSongList(list);
                          showInfo(QStringLiteral("Saved the song list %1: %2").arg(shownPath, summary));
                      });
}

void MusicFolderWindow::buildNewSongList()
{
    if (!m_allHeadersRead || m_work.saving())
        return;
    const QString start = m_songListPath.isEmpty() ? newSongListPath(m_folder) : m_songListPath;
    const QString path = m_dialogs.askFileName(this, FileDialogMode::Save, start, SongListFilter);
    if (path.isEmpty())
        return;
    if (const Result<> target = checkSongListTarget(path); !target.ok()) {
        showError(target.error());
        return;
    }
    // The current list's extra sections (prices, "new" marks, ...) are
    // carried over: they name songs by ID, so they fit the new list too.
    QByteArray extraSections;
    if (!m_songListPath.isEmpty()) {
        if (const Result<SongList> current = readSongListFile(m_songListPath); current.ok())
            extraSections = current->extraSections;
    }
    const Result<SongListSync> built = buildSongList(m_charts.charts(), extraSections);
    if (!built.ok()) {
        showError(built.error() + QStringLiteral(" Nothing was written."));
        return;
    }
    const SongListSync &build = built.value();
    const SongList list = build.list;
    QString done = QStringLiteral("Saved a new song list of %1 songs as %2.").arg(list.entries.size()).arg(QDir::toNativeSeparators(path));
    if (!extraSections.isEmpty())
        done += QStringLiteral("\nThe extra sections of %1 are carried over.").arg(QDir::toNativeSeparators(m_songListPath));
    done += leftOut(build.skipped);
    writeUndoable(QStringLiteral("Build New Song List"), QStringLiteral("Saving the song list"), path,
                  [list, path] { return writeSongListFile(list, path); },
                  [this, list, path, done] {
                          // The new list is the one the folder is compared with from now on.
                          m_songListPath = path;
                          m_songListError.clear();
                          m_charts.setSongList(list);
                          showInfo(done);
                      });
}

void MusicFolderWindow::writeInBackground(const QString &what, std::function<Result<>()> write,
                                          std::function<void()> saved)
{
    m_afterWrite = std::move(saved);
    m_work.startWrite(std::move(write));
    showProgress(what, 0, 0);
    updateCommands();
}

void MusicFolderWindow::onWriteFinished(const Result<> &outcome)
{
    const std::function<void()> saved = std::exchange(m_afterWrite, {});
    finishWork();
    if (!outcome.ok()) {
        showError(outcome.error());
        return;
    }
    if (saved)
        saved();
    updateCommands();
    updateStatus();
}

} // namespace ojn
