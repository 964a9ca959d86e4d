#pragma once

#include "model/ChartRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <array>
#include <optional>

namespace ojn {

// The three charts of a song, in the order the header stores them.
enum Difficulty { Ex = 0, Nx = 1, Hx = 2 };
inline constexpr int DifficultyCount = 3;
using PerDifficulty = std::array<qint32, DifficultyCount>;

// Every field of a chart's 300-byte header, read-only. Where the one-chart
// editor works on a few fields, this is the whole header, as the song list
// and the folder checks need it. Texts are the raw bytes of their slots up
// to the first zero (the title's whole 64-byte slot, the others' 32).
struct ChartHeader {
    // The 300 bytes as stored; an encrypted chart's decrypted ones.
    QByteArray bytes;

    qint32 songId = 0;
    float encoderVersion = 0;
    qint32 genre = 0; // the editor reads and writes its low 16 bits
    float bpm = 0;
    std::array<qint16, 4> levels{}; // Ex, Nx, Hx and a fourth, 0 in real charts
    PerDifficulty eventCounts{};
    PerDifficulty noteCounts{};
    PerDifficulty measureCounts{};
    PerDifficulty packageCounts{};
    qint16 oldEncoderVersion = 0;
    qint16 oldSongId = 0;
    QByteArray oldGenre; // the 20 raw bytes
    qint32 thumbnailSize = 0;
    qint32 oldFileVersion = 0;
    QByteArray title;
    QByteArray artist;
    QByteArray pattern;
    QByteArray ojmFile;
    qint32 coverSize = 0;
    PerDifficulty durations{}; // seconds
    PerDifficulty noteSectionOffsets{};
    qint32 coverOffset = 0;

    // Whether bytes 4 to 7 are "ojn" and a zero byte.
    [[nodiscard]] bool hasSignature() const;
};

// The header in the first 300 bytes of a plain chart (or a song list
// entry); nothing when fewer than 300 bytes are given. Any bytes are a
// header here: whether they make a sound chart is for the checks to say.
[[nodiscard]] std::optional<ChartHeader> parseChartHeader(QByteArrayView firstBytes);

// The fields the editor shows, from a header: a record with no note data,
// pictures or path, and the whole title (the editor keeps its first 32
// bytes). The genre is its low two bytes, as the editor has always read it.
[[nodiscard]] ChartRecord recordFieldsOf(const ChartHeader &header);

// The song's length in seconds: the longest of its three charts.
[[nodiscard]] qint32 songDuration(const ChartHeader &header);

// The difficulty's short name: "Ex", "Nx" or "Hx".
[[nodiscard]] const char *difficultyName(int difficulty);

} // namespace ojn
