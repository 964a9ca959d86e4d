// Windows converts with its own tables: Qt without ICU knows none of the
// East Asian or Cyrillic code pages.
#include "text/CodePage.h"

#include <windows.h>

namespace ojn {

int systemAnsiCodePage()
{
    return int(GetACP());
}

namespace {

// Null when a byte is no character in the code page.
QString convertStrictly(UINT codePage, const char *bytes, int size)
{
    DWORD flags = MB_ERR_INVALID_CHARS;
    int length = MultiByteToWideChar(codePage, flags, bytes, size, nullptr, 0);
    if (length == 0 && GetLastError() == ERROR_INVALID_FLAGS) {
        flags = 0; // pages such as ISO-2022 take no flags, and check nothing
        length = MultiByteToWideChar(codePage, flags, bytes, size, nullptr, 0);
    }
    if (length <= 0)
        return {};
    QString text(length, Qt::Uninitialized);
    MultiByteToWideChar(codePage, flags, bytes, size, reinterpret_cast<LPWSTR>(text.data()), length);
    return text;
}

QString decodeWith(UINT codePage, const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    QString text = convertStrictly(codePage, bytes.constData(), int(bytes.size()));
    if (!text.isNull())
        return text;
    // Bytes that are no character (a bad pair of bytes) each
    // become U+FFFD, as with Qt's converters, rather than Windows' "?": an
    // edited text then cannot quietly store a question mark in their place.
    CPINFO info{};
    const bool doubleByte = GetCPInfo(codePage, &info) && info.MaxCharSize == 2;
    text.clear();
    for (qsizetype at = 0; at < bytes.size();) {
        // A lead byte at the very end is a character the slot cut in half:
        // left out, as Qt's converters leave it.
        if (doubleByte && at + 1 == bytes.size() && IsDBCSLeadByteEx(codePage, BYTE(bytes[at])))
            break;
        const bool pair = doubleByte && at + 1 < bytes.size() && IsDBCSLeadByteEx(codePage, BYTE(bytes[at]));
        const QString character = convertStrictly(codePage, bytes.constData() + at, pair ? 2 : 1);
        if (character.isNull()) {
            text += QChar(QChar::ReplacementCharacter);
            ++at; // the byte after a bad lead byte may be a character of its own
        } else {
            text += character;
            at += pair ? 2 : 1;
        }
    }
    return text;
}

// The bytes, or nothing when the system had to put its default character
// in. Without WC_NO_BEST_FIT_CHARS Windows would quietly write a look-alike
// (an "a" for an "a" with a macron); pages that take no flags (UTF-8, the
// ISO-2022 ones) report nothing, which the caller's round trip catches.
std::optional<QByteArray> encodeWith(UINT codePage, const QString &text)
{
    if (text.isEmpty())
        return QByteArray();
    const auto wide = reinterpret_cast<LPCWSTR>(text.utf16());
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL *usedDefaultFlag = &usedDefault;
    int length = WideCharToMultiByte(codePage, flags, wide, int(text.size()), nullptr, 0, nullptr, usedDefaultFlag);
    if (length == 0 && GetLastError() == ERROR_INVALID_FLAGS) {
        flags = 0;
        usedDefaultFlag = nullptr;
        length = WideCharToMultiByte(codePage, flags, wide, int(text.size()), nullptr, 0, nullptr, nullptr);
    }
    if (length <= 0 || usedDefault)
        return std::nullopt;
    QByteArray bytes(length, Qt::Uninitialized);
    if (WideCharToMultiByte(codePage, flags, wide, int(text.size()), bytes.data(), length, nullptr, usedDefaultFlag)
            != length
        || usedDefault)
        return std::nullopt;
    return bytes;
}

} // namespace

bool TextCodec::supports(int codePage)
{
    // IsValidCodePage also accepts pages that are no byte encoding at all
    // (UTF-16); a plain letter must convert both ways.
    if (codePage <= 0 || !IsValidCodePage(UINT(codePage)))
        return false;
    const QString letter(QLatin1Char('a'));
    const std::optional<QByteArray> bytes = encodeWith(UINT(codePage), letter);
    return bytes && decodeWith(UINT(codePage), *bytes) == letter;
}

QString TextCodec::decodeWithTables(const QByteArray &bytes) const
{
    return decodeWith(UINT(m_codePage), bytes);
}

std::optional<QByteArray> TextCodec::encode(const QString &text) const
{
    std::optional<QByteArray> bytes = encodeWith(UINT(m_codePage), text);
    if (!bytes || decode(*bytes) != text)
        return std::nullopt;
    return bytes;
}

} // namespace ojn
