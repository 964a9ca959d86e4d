#include "folderwindow/EditSelectedDialog.h"

#include "model/ChartLayout.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ojn {
namespace {

QString shared(const QList<FieldTexts> &charts, QString FieldTexts::*field)
{
    if (charts.isEmpty())
        return QString();
    const QString &first = charts.first().*field;
    for (const FieldTexts &chart : charts) {
        if (chart.*field != first)
            return QLatin1String(KeepText);
    }
    return first;
}

// A box's text as an edit: none when it shows what it was shown with.
std::optional<QString> editOf(const QString &text, const QString &shown)
{
    if (text == shown || text == QLatin1String(KeepText))
        return std::nullopt;
    return text;
}

} // namespace

SelectedFieldTexts selectedFieldTexts(const QList<FieldTexts> &charts)
{
    SelectedFieldTexts texts;
    texts.Genre = shared(charts, &FieldTexts::Genre);
    texts.Artist = shared(charts, &FieldTexts::Artist);
    texts.Pattern = shared(charts, &FieldTexts::Pattern);
    texts.LevelEx = shared(charts, &FieldTexts::LevelEx);
    texts.LevelNx = shared(charts, &FieldTexts::LevelNx);
    texts.LevelHx = shared(charts, &FieldTexts::LevelHx);
    return texts;
}

EditSelectedDialog::EditSelectedDialog(const QList<FieldTexts> &charts, const TextCodec &codec, const QLocale &locale,
                                       QWidget *parent)
    : QDialog(parent)
    , m_shown(selectedFieldTexts(charts))
    , m_codec(codec)
    , m_locale(locale)
{
    setObjectName(QStringLiteral("EditSelectedDialog"));
    setWindowTitle(QStringLiteral("Edit Selected Charts"));

    auto *intro = new QLabel(
        QStringLiteral("Changes to %1 charts. A field left as it is keeps each chart's own value; "
                       "\"<keep>\" marks a field whose charts differ.")
            .arg(charts.size()),
        this);
    intro->setWordWrap(true);

    // Charts of different genres, or of one outside the list, offer
    // "<keep>" first; it keeps each chart's own.
    GenreBox = new QComboBox(this);
    if (genreValueOf(m_shown.Genre) < 0) {
        m_shown.Genre = QLatin1String(KeepText);
        GenreBox->addItem(m_shown.Genre);
    }
    for (const QString &name : genreNames())
        GenreBox->addItem(name);
    GenreBox->setCurrentIndex(GenreBox->findText(m_shown.Genre));

    const auto box = [this](const char *name, const QString &text, const char *accessibleName) {
        auto *edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1String(name));
        edit->setAccessibleName(QLatin1String(accessibleName));
        return edit;
    };
    GenreBox->setObjectName(QStringLiteral("GenreBox"));
    GenreBox->setAccessibleName(QStringLiteral("Genre"));
    ArtistBox = box("ArtistBox", m_shown.Artist, "Artist");
    PatternBox = box("PatternBox", m_shown.Pattern, "Pattern");
    ExBox = box("ExBox", m_shown.LevelEx, "Level Ex");
    NxBox = box("NxBox", m_shown.LevelNx, "Level Nx");
    HxBox = box("HxBox", m_shown.LevelHx, "Level Hx");

    auto *fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Genre:"), GenreBox);
    fields->addRow(QStringLiteral("&Artist:"), ArtistBox);
    fields->addRow(QStringLiteral("&Pattern:"), PatternBox);
    fields->addRow(QStringLiteral("Level &Ex:"), ExBox);
    fields->addRow(QStringLiteral("Level &Nx:"), NxBox);
    fields->addRow(QStringLiteral("Level &Hx:"), HxBox);

    ErrorText = new QLabel(this);
    ErrorText->setObjectName(QStringLiteral("ErrorText"));
    ErrorText->setWordWrap(true);
    ErrorText->setStyleSheet(QStringLiteral("color: #b00020"));
    ErrorText->hide();

    Buttons = new QDialogButtonBox(this);
    Buttons->setObjectName(QStringLiteral("Buttons"));
    QPushButton *apply = Buttons->addButton(QStringLiteral("Appl&y"), QDialogButtonBox::AcceptRole);
    apply->setObjectName(QStringLiteral("BtnApply"));
    apply->setDefault(true);
    Buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BtnCancelEdit"));
    connect(Buttons, &QDialogButtonBox::accepted, this, &EditSelectedDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &EditSelectedDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(fields);
    layout->addWidget(ErrorText);
    layout->addWidget(Buttons);
}

FieldEdits EditSelectedDialog::edits() const
{
    FieldEdits edits;
    edits.Genre = editOf(GenreBox->currentText(), m_shown.Genre);
    edits.Artist = editOf(ArtistBox->text(), m_shown.Artist);
    edits.Pattern = editOf(PatternBox->text(), m_shown.Pattern);
    edits.LevelEx = editOf(ExBox->text(), m_shown.LevelEx);
    edits.LevelNx = editOf(NxBox->text(), m_shown.LevelNx);
    edits.LevelHx = editOf(HxBox->text(), m_shown.LevelHx);
    return edits;
}

void EditSelectedDialog::accept()
{
    // The values pass or fail alike for every chart, so a trial on an
    // empty chart finds a bad one before any file is touched.
    ChartRecord trial;
    if (const Outcome check = applyFieldEdits(edits(), trial, m_codec, m_locale); !check.ok()) {
        ErrorText->setText(check.error());
        ErrorText->show();
        return;
    }
    QDialog::accept();
}

} // namespace ojn
