// Builds the main window's controls at their designed places.
#include "editor/Form1.h"

#include "model/ChartLayout.h"
#include "windowunits/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <utility>

namespace ojn {
namespace {

template <typename Widget>
Widget *place(Widget *widget, const char *name, QRect where)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(where);
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const char *caption, QRect where)
{
    auto *l = place(new QLabel(QLatin1String(caption), parent), name, where);
    // The designed widths suit a small bitmap font; where the platform's
    // default font is wider, the label grows to the right rather than cut
    // its caption.
    if (l->sizeHint().width() > where.width())
        l->resize(l->sizeHint().width(), where.height());
    return l;
}

QLineEdit *textBox(QWidget *parent, const char *name, QRect where)
{
    return place(new QLineEdit(parent), name, where);
}

// The letter after '&' is the button's Alt key; each is used once in the
// window, F and H being the menus'. Screen readers speak the caption
// without the '&'.
QPushButton *button(QWidget *parent, const char *name, const char *caption, QRect where)
{
    auto *b = place(new QPushButton(QLatin1String(caption), parent), name, where);
    b->setAutoDefault(false);
    return b;
}

QGroupBox *frame(QWidget *parent, const char *name, const char *caption, QRect where)
{
    return place(new QGroupBox(QLatin1String(caption), parent), name, where);
}

// What a screen reader announces for each control. Buttons speak their
// captions by themselves; a field box is named by the field's short name
// (its label without the colon; the level and note boxes with their
// frame's caption in front, since "Ex:" alone appears twice). The
// captionless picture frames take the name of the label that heads them.
void nameForScreenReaders(Form1 &form)
{
    for (const Form1::FieldBox &field : form.fieldBoxes())
        field.box->setAccessibleName(QLatin1String(fieldInfo(field.field).columnTitle));
    const std::pair<QWidget *, const char *> names[] = {
        {form.PathBox, "File"}, {form.Frame6, "Preview"}, {form.Frame7, "Manage"}, {form.Frame8, "Extract"},
    };
    for (const auto &[widget, name] : names)
        widget->setAccessibleName(QLatin1String(name));
    // "Full Image" and "Small Frame" under "Extract" say what they show,
    // not what they do.
    form.BtnExtractFullImage->setAccessibleDescription(QStringLiteral("Extract the full image to a file"));
    form.BtnExtractSmallFrame->setAccessibleDescription(QStringLiteral("Extract the small frame to a file"));
}

// The platform's own keys for a command, or `fallback` where it has none
// (Windows has no Save As key).
QList<QKeySequence> standardKeys(QKeySequence::StandardKey command, const QKeySequence &fallback = {})
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(command);
    return keys.isEmpty() && !fallback.isEmpty() ? QList<QKeySequence>{fallback} : keys;
}

// A menu item with its keys. They reach the window from any control in it,
// the text boxes too, and a disabled item ignores them as it ignores a click.
QAction *menuItem(QMenu *menu, const char *name, const char *caption, const QList<QKeySequence> &keys)
{
    QAction *item = menu->addAction(QLatin1String(caption));
    item->setObjectName(QLatin1String(name));
    item->setShortcuts(keys);
    return item;
}

} // namespace

