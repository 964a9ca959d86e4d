#pragma once

#include <QObject>
#include <QString>

namespace ojn {

class EditSelectedCommand;
class MusicFolderWindow;
class SongListCommands;
struct HeaderCsvImportPlan;

// Export... and Import...: the rows in view out to a CSV, and a CSV's
// changes shown, then saved as Edit Selected saves.
class CsvCommands final : public QObject {
    Q_OBJECT
public:
    CsvCommands(MusicFolderWindow &window, EditSelectedCommand &saving, SongListCommands &songList, QObject *parent);

    void exportCsv();
    void importCsv();

private:
    // The file dialogs' start: the last CSV, else beside the Music folder.
    [[nodiscard]] QString startPath() const;
    void previewImport(const HeaderCsvImportPlan &plan);

    MusicFolderWindow &m_window;
    EditSelectedCommand &m_saving;
    SongListCommands &m_songList;
    QString m_csvPath;
};

} // namespace ojn
