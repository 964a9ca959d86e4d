#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

#include <array>

// Where each header field of an OJN chart lives. All integers are
// little-endian two's complement, BPM is a little-endian IEEE single.
namespace ojn::layout {

// The fields a user sees are described in HeaderFields.cpp; these are the
// others, and the arrays some of those fields belong to.
inline constexpr qint64 Levels = 20;          // int16 Ex, Nx, Hx and a fourth, 0 in real charts
inline constexpr qint64 NoteCounts = 40;      // int32 Ex, Nx, Hx
inline constexpr qint64 ThumbnailSize = 100;  // int32
inline constexpr qint64 CoverSize = 268;      // int32
inline constexpr qint64 CoverOffset = 296;    // int32

// The fixed header ends here; the note data follows up to the cover.
inline constexpr qint64 HeaderSize = 300;

// The rest of the header, read-only: the editor never changes these.
inline constexpr qint64 Signature = 4;             // "ojn" and a zero byte
inline constexpr qint64 Genre = 12;                // int32; the editor's field is its low 16 bits
inline constexpr qint64 EncoderVersion = 8;        // float32
inline constexpr qint64 EventCounts = 28;          // int32 Ex, Nx, Hx
inline constexpr qint64 MeasureCounts = 52;        // int32 Ex, Nx, Hx
inline constexpr qint64 PackageCounts = 64;        // int32 Ex, Nx, Hx
inline constexpr qint64 OldEncoderVersion = 76;    // int16
inline constexpr qint64 OldSongID = 78;            // int16
inline constexpr qint64 OldGenre = 80;             // 20 bytes
inline constexpr int OldGenreLength = 20;
inline constexpr qint64 OldFileVersion = 104;      // int32
inline constexpr int TitleSlotLength = 64;
inline constexpr qint64 Durations = 272;           // int32 Ex, Nx, Hx, seconds
inline constexpr qint64 NoteSectionOffsets = 284;  // int32 Ex, Nx, Hx
inline constexpr char SignatureBytes[] = "ojn"; // with its zero byte, 4 bytes
inline constexpr int SignatureLength = 4;

// Texts are read and written as at most this many bytes...
inline constexpr int TextLength = 32;
// ...and a save zeroes this many bytes at a slot before writing its text,
// so a 32-byte title stays ended by a zero byte. The 33rd byte of the
// artist, pattern and OJM slots is the next field's first (see
// patchedHeader for the write order that makes this harmless).
inline constexpr int TextClearLength = 33;

// The first bytes of an encrypted chart.
inline constexpr char EncryptionMarker[] = "new";
inline constexpr int EncryptionMarkerLength = 3;

} // namespace ojn::layout

namespace ojn {

// The genre names in the order of their stored values 0 to 10.
inline constexpr int GenreCount = 11;
[[nodiscard]] const std::array<QString, GenreCount> &genreNames();

// The position of a genre name in the list (exact, case-sensitive), or -1.
[[nodiscard]] int genreValueOf(const QString &name);

// The genre a typed value stands for: a name from the list (exact) or its
// number 0 to 10; -1 for anything else.
[[nodiscard]] int genreNamedOrNumbered(const QString &value);

// "0 Ballad, 1 Rock, ...": the list as messages offer it.
[[nodiscard]] QString genreListText();

// True when the chart's first bytes say it is encrypted ("new", exactly).
[[nodiscard]] bool isEncrypted(QByteArrayView firstBytes);

} // namespace ojn
