#pragma once

#include "folderplans/FolderPlan.h"
#include "result/Result.h"

#include <QString>

#include <optional>

namespace ojn {

// Gives the chart song ID `newId`: its header, its file name, its OJM's
// name, and the list's entry. Tutorial.ojn is refused: the game finds it
// by that name.
[[nodiscard]] Result<FolderPlan> planRenumber(const QString &chart, qint64 newId, const PlanSettings &settings);

// An ID free in the folder for a new chart: the lowest at or above
// `from` that no chart, file name or list entry holds; nothing when none
// is left. For offering one before planning a renumber.
[[nodiscard]] std::optional<qint64> lowestFreeSongId(const QString &folder, qint64 from, const PlanSettings &settings);

} // namespace ojn
