#pragma once

#include "folderplans/FolderPlan.h"
#include "result/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ojn {

struct AddSettings : PlanSettings {
    std::optional<qint64> firstId; // the lowest ID a chart whose own is taken may get
    QString firstIdAdvice;         // how to give firstId, told when no ID above the highest is free
};

// Copies `charts`, each with its OJM, into `folder` under free song IDs as
// o2ma<ID>.ojn and o2ma<ID>.ojm, then gives the list their entries. A
// chart named twice, or the same bytes in two packs, is added once.
[[nodiscard]] Result<FolderPlan> planAdd(const QString &folder, const QStringList &charts, const AddSettings &settings);

} // namespace ojn
