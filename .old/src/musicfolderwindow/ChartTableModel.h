#pragma once

#include "model/ChartCheck.h"
#include "model/HeaderFields.h"
#include "text/CodePage.h"
#include "folderchecks/FolderSummary.h"
#include "folderchecks/FolderListing.h"
#include "songlist/SongList.h"
#include "songlist/SongListComparison.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <QLocale>

#include <array>
#include <optional>

namespace ojn {

// The columns of the Music Folder table: the file name, one per header
// field in the field table's order, then the song's length, how the song
// list holds the chart, and the findings.
inline constexpr int FileColumn = 0;
[[nodiscard]] constexpr int columnOf(HeaderField field)
{
    return FileColumn + 1 + int(field);
}
inline constexpr int DurationColumn = columnOf(HeaderField(HeaderFieldCount - 1)) + 1;
inline constexpr int ListColumn = DurationColumn + 1;
inline constexpr int FindingsColumn = ListColumn + 1;
inline constexpr int ChartColumnCount = FindingsColumn + 1;

// The field a column shows, if it shows one.
[[nodiscard]] const HeaderFieldInfo *fieldOfColumn(int column);
// Whether a column holds numbers: sorted as numbers, aligned right, and
// not searched by the filter.
[[nodiscard]] bool isNumberColumn(int column);

// One row per chart of a music folder, filled in batches as the checks of
// its files come in; then, once every chart has been read, a greyed row
// for each song the song list holds with no chart. The texts shown are
// made once per change, since sorting and filtering look at them
// thousands of times.
class ChartTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    ChartTableModel(const TextCodec &codec, const QLocale &locale, QObject *parent = nullptr);

    // Starts over with a folder's listing and no rows.
    void reset(const FolderListing &listing);

    // A stamp for a piece of work about to read charts. Its results replace
    // a row only when no later work has refreshed it, so a check that read
    // a chart before a save cannot put back what the save changed.
    [[nodiscard]] quint64 nextStamp() { return ++m_clock; }
    // Adds the charts not yet shown and replaces the others (by path), and
    // checks again across the folder and against the song list what they
    // touch: work in proportion to the batch, not to the folder.
    void applyScans(const QList<ChartScan> &scans, quint64 stamp);

    // The song list the charts are compared with, or none.
    void setSongList(const std::optional<SongList> &list);
    [[nodiscard]] const std::optional<SongList> &songList() const { return m_songList; }
    // Whether every chart of the folder has been read, so that the songs
    // the list holds with no chart can be shown.
    void setAllChartsRead(bool allRead);

    void setFindingIcons(const QIcon &problem, const QIcon &note);

    // Makes the texts and numbers of the rows from `first` on (at most
    // `count`) ahead of need; they are otherwise made when first shown,
    // sorted or filtered.
    void prepareTexts(int first, int count) const;

    [[nodiscard]] const QList<ChartScan> &charts() const { return m_scans; }
    [[nodiscard]] FolderSummary summary() const;

    // The chart of a row, or nothing for a song the list holds with no chart.
    [[nodiscard]] const ChartScan *chartAt(int row) const;
    // A row's findings, the chart's own then the folder's.
    [[nodiscard]] Findings findingsAt(int row) const;
    // The row of the chart at `path` (as any spelling of it names the same
    // file), or -1.
    [[nodiscard]] int rowOfChart(const QString &path) const;

    // For the sorting proxy: numbers compare as numbers, texts ignoring case.
    [[nodiscard]] bool lessThan(int leftRow, int rightRow, int column) const;
    // For the filter: whether any text column contains `foldedNeedle`
    // (case-folded).
    [[nodiscard]] bool matches(int row, const QString &foldedNeedle) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct RowTexts {
        bool made = false;
        std::array<QString, ChartColumnCount> shown;
        QString folded; // the text columns, case-folded, for the filter
        int severityRank = 0; // 0 nothing found, 1 a note, 2 a problem
    };
    // The values of the number columns, NaN where there is none (no
    // header, or a tempo that is no number), made apart from the texts so
    // that sorting by a number needs no text made.
    struct RowNumbers {
        bool made = false;
        std::array<double, ChartColumnCount> values{};
    };
    struct RowCache {
        RowTexts texts;
        RowNumbers numbers;
    };

    [[nodiscard]] const ChartHeader *headerAt(int row) const;
    [[nodiscard]] RowNumbers numbersOf(int row) const;
    [[nodiscard]] const RowNumbers &numbersAt(int row) const;
    [[nodiscard]] RowTexts textsOf(int row) const;
    [[nodiscard]] const RowTexts &textsAt(int row) const;
    // Drops what is cached of the rows (sorted, each once) and says they
    // changed.
    void refreshTexts(const QList<int> &sortedRows);
    // The folder's findings and the list status of the charts changed and
    // of every row that shares a song ID with them, since a duplicate names
    // them all. Returns the rows whose texts change (sorted, each once).
    [[nodiscard]] QList<int> recheckRows(QList<int> changed);
    // The rows of songs the list holds with no chart, once all are read.
    // `compared`: the list already compared with every chart, if it was.
    void updateMissingSongs(const SongListComparison *compared = nullptr);
    void indexSongId(int row, bool add);

    TextCodec m_codec;
    QLocale m_locale;
    FolderListing m_listing;
    std::optional<SongList> m_songList;
    bool m_allChartsRead = false;
    quint64 m_clock = 0;

    // Rows 0 .. m_scans.size() - 1 are charts; the list's songs without a
    // chart follow.
    QList<ChartScan> m_scans;
    QList<quint64> m_stamps;
    QList<Findings> m_folderFindings;
    QList<ListStatus> m_listStatus; // when there is a song list
    QHash<QString, int> m_rowOfPath;
    QHash<qint32, QList<int>> m_rowsOfSongId;
    QList<ChartHeader> m_missingSongs;
    mutable QList<RowCache> m_cache; // every row, made when first needed
    QIcon m_problemIcon, m_noteIcon;
};

} // namespace ojn
