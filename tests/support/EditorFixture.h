#pragma once

#include "editor/Form1.h"
#include "support/ScriptedDialogs.h"

#include <QString>

namespace ojn::test {

// Opens `path` through the real open command, as a user picking it in the
// file dialog would. Returns the text of the message the command showed,
// or an empty text when it showed none.
QString openChartInForm(Form1 &form, ScriptedDialogs &dialogs, const QString &path);

} // namespace ojn::test
