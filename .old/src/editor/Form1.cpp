#include "editor/Form1.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>

namespace ojn {

Form1::Form1(Dialogs &dialogs, QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                              | Qt::WindowCloseButtonHint)
    , FileDialog(dialogs, this)
    , m_dialogs(dialogs)
    , m_codec(systemAnsiCodePage())
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("OJN Tevrik Editor [Packed Version]"));
    // With the format named, Qt reads the icon without first loading every
    // image plugin to ask which one knows it: faster start-up.
    setWindowIcon(QIcon(QPixmap(QStringLiteral(":/icons/ojn-tevrik-editor-32.png"), "PNG")));

    buildControls();
    buildMenus();
    setTabOrder();
    connectCommands();
    connectFieldRules();

    // A chart dropped anywhere on the window opens, over the text boxes too.
    setAcceptDrops(true);
    for (QLineEdit *box : findChildren<QLineEdit *>())
        box->installEventFilter(this);

    // Start-up state: no chart, nothing to edit, nothing changed.
    resetEditingState(false);
    PathBox->setReadOnly(true);
    for (QLineEdit *noteBox : {NoteEx, NoteNx, NoteHx}) {
        noteBox->setReadOnly(true);
        noteBox->setEnabled(false);
    }

    // Fixed size: the client area as designed under the menu bar.
    setFixedSize(centralWidget()->width(), centralWidget()->height() + menuBar()->sizeHint().height());
}

Form1::~Form1() = default;

void Form1::connectCommands()
{
    // One handler per command, shared by a button and its menu twin.
    connect(BtnBrowseOJN, &QPushButton::clicked, this, &Form1::openChart);
    connect(OpenMenuStrip, &QAction::triggered, this, &Form1::openChart);
    connect(OpenMusicFolderMenuStrip, &QAction::triggered, this, &Form1::openMusicFolder);
    connect(BtnSave, &QPushButton::clicked, this, &Form1::saveChart);
    connect(SaveMenuStrip, &QAction::triggered, this, &Form1::saveChart);
    connect(BtnSaveAs, &QPushButton::clicked, this, &Form1::saveChartAs);
    connect(SaveAsMenuStrip, &QAction::triggered, this, &Form1::saveChartAs);
    connect(BtnChangeFullImage, &QPushButton::clicked, this, &Form1::changeCover);
    connect(BtnSmallImage, &QPushButton::clicked, this, &Form1::changeThumbnail);
    connect(BtnPreviewFullImage, &QPushButton::clicked, this, &Form1::viewCover);
    connect(BtnViewSmallFrame, &QPushButton::clicked, this, &Form1::viewThumbnail);
    connect(BtnExtractFullImage, &QPushButton::clicked, this, &Form1::extractCover);
    connect(BtnExtractSmallFrame, &QPushButton::clicked, this, &Form1::extractThumbnail);
    connect(BtnAbout, &QPushButton::clicked, this, &Form1::showAbout);
    connect(AboutMenuStrip, &QAction::triggered, this, &Form1::showAbout);
    connect(ExitMenuStrip, &QAction::triggered, this, &Form1::exitProgram);
}

std::vector<QObject *> Form1::editingControls() const
{
    return {
        BtnPreviewFullImage, BtnViewSmallFrame, BtnChangeFullImage, BtnSmallImage,
        BtnExtractFullImage, BtnExtractSmallFrame, BtnSave, BtnSaveAs,
        SaveMenuStrip, SaveAsMenuStrip,
        TitleBox, ArtistBox, PatternBox, GenreBox, IDBox, BPMBox, OJMBox, ExBox, NxBox, HxBox,
        Frame1, Frame2, Frame3, Frame4, Label15, Label16, Label17,
    };
}

void Form1::resetEditingState(bool chartOpen)
{
    // In the design's order: the commands and boxes, then the change flags,
    // then the frames and their labels.
    const std::vector<QObject *> controls = editingControls();
    const auto frames = std::find(controls.begin(), controls.end(), static_cast<QObject *>(Frame1));
    auto setEnabled = [chartOpen](auto from, auto to) {
        for (auto control = from; control != to; ++control) {
            if (auto *widget = qobject_cast<QWidget *>(*control))
                widget->setEnabled(chartOpen);
            else if (auto *action = qobject_cast<QAction *>(*control))
                action->setEnabled(chartOpen);
        }
    };
    setEnabled(controls.begin(), frames);
    markSaved();
    setEnabled(frames, controls.end());
}

void Form1::markSaved()
{
    InfoDirty = false;
    FullImageDirty = false;
    SmallFrameDirty = false;
}

void Form1::showError(const QString &text)
{
    m_dialogs.showMessage(this, text, QStringLiteral("Error"), MessageIcon::Critical, MessageButtons::Ok);
}

void Form1::showWarning(const QString &text)
{
    m_dialogs.showMessage(this, text, QStringLiteral("Warning"), MessageIcon::Warning, MessageButtons::Ok);
}

void Form1::showInfo(const QString &text)
{
    m_dialogs.showMessage(this, text, QStringLiteral("Info"), MessageIcon::Information, MessageButtons::Ok);
}

LoadingFrameForm *Form1::ensureLoadingFrameForm()
{
    if (!m_loadingFrameForm) {
        m_loadingFrameForm = new LoadingFrameForm(this);
        m_loadingFrameForm->setAttribute(Qt::WA_DeleteOnClose);
    }
    return m_loadingFrameForm;
}

ThumbnailFrameForm *Form1::ensureThumbnailFrameForm()
{
    if (!m_thumbnailFrameForm) {
        m_thumbnailFrameForm = new ThumbnailFrameForm(this);
        m_thumbnailFrameForm->setAttribute(Qt::WA_DeleteOnClose);
    }
    return m_thumbnailFrameForm;
}

} // namespace ojn
