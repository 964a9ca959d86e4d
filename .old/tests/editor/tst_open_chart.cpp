#include "support/EditorFixture.h"
#include "support/ScopedLocale.h"
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
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <cmath>
#include <limits>

#ifdef Q_OS_UNIX
#include "support/OrdinaryUser.h"

#include <sys/stat.h>
#endif

using namespace ojn;
using namespace ojn::test;

namespace {

const QString encryptedMessage = "This Encrypted OJN, This Editor Doesn't Support Encrypted OJN.";
const QLocale english(QLocale::English, QLocale::UnitedStates);

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
void trigger(EditorFixture &f, const QString &trigger, const QString &path)
{
    if (trigger.startsWith("drop on "))
        QVERIFY(dropFiles(f.form.findChild<QWidget *>(trigger.mid(8)), {path}));
    else if (trigger == "argument")
        f.form.openChartFile(path);
    else if (!path.isEmpty())
        f.dialogs.fileNames.enqueue(path);
    if (trigger == "menu")
        f.form.OpenMenuStrip->trigger();
    else if (trigger == "button")
        f.form.BtnBrowseOJN->click();
}

// A chart unlike the builder's defaults, opened first so a later failure
// can be seen to keep its values.
QByteArray previousChart()
{
    return ChartBuilder().songId(77).genre(2).bpm(128.5f).levels(4, 5, 6).noteCounts(11, 22, 33)
        .titleBytes(QByteArray("Earlier\0", 8)).build();
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
        EditorFixture f(ChartBuilder().build());
        f.form.TitleBox->setText("Edited");
        f.form.FileDialog.FileName = "left over from before";
        const QStringList texts = fieldBoxTexts(f.form);

        ::trigger(f, trigger, QString()); // asked first; then no file name: the user cancels

        QCOMPARE(f.dialogs.fileRequests.size(), 2);
        const ScriptedDialogs::FileRequest request = f.dialogs.fileRequests.last();
        QCOMPARE(request.mode, FileDialogMode::Open);
        QCOMPARE(request.fileName, QString());
        QCOMPARE(request.filter, QString("O2Jam Note File|*.ojn"));
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(f.dialogs.messages.first().isSaveQuestion()); // answered No
        QCOMPARE(f.form.PathBox->text(), QDir::toNativeSeparators(f.path));
        QCOMPARE(f.form.Chart.ChartPath, f.path);
        QCOMPARE(fieldBoxTexts(f.form), texts);
        QVERIFY(f.form.InfoDirty);
        QCOMPARE(controlsNotEnabled(f.form, true), QStringList());
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

        EditorFixture f(chart);

        QCOMPARE(fieldBoxTexts(f.form), fields);
        QCOMPARE(f.form.GenreBox->currentIndex(), genre);
        QCOMPARE(noteBoxTexts(f.form), notes);
        QCOMPARE(f.form.PathBox->text(), QDir::toNativeSeparators(f.path));
        QCOMPARE(controlsNotEnabled(f.form, true), QStringList());
        QVERIFY(!f.form.InfoDirty && !f.form.FullImageDirty && !f.form.SmallFrameDirty);
        for (QLineEdit *noteBox : {f.form.NoteEx, f.form.NoteNx, f.form.NoteHx})
            QVERIFY(!noteBox->isEnabled());
        QCOMPARE(f.onDisk(), chart); // opening only reads
    }

