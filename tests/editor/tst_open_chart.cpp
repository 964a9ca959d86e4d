#include "editor/Form1.h"
#include "support/ChartBuilder.h"
#include "support/EditorFixture.h"
#include "support/ScopedLocale.h"
#include "support/ScriptedDialogs.h"
#include "support/SystemCodePage.h"
#include "support/TestPictures.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cmath>
#include <cstring>
#include <limits>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace ojn;
using namespace ojn::test;

namespace {

const QString encryptedMessage = "This Encrypted OJN, This Editor Doesn't Support Encrypted OJN.";
const QLocale english(QLocale::English, QLocale::UnitedStates);

bool isEnabled(QObject *control)
{
    if (auto *action = qobject_cast<QAction *>(control))
        return action->isEnabled();
    return qobject_cast<QWidget *>(control)->isEnabled();
}

// The names of the editing controls that are not in the wanted state.
QStringList controlsNotEnabled(const Form1 &form, bool wanted)
{
    QStringList wrong;
    for (QObject *control : form.editingControls()) {
        if (isEnabled(control) != wanted)
            wrong << control->objectName();
    }
    return wrong;
}

// The texts of the nine boxes that an open fills and a refusal clears.
QStringList fieldBoxTexts(const Form1 &form)
{
    QStringList texts;
    for (const QLineEdit *box : {form.IDBox, form.TitleBox, form.ArtistBox, form.PatternBox, form.OJMBox,
                                 form.BPMBox, form.ExBox, form.NxBox, form.HxBox})
        texts << box->text();
    return texts;
}

QStringList noteBoxTexts(const Form1 &form)
{
    return {form.NoteEx->text(), form.NoteNx->text(), form.NoteHx->text()};
}

// Drags files onto a control as a file manager does (with their paths as
// text too) and drops them; false when the window refuses the drag.
bool dropFiles(QWidget *target, const QStringList &paths)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    data.setText(paths.join('\n'));
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    if (!QApplication::sendEvent(target, &enter) || !enter.isAccepted() || !QApplication::sendEvent(target, &drop))
        return false;
    QCoreApplication::sendPostedEvents(); // the window opens the file once the drop is over
    return true;
}

// Opens `path` by button or menu and the file dialog, by a drop ("drop on
// CONTROL"), or as the command line's chart.
void trigger(Form1 &form, ScriptedDialogs &dialogs, const QString &trigger, const QString &path)
{
    if (trigger.startsWith("drop on "))
        QVERIFY(dropFiles(form.findChild<QWidget *>(trigger.mid(8)), {path}));
    else if (trigger == "argument")
        form.openChartFile(path);
    else if (!path.isEmpty())
        dialogs.fileNames.enqueue(path);
    if (trigger == "menu")
        form.OpenMenuStrip->trigger();
    else if (trigger == "button")
        form.BtnBrowseOJN->click();
}

// A chart unlike the builder's defaults, opened first so a later failure
// can be seen to keep its values.
ChartBuilder previousChart()
{
    ChartBuilder chart;
    chart.songId(77).genre(2).bpm(128.5f).levels(4, 5, 6).noteCounts(11, 22, 33).titleBytes(QByteArray("Earlier\0", 8));
    return chart;
}

bool sameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

} // namespace

class OpenChartTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(english); }
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void cancelChangesNothing_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::newRow("button") << "button";
        QTest::newRow("menu") << "menu";
    }
    void cancelChangesNothing()
    {
        QFETCH(QString, trigger);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        const QString path = ChartBuilder().writeTo(dir.filePath("song.ojn"));
        QCOMPARE(openChartInForm(form, dialogs, path), QString());
        form.TitleBox->setText("Edited");
        form.FileDialog.FileName = "left over from before";
        const QStringList texts = fieldBoxTexts(form);

        ::trigger(form, dialogs, trigger, QString()); // asked first; then no file name: the user cancels

        QCOMPARE(dialogs.fileRequests.size(), 2);
        const ScriptedDialogs::FileRequest request = dialogs.fileRequests.last();
        QCOMPARE(request.mode, FileDialogMode::Open);
        QCOMPARE(request.fileName, QString());
        QCOMPARE(request.filter, QString("O2Jam Note File|*.ojn"));
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(dialogs.messages.first().isSaveQuestion()); // answered No
        QCOMPARE(form.PathBox->text(), QDir::toNativeSeparators(path));
        QCOMPARE(form.Chart.ChartPath, path);
        QCOMPARE(fieldBoxTexts(form), texts);
        QVERIFY(form.InfoDirty);
        QCOMPARE(controlsNotEnabled(form, true), QStringList());
    }

    void showsEveryField_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QByteArray>("chart");
        QTest::addColumn<QStringList>("fields"); // ID, Title, Artist, Pattern, OJM, BPM, Ex, Nx, Hx
        QTest::addColumn<int>("genre");          // the selected entry
        QTest::addColumn<QStringList>("notes");

        const QStringList defaults{"1234", "Test Title", "Test Artist", "Tester", "o2ma1234.ojm", "120", "1", "5", "9"};
        const QStringList defaultNotes{"100", "200", "300"};
        const QLocale german(QLocale::German, QLocale::Germany);
        auto with = [&](int index, const QString &text) {
            QStringList fields = defaults;
            fields[index] = text;
            return fields;
        };

        QTest::newRow("defaults") << english << ChartBuilder().build() << defaults << 3 << defaultNotes;
        QTest::newRow("SongID -1, BPM 130, level 0")
            << english << ChartBuilder().songId(-1).bpm(130.0f).levels(0, 0, 0).build()
            << QStringList{"-1", "Test Title", "Test Artist", "Tester", "o2ma1234.ojm", "130", "0", "0", "0"} << 3
            << defaultNotes;
        QTest::newRow("extreme integers")
            << english
            << ChartBuilder().songId(std::numeric_limits<qint32>::min()).levels(-32768, 32767, -1)
                   .noteCounts(0, -5, std::numeric_limits<qint32>::max()).build()
            << QStringList{"-2147483648", "Test Title", "Test Artist", "Tester", "o2ma1234.ojm", "120", "-32768", "32767", "-1"}
            << 3 << QStringList{"0", "-5", "2147483647"};
        QTest::newRow("fractional BPM, English") << english << ChartBuilder().bpm(128.5f).build() << with(5, "128.5") << 3 << defaultNotes;
        QTest::newRow("fractional BPM, German") << german << ChartBuilder().bpm(128.5f).build() << with(5, "128,5") << 3 << defaultNotes;
        QTest::newRow("BPM beyond seven digits") << english << ChartBuilder().bpm(12345678.0f).build() << with(5, "1.234568E+07") << 3 << defaultNotes;
        QTest::newRow("NaN BPM") << english << ChartBuilder().bpm(std::numeric_limits<float>::quiet_NaN()).build() << with(5, "NaN") << 3 << defaultNotes;
        QTest::newRow("infinite BPM") << english << ChartBuilder().bpm(-std::numeric_limits<float>::infinity()).build() << with(5, "-Infinity") << 3 << defaultNotes;
        QTest::newRow("first genre") << english << ChartBuilder().genre(0).build() << defaults << 0 << defaultNotes;
        QTest::newRow("last genre") << english << ChartBuilder().genre(10).build() << defaults << 10 << defaultNotes;
        QTest::newRow("genre 11") << english << ChartBuilder().genre(11).build() << defaults << -1 << defaultNotes;
        QTest::newRow("negative genre") << english << ChartBuilder().genre(-1).build() << defaults << -1 << defaultNotes;
        QTest::newRow("32-byte texts with blanks, no zero")
            << english
            << ChartBuilder().titleBytes("  " + QByteArray(30, 'T')).artistBytes(QByteArray(31, 'A') + ' ').putBytes(140, "spill").build()
            << QStringList{"1234", "  " + QString(30, 'T'), QString(31, 'A') + ' ', "Tester", "o2ma1234.ojm", "120", "1", "5", "9"}
            << 3 << defaultNotes;
        QTest::newRow("leftovers after the zero")
            << english << ChartBuilder().patternBytes(QByteArray("abc\0leftover", 12)).ojmBytes(QByteArray(32, '\0')).build()
            << QStringList{"1234", "Test Title", "Test Artist", "abc", "", "120", "1", "5", "9"} << 3 << defaultNotes;
    }
    void showsEveryField()
    {
        QFETCH(QLocale, locale);
        QFETCH(QByteArray, chart);
        QFETCH(QStringList, fields);
        QFETCH(int, genre);
        QFETCH(QStringList, notes);
        const ScopedLocale scoped(locale);
        OJN_SKIP_UNLESS_SYSTEM_CODE_PAGE_OF(locale);
        QTemporaryDir dir;
        const QString path = dir.filePath("song.ojn");
        writeFile(path, chart);
        ScriptedDialogs dialogs;
        Form1 form(dialogs);

        QCOMPARE(openChartInForm(form, dialogs, path), QString());

        QCOMPARE(fieldBoxTexts(form), fields);
        QCOMPARE(form.GenreBox->currentIndex(), genre);
        QCOMPARE(noteBoxTexts(form), notes);
        QCOMPARE(form.PathBox->text(), QDir::toNativeSeparators(path));
        QCOMPARE(form.Chart.ChartPath, path);
        QCOMPARE(controlsNotEnabled(form, true), QStringList());
        QVERIFY(!form.InfoDirty && !form.FullImageDirty && !form.SmallFrameDirty);
        for (QLineEdit *noteBox : {form.NoteEx, form.NoteNx, form.NoteHx})
            QVERIFY(!noteBox->isEnabled());
        QCOMPARE(readFile(path), chart); // opening only reads
    }

    void fillsTheBoxesInFieldOrder()
    {
        QTemporaryDir dir;
        const QString path = ChartBuilder().writeTo(dir.filePath("song.ojn"));
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        QStringList filled;
        for (QLineEdit *box : {form.IDBox, form.TitleBox, form.ArtistBox, form.PatternBox, form.OJMBox, form.BPMBox,
                               form.ExBox, form.NxBox, form.HxBox, form.NoteEx, form.NoteNx, form.NoteHx})
            connect(box, &QLineEdit::textChanged, &form, [&filled, box] { filled << box->objectName(); });
        connect(form.GenreBox, &QComboBox::currentIndexChanged, &form, [&filled] { filled << "GenreBox"; });

        QCOMPARE(openChartInForm(form, dialogs, path), QString());
        QCOMPARE(filled, QStringList({"IDBox", "TitleBox", "ArtistBox", "PatternBox", "OJMBox", "GenreBox", "BPMBox",
                                      "ExBox", "NxBox", "HxBox", "NoteEx", "NoteNx", "NoteHx"}));
    }

    void encryptedChartIsRefused_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("chartOpenBefore");
        QTest::newRow("button, first chart") << "button" << false;
        QTest::newRow("menu, first chart") << "menu" << false;
        QTest::newRow("button, after a chart") << "button" << true;
        QTest::newRow("menu, after a chart") << "menu" << true;
        QTest::newRow("drop, after a chart") << "drop on Frame4" << true;
        QTest::newRow("command line, first chart") << "argument" << false;
    }
    void encryptedChartIsRefused()
    {
        QFETCH(QString, trigger);
        QFETCH(bool, chartOpenBefore);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        if (chartOpenBefore) {
            QCOMPARE(openChartInForm(form, dialogs, previousChart().writeTo(dir.filePath("earlier.ojn"))), QString());
            form.TitleBox->setText("unsaved edit");
        }
        const int genreBefore = form.GenreBox->currentIndex();
        const QStringList notesBefore = noteBoxTexts(form);
        const QString path = ChartBuilder().putBytes(0, "new").writeTo(dir.filePath("encrypted.ojn"));

        // While the message is up the window must already be in its no-chart state.
        QStringList enabledDuringMessage;
        dialogs.onMessage = [&](const ScriptedDialogs::Message &) { enabledDuringMessage = controlsNotEnabled(form, false); };
        ::trigger(form, dialogs, trigger, path);

        // After the question about the unsaved edit, answered No.
        QCOMPARE(dialogs.messages.size(), chartOpenBefore ? 2 : 1);
        QCOMPARE(dialogs.messages.first().isSaveQuestion(), chartOpenBefore);
        const ScriptedDialogs::Message message = dialogs.messages.last();
        QCOMPARE(message.text, encryptedMessage);
        QCOMPARE(message.caption, QString("Error"));
        QCOMPARE(message.icon, MessageIcon::Critical);
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QCOMPARE(enabledDuringMessage, QStringList());

        QCOMPARE(form.PathBox->text(), QDir::toNativeSeparators(path));
        QCOMPARE(form.Chart.ChartPath, path);
        const QStringList held = chartOpenBefore ? QStringList{"77", "128.5", "4", "5", "6"} : QStringList{"0", "0", "0", "0", "0"};
        QCOMPARE(fieldBoxTexts(form), QStringList({held[0], "", "", "", "", held[1], held[2], held[3], held[4]}));
        QCOMPARE(noteBoxTexts(form), notesBefore);
        QCOMPARE(form.GenreBox->currentIndex(), genreBefore);
        QCOMPARE(controlsNotEnabled(form, false), QStringList());
        QVERIFY(!form.InfoDirty && !form.FullImageDirty && !form.SmallFrameDirty);
        QCOMPARE(form.Chart.SongID, chartOpenBefore ? 77 : 0);
    }

    void missingFileFailsWithoutCreatingIt()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        QCOMPARE(openChartInForm(form, dialogs, previousChart().writeTo(dir.filePath("earlier.ojn"))), QString());
        const QString missing = dir.filePath("typed name.ojn");

        const QString error = openChartInForm(form, dialogs, missing);

        QVERIFY2(error.contains("not found") && error.contains(QDir::toNativeSeparators(missing)), qPrintable(error));
        QCOMPARE(dialogs.messages.last().caption, QString("Error"));
        QCOMPARE(dialogs.messages.last().icon, MessageIcon::Critical);
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(form.PathBox->text(), QDir::toNativeSeparators(missing));
        QCOMPARE(controlsNotEnabled(form, false), QStringList());
        QCOMPARE(fieldBoxTexts(form), QStringList({"77", "", "", "", "", "128.5", "4", "5", "6"}));
    }

    void malformedChartTakesTheErrorPath_data()
    {
        QTest::addColumn<QByteArray>("chart"); // empty with a "kind" other than "file"
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("description");
        const ChartBuilder good;
        const qint32 coverOffset = int32At(good.build(), 296);
        QTest::newRow("empty file") << QByteArray() << "file" << "too short";
        QTest::newRow("two bytes") << QByteArray("ne") << "file" << "too short";
        QTest::newRow("shorter than the header") << good.build().left(299) << "file" << "too short";
        QTest::newRow("negative cover offset") << ChartBuilder().rawCoverOffset(-1).build() << "file" << "offset is negative";
        QTest::newRow("negative cover size") << ChartBuilder().rawCoverSize(-20).build() << "file" << "size is negative";
        QTest::newRow("negative thumbnail size") << ChartBuilder().rawThumbnailSize(-1).build() << "file" << "size is negative";
        QTest::newRow("cover inside the header") << ChartBuilder().rawCoverOffset(120).build() << "file" << "inside the 300-byte header";
        QTest::newRow("offset plus size beyond 32 bits")
            << ChartBuilder().rawCoverOffset(coverOffset).rawCoverSize(0x7fffffff).build() << "file" << "32-bit range";
        QTest::newRow("cover past the end") << ChartBuilder().rawCoverSize(1 << 20).build() << "file" << "past the end";
        QTest::newRow("thumbnail past the end") << ChartBuilder().rawThumbnailSize(1 << 20).build() << "file" << "past the end";
        QTest::newRow("cover offset past the end") << ChartBuilder().rawCoverOffset(0x7ffffff0).rawCoverSize(0).build() << "file" << "past the end";
        QTest::newRow("a folder") << QByteArray() << "folder" << "is a folder";
#ifdef Q_OS_UNIX
        QTest::newRow("a named pipe") << QByteArray() << "pipe" << "not a regular file";
#endif
    }
    void malformedChartTakesTheErrorPath()
    {
        QFETCH(QByteArray, chart);
        QFETCH(QString, kind);
        QFETCH(QString, description);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        const ChartBuilder earlier = previousChart();
        const QString earlierPath = earlier.writeTo(dir.filePath("earlier.ojn"));
        QCOMPARE(openChartInForm(form, dialogs, earlierPath), QString());
        form.ArtistBox->setText("unsaved edit");
        const ChartRecord before = form.Chart;
        const Picture coverBefore = form.loadingFrameForm()->picture();

        const QString path = dir.filePath("bad.ojn");
        if (kind == "folder")
            QVERIFY(QDir().mkdir(path));
#ifdef Q_OS_UNIX
        else if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
#endif
        else
            writeFile(path, chart);

        const QString error = openChartInForm(form, dialogs, path);

        QVERIFY2(error.contains(description), qPrintable(error));
        QCOMPARE(dialogs.messages.size(), 2);
        QVERIFY(dialogs.messages.first().isSaveQuestion()); // answered No
        QCOMPARE(dialogs.messages.last().caption, QString("Error"));
        QCOMPARE(dialogs.messages.last().icon, MessageIcon::Critical);
        QCOMPARE(form.PathBox->text(), QDir::toNativeSeparators(path));
        QCOMPARE(controlsNotEnabled(form, false), QStringList());
        QVERIFY(!form.InfoDirty && !form.FullImageDirty && !form.SmallFrameDirty);
        // Nothing of the bad file reached the record: the boxes show the
        // earlier chart's values, the pictures stay.
        QCOMPARE(fieldBoxTexts(form), QStringList({"77", "", "", "", "", "128.5", "4", "5", "6"}));
        QCOMPARE(form.Chart.SongID, before.SongID);
        QCOMPARE(form.Chart.Title, before.Title);
        QCOMPARE(form.Chart.ChartBodyData, before.ChartBodyData);
        QCOMPARE(form.Chart.FullImageData, before.FullImageData);
        QCOMPARE(form.loadingFrameForm()->picture(), coverBefore);
        if (kind == "file")
            QCOMPARE(readFile(path), chart);

        // The window recovers with the next good chart.
        QCOMPARE(openChartInForm(form, dialogs, earlierPath), QString());
        QCOMPARE(controlsNotEnabled(form, true), QStringList());
    }

