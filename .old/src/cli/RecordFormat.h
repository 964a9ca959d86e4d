#pragma once

#include "cli/Console.h"

#include <QCommandLineParser>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

namespace ojn::cli {

// Text for people, or JSON for scripts (--json).
enum class OutputForm { Text, Json };

[[nodiscard]] inline OutputForm outputFormOf(const QCommandLineParser &options)
{
    return options.isSet(QStringLiteral("json")) ? OutputForm::Json : OutputForm::Text;
}

// The two forms of one kind of record (a chart, check's findings, a song
// list): each command prints through one of these, never choosing a form
// itself.
template <typename Record>
struct RecordFormat {
    QString (*text)(const Record &, const Console &);
    QJsonObject (*json)(const Record &, const Console &);
};

// Prints records in the form asked for: text blocks an empty line apart,
// or one compact JSON object per line. Each record is flushed as it is
// printed, so that it comes before the messages about the next.
template <typename Record>
class RecordPrinter {
public:
    RecordPrinter(RecordFormat<Record> format, OutputForm form, Console &console)
        : m_format(format), m_form(form), m_console(console)
    {
    }

    void print(const Record &record)
    {
        QTextStream &out = m_console.out;
        if (m_form == OutputForm::Json) {
            out << QJsonDocument(m_format.json(record, m_console)).toJson(QJsonDocument::Compact) << '\n';
        } else {
            if (!m_first)
                out << '\n';
            out << m_format.text(record, m_console);
        }
        out.flush();
        m_first = false;
    }

private:
    RecordFormat<Record> m_format;
    OutputForm m_form;
    Console &m_console;
    bool m_first = true;
};

} // namespace ojn::cli
