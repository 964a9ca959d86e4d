#pragma once

// A chart file in a temporary folder, opened in a real main window through
// the real open command, for the save and close tests.

#include "editor/Form1.h"
#include "support/ChartBuilder.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace ojn::test {

struct ChartSession {
    explicit ChartSession(const QByteArray &chart)
        : original(chart)
    {
        path = dir.filePath(QStringLiteral("chart.ojn"));
        writeFile(path, chart);
        form = std::make_unique<Form1>(dialogs);
        dialogs.fileNames.enqueue(path);
        form->BtnBrowseOJN->click();
    }

    // The chart opened with no message and the window is ready to edit.
    bool opened() const { return dialogs.messages.isEmpty() && form->BtnSave->isEnabled() && form->Chart.ChartPath == path; }

    QByteArray onDisk() const { return readFile(path); }

    // Every entry of the folder, hidden ones too: a left-over temporary
    // file shows up here.
    QStringList entries() const
    {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    QTemporaryDir dir;
    QByteArray original;
    QString path;
    ScriptedDialogs dialogs;
    std::unique_ptr<Form1> form;
};

// The first byte where two files differ, for failure messages.
inline QString firstDifference(const QByteArray &actual, const QByteArray &expected)
{
    const qsizetype common = qMin(actual.size(), expected.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (actual[i] != expected[i])
            return QStringLiteral("first difference at byte %1").arg(i);
    }
    return QStringLiteral("sizes %1 and %2").arg(actual.size()).arg(expected.size());
}

} // namespace ojn::test
