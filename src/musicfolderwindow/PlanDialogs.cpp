#include "musicfolderwindow/PlanDialogs.h"

#include "musicfolderwindow/TextTableModel.h"
#include "model/SongId.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>


namespace ojn {
namespace {

// A file of the music folder by its name, any other by its whole path.
QString shownIn(const QString &path, const QString &folder)
{
    if (path.isEmpty())
        return path;
    const QFileInfo file(path);
    if (file.absolutePath() == QFileInfo(folder).absoluteFilePath())
        return file.fileName();
    return QDir::toNativeSeparators(path);
}

QString whatOf(const PlanStep &step)
{
    switch (step.kind) {
    case StepKind::Copy: return QStringLiteral("copy");
    case StepKind::Link: return QStringLiteral("second name");
    case StepKind::Write:
        return QStringLiteral("%1 with song ID %2")
            .arg(step.inPlace ? QStringLiteral("rewrite") : QStringLiteral("write"))
            .arg(step.songId);
    case StepKind::Rename: return QStringLiteral("move");
    case StepKind::Remove: return QStringLiteral("remove");
    case StepKind::ListUpdate: return QStringLiteral("update song list");
    }
    return QString();
}

// The steps, a row each: what, from, to, why.
QList<QStringList> stepRows(const FolderPlan &plan)
{
    QList<QStringList> rows;
    for (const PlanStep &step : plan.steps) {
        rows.append({whatOf(step), step.kind == StepKind::ListUpdate ? QString() : shownIn(step.from, plan.folder),
                     step.kind == StepKind::Remove ? QString() : shownIn(step.to, plan.folder), step.why});
    }
    return rows;
}

QString count(qsizetype n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QString summaryOf(const FolderPlan &plan)
{
    QString text = plan.steps.isEmpty() ? QStringLiteral("Nothing to do.")
                                         : QStringLiteral("%1 in %2.").arg(count(plan.chartFiles(), "chart", "charts"),
                                                                           count(plan.steps.size(), "step", "steps"));
    if (!plan.refused.isEmpty())
        text += QStringLiteral(" %1 left as %2.").arg(count(plan.refused.size(), "chart is", "charts are"),
                                                      QLatin1String(plan.refused.size() == 1 ? "it is" : "they are"));
    if (!plan.skipped.isEmpty())
        text += QStringLiteral(" %1 done already.").arg(count(plan.skipped.size(), "chart is", "charts are"));
    return text + QStringLiteral(" No file is replaced; Cancel stops between charts.");
}

QDialogButtonBox *okCancel(QDialog *dialog, const QString &okText, const char *okName, QPushButton **ok)
{
    auto *buttons = new QDialogButtonBox(dialog);
    *ok = buttons->addButton(okText, QDialogButtonBox::AcceptRole);
    (*ok)->setObjectName(QLatin1String(okName));
    buttons->addButton(QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace

PlanPreviewDialog::PlanPreviewDialog(const FolderPlan &plan, const QString &title, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("PlanPreviewDialog"));
    setWindowTitle(title);

    SummaryText = new QLabel(summaryOf(plan), this);
    SummaryText->setObjectName(QStringLiteral("SummaryText"));
    SummaryText->setWordWrap(true);

    StepsTable = newTextTable(QStringLiteral("StepsTable"), QStringLiteral("Steps"),
                              {QStringLiteral("Step"), QStringLiteral("From"), QStringLiteral("To"), QStringLiteral("Why")},
                              stepRows(plan), this);
    StepsTable->setWordWrap(false);
    for (int column = 0; column < 3; ++column)
        StepsTable->setColumnWidth(column, 170);

    RemarksText = new QPlainTextEdit(this);
    RemarksText->setObjectName(QStringLiteral("RemarksText"));
    RemarksText->setAccessibleName(QStringLiteral("Refused charts and notes"));
    RemarksText->setReadOnly(true);
    QStringList remarks;
    for (const PlanRefusal &refusal : plan.refused)
        remarks << QStringLiteral("%1: refused: %2").arg(shownIn(refusal.path, plan.folder), refusal.reason);
    remarks << plan.skipped;
    for (const QString &note : plan.notes)
        remarks << QStringLiteral("Note: ") + note;
    RemarksText->setPlainText(remarks.join(QLatin1Char('\n')));
    RemarksText->setVisible(!remarks.isEmpty());

    QDialogButtonBox *buttons = okCancel(this, QStringLiteral("&Apply"), "BtnApply", &BtnApply);
    BtnApply->setEnabled(!plan.steps.isEmpty());

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SummaryText);
    layout->addWidget(StepsTable, 3);
    layout->addWidget(RemarksText, 1);
    layout->addWidget(buttons);
    resize(860, 480);
}

SongIdDialog::SongIdDialog(const QString &chartName, qint64 currentId, std::optional<qint64> offered, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("SongIdDialog"));
    setWindowTitle(QStringLiteral("Change Song ID"));
    QString text = QStringLiteral("%1 holds song ID %2. Its files are named for the new ID, and its header names "
                                  "the OJM o2ma<ID>.ojm.").arg(chartName).arg(currentId);
    text += offered ? QStringLiteral("\n\nThe lowest free ID is %1.").arg(*offered) : QStringLiteral("\n\nNo ID from 100 up is free.");
    auto *about = new QLabel(text, this);
    about->setWordWrap(true);
    auto *label = new QLabel(QStringLiteral("New song &ID:"), this);
    IdBox = new QLineEdit(offered ? QString::number(*offered) : QString(), this);
    IdBox->setObjectName(QStringLiteral("IdBox"));
    IdBox->setAccessibleName(QStringLiteral("New song ID"));
    IdBox->setValidator(new QIntValidator(0, int(LastSongId), IdBox));
    label->setBuddy(IdBox);
    IdBox->selectAll();

    QDialogButtonBox *buttons = okCancel(this, QStringLiteral("&Plan..."), "BtnOk", &BtnOk);
    const auto check = [this] { BtnOk->setEnabled(IdBox->hasAcceptableInput()); };
    connect(IdBox, &QLineEdit::textChanged, this, check);
    check();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addWidget(label);
    layout->addWidget(IdBox);
    layout->addWidget(buttons);
}

qint64 SongIdDialog::songId() const
{
    return IdBox->text().toLongLong();
}

KeeperDialog::KeeperDialog(qint64 songId, const QStringList &paths, const QStringList &shown, QWidget *parent)
    : QDialog(parent)
    , m_paths(paths)
{
    setObjectName(QStringLiteral("KeeperDialog"));
    setWindowTitle(QStringLiteral("Resolve Duplicate IDs"));
    auto *label = new QLabel(QStringLiteral("%1 charts hold song ID %2. The one chosen &keeps it; the others get free IDs, "
                                            "their files named for them.").arg(paths.size()).arg(songId), this);
    label->setWordWrap(true);
    KeeperList = new QListWidget(this);
    KeeperList->setObjectName(QStringLiteral("KeeperList"));
    KeeperList->setAccessibleName(QStringLiteral("Chart that keeps the ID"));
    KeeperList->addItems(shown);
    KeeperList->setCurrentRow(0);
    label->setBuddy(KeeperList);

    QDialogButtonBox *buttons = okCancel(this, QStringLiteral("&Plan..."), "BtnOk", &BtnOk);
    connect(KeeperList, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(KeeperList);
    layout->addWidget(buttons);
}

QString KeeperDialog::keeper() const
{
    const int row = KeeperList->currentRow();
    return row >= 0 && row < m_paths.size() ? m_paths[row] : QString();
}

} // namespace ojn
