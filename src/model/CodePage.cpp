#include "model/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace ojn {
namespace {

QByteArray converterName(int codePage)
{
    return "windows-" + QByteArray::number(codePage);
}

} // namespace

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

int systemAnsiCodePage()
{
#ifdef Q_OS_WIN
    return int(GetACP());
#else
    return ansiCodePageFor(QLocale());
#endif
}

TextCodec::TextCodec(int codePage)
    : m_codePage(supports(codePage) ? codePage : 1252)
{
}

bool TextCodec::supports(int codePage)
{
    return codePage > 0 && QStringDecoder(converterName(codePage).constData()).isValid();
}

QString TextCodec::name() const
{
    return QStringLiteral("windows-%1").arg(m_codePage);
}

QString TextCodec::decode(const QByteArray &bytes) const
{
    QStringDecoder decoder(name().toLatin1().constData());
    return decoder.decode(bytes);
}

std::optional<QByteArray> TextCodec::encode(const QString &text) const
{
    QStringEncoder encoder(name().toLatin1().constData());
    QByteArray bytes = encoder.encode(text);
    // Some converters substitute silently, so a round trip is the test that
    // every character really has its own bytes.
    if (encoder.hasError() || decode(bytes) != text)
        return std::nullopt;
    return bytes;
}

} // namespace ojn
