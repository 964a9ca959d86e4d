#pragma once

#include "model/ChartCheck.h"
#include "result/Result.h"
#include "text/CodePage.h"
#include "folderchecks/FolderSummary.h"
#include "folderchecks/FolderListing.h"
#include "songlist/SongList.h"
#include "songlist/SongListComparison.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace ojn {

// What is known of one music folder while it is read and changed: a row
// per chart, filled in batches as the checks of its files come in, with
// the findings across the folder and the song list status of each; then,
// once every chart has been read, the songs the song list holds with no
// chart, which follow the charts' rows. A window shows it; the signals say
// which rows came, changed or went, before and after, as a table model
// needs to know.
class FolderCatalogue final : public QObject {
    Q_OBJECT
public:
    explicit FolderCatalogue(const TextCodec &codec, QObject *parent = nullptr);

    // Where the rows of a reset go to be let go of: freeing 10,000 rows
    // takes a window's thread tens of milliseconds. Freed in place without.
    using Release = std::function<void(std::shared_ptr<void> rows)>;
    void setRelease(Release release) { m_release = std::move(release); }

    // Starts over with a folder's listing and no rows.
    void reset(const FolderListing &listing);
    [[nodiscard]] const FolderListing &listing() const { return m_listing; }

    // A stamp for a piece of work about to read charts. Its results replace
    // a row only when no later work has refreshed it, so a check that read
    // a chart before a save cannot put back what the save changed.
    [[nodiscard]] quint64 nextStamp() { return ++m_clock; }
    // Adds the charts not yet held and replaces the others (by path), and
    // checks again across the folder and against the song list what they
    // touch: work in proportion to the batch, not to the folder.
    void applyScans(const QList<ChartScan> &scans, quint64 stamp);

    // Reads the song list at `path` as the one to compare with (none for
    // an empty path); when it cannot be read there is no list, and the
    // failure says why.
    Result<> loadSongList(const QString &path);
    // The list at `path` is now `list` (it was just written there).
    void useSongList(const QString &path, const SongList &list);
    [[nodiscard]] const std::optional<SongList> &songList() const { return m_songList; }
    [[nodiscard]] const QString &songListPath() const { return m_songListPath; }
    // Why the list at songListPath() could not be read; empty when it was.
    [[nodiscard]] const QString &songListError() const { return m_songListError; }

    // Whether every chart of the folder has been read, so that the songs
    // the list holds with no chart can be shown.
    void setAllChartsRead(bool allRead);
    [[nodiscard]] bool allChartsRead() const { return m_allChartsRead; }

    [[nodiscard]] const QList<ChartScan> &charts() const { return m_scans; }
    [[nodiscard]] const QList<ChartHeader> &missingSongs() const { return m_missingSongs; }
    // The charts' rows, then the missing songs'.
    [[nodiscard]] int rowCount() const { return int(m_scans.size() + m_missingSongs.size()); }
    [[nodiscard]] FolderSummary summary() const;

    // The chart of a row, or nothing for a song the list holds with no chart.
    [[nodiscard]] const ChartScan *chartAt(int row) const;
    // The header a row shows: its chart's, or the missing song's entry.
    [[nodiscard]] const ChartHeader *headerAt(int row) const;
    // A chart's findings across the folder, and all of a row's findings,
    // the chart's own then the folder's.
    [[nodiscard]] const Findings &folderFindingsAt(int row) const;
    [[nodiscard]] Findings findingsAt(int row) const;
    // How the song list holds a chart's row (Missing for a missing song's
    // row); nothing when there is no list.
    [[nodiscard]] std::optional<ListStatus> listStatusAt(int row) const;
    // The row of the chart at `path` (as any spelling of it names the same
    // file), or -1.
    [[nodiscard]] int rowOfChart(const QString &path) const;

signals:
    void aboutToReset();
    void wasReset();
    // Chart rows [first, last] come, before the missing songs' rows.
    void chartsAboutToBeAdded(int first, int last);
    void chartsAdded(int first, int last);
    // What these rows show changed (sorted, each once).
    void rowsChanged(const QList<int> &sortedRows);
    // The missing songs' rows go and others come in their place.
    void missingSongsAboutToChange();
    void missingSongsChanged();
    // The song list, or whether every chart is read.
    void stateChanged();

private:
    // The folder's findings and the list status of the charts changed and
    // of every row that shares a song ID with them, since a duplicate names
    // them all. Returns the rows whose state changes (sorted, each once).
    [[nodiscard]] QList<int> recheckRows(QList<int> changed);
    // The songs the list holds with no chart, once all are read.
    // `compared`: the list already compared with every chart, if it was.
    void updateMissingSongs(const SongListComparison *compared = nullptr);
    void setSongList(std::optional<SongList> list);
    void indexSongId(int row, bool add);

    TextCodec m_codec;
    Release m_release;
    FolderListing m_listing;
    std::optional<SongList> m_songList;
    std::optional<SongListIndex> m_songListIndex; // of m_songList, for the batches
    QString m_songListPath;
    QString m_songListError;
    bool m_allChartsRead = false;
    quint64 m_clock = 0;

    QList<ChartScan> m_scans;
    QList<quint64> m_stamps;
    QList<Findings> m_folderFindings;
    QList<ListStatus> m_listStatus; // when there is a song list
    QHash<QString, int> m_rowOfPath;
    QHash<qint32, QList<int>> m_rowsOfSongId;
    QList<ChartHeader> m_missingSongs;
};

} // namespace ojn
