#pragma once

#include "folderplans/FolderPlan.h"

#include <QDialog>
#include <QStringList>

#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTableView;

namespace ojn {

// What a folder command would do, before anything is done: one row per
// step (what, from, to, why), then the charts refused or already done
// and the notes. Apply runs it.
class PlanPreviewDialog final : public QDialog {
    Q_OBJECT
public:
    PlanPreviewDialog(const FolderPlan &plan, const QString &title, QWidget *parent = nullptr);

    QLabel *SummaryText = nullptr;
    QTableView *StepsTable = nullptr;
    QPlainTextEdit *RemarksText = nullptr;
    QPushButton *BtnApply = nullptr;
};

// Change Song ID...: the new ID of one chart, the lowest free one offered.
class SongIdDialog final : public QDialog {
    Q_OBJECT
public:
    SongIdDialog(const QString &chartName, qint64 currentId, std::optional<qint64> offered, QWidget *parent = nullptr);

    // The ID typed; the dialog is only accepted with one from 0 up.
    [[nodiscard]] qint64 songId() const;

    QLineEdit *IdBox = nullptr;
    QPushButton *BtnOk = nullptr;
};

// Resolve Duplicate IDs: which of the charts sharing an ID keeps it.
class KeeperDialog final : public QDialog {
    Q_OBJECT
public:
    // `shown` are the lines shown for `paths`, one each.
    KeeperDialog(qint64 songId, const QStringList &paths, const QStringList &shown, QWidget *parent = nullptr);

    [[nodiscard]] QString keeper() const;

    QListWidget *KeeperList = nullptr;
    QPushButton *BtnOk = nullptr;

private:
    QStringList m_paths;
};

} // namespace ojn