    void fillsTheBoxesInFieldOrder()
    {
        EditorFixture f;
        QStringList filled;
        for (QLineEdit *box : {f.form.IDBox, f.form.TitleBox, f.form.ArtistBox, f.form.PatternBox, f.form.OJMBox, f.form.BPMBox,
                               f.form.ExBox, f.form.NxBox, f.form.HxBox, f.form.NoteEx, f.form.NoteNx, f.form.NoteHx})
            connect(box, &QLineEdit::textChanged, &f.form, [&filled, box] { filled << box->objectName(); });
        connect(f.form.GenreBox, &QComboBox::currentIndexChanged, &f.form, [&filled] { filled << "GenreBox"; });

        QCOMPARE(f.open(ChartBuilder().writeTo(f.file("song.ojn"))), QString());
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
        EditorFixture f;
        if (chartOpenBefore) {
            writeFile(f.file("earlier.ojn"), previousChart());
            QCOMPARE(f.open(f.file("earlier.ojn")), QString());
            f.form.TitleBox->setText("unsaved edit");
        }
        const int genreBefore = f.form.GenreBox->currentIndex();
        const QStringList notesBefore = noteBoxTexts(f.form);
        const QString path = ChartBuilder().putBytes(0, "new").writeTo(f.file("encrypted.ojn"));

        // While the message is up the window must already be in its no-chart state.
        QStringList enabledDuringMessage;
        f.dialogs.onMessage = [&](const ScriptedDialogs::Message &) { enabledDuringMessage = controlsNotEnabled(f.form, false); };
        ::trigger(f, trigger, path);

        // After the question about the unsaved edit, answered No.
        QCOMPARE(f.dialogs.messages.size(), chartOpenBefore ? 2 : 1);
        QCOMPARE(f.dialogs.messages.first().isSaveQuestion(), chartOpenBefore);
        const ScriptedDialogs::Message message = f.dialogs.messages.last();
        QCOMPARE(message.text, encryptedMessage);
        QCOMPARE(message.caption, QString("Error"));
        QCOMPARE(message.icon, MessageIcon::Critical);
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QCOMPARE(enabledDuringMessage, QStringList());

        QCOMPARE(f.form.PathBox->text(), QDir::toNativeSeparators(path));
        QCOMPARE(f.form.Chart.ChartPath, path);
        const QStringList held = chartOpenBefore ? QStringList{"77", "128.5", "4", "5", "6"} : QStringList{"0", "0", "0", "0", "0"};
        QCOMPARE(fieldBoxTexts(f.form), QStringList({held[0], "", "", "", "", held[1], held[2], held[3], held[4]}));
        QCOMPARE(noteBoxTexts(f.form), notesBefore);
        QCOMPARE(f.form.GenreBox->currentIndex(), genreBefore);
        QCOMPARE(controlsNotEnabled(f.form, false), QStringList());
        QVERIFY(!f.form.InfoDirty && !f.form.FullImageDirty && !f.form.SmallFrameDirty);
        QCOMPARE(f.form.Chart.SongID, chartOpenBefore ? 77 : 0);
    }

