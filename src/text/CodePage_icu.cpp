// Qt's converters, which ICU provides, on every system but Windows.
#include "text/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace ojn {

int systemAnsiCodePage()
{
    return ansiCodePageFor(QLocale());
}

namespace {

QByteArray converterName(int codePage)
{
    return "windows-" + QByteArray::number(codePage);
}

} // namespace

bool TextCodec::supports(int codePage)
{
    return codePage > 0 && QStringDecoder(converterName(codePage).constData()).isValid();
}

QString TextCodec::decodeWithTables(const QByteArray &bytes) const
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
