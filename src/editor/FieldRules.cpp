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

    connect(IDBox, &QLineEdit::textChanged, this, [this] { onNumericFieldChanged(IDBox, integerText(Chart.SongID)); });
    connect(ExBox, &QLineEdit::textChanged, this, [this] { onNumericFieldChanged(ExBox, integerText(Chart.LevelEx)); });
    connect(NxBox, &QLineEdit::textChanged, this, [this] { onNumericFieldChanged(NxBox, integerText(Chart.LevelNx)); });
    connect(HxBox, &QLineEdit::textChanged, this, [this] { onNumericFieldChanged(HxBox, integerText(Chart.LevelHx)); });
    // A changed tempo marks the chart changed too, so closing asks before
    // the new tempo is lost.
    connect(BPMBox, &QLineEdit::textChanged, this, [this] { onNumericFieldChanged(BPMBox, bpmText(Chart.BPM, m_locale)); });
}

void Form1::onTextFieldChanged()
{
    InfoDirty = true;
}

void Form1::onNumericFieldChanged(QLineEdit *box, const QString &heldText)
{
    if (isNumericText(box->text(), m_locale)) {
        InfoDirty = true;
        return;
    }
    // A damaged chart's NaN or infinite tempo shows as text that is not a
    // number; putting it back again would never end.
    if (box->text() == heldText)
        return;
    // Not a number: the value as last opened or saved comes back. This runs
    // the rule once more, on the restored text.
    box->setText(heldText);
}

} // namespace ojn
