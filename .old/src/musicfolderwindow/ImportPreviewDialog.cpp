#include "musicfolderwindow/ImportPreviewDialog.h"

#include "musicfolderwindow/TextTableModel.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace ojn {
namespace {

// The plan's changes, a row each: chart, field, old, new.
QList<QStringList> changeRows(const HeaderCsvImportPlan &plan)
{
    QList<QStringList> rows;
    for (const CsvChartPlan &row : plan.rows) {
        for (const CsvFieldChange &change : row.changes)
            rows.append({row.file, QLatin1String(fieldInfo(change.field).label), change.oldText, change.newText});
        for (const CsvFieldChange &difference : row.readOnlyDifferences) {
            rows.append({row.file, QStringLiteral("%1 (not changed)").arg(QLatin1String(fieldInfo(difference.field).label)),
                         difference.oldText, difference.newText});
        }
    }
    return rows;
}

QString summaryOf(const HeaderCsvImportPlan &plan)
{
    if (!plan.badRows.isEmpty()) {
        return QStringLiteral("%1 of the CSV's rows cannot be applied, so nothing will be written. Fix them in the CSV "
                              "and import it again.")
            .arg(plan.badRows.size());
    }
    const qsizetype changed = plan.changedCharts();
    if (changed == 0)
        return QStringLiteral("The CSV changes nothing: its %1 rows match the charts.").arg(plan.rows.size());
    return QStringLiteral("%1 %2 will change; %3 %4 no change.")
        .arg(changed)
        .arg(QLatin1String(changed == 1 ? "chart" : "charts"))
        .arg(plan.unchangedRows())
        .arg(QLatin1String(plan.unchangedRows() == 1 ? "row has" : "rows have"));
}

} // namespace

ImportPreviewDialog::ImportPreviewDialog(const HeaderCsvImportPlan &plan, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ImportPreviewDialog"));
    setWindowTitle(QStringLiteral("Import CSV"));

    SummaryText = new QLabel(summaryOf(plan), this);
    SummaryText->setObjectName(QStringLiteral("SummaryText"));
    SummaryText->setWordWrap(true);

    ChangesTable = newTextTable(QStringLiteral("ChangesTable"), QStringLiteral("Changes"),
                                {QStringLiteral("Chart"), QStringLiteral("Field"), QStringLiteral("Old"), QStringLiteral("New")},
                                changeRows(plan), this);
    ChangesTable->setColumnWidth(0, 180);

    BadRowsText = new QPlainTextEdit(this);
    BadRowsText->setObjectName(QStringLiteral("BadRowsText"));
    BadRowsText->setAccessibleName(QStringLiteral("Bad rows"));
    BadRowsText->setReadOnly(true);
    QStringList bad;
    for (const CsvBadRow &row : plan.badRows)
        bad << QStringLiteral("Line %1: %2").arg(row.line).arg(row.reason);
    BadRowsText->setPlainText(bad.join(QLatin1Char('\n')));
    BadRowsText->setVisible(!bad.isEmpty());

    auto *buttons = new QDialogButtonBox(this);
    BtnApply = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::AcceptRole);
    BtnApply->setObjectName(QStringLiteral("BtnApply"));
    BtnApply->setEnabled(plan.badRows.isEmpty() && plan.changedCharts() > 0);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BtnCancelImport"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(SummaryText);
    layout->addWidget(ChangesTable, 3);
    layout->addWidget(BadRowsText, 1);
    layout->addWidget(buttons);
    resize(760, 480);
}

} // namespace ojn
