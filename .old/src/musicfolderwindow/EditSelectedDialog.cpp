#include "musicfolderwindow/EditSelectedDialog.h"

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

// A box's text as an edit: none when it shows what it was shown with.
std::optional<QString> editOf(const QString &text, const QString &shown)
{
    if (text == shown || text == QLatin1String(KeepText))
        return std::nullopt;
    return text;
}

} // namespace

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

    auto *fields = new QFormLayout;
    for (const HeaderFieldInfo &info : headerFields()) {
        if (!offered(info))
            continue;
        QWidget *box = nullptr;
        if (info.named) {
            // Charts of different values, or of one outside the list,
            // offer "<keep>" first; it keeps each chart's own.
            QString &shown = m_shown[info.field];
            const QStringList names = valueNamesOf(info.field);
            auto *list = new QComboBox(this);
            if (!names.contains(shown)) {
                shown = QLatin1String(KeepText);
                list->addItem(shown);
            }
            list->addItems(names);
            list->setCurrentIndex(list->findText(shown));
            m_nameBoxes[size_t(info.field)] = list;
            box = list;
        } else {
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
        const QString text = info.named ? nameBox(info.field)->currentText() : lineBox(info.field)->text();
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
