// Writes a small game folder for screenshots of the Music Folder window:
// GAME/Music with a dozen charts (one sharing another's song ID, one
// encrypted, one truncated) and GAME/Image/OJNList.dat with one stale
// entry and one song that has no chart.
// Usage: make_sample_folder GAME
#include "support/ChartBuilder.h"
#include "support/TestPictures.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace ojn::test;

namespace {

struct Song {
    qint32 id;
    const char *title, *artist, *pattern;
    qint16 genre;
    float bpm;
    qint16 ex, nx, hx;
    qint32 seconds;
    QColor colour;
};

ChartBuilder chart(const Song &song)
{
    ChartBuilder builder;
    builder.noteSections(40, 60, 90)
        .songId(song.id)
        .genre(song.genre)
        .bpm(song.bpm)
        .levels(song.ex, song.nx, song.hx)
        .noteCounts(song.ex * 61, song.nx * 83, song.hx * 97)
        .putBytes(108, QByteArray(64, '\0').replace(0, qstrlen(song.title), song.title))
        .putBytes(172, QByteArray(32, '\0').replace(0, qstrlen(song.artist), song.artist))
        .putBytes(204, QByteArray(32, '\0').replace(0, qstrlen(song.pattern), song.pattern))
        .putBytes(236, QByteArray(32, '\0').replace(0, 0, QByteArray("o2ma") + QByteArray::number(song.id) + ".ojm"))
        .cover(jpegBytes(QSize(320, 240), song.colour))
        .thumbnail(bmpBytes(QSize(80, 80), song.colour.darker(150)));
    for (int d = 0; d < 3; ++d)
        builder.putInt32(272 + 4 * d, song.seconds);
    return builder;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv); // finds the picture encoders
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_folder GAME\n");
        return 2;
    }
    const QDir game(QString::fromLocal8Bit(argv[1]));
    if (!game.mkpath("Music") || !game.mkpath("Image"))
        return 1;
    const QDir music(game.filePath("Music"));
    const Song songs[] = {
        {100, "Sunset Boulevard Run", "Tevrik Sound Team", "Mira", 3, 142.5f, 3, 7, 12, 134, QColor(230, 140, 60)},
        {101, "Paper Lanterns", "Hana Kim", "Jun", 0, 88, 2, 5, 9, 181, QColor(200, 80, 90)},
        {102, "Neon Harbour", "Static Tide", "Mira", 2, 128, 4, 8, 13, 152, QColor(60, 160, 220)},
        {103, "Iron Waltz", "Brass Engine", "Oskar", 1, 174, 5, 10, 15, 127, QColor(120, 120, 130)},
        {104, "Moonlit Steps", "Hana Kim", "Jun", 6, 96, 1, 4, 8, 203, QColor(70, 70, 160)},
        {105, "Overclock", "DJ Parallax", "Mira", 3, 160, 6, 11, 16, 119, QColor(40, 200, 120)},
        {106, "Rain on Tin Roofs", "The Quiet Hours", "Oskar", 9, 72, 1, 3, 7, 228, QColor(90, 130, 150)},
        {107, "Second Sunrise", "Static Tide", "Jun", 2, 136, 3, 8, 12, 141, QColor(250, 200, 80)},
        {108, "Funk Lab 7", "Groove Ministry", "Mira", 7, 112, 3, 6, 11, 166, QColor(200, 100, 200)},
        {109, "Glass Cathedral", "Aria Novak", "Oskar", 8, 150, 5, 9, 14, 245, QColor(180, 220, 240)},
    };
    for (const Song &song : songs) {
        chart(song).writeTo(music.filePath(QStringLiteral("o2ma%1.ojn").arg(song.id)));
        writeFile(music.filePath(QStringLiteral("o2ma%1.ojm").arg(song.id)), "OJM");
    }
    // A copy given a new file name but not a new song ID.
    chart(songs[5]).writeTo(music.filePath("o2ma110.ojn"));
    // An encrypted chart, shown read-only.
    const Song secret{111, "Locked Room", "Cipher Nine", "Ghost", 4, 140, 4, 9, 14, 150, QColor(50, 50, 50)};
    writeFile(music.filePath("o2ma111.ojn"), encryptChart(chart(secret).build(), 4, 0x5a, 0x3c, 0x11));
    writeFile(music.filePath("o2ma111.ojm"), "OJM");
    // A chart cut short in a copy.
    writeFile(music.filePath("o2ma112.ojn"), chart(songs[0]).songId(112).build().left(200));

    // The list: the first eight songs, one of them since edited, and a
    // song whose chart is gone; then the extra sections.
    QList<QByteArray> listed;
    for (Song song : QList<Song>(songs, songs + 8)) {
        if (song.id == 103)
            song.hx = 14; // the chart's level was raised since
        listed << chart(song).build();
    }
    listed << chart({120, "Farewell Tour", "Brass Engine", "Oskar", 1, 150, 4, 8, 12, 190, QColor(0, 0, 0)}).build();
    writeFile(game.filePath("Image/OJNList.dat"),
              songListBytes(9, listed, QByteArray("\x02\x00\x00\x00\x64\x00\x00\x00\x01\x00\x00\x00\x65\x00\x00\x00\x01\x00\x00\x00", 20)));
    return 0;
}