    void missingFileFailsWithoutCreatingIt()
    {
        EditorFixture f(previousChart());
        const QString missing = f.file("typed name.ojn");

        const QString error = f.open(missing);

        QVERIFY2(error.contains("not found") && error.contains(QDir::toNativeSeparators(missing)), qPrintable(error));
        QCOMPARE(f.dialogs.messages.last().caption, QString("Error"));
        QCOMPARE(f.dialogs.messages.last().icon, MessageIcon::Critical);
        QVERIFY(!QFile::exists(missing));
        QCOMPARE(f.form.PathBox->text(), QDir::toNativeSeparators(missing));
        QCOMPARE(controlsNotEnabled(f.form, false), QStringList());
        QCOMPARE(fieldBoxTexts(f.form), QStringList({"77", "", "", "", "", "128.5", "4", "5", "6"}));
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
        EditorFixture f(previousChart());
        f.form.ArtistBox->setText("unsaved edit");
        const ChartRecord before = f.form.Chart;
        const Picture coverBefore = f.form.loadingFrameForm()->picture();

        const QString path = f.file("bad.ojn");
        if (kind == "folder")
            QVERIFY(QDir().mkdir(path));
#ifdef Q_OS_UNIX
        else if (kind == "pipe")
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
#endif
        else
            writeFile(path, chart);

        const QString error = f.open(path);

        QVERIFY2(error.contains(description), qPrintable(error));
        QCOMPARE(f.dialogs.messages.size(), 2);
        QVERIFY(f.dialogs.messages.first().isSaveQuestion()); // answered No
        QCOMPARE(f.dialogs.messages.last().caption, QString("Error"));
        QCOMPARE(f.dialogs.messages.last().icon, MessageIcon::Critical);
        QCOMPARE(f.form.PathBox->text(), QDir::toNativeSeparators(path));
        QCOMPARE(controlsNotEnabled(f.form, false), QStringList());
        QVERIFY(!f.form.InfoDirty && !f.form.FullImageDirty && !f.form.SmallFrameDirty);
        // Nothing of the bad file reached the record: the boxes show the
        // earlier chart's values, the pictures stay.
        QCOMPARE(fieldBoxTexts(f.form), QStringList({"77", "", "", "", "", "128.5", "4", "5", "6"}));
        QCOMPARE(f.form.Chart.SongID, before.SongID);
        QCOMPARE(f.form.Chart.Title, before.Title);
        QCOMPARE(f.form.Chart.ChartBodyData, before.ChartBodyData);
        QCOMPARE(f.form.Chart.FullImageData, before.FullImageData);
        QCOMPARE(f.form.loadingFrameForm()->picture(), coverBefore);
        if (kind == "file")
            QCOMPARE(readFile(path), chart);

        // The window recovers with the next good chart.
        QCOMPARE(f.open(f.path), QString());
        QCOMPARE(controlsNotEnabled(f.form, true), QStringList());
    }

#ifdef Q_OS_UNIX
    // Root reads a file without read permission all the same, so this test
    // runs itself again as an ordinary user.
    void unreadableChartTakesTheErrorPath()
    {
        const QString given = qEnvironmentVariable("OJN_TEST_UNREADABLE_CHART");
        if (!given.isEmpty()) {
            EditorFixture f;
            const QString error = f.open(given);
            QVERIFY2(error.contains("Could not open") && error.contains("ermission"), qPrintable(error));
            QCOMPARE(f.dialogs.messages.last().caption, QString("Error"));
            QCOMPARE(f.form.PathBox->text(), QDir::toNativeSeparators(given));
            QCOMPARE(controlsNotEnabled(f.form, false), QStringList());
            QCOMPARE(fieldBoxTexts(f.form), QStringList({"0", "", "", "", "", "0", "0", "0", "0"}));
            return;
        }
        EditorFixture f;
        QVERIFY(QFile::setPermissions(f.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                        | QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup));
        const QString path = ChartBuilder().writeTo(f.file("locked.ojn"));
        QVERIFY(QFile::setPermissions(path, QFile::WriteOwner));
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("OJN_TEST_UNREADABLE_CHART", path);
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        startAsOrdinaryUser(child, QCoreApplication::applicationFilePath(), {"unreadableChartTakesTheErrorPath"});
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

        EditorFixture f(ChartBuilder().cover(cover).thumbnail(thumbnail).build());

        Form1 &form = f.form;
        QCOMPARE(form.Chart.FullImageData, cover);
        QCOMPARE(form.Chart.SmallFrameData, thumbnail);
        QCOMPARE(form.FullImagePicture.size(), coverSize.isValid() ? coverSize : QSize(0, 0));
        QCOMPARE(form.SmallFramePicture.size(), thumbnailSize.isValid() ? thumbnailSize : QSize(0, 0));
        QVERIFY(form.loadingFrameForm() && form.thumbnailFrameForm());
        QCOMPARE(form.loadingFrameForm()->picture(), form.FullImagePicture);
        QCOMPARE(form.thumbnailFrameForm()->picture(), form.SmallFramePicture);
        QVERIFY(!form.loadingFrameForm()->isVisible() && !form.thumbnailFrameForm()->isVisible());
        QVERIFY(f.dialogs.modalWindows.isEmpty());
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
        EditorFixture f(previousChart());
        const bool saveFails = answer == "Yes, the save fails";
        f.form.TitleBox->setText(saveFails ? QString(40, 'L') : QString("unsaved title")); // 40 bytes do not fit
        f.form.SmallFrameDirty = true;
        f.dialogs.answers.enqueue(answer == "No" ? MessageAnswer::No : MessageAnswer::Yes);

        ::trigger(f, trigger, ChartBuilder().writeTo(f.file("next.ojn")));

        QCOMPARE(f.dialogs.messages.size(), answer == "No" ? 1 : 2);
        QVERIFY(f.dialogs.messages.first().isSaveQuestion());
        if (answer != "No")
            QCOMPARE(f.dialogs.messages[1].caption, QString(saveFails ? "Error" : "Info"));
        // A failed save opens nothing, not even the file dialog: the edits stay.
        QCOMPARE(f.dialogs.fileRequests.size(), !saveFails && (trigger == "button" || trigger == "menu") ? 2 : 1);
        QCOMPARE(f.form.Chart.ChartPath, saveFails ? f.path : f.file("next.ojn"));
        QCOMPARE(f.form.InfoDirty, saveFails);
        QCOMPARE(f.form.TitleBox->text(), saveFails ? QString(40, 'L') : QString("Test Title"));
        QCOMPARE(f.onDisk().mid(108, 14), answer == "Yes" ? QByteArray("unsaved title\0", 14) : f.original.mid(108, 14));
        QCOMPARE(controlsNotEnabled(f.form, true), QStringList());
    }

