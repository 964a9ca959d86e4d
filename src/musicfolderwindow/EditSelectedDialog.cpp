#include "musicfolderwindow/EditSelectedDialog.h"

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

bool offered(const HeaderFieldInfo &info)
{
    return *info.editLabel != '\0';
}

QString shared(const QList<FieldTexts> &charts, HeaderField field)
{
    if (charts.isEmpty())
        return QString();
    const QString &first = charts.first()[field];
    for (const FieldTexts &chart : charts) {
        if (chart[field] != first)
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

FieldTexts selectedFieldTexts(const QList<FieldTexts> &charts)
{
    FieldTexts texts;
    for (const HeaderFieldInfo &info : headerFields()) {
        if (offered(info))
            texts[info.field] = shared(charts, info.field);
    }
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
    QString &genre = m_shown[HeaderField::Genre];
    GenreBox = new QComboBox(this);
    if (genreValueOf(genre) < 0) {
        genre = QLatin1String(KeepText);
        GenreBox->addItem(genre);
    }
    for (const QString &name : genreNames())
        GenreBox->addItem(name);
    GenreBox->setCurrentIndex(GenreBox->findText(genre));

    auto *fields = new QFormLayout;
    for (const HeaderFieldInfo &info : headerFields()) {
        if (!offered(info))
            continue;
        QWidget *box = GenreBox;
        if (info.field != HeaderField::Genre) {
            auto *line = new QLineEdit(m_shown[info.field], this);
            m_lineBoxes[size_t(info.field)] = line;
            box = line;
        }
        box->setObjectName(QLatin1String(info.boxName));
        box->setAccessibleName(QLatin1String(info.label));
        fields->addRow(QLatin1String(info.editLabel), box);
    }

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
    for (const HeaderFieldInfo &info : headerFields()) {
        if (!offered(info))
            continue;
        const QString text = info.field == HeaderField::Genre ? GenreBox->currentText() : lineBox(info.field)->text();
        edits[info.field] = editOf(text, m_shown[info.field]);
    }
    return edits;
}

void EditSelectedDialog::accept()
{
    // The values pass or fail alike for every chart, so a trial on an
    // empty chart finds a bad one before any file is touched.
    ChartRecord trial;
    if (const Result<> check = applyFieldEdits(edits(), trial, m_codec, m_locale); !check.ok()) {
        ErrorText->setText(check.error());
        ErrorText->show();
        return;
    }
    QDialog::accept();
}

} // namespace ojn
