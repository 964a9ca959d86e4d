// The field boxes and the header fields they show: filled from the record
// and read back for a save through one table, in the model's code page and
// number forms, so the window and ojn-header show the same texts.
#include "editor/Form1.h"

#include <QComboBox>
#include <QLineEdit>

namespace ojn {

std::vector<Form1::FieldBox> Form1::fieldBoxes() const
{
    return {
        {IDBox, &FieldTexts::SongID},        {TitleBox, &FieldTexts::Title},       {ArtistBox, &FieldTexts::Artist},
        {PatternBox, &FieldTexts::Pattern},  {OJMBox, &FieldTexts::OJMFile},       {GenreBox, &FieldTexts::Genre},
        {BPMBox, &FieldTexts::BPM},          {ExBox, &FieldTexts::LevelEx},        {NxBox, &FieldTexts::LevelNx},
        {HxBox, &FieldTexts::LevelHx},       {NoteEx, &FieldTexts::NoteCountEx},   {NoteNx, &FieldTexts::NoteCountNx},
        {NoteHx, &FieldTexts::NoteCountHx},
    };
}

FieldTexts Form1::heldFieldTexts() const
{
    return fieldTextsOf(Chart, m_codec, m_locale);
}

void Form1::showChartFields()
{
    const FieldTexts texts = heldFieldTexts();
    for (const FieldBox &field : fieldBoxes()) {
        // A genre outside the list has no text, so no entry is selected,
        // and a save then keeps the stored value.
        if (auto *list = qobject_cast<QComboBox *>(field.box))
            list->setCurrentIndex(list->findText(texts.*field.text));
        else
            static_cast<QLineEdit *>(field.box)->setText(texts.*field.text);
    }
}

FieldTexts Form1::shownFieldTexts() const
{
    FieldTexts texts;
    for (const FieldBox &field : fieldBoxes()) {
        const auto *list = qobject_cast<const QComboBox *>(field.box);
        texts.*field.text = list ? list->currentText() : static_cast<const QLineEdit *>(field.box)->text();
    }
    return texts;
}

} // namespace ojn
