#pragma once

#include "text/CodePage.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace ojn {

// One file system step of a folder plan. Every step that makes a name
// makes a new one, never replacing a file; every step is safe to run again
// after an interruption (a new name already holding exactly the bytes the
// step would give it counts as done).
enum class StepKind {
    Copy,       // `from`'s bytes as the new file `to`
    Link,       // `to` a second name of `from` (a copy where there are no links); a later step removes `from`
    Write,      // the chart `from` saved as `to` with song ID `songId` and OJM o2ma<songId>.ojm
    Rename,     // `from` moved to the new name `to`
    Remove,     // the name `from`, once its file lives on as `to`
    ListUpdate, // the song list `to` given `entries`, those of the units done
};

// One song's entry in the song list as a unit of the plan leaves it. It is
// worked out when the list is written, from the chart as it is then, and
// only when every step of its unit was done: a chart left as it was keeps
// its entry byte for byte.
struct ListEntryEdit {
    int unit = -1;    // -1: whenever the list is written (a chart an earlier run made)
    QString from;     // the chart whose first 300 bytes (decrypted) the entry holds
    // The song whose entries it replaces where they stand; appended when
    // that song is not listed, or when none is given. An entry already
    // listed as it is changes nothing.
    std::optional<qint32> replacing;
};

struct PlanStep {
    StepKind kind = StepKind::Copy;
    QString from;
    QString to;
    QString why;
    qint32 songId = 0;           // Write
    bool inPlace = false;        // Write: `to` is `from`, rewritten by the safe writer
    QList<ListEntryEdit> entries; // ListUpdate, in the order appended entries go
    // The unit it belongs to: the chart, or the charts sharing one OJM,
    // that stand or fall together (an index into the plan's `units`); -1:
    // the whole plan's, as the song list's step is.
    int unit = -1;
};

// A chart that is left as it is, and why.
struct PlanRefusal {
    QString path;
    QString reason;
};

// What a command will do, worked out before anything is done: the steps in
// the order they run, the charts refused, skipped and noted. A window shows
// it and asks; a command line prints it.
struct FolderPlan {
    QString folder;
    QList<PlanStep> steps;
    QList<PlanRefusal> refused;
    QStringList skipped;   // charts already done, lines saying so
    QStringList notes;     // anything else the user should know
    // Per unit of steps (a chart, or charts sharing an OJM; a step's
    // `unit` numbers it, and Cancel stops between them), its charts.
    QList<QStringList> units;
    // Per unit, the charts of `skipped` that are its chart named again in
    // this run: done with it, or refused with it.
    QHash<int, QStringList> namedAgain;
    int codePage = 1252;   // of the OJM names the Write steps put in headers

    [[nodiscard]] bool empty() const { return steps.isEmpty(); }
    [[nodiscard]] int unitCount() const { return int(units.size()); }
    [[nodiscard]] int chartFiles() const; // how many charts get steps
    // A new unit for these charts; its number.
    int addUnit(const QStringList &charts);
};

// What every plan is given. A plan reads the folder (and the song list,
// when one is given) and decides everything before any file is touched;
// run it with executeFolderPlan. A plan made again after an interruption
// finishes the job: a new name that already holds exactly the bytes the
// plan would give it counts as done. A folder or song list that cannot be
// read fails the plan, saying why.
struct PlanSettings {
    std::optional<QString> listPath; // the song list kept in step, if any
    TextCodec codec{1252};           // the code page of the headers' OJM names
};

// One line for the step: "copy A to B: why", or as done, "copied A to B".
// Names are shown relative to `folder` where they lie in it.
[[nodiscard]] QString describeStep(const PlanStep &step, const QString &folder, bool done);

// The line for a new name removed again because `failed`, a later step of
// its unit, failed: "removed o2ma216.ojm again: the chart could not be
// written."; with `removeError`, that the name could not be removed.
[[nodiscard]] QString describeTakenBack(const QString &path, const PlanStep &failed, const QString &folder,
                                        const QString &removeError = {});

} // namespace ojn
