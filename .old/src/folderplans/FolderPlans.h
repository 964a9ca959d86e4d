#pragma once

#include "folderplans/FolderPlan.h"
#include "text/CodePage.h"

#include "result/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ojn {

// The plans of the commands that grow and mend a music folder. Each reads
// the folder (and the song list, when one is given) and decides everything
// before any file is touched; run the plan with executeFolderPlan. A plan
// made again after an interruption finishes the job: a new name that
// already holds exactly the bytes the plan would give it counts as done.
// A folder or song list that cannot be read gives a plan with `error` set
// and no steps.

struct PlanSettings {
    std::optional<QString> listPath; // the song list kept in step, if any
    TextCodec codec{1252};           // the code page of the headers' OJM names
};

struct AddSettings : PlanSettings {
    std::optional<qint64> firstId; // the lowest ID a chart whose own is taken may get
    QString firstIdAdvice;         // how to give firstId, told when no ID above the highest is free
};

// Copies `charts`, each with its OJM, into `folder` under free song IDs as
// o2ma<ID>.ojn and o2ma<ID>.ojm, then gives the list their entries. A
// chart named twice, or the same bytes in two packs, is added once.
[[nodiscard]] Result<FolderPlan> planAdd(const QString &folder, const QStringList &charts, const AddSettings &settings);

// Gives the chart song ID `newId`: its header, its file name, its OJM's
// name, and the list's entry. Tutorial.ojn is refused: the game finds it
// by that name.
[[nodiscard]] Result<FolderPlan> planRenumber(const QString &chart, qint64 newId, const PlanSettings &settings);

// Names every chart of `folder` and its OJM for the song ID its header
// holds; `only`, when not empty, limits that to those charts.
[[nodiscard]] Result<FolderPlan> planRename(const QString &folder, const PlanSettings &settings, const QStringList &only = {});

// An ID free in the folder for a new chart: the lowest at or above
// `from` that no chart, file name or list entry holds; nothing when none
// is left. For offering one before planning a renumber.
[[nodiscard]] std::optional<qint64> lowestFreeSongId(const QString &folder, qint64 from, const PlanSettings &settings);

} // namespace ojn
