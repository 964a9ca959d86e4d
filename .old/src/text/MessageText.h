#pragma once

#include <QString>

namespace ojn {

// A value as a message quotes it: control characters as \xNN, so that a
// line break or a zero shows where it is, and one longer than
// MessageValueLength characters cut there and followed by its length, so
// that a 5 MB cell is never echoed whole.
inline constexpr qsizetype MessageValueLength = 60;

// In double quotes: "New Title", "aaaa…" (5000000 characters).
[[nodiscard]] QString quotedForMessage(const QString &value);
// Without quotes, for numbers and paths: 1234…5 (70 characters).
[[nodiscard]] QString shownForMessage(const QString &value);

} // namespace ojn
