// The change rules of the ten header field controls.
#include "editor/Form1.h"

namespace ojn {

void Form1::connectFieldRules()
{
}

void Form1::onTextFieldChanged()
{
}

void Form1::onNumericFieldChanged(QLineEdit *, const QString &, bool)
{
}

} // namespace ojn
