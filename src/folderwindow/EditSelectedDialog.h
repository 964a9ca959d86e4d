#pragma once

#include "model/CodePage.h"
#include "model/FieldValues.h"

#include <QDialog>
#include <QList>
#include <QLocale>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace ojn {

// Shown in a field whose selected charts hold different values.
inline constexpr char KeepText[] = "<keep>";

// The fields "Edit Selected..." offers, each with the text all the
// selected charts share, or "<keep>" where they differ.
struct SelectedFieldTexts {
    QString Genre, Artist, Pattern, LevelEx, LevelNx, LevelHx;
};
[[nodiscard]] SelectedFieldTexts selectedFieldTexts(const QList<FieldTexts> &charts);

// Edits the genre, artist, pattern and the three levels of several charts
// at once. A field left as it was shown is no edit, so each chart keeps
// its own value; so is a field showing "<keep>".
class EditSelectedDialog final : public QDialog {
    Q_OBJECT
public:
    EditSelectedDialog(const QList<FieldTexts> &charts, const TextCodec &codec, const QLocale &locale,
                       QWidget *parent = nullptr);

    [[nodiscard]] FieldEdits edits() const;

    QComboBox *GenreBox = nullptr;
    QLineEdit *ArtistBox = nullptr, *PatternBox = nullptr;
    QLineEdit *ExBox = nullptr, *NxBox = nullptr, *HxBox = nullptr;
    QLabel *ErrorText = nullptr;
    QDialogButtonBox *Buttons = nullptr;

public slots:
    // Refuses, in the dialog, a value no chart could take.
    void accept() override;

private:
    SelectedFieldTexts m_shown;
    TextCodec m_codec;
    QLocale m_locale;
};

} // namespace ojn
