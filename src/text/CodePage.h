#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <optional>

namespace ojn {

// The Windows ANSI code page whose bytes the header texts are in. On
// Windows it is the active ANSI code page; elsewhere there is none, so it
// is the one Windows assigns to the locale's language (949 for Korean,
// 932 for Japanese, ..., 1252 for everything else).
[[nodiscard]] int ansiCodePageFor(const QLocale &locale);
[[nodiscard]] int systemAnsiCodePage();

// Turns header text bytes into text and back in one Windows code page.
class TextCodec {
public:
    // A code page this system cannot convert falls back to Western (1252).
    explicit TextCodec(int codePage);

    // Whether this system converts the code page.
    [[nodiscard]] static bool supports(int codePage);

    int codePage() const { return m_codePage; }
    // The converter's name, e.g. "windows-949" (Windows' own tables, not
    // IBM's "CP949", which shows a backslash as a won sign). On Windows the
    // system's own tables of that code page do the converting.
    QString name() const;

    [[nodiscard]] QString decode(const QByteArray &bytes) const;
    // The text's bytes, or nothing when a character has no form in this
    // code page (never a question mark in its place).
    [[nodiscard]] std::optional<QByteArray> encode(const QString &text) const;

private:
    // The system's tables, one file per system.
    [[nodiscard]] QString decodeWithTables(const QByteArray &bytes) const;

    int m_codePage;
    bool m_keepsAscii; // every byte below 0x80 is its ASCII character
};

} // namespace ojn
