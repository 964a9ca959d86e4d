// Choose Song List..., Update Song List and Build New Song List...: each
// says what it will write first, and the window then compares the folder
// with the list written.
#include "musicfolderwindow/SongListCommands.h"

#include "musicfolderwindow/MusicFolderWindow.h"
#include "songlist/SongListLocation.h"
#include "songlist/SongListSync.h"

#include <QDir>

#include <optional>
#include <utility>

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

SongListCommands::SongListCommands(MusicFolderWindow &window, QObject *parent)
    : QObject(parent)
    , m_window(window)
{
}

void SongListCommands::chooseSongList()
{
    const QString current = m_window.songListPath();
    const QString start = current.isEmpty() ? newSongListPath(m_window.folder()) : current;
    const QString path = m_window.dialogs().askFileName(&m_window, FileDialogMode::Open, start, SongListFilter);
    if (path.isEmpty())
        return;
    if (const Result<> read = m_window.catalogue().loadSongList(path); !read.ok())
        m_window.showError(read.error());
}

void SongListCommands::updateSongList()
{
    FolderCatalogue &catalogue = m_window.catalogue();
    if (!catalogue.allChartsRead() || m_window.commandRunning() || catalogue.songListPath().isEmpty())
        return;
    // Read again: the file on disk, with its extra sections as they are
    // now, is what gets updated.
    const QString path = catalogue.songListPath();
    if (const Result<> read = catalogue.loadSongList(path); !read.ok()) {
        m_window.showError(read.error());
        return;
    }
    const Result<SongListSync> planned = planSongListSync(*catalogue.songList(), catalogue.charts());
    if (!planned.ok()) {
        m_window.showError(planned.error());
        return;
    }
    const SongListSync &sync = planned.value();
    if (!sync.changesList()) {
        m_window.showInfo(QStringLiteral("The song list is up to date: %1").arg(sync.summary()));
        return;
    }
    const QString shownPath = QDir::toNativeSeparators(path);
    const QString question = QStringLiteral("Update the song list %1?\n\n%2%3\nIts extra sections are kept as they are.")
                                 .arg(shownPath, sync.summary(), leftOut(sync.skipped));
    if (m_window.dialogs().showMessage(&m_window, question, QStringLiteral("Update Song List"), MessageIcon::Question,
                                       MessageButtons::YesNo)
        != MessageAnswer::Yes)
        return;
    const SongList list = sync.list;
    saveSongList(HistoryStep::Kind::UpdateSongList, list, path, [this, list, path, shownPath, summary = sync.summary()] {
        m_window.catalogue().useSongList(path, list);
        m_window.showInfo(QStringLiteral("Saved the song list %1: %2").arg(shownPath, summary));
    });
}

void SongListCommands::buildNewSongList()
{
    const FolderCatalogue &catalogue = m_window.catalogue();
    if (!catalogue.allChartsRead() || m_window.commandRunning())
        return;
    const QString current = catalogue.songListPath();
    const QString start = current.isEmpty() ? newSongListPath(m_window.folder()) : current;
    const QString path = m_window.dialogs().askFileName(&m_window, FileDialogMode::Save, start, SongListFilter);
    if (path.isEmpty())
        return;
    if (const Result<> target = checkSongListTarget(path); !target.ok()) {
        m_window.showError(target.error());
        return;
    }
    // The current list's extra sections (prices, "new" marks, ...) are
    // carried over: they name songs by ID, so they fit the new list too.
    QByteArray extraSections;
    if (!current.isEmpty()) {
        if (const Result<SongList> read = readSongListFile(current); read.ok())
            extraSections = read->extraSections;
    }
    const Result<SongListSync> built = buildSongList(catalogue.charts(), extraSections);
    if (!built.ok()) {
        m_window.showError(built.error() + QStringLiteral(" Nothing was written."));
        return;
    }
    const SongList list = built->list;
    QString done = QStringLiteral("Saved a new song list of %1 songs as %2.").arg(list.entries.size()).arg(QDir::toNativeSeparators(path));
    if (!extraSections.isEmpty())
        done += QStringLiteral("\nThe extra sections of %1 are carried over.").arg(QDir::toNativeSeparators(current));
    done += leftOut(built->skipped);
    saveSongList(HistoryStep::Kind::BuildNewSongList, list, path, [this, list, path, done] {
        // The new list is the one the folder is compared with from now on.
        m_window.catalogue().useSongList(path, list);
        m_window.showInfo(done);
    });
}

void SongListCommands::saveSongList(HistoryStep::Kind kind, const SongList &list, const QString &path, std::function<void()> saved)
{
    m_window.runTask(
        QStringLiteral("Saving the song list"), 0,
        [list, path](const ScanControl &) {
            std::optional<FileChange> change;
            Result<> written = writeRecorded(path, [&] { return writeSongListFile(list, path); }, change);
            return std::pair{std::move(written), std::move(change)};
        },
        [this, kind, path, saved = std::move(saved)](const std::pair<Result<>, std::optional<FileChange>> &written) {
            if (!written.first.ok()) {
                m_window.showError(written.first.error());
                return;
            }
            if (written.second)
                m_window.history().record(kind, 0, {*written.second}, path);
            saved();
        });
}

void SongListCommands::offerUpdate()
{
    const FolderSummary summary = m_window.catalogue().summary();
    if (m_window.catalogue().songList() && summary.stale + summary.notListed > 0)
        updateSongList();
}

} // namespace ojn
