#pragma once

#include "folderchecks/FolderListing.h"
#include "folderplans/FolderPlan.h"
#include "result/Result.h"

#include <QString>
#include <QStringList>

namespace ojn {

// Names every chart of `folder` and its OJM for the song ID its header
// holds; `only`, when not empty, limits that to those charts.
[[nodiscard]] Result<FolderPlan> planRename(const QString &folder, const PlanSettings &settings, const QStringList &only = {});
// The same in a folder as the caller listed it (a window, from its scan):
// the plan then reads no more than the headers of `only`.
[[nodiscard]] Result<FolderPlan> planRename(const FolderListing &listing, const PlanSettings &settings,
                                            const QStringList &only = {});

} // namespace ojn
