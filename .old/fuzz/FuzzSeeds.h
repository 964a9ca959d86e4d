#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace ojn::fuzz {

struct Seed {
    QString name;
    QByteArray bytes;
};

// Charts made with the test fixture builder: valid ones, and truncated,
// overflowing, negative and encrypted ones.
[[nodiscard]] QList<Seed> seedCharts();

// Song lists: well-formed ones with and without extra sections and with a
// song listed twice, and short, negative and overrunning ones.
[[nodiscard]] QList<Seed> seedSongLists();

// Charts whose note sections walk exactly, and ones that run past, stop
// short, claim negative counts, or are encrypted.
[[nodiscard]] QList<Seed> seedNoteSectionCharts();

// CSV files: an export's form, columns in another order, quoted commas,
// quotes and line breaks, LF and CR line ends, and a stray quote, an
// unclosed one, a ragged row, an unknown column, bytes that are not UTF-8.
[[nodiscard]] QList<Seed> seedCsvFiles();

// Files of each kind the sniffer tells, and near misses: OJMs of each
// signature, a JPEG, a BMP, an empty file, text with no separator, a song
// list with one entry that is no chart.
[[nodiscard]] QList<Seed> seedFileKinds();

// The seeds for the named fuzz target: "chart_reader", "song_list",
// "note_sections", "csv_reader" or "file_kind"; none for another name.
[[nodiscard]] QList<Seed> seedsFor(const QString &target);

} // namespace ojn::fuzz
