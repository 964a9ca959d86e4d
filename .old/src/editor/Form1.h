#pragma once

#include "dialogs/Dialogs.h"
#include "dialogs/FileDialog.h"
#include "model/ChartRecord.h"
#include "text/CodePage.h"
#include "model/FieldValues.h"
#include "result/Result.h"
#include "pictures/Picture.h"
#include "pictures/PictureWindow.h"

#include <QLocale>
#include <QMainWindow>
#include <QPointer>

#include <vector>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace ojn {

// The main window: shows the open chart's header, and every user command is
// one of its handlers. It holds the whole editing state.
class Form1 final : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(Dialogs &dialogs, QWidget *parent = nullptr);
    ~Form1() override;

    // --- Editing state -------------------------------------------------
    ChartRecord Chart; // ChartPath, the held header values, the byte buffers
    Picture FullImagePicture;
    Picture SmallFramePicture;
    bool InfoDirty = false;
    bool FullImageDirty = false;
    bool SmallFrameDirty = false;

    // The picture windows; created on first need, discarded when closed.
    LoadingFrameForm *loadingFrameForm() const { return m_loadingFrameForm; }
    ThumbnailFrameForm *thumbnailFrameForm() const { return m_thumbnailFrameForm; }

    // The code page and number forms the fields are shown and read in.
    const TextCodec &codec() const { return m_codec; }
    const QLocale &locale() const { return m_locale; }

    // --- Controls ------------------------------------------------------
    QLabel *Label1 = nullptr;
    QLineEdit *PathBox = nullptr;
    QPushButton *BtnBrowseOJN = nullptr;

    QGroupBox *Frame1 = nullptr;
    QLabel *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr;
    QLabel *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr;
    QLineEdit *TitleBox = nullptr, *ArtistBox = nullptr, *PatternBox = nullptr;
    QComboBox *GenreBox = nullptr;
    QLineEdit *IDBox = nullptr, *BPMBox = nullptr, *OJMBox = nullptr;

    QGroupBox *Frame2 = nullptr;
    QLabel *Label9 = nullptr, *Label10 = nullptr, *Label11 = nullptr;
    QLineEdit *ExBox = nullptr, *NxBox = nullptr, *HxBox = nullptr;

    QGroupBox *Frame3 = nullptr;
    QLabel *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr;
    QLineEdit *NoteEx = nullptr, *NoteNx = nullptr, *NoteHx = nullptr;

    QGroupBox *Frame4 = nullptr, *Frame6 = nullptr, *Frame7 = nullptr, *Frame8 = nullptr;
    QLabel *Label15 = nullptr, *Label16 = nullptr, *Label17 = nullptr;
    QPushButton *BtnPreviewFullImage = nullptr, *BtnViewSmallFrame = nullptr;
    QPushButton *BtnChangeFullImage = nullptr, *BtnSmallImage = nullptr;
    QPushButton *BtnExtractFullImage = nullptr, *BtnExtractSmallFrame = nullptr;

    QPushButton *BtnAbout = nullptr, *BtnSave = nullptr, *BtnSaveAs = nullptr;

    QMenu *FileMenuStrip = nullptr, *HelpMenuStrip = nullptr;
    QAction *OpenMenuStrip = nullptr, *OpenMusicFolderMenuStrip = nullptr, *Separator1 = nullptr, *SaveMenuStrip = nullptr;
    QAction *SaveAsMenuStrip = nullptr, *Separator2 = nullptr, *ExitMenuStrip = nullptr;
    QAction *AboutMenuStrip = nullptr;

    ojn::FileDialog FileDialog;

    // The 27 controls usable only while a chart is open, in switching order
    // (the change flags are cleared between HxBox and Frame1).
    std::vector<QObject *> editingControls() const;

    // The boxes of the header fields, each with the field it shows, in
    // the order the fields are filled and read: the one table through which
    // the boxes show the record and are read back.
    struct FieldBox {
        QWidget *box; // a QLineEdit, or the GenreBox list
        HeaderField field;
    };
    std::vector<FieldBox> fieldBoxes() const;

    // Writes the chart as the boxes show it to `path`, safely; changes no
    // control, flag or path. The failure says what went wrong.
    Result<> WriteChartFile(const QString &path);

    // Opens the chart at `path` as the open command does once a file is
    // chosen, after the question about unsaved changes: for the chart
    // named on the command line and for a dropped file.
    void openChartFile(const QString &path);
    // A folder is a music folder to look at, in a window of its own
    // (musicFolderRequested); anything else is opened as a chart, as above.
    void openPath(const QString &path);

