#pragma once

#include "fileio/FolderEntries.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace ojn {

// A music folder's files, listed once, for the checks and the plans alike:
// its charts, and every name for case-blind look-ups. The two see the
// folder differently, and say which view they take. The checks look at
// what the game loads: every visible .ojn entry of any kind, so that a
// pipe named as a chart is said. A plan must see every name that is
// taken, hidden ones too, to never choose one, and moves only charts that
// are files.
struct FolderListing {
    QString folder; // as given
    // The checks' charts: every visible entry ending in .ojn, in any case,
    // in the folder itself (not in subfolders), sorted by name; a folder, a
    // pipe or a link to nothing so named too, whose check then says what
    // it is.
    QStringList chartPaths;
    // The visible entries that are no regular file, case-folded, each with
    // what it is (see notRegularFileReason).
    QHash<QString, QString> notRegularFiles;
    // Why the folder could not be listed; empty when it was.
    QString error;
    // Every entry, hidden ones too, as the system listed them.
    QList<FolderEntry> entries;

    // The listing of these entries of `folder`; the entries that are no
    // plain file are looked at on disk (notRegularFileReason).
    [[nodiscard]] static FolderListing of(const QString &folder, QList<FolderEntry> entries);

    // For the checks: whether a visible file of that name is there, in any
    // case.
    [[nodiscard]] bool containsFile(const QString &fileName) const;
    // What keeps the visible entry of that name, in any case, from being
    // read as a file; empty for a regular file or none.
    [[nodiscard]] QString notRegularReason(const QString &fileName) const;

    // For the plans, over every name. The name on disk of `name` in any
    // case (the first of several), or empty. Where the file system tells
    // case apart, two names may differ only in case: a step must not pick
    // one of them.
    [[nodiscard]] QString find(const QString &name) const;
    // Why `name` cannot be looked up: `what` ("its OJM") stands for two or
    // more names differing only in case, each named; empty when it can.
    [[nodiscard]] QString ambiguity(const QString &name, const QString &what) const;
    // The folder as an absolute path, and a name's path in it.
    [[nodiscard]] QString absoluteFolder() const { return m_absolute; }
    [[nodiscard]] QString pathOf(const QString &name) const { return m_absolute + QLatin1Char('/') + name; }
    // The charts a plan may move: the entries ending in .ojn, in any case,
    // hidden ones too, that are regular files (through links), by path.
    [[nodiscard]] QStringList chartFiles() const;
    // Whether `name` (exactly) is one of those.
    [[nodiscard]] bool isChartFile(const QString &name) const;

private:
    [[nodiscard]] const FolderEntry *entryNamed(const QString &name) const;
    [[nodiscard]] bool isChartFile(const FolderEntry &entry) const;

    QString m_absolute;
    QHash<QString, qsizetype> m_byFolded;        // case-folded name -> the first entry of that name, by name
    QHash<QString, QList<qsizetype>> m_caseTwins; // case-folded names of two or more entries -> them, by name
    QSet<QString> m_hiddenOnly;                  // case-folded names whose entries are all hidden
};

// Lists the folder; reads no file. The file system is asked for the names
// and types the listing itself returns, and only the entries that are no
// plain file (links among them) are looked at closer.
[[nodiscard]] FolderListing listFolder(const QString &folder);

} // namespace ojn
