#pragma once

#include "text/CodePage.h"
#include "model/FieldValues.h"

#include <QDialog>
#include <QList>
#include <QLocale>

#include <array>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace ojn {

// Shown in a field whose selected charts hold different values.
inline constexpr char KeepText[] = "<keep>";

// The fields "Edit Selected..." offers (those with an edit label in the
// field table), each with the text all the selected charts share, or
// "<keep>" where they differ; the other fields are empty.
[[nodiscard]] FieldTexts selectedFieldTexts(const QList<FieldTexts> &charts);

// Edits the fields the field table gives an edit label (the genre, artist,
// pattern and the three levels) of several charts at once. A field left as it was shown is no edit, so each chart keeps
// its own value; so is a field showing "<keep>".
class EditSelectedDialog final : public QDialog {
    Q_OBJECT
public:
    EditSelectedDialog(const QList<FieldTexts> &charts, const TextCodec &codec, const QLocale &locale,
                       QWidget *parent = nullptr);

    [[nodiscard]] FieldEdits edits() const;

    QComboBox *GenreBox = nullptr;
    // The box of a text or number field it offers, or null.
    [[nodiscard]] QLineEdit *lineBox(HeaderField field) const { return m_lineBoxes[size_t(field)]; }
    QLabel *ErrorText = nullptr;
    QDialogButtonBox *Buttons = nullptr;

public slots:
    // Refuses, in the dialog, a value no chart could take.
    void accept() override;

private:
    FieldTexts m_shown;
    std::array<QLineEdit *, HeaderFieldCount> m_lineBoxes{};
    TextCodec m_codec;
    QLocale m_locale;
};

} // namespace ojn