void Form1::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(twips(0, 0, 7905, 4425).size());
    setCentralWidget(client);

    // Top row.
    Label1 = label(client, "Label1", "File:", twips(120, 150, 375, 255));
    PathBox = textBox(client, "PathBox", twips(480, 120, 5775, 285));
    BtnBrowseOJN = button(client, "BtnBrowseOJN", "&Browse OJN...", twips(6360, 90, 1470, 330));

    // General Info.
    Frame1 = frame(client, "Frame1", "General Info", twips(120, 480, 4335, 2415));
    Label2 = label(Frame1, "Label2", "Title:", twips(120, 370, 495, 255));
    TitleBox = textBox(Frame1, "TitleBox", twips(840, 360, 3375, 285));
    Label3 = label(Frame1, "Label3", "Artist:", twips(120, 735, 495, 255));
    ArtistBox = textBox(Frame1, "ArtistBox", twips(840, 720, 3375, 285));
    Label4 = label(Frame1, "Label4", "Pattern:", twips(120, 1095, 615, 255));
    PatternBox = textBox(Frame1, "PatternBox", twips(840, 1080, 3375, 285));
    Label5 = label(Frame1, "Label5", "Genre:", twips(120, 1470, 615, 255));
    GenreBox = place(new QComboBox(Frame1), "GenreBox", twips(840, 1440, 1695, 315));
    for (const QString &name : genreNames())
        GenreBox->addItem(name);
    GenreBox->setCurrentIndex(-1);
    Label6 = label(Frame1, "Label6", "ID:", twips(2640, 1470, 255, 255));
    IDBox = textBox(Frame1, "IDBox", twips(3000, 1440, 1215, 285));
    Label7 = label(Frame1, "Label7", "BPM:", twips(120, 1830, 615, 240));
    BPMBox = textBox(Frame1, "BPMBox", twips(840, 1800, 855, 285));
    Label8 = label(Frame1, "Label8", "OJM:", twips(1800, 1830, 375, 255));
    OJMBox = textBox(Frame1, "OJMBox", twips(2400, 1800, 1815, 285));

    // Level.
    Frame2 = frame(client, "Frame2", "Level", twips(120, 3000, 4335, 615));
    Label9 = label(Frame2, "Label9", "Ex:", twips(120, 255, 255, 225));
    ExBox = textBox(Frame2, "ExBox", twips(480, 230, 735, 285));
    Label10 = label(Frame2, "Label10", "Nx:", twips(1440, 255, 255, 225));
    NxBox = textBox(Frame2, "NxBox", twips(1800, 230, 735, 285));
    Label11 = label(Frame2, "Label11", "Hx:", twips(2760, 255, 255, 225));
    HxBox = textBox(Frame2, "HxBox", twips(3120, 230, 735, 285));

    // Notes: display only.
    Frame3 = frame(client, "Frame3", "Notes", twips(120, 3720, 4335, 615));
    Label14 = label(Frame3, "Label14", "Ex:", twips(120, 255, 255, 225));
    NoteEx = textBox(Frame3, "NoteEx", twips(480, 230, 735, 285));
    Label13 = label(Frame3, "Label13", "Nx:", twips(1440, 255, 255, 225));
    NoteNx = textBox(Frame3, "NoteNx", twips(1800, 230, 735, 285));
    Label12 = label(Frame3, "Label12", "Hx:", twips(2760, 255, 255, 225));
    NoteHx = textBox(Frame3, "NoteHx", twips(3120, 230, 735, 285));

    // Loading Frame: the picture commands in three captionless groups.
    Frame4 = frame(client, "Frame4", "Loading Frame", twips(4560, 480, 3255, 3495));
    Frame6 = frame(Frame4, "Frame6", "", twips(120, 240, 3015, 1215));
    Label15 = label(Frame6, "Label15", "Preview", twips(120, 0, 585, 255));
    BtnPreviewFullImage = button(Frame6, "BtnPreviewFullImage", "&View Full Image", twips(120, 240, 2775, 375));
    // Belongs to Frame4 but sits inside Frame6's area, drawn above it, as
    // the second button of the "Preview" group.
    BtnViewSmallFrame = button(Frame4, "BtnViewSmallFrame", "View S&mall Frame", twips(240, 960, 2775, 375));
    BtnViewSmallFrame->raise();
    Frame7 = frame(Frame4, "Frame7", "", twips(120, 1440, 3015, 1215));
    Label16 = label(Frame7, "Label16", "Manage", twips(120, 0, 585, 255));
    BtnChangeFullImage = button(Frame7, "BtnChangeFullImage", "&Change Full Image", twips(120, 240, 2775, 375));
    BtnSmallImage = button(Frame7, "BtnSmallImage", "Change Small F&rame", twips(120, 720, 2775, 375));
    Frame8 = frame(Frame4, "Frame8", "", twips(120, 2640, 3015, 735));
    Label17 = label(Frame8, "Label17", "Extract", twips(120, 0, 495, 255));
    BtnExtractFullImage = button(Frame8, "BtnExtractFullImage", "Full &Image", twips(120, 240, 1335, 375));
    BtnExtractSmallFrame = button(Frame8, "BtnExtractSmallFrame", "Sma&ll Frame", twips(1560, 240, 1335, 375));

    // Bottom row.
    BtnAbout = button(client, "BtnAbout", "Ab&out", twips(4560, 3960, 975, 375));
    BtnSave = button(client, "BtnSave", "&Save", twips(5800, 3960, 975, 375));
    BtnSaveAs = button(client, "BtnSaveAs", "Save &As", twips(6840, 3960, 975, 375));

    nameForScreenReaders(*this);
}

void Form1::buildMenus()
{
    FileMenuStrip = menuBar()->addMenu(QStringLiteral("&File"));
    FileMenuStrip->setObjectName(QStringLiteral("FileMenuStrip"));
    OpenMenuStrip = menuItem(FileMenuStrip, "OpenMenuStrip", "&Open", standardKeys(QKeySequence::Open));
    OpenMusicFolderMenuStrip = menuItem(FileMenuStrip, "OpenMusicFolderMenuStrip", "Open &Music Folder...", {});
    Separator1 = FileMenuStrip->addSeparator();
    Separator1->setObjectName(QStringLiteral("Separator1"));
    SaveMenuStrip = menuItem(FileMenuStrip, "SaveMenuStrip", "&Save", standardKeys(QKeySequence::Save));
    SaveAsMenuStrip = menuItem(FileMenuStrip, "SaveAsMenuStrip", "Save &As",
                               standardKeys(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    Separator2 = FileMenuStrip->addSeparator();
    Separator2->setObjectName(QStringLiteral("Separator2"));
    // No key: Exit ends the program without asking, so a stray key must
    // never throw edits away.
    ExitMenuStrip = menuItem(FileMenuStrip, "ExitMenuStrip", "E&xit", {});

    HelpMenuStrip = menuBar()->addMenu(QStringLiteral("&Help"));
    HelpMenuStrip->setObjectName(QStringLiteral("HelpMenuStrip"));
    AboutMenuStrip = menuItem(HelpMenuStrip, "AboutMenuStrip", "&About",
                              standardKeys(QKeySequence::HelpContents, QKeySequence(Qt::Key_F1)));
}

void Form1::setTabOrder()
{
    // The designed focus order; disabled controls (the note counts always,
    // the editing controls while no chart is open) are passed over.
    const std::vector<QWidget *> order{
        BtnBrowseOJN, PathBox, TitleBox, ArtistBox, PatternBox, GenreBox, IDBox, BPMBox, OJMBox,
        ExBox, NxBox, HxBox, NoteHx, NoteNx, NoteEx, BtnAbout, BtnSave, BtnSaveAs,
        BtnPreviewFullImage, BtnViewSmallFrame, BtnChangeFullImage, BtnSmallImage,
        BtnExtractFullImage, BtnExtractSmallFrame,
    };
    for (size_t i = 0; i + 1 < order.size(); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

} // namespace ojn
