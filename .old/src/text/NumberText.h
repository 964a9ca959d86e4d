#pragma once

#include <QLocale>
#include <QString>

#include <optional>

namespace ojn {

// How numbers are shown in the field boxes, and how the boxes' texts are
// read back: one place, shared by opening, the field rules and saving.

// Decimal digits with a leading minus sign when negative.
[[nodiscard]] QString integerText(qint64 value);

// A song's length in seconds as minutes and seconds, as a player reads it
// ("3:05"); a negative one, which only a damaged header holds, as "-5 s".
[[nodiscard]] QString durationText(qint32 seconds);

// A tempo in the general form of a 32-bit float: at most seven significant
// digits, no trailing zeros or separator, the locale's decimal separator,
// no group separators (120 -> "120", 128.5 -> "128,5" in German). A value
// that is not finite reads "NaN", "Infinity" or "-Infinity".
[[nodiscard]] QString bpmText(float value, const QLocale &locale);

// Blanks around are ignored; then an optional sign, digits with an
// optional decimal separator (the locale's) and fraction, and an optional
// exponent. Nothing else: no group separators, no letters.
[[nodiscard]] bool isNumericText(const QString &text, const QLocale &locale);

// The number a numeric text stands for; nothing for other text. A value
// too large for a double comes back as an infinity, for the caller's range
// check to refuse; one too small comes back as zero.
[[nodiscard]] std::optional<double> numberFromText(const QString &text, const QLocale &locale);

} // namespace ojn
