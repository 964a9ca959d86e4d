#pragma once

#include "model/ChartCheck.h"
#include "model/HeaderFields.h"
#include "text/CodePage.h"
#include "folderchecks/FolderCatalogue.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QLocale>

#include <array>

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

// The Music Folder table: a row per row of the folder's catalogue, the
// charts' then the songs the song list holds with no chart (greyed). The
// texts shown are made once per change, since sorting and filtering look
// at them thousands of times; the catalogue says which rows changed.
class ChartTableModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    ChartTableModel(const FolderCatalogue &catalogue, const TextCodec &codec, const QLocale &locale, QObject *parent = nullptr);

    void setFindingIcons(const QIcon &problem, const QIcon &note);
    // Where the texts of a reset's rows go to be let go of, as the
    // catalogue's rows do.
    void setRelease(FolderCatalogue::Release release) { m_release = std::move(release); }

    // Makes the texts and numbers of the rows from `first` on (at most
    // `count`) ahead of need; they are otherwise made when first shown,
    // sorted or filtered.
    void prepareTexts(int first, int count) const;

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

    // The catalogue's changes, told on as the view expects them.
    void followCatalogue();
    // Drops what is cached of the rows (sorted, each once) and says they
    // changed.
    void refreshTexts(const QList<int> &sortedRows);

    [[nodiscard]] RowNumbers numbersOf(int row) const;
    [[nodiscard]] const RowNumbers &numbersAt(int row) const;
    [[nodiscard]] RowTexts textsOf(int row) const;
    [[nodiscard]] const RowTexts &textsAt(int row) const;

    const FolderCatalogue &m_catalogue;
    FolderCatalogue::Release m_release;
    TextCodec m_codec;
    QLocale m_locale;
    // Every row the view knows of, made when first needed; its size is the
    // row count, which changes only inside the insertions and removals.
    mutable QList<RowCache> m_cache;
    QIcon m_problemIcon, m_noteIcon;
};

} // namespace ojn
