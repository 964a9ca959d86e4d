#include "text/CodePage.h"

#include <algorithm>

namespace ojn {

int ansiCodePageFor(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::Korean:
        return 949;
    case QLocale::Japanese:
        return 932;
    case QLocale::Chinese: {
        const bool traditional = locale.script() == QLocale::TraditionalHanScript
            || (locale.script() == QLocale::AnyScript
                && (locale.territory() == QLocale::Taiwan || locale.territory() == QLocale::HongKong
                    || locale.territory() == QLocale::Macao));
        return traditional ? 950 : 936;
    }
    case QLocale::Thai:
        return 874;
    case QLocale::Polish:
    case QLocale::Czech:
    case QLocale::Slovak:
    case QLocale::Hungarian:
    case QLocale::Slovenian:
    case QLocale::Croatian:
    case QLocale::Romanian:
    case QLocale::Albanian:
    case QLocale::Turkmen:
    case QLocale::LowerSorbian:
    case QLocale::UpperSorbian:
        return 1250;
    case QLocale::Serbian:
    case QLocale::Bosnian:
        return locale.script() == QLocale::CyrillicScript ? 1251 : 1250;
    case QLocale::Russian:
    case QLocale::Ukrainian:
    case QLocale::Belarusian:
    case QLocale::Bulgarian:
    case QLocale::Macedonian:
    case QLocale::Kazakh:
    case QLocale::Kyrgyz:
    case QLocale::Tatar:
    case QLocale::Mongolian:
    case QLocale::Bashkir:
    case QLocale::Sakha:
    case QLocale::Tajik:
        return 1251;
    case QLocale::Uzbek:
        return locale.script() == QLocale::CyrillicScript ? 1251 : 1254;
    case QLocale::Azerbaijani:
        return locale.script() == QLocale::CyrillicScript ? 1251 : 1254;
    case QLocale::Greek:
        return 1253;
    case QLocale::Turkish:
        return 1254;
    case QLocale::Hebrew:
    case QLocale::Yiddish:
        return 1255;
    case QLocale::Arabic:
    case QLocale::Persian:
    case QLocale::Urdu:
    case QLocale::Pashto:
    case QLocale::Uyghur:
    case QLocale::Sindhi:
        return 1256;
    case QLocale::Estonian:
    case QLocale::Latvian:
    case QLocale::Lithuanian:
        return 1257;
    case QLocale::Vietnamese:
        return 1258;
    default:
        return 1252;
    }
}

namespace {

// The pages that give every byte below 0x80 its ASCII character: the ANSI
// pages of every language, and UTF-8. ISO-2022, UTF-7 and EBCDIC pages
// do not.
bool keepsAscii(int codePage)
{
    return codePage == 874 || codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950
        || (codePage >= 1250 && codePage <= 1258) || codePage == 65001;
}

} // namespace

TextCodec::TextCodec(int codePage)
    : m_codePage(supports(codePage) ? codePage : 1252)
    , m_keepsAscii(keepsAscii(m_codePage))
{
}

QString TextCodec::decode(const QByteArray &bytes) const
{
    // Most header texts are ASCII, and making a converter costs more than
    // the rest of a CSV row.
    if (m_keepsAscii && std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes);
    return decodeWithTables(bytes);
}

QString TextCodec::name() const
{
    return QStringLiteral("windows-%1").arg(m_codePage);
}

} // namespace ojn
