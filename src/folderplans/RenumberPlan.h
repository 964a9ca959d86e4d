#pragma once

#include "folderplans/FolderPlan.h"
#include "folderplans/FolderState.h"
#include "result/Result.h"

#include <QString>

#include <optional>

namespace ojn {

// Gives the chart song ID `newId`: its header, its file name, its OJM's
// name, and the list's entry. Tutorial.ojn is refused: the game finds it
// by that name.
[[nodiscard]] Result<FolderPlan> planRenumber(const QString &chart, qint64 newId, const PlanSettings &settings);
// The same in the chart's folder as `state` read it (every header, and the
// holders), for a plan that renumbers several charts against one reading.
[[nodiscard]] Result<FolderPlan> planRenumber(const FolderState &state, const QString &chart, qint64 newId,
                                              const PlanSettings &settings);

// An ID free in the folder for a new chart: the lowest at or above
// `from` that no chart, file name or list entry holds; nothing when none
// is left. For offering one before planning a renumber.
[[nodiscard]] std::optional<qint64> lowestFreeSongId(const QString &folder, qint64 from, const PlanSettings &settings);

} // namespace ojn
