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

// Edits the fields the field table gives an edit label of several charts
// at once: a named field in a list of its names, the others as typed. A
// field left as it was shown is no edit, so each chart keeps its own
// value; so is a field showing "<keep>".
class EditSelectedDialog final : public QDialog {
    Q_OBJECT
public:
    EditSelectedDialog(const QList<FieldTexts> &charts, const TextCodec &codec, const QLocale &locale,
                       QWidget *parent = nullptr);

    [[nodiscard]] FieldEdits edits() const;

    // The box of a text or number field it offers, or null.
    [[nodiscard]] QLineEdit *lineBox(HeaderField field) const { return m_lineBoxes[size_t(field)]; }
    // The list of a named field it offers, or null.
    [[nodiscard]] QComboBox *nameBox(HeaderField field) const { return m_nameBoxes[size_t(field)]; }
    QLabel *ErrorText = nullptr;
    QDialogButtonBox *Buttons = nullptr;

public slots:
    // Refuses, in the dialog, a value no chart could take.
    void accept() override;

private:
    FieldTexts m_shown;
    std::array<QLineEdit *, HeaderFieldCount> m_lineBoxes{};
    std::array<QComboBox *, HeaderFieldCount> m_nameBoxes{};
    TextCodec m_codec;
    QLocale m_locale;
};

} // namespace ojn
