#include "support/EditorFixture.h"

#include <QPushButton>

namespace ojn::test {

QString openChartInForm(Form1 &form, ScriptedDialogs &dialogs, const QString &path)
{
    const qsizetype messagesBefore = dialogs.messages.size();
    dialogs.fileNames.enqueue(path);
    form.BtnBrowseOJN->click();
    return dialogs.messages.size() > messagesBefore ? dialogs.messages.last().text : QString();
}

} // namespace ojn::test
