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

// The seeds for the named fuzz target: "chart_reader", "song_list" or
// "note_sections"; none for another name.
[[nodiscard]] QList<Seed> seedsFor(const QString &target);

} // namespace ojn::fuzz
