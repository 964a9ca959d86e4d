#pragma once

#include "headercsv/HeaderCsvImport.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace ojn {

// What a CSV import would do, before anything is written: one row per
// field that changes (chart, field, old, new), the note counts that
// differ (which stay), and the bad rows, for which nothing can be
// applied until the CSV is fixed.
class ImportPreviewDialog final : public QDialog {
    Q_OBJECT
public:
    explicit ImportPreviewDialog(const HeaderCsvImportPlan &plan, QWidget *parent = nullptr);

    QLabel *SummaryText = nullptr;
    QTableView *ChangesTable = nullptr;
    QPlainTextEdit *BadRowsText = nullptr;
    QPushButton *BtnApply = nullptr;
};

} // namespace ojn
