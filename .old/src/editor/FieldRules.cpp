// The change rules of the ten header field controls: a change marks the
// header changed, and a numeric box whose text stops being a number gets
// its held value back. They run for every change, typed or set by the
// program, so filling the boxes on an open runs them too.
#include "editor/Form1.h"

#include "text/NumberText.h"

#include <QComboBox>
#include <QLineEdit>

namespace ojn {

void Form1::connectFieldRules()
{
    for (QLineEdit *box : {TitleBox, ArtistBox, PatternBox, OJMBox})
        connect(box, &QLineEdit::textChanged, this, &Form1::onTextFieldChanged);
    connect(GenreBox, &QComboBox::currentIndexChanged, this, &Form1::onTextFieldChanged);

    // A numeric tempo marks the chart changed like the other numbers, so
    // closing asks before a new tempo is lost.
    for (QLineEdit *box : {IDBox, BPMBox, ExBox, NxBox, HxBox})
        connect(box, &QLineEdit::textChanged, this, [this, box] { onNumericFieldChanged(box); });
}

void Form1::onTextFieldChanged()
{
    InfoDirty = true;
}

void Form1::onNumericFieldChanged(QLineEdit *box)
{
    if (isNumericText(box->text(), m_locale)) {
        InfoDirty = true;
        return;
    }
    // The held value in the very text an open shows it in. A damaged
    // chart's NaN or infinite tempo shows as text that is not a number;
    // putting that back again would never end.
    const FieldTexts held = heldFieldTexts();
    QString heldText;
    for (const FieldBox &field : fieldBoxes()) {
        if (field.box == box)
            heldText = held[field.field];
    }
    if (box->text() == heldText)
        return;
    // Not a number: the value as last opened or saved comes back. This runs
    // the rule once more, on the restored text.
    box->setText(heldText);
}

} // namespace ojn