    void droppingSeveralFilesOpensNone()
    {
        EditorFixture f(previousChart());

        QVERIFY(dropFiles(f.form.Frame1, {ChartBuilder().writeTo(f.file("a.ojn")), f.file("b.ojn")}));
        QCOMPARE(f.dialogs.messages.size(), 1);
        QCOMPARE(f.dialogs.messages.first().text, QString("2 files were dropped, so none was opened. Drop one chart at a time."));
        QCOMPARE(f.form.TitleBox->text(), QString("Earlier"));
        QCOMPARE(controlsNotEnabled(f.form, true), QStringList());
    }

    // A folder dropped or chosen goes to the program as a music folder; the
    // chart open stays as it is.
    void musicFolderIsPassedOn_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("asked");
        QTest::newRow("dropped") << "drop" << true;
        QTest::newRow("chosen") << "menu" << true;
        QTest::newRow("choosing cancelled") << "menu, cancel" << false;
    }
    void musicFolderIsPassedOn()
    {
        QFETCH(QString, how);
        QFETCH(bool, asked);
        EditorFixture f(previousChart());
        QSignalSpy requested(&f.form, &Form1::musicFolderRequested);
        if (how == "drop") {
            QVERIFY(dropFiles(f.form.TitleBox, {f.dir.path()}));
        } else {
            if (asked)
                f.dialogs.folders.enqueue(f.dir.path());
            f.form.OpenMusicFolderMenuStrip->trigger();
            QCOMPARE(f.dialogs.folderRequests, QStringList{"Open Music Folder"});
        }
        QCOMPARE(requested.size(), asked ? 1 : 0);
        if (asked)
            QCOMPARE(requested.first().first().toString(), f.dir.path());
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(f.form.TitleBox->text(), QString("Earlier"));
    }

    // Another window saved the open chart: read again, asking first when
    // that would drop unsaved edits here.
    void chartChangedElsewhereIsReadAgain_data()
    {
        QTest::addColumn<bool>("unsaved");
        QTest::addColumn<bool>("reload");
        QTest::addColumn<bool>("sameChart");
        QTest::newRow("nothing unsaved") << false << true << true;
        QTest::newRow("unsaved, kept") << true << false << true;
        QTest::newRow("unsaved, dropped") << true << true << true;
        QTest::newRow("another chart") << false << false << false;
    }
    void chartChangedElsewhereIsReadAgain()
    {
        QFETCH(bool, unsaved);
        QFETCH(bool, reload);
        QFETCH(bool, sameChart);
        EditorFixture f(previousChart());
        if (unsaved) {
            f.form.ArtistBox->setText("mine");
            f.dialogs.answers.enqueue(reload ? MessageAnswer::Yes : MessageAnswer::No);
        }
        writeFile(f.path, ChartBuilder().titleBytes(QByteArray("Changed\0", 8)).build());
        f.form.chartChangedOnDisk(sameChart ? QDir(f.dir.path()).filePath("./chart.ojn") : f.file("other.ojn"));
        QCOMPARE(f.dialogs.messages.size(), unsaved ? 1 : 0);
        QCOMPARE(f.form.TitleBox->text(), QString(reload ? "Changed" : "Earlier"));
        QCOMPARE(f.form.InfoDirty, unsaved && !reload);
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
        // Byte 140, just past the slot's 32 bytes, holds the character's
        // second half; it must not be taken in.
        EditorFixture f(ChartBuilder().titleBytes(QByteArray(32, '\0')).titleBytes(titleBytes).putBytes(140, "\xdb").build());

        QCOMPARE(f.form.TitleBox->text(), shown);
        QCOMPARE(f.form.Chart.Title, titleBytes);
    }
};

QTEST_MAIN(OpenChartTest)
#include "tst_open_chart.moc"
