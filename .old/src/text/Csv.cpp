#include "text/Csv.h"

#include <QStringDecoder>

namespace ojn {
namespace {

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// Past the line break at `i` (CRLF counts as one), counting the line.
qsizetype skipLineBreak(QStringView text, qsizetype i, qsizetype &line)
{
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
        ++i;
    ++line;
    return i + 1;
}

} // namespace

QList<CsvRecord> readCsv(QStringView text)
{
    QList<CsvRecord> records;
    qsizetype i = 0;
    qsizetype line = 1;
    const qsizetype n = text.size();
    while (i < n) {
        CsvRecord record;
        record.line = line;
        // One field per pass; the record ends at a line break or the end.
        for (;;) {
            QString field;
            if (i < n && text[i] == u'"') {
                const qsizetype openedOn = line;
                ++i;
                bool closed = false;
                while (i < n) {
                    if (text[i] == u'"') {
                        if (i + 1 < n && text[i + 1] == u'"') {
                            field += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (isLineBreak(text[i])) {
                        const qsizetype from = i;
                        i = skipLineBreak(text, i, line);
                        field += text.sliced(from, i - from);
                        continue;
                    }
                    field += text[i++];
                }
                if (!closed) {
                    record.error = QStringLiteral("The quote that opens field %1 on line %2 is never closed.")
                                       .arg(record.fields.size() + 1)
                                       .arg(openedOn);
                    break;
                }
                if (i < n && text[i] != u',' && !isLineBreak(text[i])) {
                    record.error = QStringLiteral("Field %1 has text after its closing quote.").arg(record.fields.size() + 1);
                    break;
                }
            } else {
                const qsizetype from = i;
                while (i < n && text[i] != u',' && !isLineBreak(text[i]) && text[i] != u'"')
                    ++i;
                field = text.sliced(from, i - from).toString();
                if (i < n && text[i] == u'"') {
                    record.error = QStringLiteral("Field %1 has a quote inside it; a field with quotes must be in quotes "
                                                  "itself, with each of its quotes doubled.")
                                       .arg(record.fields.size() + 1);
                    break;
                }
            }
            record.fields.append(field);
            if (i < n && text[i] == u',') {
                ++i;
                continue;
            }
            break;
        }
        if (!record.error.isEmpty()) {
            // The rest of the malformed line goes with it.
            while (i < n && !isLineBreak(text[i]))
                ++i;
        }
        if (i < n)
            i = skipLineBreak(text, i, line);
        records.append(std::move(record));
    }
    return records;
}

Result<QString> csvTextOf(const QByteArray &bytes)
{
    QByteArrayView view = bytes;
    if (view.startsWith(csvByteOrderMark()))
        view = view.sliced(csvByteOrderMark().size());
    // The one mark is taken off above; any other U+FEFF is text and stays.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(view);
    if (decoder.hasError()) {
        // Where, for a user who saved it in another encoding by mistake.
        const qsizetype bad = qMax<qsizetype>(0, text.indexOf(QChar::ReplacementCharacter));
        const qsizetype line = text.first(bad).count(u'\n') + 1;
        return Failure{QStringLiteral("It is not UTF-8 text (line %1 is not); save it as \"CSV UTF-8\".").arg(line)};
    }
    return text;
}

QString csvField(const QString &field)
{
    for (const QChar c : field) {
        if (c == u',' || c == u'"' || isLineBreak(c)) {
            QString quoted = field;
            quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
            return u'"' + quoted + u'"';
        }
    }
    return field;
}

QByteArray csvLine(const QStringList &fields)
{
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += u',';
        line += csvField(fields[i]);
    }
    return line.toUtf8() + "\r\n";
}

QByteArray csvByteOrderMark()
{
    return QByteArrayLiteral("\xEF\xBB\xBF");
}

} // namespace ojn
