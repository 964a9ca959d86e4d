#pragma once

#include "filehistory/FileHistory.h"
#include "folderplans/FolderPlan.h"

#include <QObject>
#include <QStringList>

#include <functional>

namespace ojn {

class MusicFolderWindow;
class SongListCommands;
struct PlanRun;

// Add Charts..., Change Song ID..., Name Files for IDs and Resolve
// Duplicate IDs, as `ojn-header add`, `renumber` and `rename` do them:
// each plan is made off the window's thread, shown, and run there once the
// user agrees, chart by chart with progress and Cancel; then the folder is
// read again and the song list offered for updating.
class FolderPlanCommands final : public QObject {
    Q_OBJECT
public:
    FolderPlanCommands(MusicFolderWindow &window, SongListCommands &songList, QObject *parent);

    void addCharts();
    // Charts dropped on the window, or chosen by Add Charts....
    void addChartFiles(const QStringList &paths);
    void changeSongId();
    void nameFilesForIds();
    void resolveDuplicateIds();

signals:
    // As the window's signals of the same names.
    void chartsAboutToChange(const QStringList &paths);
    void chartMoved(const QString &from, const QString &to);
    void chartSaved(const QString &path);

private:
    [[nodiscard]] PlanSettings planSettings() const;
    // Makes the plan off the window's thread, then shows it.
    void planInBackground(HistoryStep::Kind kind, const QString &doneWord, std::function<Result<FolderPlan>()> make);
    void previewPlan(HistoryStep::Kind kind, const QString &doneWord, const Result<FolderPlan> &planned);
    void finishPlan(HistoryStep::Kind kind, const FolderPlan &plan, const PlanRun &run, const QList<PlanStep> &done,
                    QList<FileChange> changes, const QString &doneWord);

    MusicFolderWindow &m_window;
    SongListCommands &m_songList;
    QString m_chartsAddedFrom;
};

} // namespace ojn
