#pragma once

#include "folderplans/FolderPlan.h"
#include "result/Result.h"
#include "model/ChartCheck.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace ojn {

// Mending a song ID that several charts of a folder hold.

// The charts of `charts` holding the song ID of the `selected` ones (as
// `charts` names them), in `charts`' order, when every selected chart
// holds that one ID and at least two charts hold it; empty otherwise.
[[nodiscard]] QStringList duplicateIdGroup(const QList<ChartScan> &charts, const QStringList &selected);

// Gives every chart of `group` but `keeper` a song ID of its own, each the
// lowest free at or above 100 that the others have not taken, as
// planRenumber would; the song list, when given, is synced once at the end.
[[nodiscard]] Result<FolderPlan> planResolveDuplicateIds(const QStringList &group, const QString &keeper, const PlanSettings &settings);

} // namespace ojn
