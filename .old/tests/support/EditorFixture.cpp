#include "support/EditorFixture.h"

#include <QAction>
#include <QPushButton>

namespace ojn::test {

EditorFixture::EditorFixture(const QByteArray &chart)
    : original(chart)
    , path(dir.filePath(QStringLiteral("chart.ojn")))
{
    writeFile(path, chart);
    // A fixture chart that does not open is a broken test, which stops at once.
    if (const QString message = open(path); !opened())
        qFatal("fixture chart did not open: %s", qPrintable(message));
}

QString EditorFixture::open(const QString &chartPath)
{
    const qsizetype messagesBefore = dialogs.messages.size();
    dialogs.fileNames.enqueue(chartPath);
    form.BtnBrowseOJN->click();
    return dialogs.messages.size() > messagesBefore ? dialogs.messages.last().text : QString();
}

bool EditorFixture::opened() const
{
    return dialogs.messages.isEmpty() && form.BtnSave->isEnabled() && form.Chart.ChartPath == path;
}

bool isEnabled(const QObject *control)
{
    if (const auto *action = qobject_cast<const QAction *>(control))
        return action->isEnabled();
    return qobject_cast<const QWidget *>(control)->isEnabled();
}

QStringList controlsNotEnabled(const Form1 &form, bool wanted)
{
    QStringList wrong;
    for (const QObject *control : form.editingControls()) {
        if (isEnabled(control) != wanted)
            wrong << control->objectName();
    }
    return wrong;
}

QString firstDifference(const QByteArray &actual, const QByteArray &expected)
{
    const qsizetype common = qMin(actual.size(), expected.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (actual[i] != expected[i])
            return QStringLiteral("first difference at byte %1").arg(i);
    }
    return QStringLiteral("sizes %1 and %2").arg(actual.size()).arg(expected.size());
}

} // namespace ojn::test
