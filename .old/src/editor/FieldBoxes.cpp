// The field boxes and the header fields they show: filled from the record
// and read back for a save through one table, in the model's code page and
// number forms, so the window and ojn-header show the same texts.
#include "editor/Form1.h"

#include <QComboBox>
#include <QLineEdit>

namespace ojn {

std::vector<Form1::FieldBox> Form1::fieldBoxes() const
{
    // The form is a fixed design; each box points into the field table.
    return {
        {IDBox, HeaderField::SongId},        {TitleBox, HeaderField::Title},       {ArtistBox, HeaderField::Artist},
        {PatternBox, HeaderField::Pattern},  {OJMBox, HeaderField::OjmFile},       {GenreBox, HeaderField::Genre},
        {BPMBox, HeaderField::Bpm},          {ExBox, HeaderField::LevelEx},        {NxBox, HeaderField::LevelNx},
        {HxBox, HeaderField::LevelHx},       {NoteEx, HeaderField::NoteCountEx},   {NoteNx, HeaderField::NoteCountNx},
        {NoteHx, HeaderField::NoteCountHx},
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
            list->setCurrentIndex(list->findText(texts[field.field]));
        else
            static_cast<QLineEdit *>(field.box)->setText(texts[field.field]);
    }
}

FieldTexts Form1::shownFieldTexts() const
{
    FieldTexts texts;
    for (const FieldBox &field : fieldBoxes()) {
        const auto *list = qobject_cast<const QComboBox *>(field.box);
        texts[field.field] = list ? list->currentText() : static_cast<const QLineEdit *>(field.box)->text();
    }
    return texts;
}

} // namespace ojn