public slots:
    void openChart();         // BtnBrowseOJN, OpenMenuStrip
    void openMusicFolder();   // OpenMusicFolderMenuStrip
    void saveChart();         // BtnSave, SaveMenuStrip
    void saveChartAs();       // BtnSaveAs, SaveAsMenuStrip
    void changeCover();       // BtnChangeFullImage
    void changeThumbnail();   // BtnSmallImage
    void viewCover();         // BtnPreviewFullImage
    void viewThumbnail();     // BtnViewSmallFrame
    void extractCover();      // BtnExtractFullImage
    void extractThumbnail();  // BtnExtractSmallFrame
    void showAbout();         // BtnAbout, AboutMenuStrip
    void exitProgram();       // ExitMenuStrip

    // The chart at `path` was changed and saved by another window. When it
    // is the open chart, it is read again; with unsaved edits, the user is
    // asked first whether to drop them.
    void chartChangedOnDisk(const QString &path);
    // The chart at `from` was given the new name `to` by another window
    // (its header may have changed too). When it is the open chart, the
    // window follows it to `to`, then goes on as above.
    void chartMovedOnDisk(const QString &from, const QString &to);
    // Another window is about to change or move these charts. When one is
    // the open chart with unsaved changes, the user is asked whether to
    // save them first, as before opening another chart.
    void chartsAboutToChange(const QStringList &paths);

signals:
    // File > "Open Music Folder..." or a folder dropped on the window.
    void musicFolderRequested(const QString &folder);
    // Any successful save of a chart: Save, Save As, or on being asked.
    void chartSaved(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void buildMenus();
    void setTabOrder();
    void connectCommands();
    void connectFieldRules();

    // The state after start-up, an open, a refused open and a save: the
    // editing controls on (a chart is open) or off, and nothing unsaved.
    void resetEditingState(bool chartOpen);
    // Clears the three change flags: the window shows what the file holds.
    void markSaved();

    // The field boxes and the record, through the model's field texts.
    void showChartFields();
    FieldTexts shownFieldTexts() const;
    FieldTexts heldFieldTexts() const;

    // The field change rules.
    void onTextFieldChanged();
    void onNumericFieldChanged(QLineEdit *box);

    // When the chart has unsaved changes, asks whether to save them and
    // saves on Yes, leaving the editing controls on or off as `after` says.
    // False when that save failed: the caller must not go on, since the
    // edits are still only in the window.
    enum class AfterSave { KeepEditing, StopEditing };
    [[nodiscard]] bool maybeSave(AfterSave after);

    // Opening, from the step after the file dialog on: reads the chart
    // into the window, or shows why it cannot.
    void loadChart(const QString &path);
    // Empties the boxes and disables the editing controls after a refused
    // or failed open.
    void closeChartView();
    void openDroppedFiles(const QStringList &files);

    // The picture commands' shared steps; each pair of twins differs only
    // in its filter, buffer, picture, flag and message.
    void replacePicture(const QString &filter, QByteArray &buffer, Picture &picture, bool &dirty);
    void viewPicture(PictureWindow &window, const Picture &picture);
    void extractPicture(const QString &filter, const QByteArray &buffer, const QString &doneMessage);

    void showError(const QString &text);
    void showWarning(const QString &text); // a refusal: nothing was tried
    void showInfo(const QString &text);

    LoadingFrameForm *ensureLoadingFrameForm();
    ThumbnailFrameForm *ensureThumbnailFrameForm();

    Dialogs &m_dialogs;
    TextCodec m_codec;
    QLocale m_locale;
    QPointer<LoadingFrameForm> m_loadingFrameForm;
    QPointer<ThumbnailFrameForm> m_thumbnailFrameForm;
};

} // namespace ojn
