// The change rules of the ten header field controls. They run for every
// change of a box's text, typed or set by the program.
#include "editor/Form1.h"

#include "model/NumberText.h"

#include <QComboBox>
#include <QLineEdit>

namespace ojn {

void Form1::connectFieldRules()
{
    for (QLineEdit *box : {TitleBox, ArtistBox, PatternBox, OJMBox})
        connect(box, &QLineEdit::textChanged, this, &Form1::onTextFieldChanged);
    connect(GenreBox, &QComboBox::currentIndexChanged, this, &Form1::onTextFieldChanged);

    // A changed tempo marks the chart changed too, so closing asks before
    // the new tempo is lost.
    for (QLineEdit *box : {IDBox, BPMBox, ExBox, NxBox, HxBox})
        connect(box, &QLineEdit::textChanged, this, [this, box] { onNumericFieldChanged(box); });
}

QString Form1::heldNumberText(const QLineEdit *box) const
{
    if (box == BPMBox)
        return bpmText(Chart.BPM, m_locale);
    if (box == ExBox)
        return integerText(Chart.LevelEx);
    if (box == NxBox)
        return integerText(Chart.LevelNx);
    if (box == HxBox)
        return integerText(Chart.LevelHx);
    return integerText(Chart.SongID);
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
    // A damaged chart's NaN or infinite tempo shows as text that is not a
    // number; putting it back again would never end.
    const QString heldText = heldNumberText(box);
    if (box->text() == heldText)
        return;
    // Not a number: the value as last opened or saved comes back. This runs
    // the rule once more, on the restored text.
    box->setText(heldText);
}

} // namespace ojn
