#pragma once

#include "filehistory/FileHistory.h"
#include "model/FieldValues.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <utility>

namespace ojn {

class MusicFolderWindow;

// "Edit Selected...": the genre, artist, pattern and levels of several
// charts at once, saved one by one on the work's task thread; and that
// saving for a CSV import's edits too.
class EditSelectedCommand final : public QObject {
    Q_OBJECT
public:
    EditSelectedCommand(MusicFolderWindow &window, QObject *parent);

    void editSelected();
    // Saves each chart with its edits as `ojn-header set` would, their rows
    // read again as they come, as one step of `kind`; says what was saved
    // and what could not be, then runs `then`.
    void saveCharts(HistoryStep::Kind kind, const QList<std::pair<QString, FieldEdits>> &charts, std::function<void()> then = {});

signals:
    void chartSaved(const QString &path);

private:
    MusicFolderWindow &m_window;
};

} // namespace ojn