#ifdef Q_OS_UNIX
    // Run as root, where a file without read permission opens all the same,
    // this test runs itself again as an ordinary user.
    void unreadableChartTakesTheErrorPath()
    {
        const QString given = qEnvironmentVariable("OJN_TEST_UNREADABLE_CHART");
        if (!given.isEmpty()) {
            checkUnreadableChart(given);
            return;
        }
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                              | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
        const QString path = ChartBuilder().writeTo(dir.filePath("locked.ojn"));
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        if (::geteuid() != 0) {
            checkUnreadableChart(path);
            return;
        }
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("OJN_TEST_UNREADABLE_CHART", path);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start("setpriv", {"--reuid=nobody", "--regid=nogroup", "--clear-groups",
                                QCoreApplication::applicationFilePath(), "unreadableChartTakesTheErrorPath"});
        QVERIFY2(child.waitForFinished(60000), qPrintable(child.errorString()));
        const QByteArray output = child.readAll();
        QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, output.constData());
        QVERIFY2(output.contains("PASS   : OpenChartTest::unreadableChartTakesTheErrorPath()"), output.constData());
    }
#endif

    void picturesGoToTheirWindows_data()
    {
        QTest::addColumn<QByteArray>("cover");
        QTest::addColumn<QByteArray>("thumbnail");
        QTest::addColumn<QSize>("coverSize"); // invalid: no picture
        QTest::addColumn<QSize>("thumbnailSize");
        QTest::newRow("JPEG and BMP") << tinyJpeg() << tinyBmp() << QSize(16, 12) << QSize(8, 6);
        QTest::newRow("zero-size pictures") << QByteArray() << QByteArray() << QSize() << QSize();
        QTest::newRow("cover that is not a picture") << QByteArray(500, '\0') << tinyBmp() << QSize() << QSize(8, 6);
        QTest::newRow("thumbnail cut short") << tinyJpeg() << tinyBmp().left(30) << QSize(16, 12) << QSize();
    }
    void picturesGoToTheirWindows()
    {
        QFETCH(QByteArray, cover);
        QFETCH(QByteArray, thumbnail);
        QFETCH(QSize, coverSize);
        QFETCH(QSize, thumbnailSize);
        QTemporaryDir dir;
        const QString path = ChartBuilder().cover(cover).thumbnail(thumbnail).writeTo(dir.filePath("song.ojn"));
        ScriptedDialogs dialogs;
        Form1 form(dialogs);

        QCOMPARE(openChartInForm(form, dialogs, path), QString());

        QCOMPARE(form.Chart.FullImageData, cover);
        QCOMPARE(form.Chart.SmallFrameData, thumbnail);
        QCOMPARE(form.FullImagePicture.size(), coverSize.isValid() ? coverSize : QSize(0, 0));
        QCOMPARE(form.SmallFramePicture.size(), thumbnailSize.isValid() ? thumbnailSize : QSize(0, 0));
        QVERIFY(form.loadingFrameForm() && form.thumbnailFrameForm());
        QCOMPARE(form.loadingFrameForm()->picture(), form.FullImagePicture);
        QCOMPARE(form.thumbnailFrameForm()->picture(), form.SmallFramePicture);
        QVERIFY(!form.loadingFrameForm()->isVisible() && !form.thumbnailFrameForm()->isVisible());
        QVERIFY(dialogs.modalWindows.isEmpty());
        QCOMPARE(controlsNotEnabled(form, true), QStringList());
    }

    void openingOverUnsavedEditsAsksFirst_data()
    {
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<QString>("answer");
        for (const char *trigger : {"button", "menu", "drop on TitleBox", "argument"}) {
            for (const char *answer : {"No", "Yes", "Yes, the save fails"})
                QTest::addRow("%s, %s", trigger, answer) << trigger << answer;
        }
    }
    void openingOverUnsavedEditsAsksFirst()
    {
        QFETCH(QString, trigger);
        QFETCH(QString, answer);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        const QString first = previousChart().writeTo(dir.filePath("first.ojn"));
        QCOMPARE(openChartInForm(form, dialogs, first), QString());
        const QByteArray firstOnDisk = readFile(first);
        const bool saveFails = answer == "Yes, the save fails";
        form.TitleBox->setText(saveFails ? QString(40, 'L') : QString("unsaved title")); // 40 bytes do not fit
        form.SmallFrameDirty = true;
        dialogs.answers.enqueue(answer == "No" ? MessageAnswer::No : MessageAnswer::Yes);

        ::trigger(form, dialogs, trigger, ChartBuilder().writeTo(dir.filePath("next.ojn")));

        QCOMPARE(dialogs.messages.size(), answer == "No" ? 1 : 2);
        QVERIFY(dialogs.messages.first().isSaveQuestion());
        if (answer != "No")
            QCOMPARE(dialogs.messages[1].caption, QString(saveFails ? "Error" : "Info"));
        // A failed save opens nothing, not even the file dialog: the edits stay.
        QCOMPARE(dialogs.fileRequests.size(), !saveFails && (trigger == "button" || trigger == "menu") ? 2 : 1);
        QCOMPARE(form.Chart.ChartPath, dir.filePath(saveFails ? "first.ojn" : "next.ojn"));
        QCOMPARE(form.InfoDirty, saveFails);
        QCOMPARE(form.TitleBox->text(), saveFails ? QString(40, 'L') : QString("Test Title"));
        QCOMPARE(readFile(first).mid(108, 14), answer == "Yes" ? QByteArray("unsaved title\0", 14) : firstOnDisk.mid(108, 14));
        QCOMPARE(controlsNotEnabled(form, true), QStringList());
    }

    void droppingSeveralFilesOpensNone()
    {
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        const QString path = previousChart().writeTo(dir.filePath("first.ojn"));
        QCOMPARE(openChartInForm(form, dialogs, path), QString());

        QVERIFY(dropFiles(form.Frame1, {ChartBuilder().writeTo(dir.filePath("a.ojn")), dir.filePath("b.ojn")}));
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages.first().text, QString("2 files were dropped, so none was opened. Drop one chart at a time."));
        QCOMPARE(form.TitleBox->text(), QString("Earlier"));
        QCOMPARE(controlsNotEnabled(form, true), QStringList());
    }

    // A chart's texts are shown in the code page of the user's locale; the
    // record keeps the slot's own bytes.
    void textsInTheLocaleCodePage_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QByteArray>("titleBytes");
        QTest::addColumn<QString>("shown");
        const QLocale korean(QLocale::Korean, QLocale::SouthKorea);
        QTest::newRow("Korean title") << korean << QByteArray("\xc7\xd1\xb1\xdb \xb3\xeb\xb7\xa1") << QString::fromUtf8("한글 노래");
        QTest::newRow("backslash in Korean") << korean << QByteArray("a\\b\\\xc7\xd1") << QString::fromUtf8("a\\b\\한");
        QTest::newRow("same bytes in Russian") << QLocale(QLocale::Russian, QLocale::Russia) << QByteArray("\xc7\xd1\xb1\xdb")
                                               << QString::fromUtf8("ЗС±Ы");
        QTest::newRow("same bytes in Japanese") << QLocale(QLocale::Japanese, QLocale::Japan) << QByteArray("\x93\xfa\x96\x7b")
                                                << QString::fromUtf8("日本");
        QTest::newRow("32nd byte starts a two-byte character")
            << korean << QByteArray(29, 'a') + "\xc7\xd1" + "\xb1" << QString(29, 'a') + QString::fromUtf8("한");
    }
    void textsInTheLocaleCodePage()
    {
        QFETCH(QLocale, locale);
        QFETCH(QByteArray, titleBytes);
        QFETCH(QString, shown);
        const ScopedLocale scoped(locale);
        OJN_SKIP_UNLESS_SYSTEM_CODE_PAGE_OF(locale);
        QTemporaryDir dir;
        // Byte 140, just past the slot's 32 bytes, holds the character's
        // second half; it must not be taken in.
        const QString path = ChartBuilder().titleBytes(QByteArray(32, '\0')).titleBytes(titleBytes).putBytes(140, "\xdb").writeTo(dir.filePath("song.ojn"));
        ScriptedDialogs dialogs;
        Form1 form(dialogs);

        QCOMPARE(openChartInForm(form, dialogs, path), QString());

        QCOMPARE(form.TitleBox->text(), shown);
        QCOMPARE(form.Chart.Title, titleBytes);
    }

    // What a box cannot show exactly survives a save of the untouched box.
    void unshownValuesSurviveAnUneditedSave_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QByteArray>("chart");
        const QLocale korean(QLocale::Korean, QLocale::SouthKorea);
        QTest::newRow("genre 11") << english << ChartBuilder().genre(11).build();
        QTest::newRow("genre -300") << english << ChartBuilder().genre(-300).build();
        QTest::newRow("NaN BPM with a payload") << english << ChartBuilder().putInt32(16, 0x7fc01234).build();
        QTest::newRow("infinite BPM") << english << ChartBuilder().bpm(std::numeric_limits<float>::infinity()).build();
        QTest::newRow("cut two-byte character") << korean << ChartBuilder().titleBytes(QByteArray(31, 'a') + '\xc7').build();
        QTest::newRow("bytes the code page does not use") << korean << ChartBuilder().artistBytes("\xff\xfe\x80").build();
    }
    void unshownValuesSurviveAnUneditedSave()
    {
        QFETCH(QLocale, locale);
        QFETCH(QByteArray, chart);
        const ScopedLocale scoped(locale);
        OJN_SKIP_UNLESS_SYSTEM_CODE_PAGE_OF(locale);
        QTemporaryDir dir;
        const QString path = dir.filePath("song.ojn");
        writeFile(path, chart);
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        QCOMPARE(openChartInForm(form, dialogs, path), QString());

        form.BtnSave->click();

        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY2(dialogs.messages.first().caption == "Info", qPrintable(dialogs.messages.first().text));
        const QByteArray saved = readFile(path);
        QCOMPARE(int16At(saved, 12), int16At(chart, 12));
        QVERIFY(sameBits(floatAt(saved, 16), floatAt(chart, 16)));
        QCOMPARE(saved, expectedUneditedSave(chart));
    }

private:
    static void checkUnreadableChart(const QString &path)
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        const QString error = openChartInForm(form, dialogs, path);
        QVERIFY2(error.contains("Could not open") && error.contains("ermission"), qPrintable(error));
        QCOMPARE(dialogs.messages.last().caption, QString("Error"));
        QCOMPARE(form.PathBox->text(), QDir::toNativeSeparators(path));
        QCOMPARE(controlsNotEnabled(form, false), QStringList());
        QCOMPARE(fieldBoxTexts(form), QStringList({"0", "", "", "", "", "0", "0", "0", "0"}));
    }
};

QTEST_MAIN(OpenChartTest)
#include "tst_open_chart.moc"
