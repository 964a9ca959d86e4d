#include "support/EditorFixture.h"
#include "model/ChartLayout.h"
#include "support/SystemCodePage.h"
#include "support/TestPictures.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMap>
#include <QSignalSpy>
#include <QTest>

#include <limits>

using namespace ojn;
using namespace ojn::test;

namespace {

// Types `text` into the named field control as a user would leave it.
void setField(Form1 &form, const QString &name, const QString &text)
{
    if (name == QLatin1String("GenreBox"))
        form.GenreBox->setCurrentIndex(form.GenreBox->findText(text));
    else
        form.findChild<QLineEdit *>(name)->setText(text);
}

bool successShown(const ScriptedDialogs &dialogs)
{
    return dialogs.messages.size() == 1 && dialogs.messages[0].text == QLatin1String("Successfully Save OJN File.")
        && dialogs.messages[0].caption == QLatin1String("Info") && dialogs.messages[0].icon == MessageIcon::Information
        && dialogs.messages[0].buttons == MessageButtons::Ok;
}

bool sameHeldValues(const ChartRecord &a, const ChartRecord &b)
{
    return a.ChartPath == b.ChartPath && a.SongID == b.SongID && a.Title == b.Title && a.Artist == b.Artist
        && a.Pattern == b.Pattern && a.OJMFile == b.OJMFile && a.Genre == b.Genre
        && std::memcmp(&a.BPM, &b.BPM, sizeof a.BPM) == 0 && a.LevelEx == b.LevelEx && a.LevelNx == b.LevelNx
        && a.LevelHx == b.LevelHx && a.ChartBodyData == b.ChartBodyData && a.FullImageData == b.FullImageData
        && a.SmallFrameData == b.SmallFrameData;
}

const QByteArray koreanHan("\xC7\xD1", 2); // 한 in code page 949

} // namespace

class SaveCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void cleanup() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void uneditedSaveGivesTheLayoutsBytes_data()
    {
        QTest::addColumn<QByteArray>("chart");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("codePage");
        QTest::newRow("plain") << ChartBuilder().build() << "en_US" << 1252;
        QTest::newRow("bytes after the thumbnail dropped") << ChartBuilder().trailing(QByteArray(999, 't')).build() << "en_US" << 1252;
        QTest::newRow("leftovers behind the texts")
            << ChartBuilder().titleBytes(QByteArray("Hi\0old title bytes", 19)).patternBytes(QByteArray("P\0zzzz", 6)).build()
            << "en_US" << 1252;
        QTest::newRow("texts of 32 bytes, title slot full")
            << ChartBuilder().putBytes(108, QByteArray(64, 'T')).artistBytes(QByteArray(32, 'A')).ojmBytes(QByteArray(32, 'O')).build()
            << "en_US" << 1252;
        QTest::newRow("bytes undefined in code page 1252")
            << ChartBuilder().titleBytes("Caf\x81\x8d\x8f\x90\x9d").artistBytes("\x7f\x01\t").build() << "en_US" << 1252;
        QTest::newRow("two-byte characters cut at byte 32 (code page 949)")
            << ChartBuilder()
                   .putBytes(108, QByteArray(31, 'a') + koreanHan)
                   .artistBytes(koreanHan + koreanHan)
                   .ojmBytes(QByteArray(31, 'o') + koreanHan.left(1))
                   .build()
            << "ko_KR" << 949;
        QTest::newRow("bytes that are no character in code page 949")
            << ChartBuilder().titleBytes("\xff\xfe\x80 x").build() << "ko_KR" << 949;
        QTest::newRow("genre outside the list") << ChartBuilder().genre(42).build() << "en_US" << 1252;
        QTest::newRow("negative genre") << ChartBuilder().genre(-2).build() << "en_US" << 1252;
        QTest::newRow("tempo that is not a number, with a payload") << ChartBuilder().putInt32(16, 0x7fc01234).build() << "en_US" << 1252;
        QTest::newRow("infinite tempo") << ChartBuilder().bpm(std::numeric_limits<float>::infinity()).build() << "en_US" << 1252;
        QTest::newRow("no pictures") << ChartBuilder().cover(QByteArray()).thumbnail(QByteArray()).build() << "en_US" << 1252;
    }
    void uneditedSaveGivesTheLayoutsBytes()
    {
        QFETCH(QByteArray, chart);
        QFETCH(QString, locale);
        QFETCH(int, codePage);
        QLocale::setDefault(QLocale(locale));
        OJN_SKIP_UNLESS_SYSTEM_CODE_PAGE_OF(QLocale(locale));
        EditorFixture session(chart);
        QCOMPARE(session.form.codec().codePage(), codePage);

        session.form.BtnSave->click();
        QVERIFY2(successShown(session.dialogs), qPrintable(session.dialogs.messages.value(0).text));
        const QByteArray expected = expectedUneditedSave(chart);
        const QByteArray actual = session.onDisk();
        QVERIFY2(actual == expected, qPrintable(firstDifference(actual, expected)));
        QCOMPARE(session.entries(), QStringList{"chart.ojn"});
    }

    void editedFieldIsWritten_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("song ID") << "en_US" << "IDBox" << "987654" << 0 << littleEndian<qint32>(987654);
        QTest::newRow("Ex -3") << "en_US" << "ExBox" << "-3" << 20 << littleEndian<qint16>(-3);
        QTest::newRow("Nx 0012") << "en_US" << "NxBox" << "0012" << 22 << littleEndian<qint16>(12);
        QTest::newRow("Hx lowest") << "en_US" << "HxBox" << "-32768" << 24 << littleEndian<qint16>(-32768);
        QTest::newRow("BPM 12.5") << "en_US" << "BPMBox" << "12.5" << 16 << littleEndian<float>(12.5f);
        QTest::newRow("BPM 128,5 in German") << "de_DE" << "BPMBox" << "128,5" << 16 << littleEndian<float>(128.5f);
        QTest::newRow("genre Etc") << "en_US" << "GenreBox" << "Etc" << 12 << littleEndian<qint16>(10);
        QTest::newRow("title") << "en_US" << "TitleBox" << "New Title" << 108 << savedSlot("New Title", 33);
        QTest::newRow("artist") << "en_US" << "ArtistBox" << "Someone Else" << 172 << savedSlot("Someone Else");
        QTest::newRow("artist in code page 949") << "ko_KR" << "ArtistBox" << QString::fromUtf8("한한") << 172
                                                 << savedSlot(koreanHan + koreanHan);
        QTest::newRow("pattern") << "en_US" << "PatternBox" << "Mapper" << 204 << savedSlot("Mapper");
        QTest::newRow("OJM file") << "en_US" << "OJMBox" << "o2ma42.ojm" << 236 << savedSlot("o2ma42.ojm");
    }
    void editedFieldIsWritten()
    {
        QFETCH(QString, locale);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QLocale::setDefault(QLocale(locale));
        OJN_SKIP_UNLESS_SYSTEM_CODE_PAGE_OF(QLocale(locale));
        // A tempo of nine digits (bits 0x43055555) shows as 133.3333 and must
        // keep its bits when another field is edited.
        EditorFixture session(ChartBuilder().putBytes(108, QByteArray(64, 'q')).bpm(133.33333f).build());

        setField(session.form, box, text);
        QVERIFY(session.form.InfoDirty);
        session.form.BtnSave->click();
        QVERIFY2(successShown(session.dialogs), qPrintable(session.dialogs.messages.value(0).text));

        QByteArray expected = expectedUneditedSave(session.original);
        expected.replace(offset, bytes.size(), bytes);
        const QByteArray actual = session.onDisk();
        QVERIFY2(actual == expected, qPrintable(firstDifference(actual, expected)));
        // Boxes are not refreshed: 0012 still shows as typed.
        if (box != QLatin1String("GenreBox"))
            QCOMPARE(session.form.findChild<QLineEdit *>(box)->text(), text);
        QVERIFY(!session.form.InfoDirty && !session.form.FullImageDirty && !session.form.SmallFrameDirty);
    }

    void heldValuesAreTheWrittenOnes()
    {
        EditorFixture session(ChartBuilder().levels(5, 6, 7).build());
        session.form.ExBox->setText("0012.5");
        session.form.BtnSave->click();
        QCOMPARE(session.form.Chart.LevelEx, qint16(12));
        QCOMPARE(session.form.ExBox->text(), QString("0012.5"));
        // A box that stops being a number brings back what was written.
        session.form.ExBox->setText("x");
        QCOMPARE(session.form.ExBox->text(), QString("12"));
    }

    void noGenreSelectedKeepsTheStoredValue()
    {
        EditorFixture session(ChartBuilder().genre(3).build());
        session.form.GenreBox->setCurrentIndex(-1);
        QCOMPARE(session.form.GenreBox->currentText(), QString());
        session.form.BtnSave->click();
        QCOMPARE(int16At(session.onDisk(), 12), qint16(3));

        // ...or the value of the last save.
        session.form.GenreBox->setCurrentText("Jazz");
        session.form.SaveMenuStrip->trigger();
        QCOMPARE(int16At(session.onDisk(), 12), qint16(6));
        session.form.GenreBox->setCurrentIndex(-1);
        session.form.BtnSave->click();
        QCOMPARE(int16At(session.onDisk(), 12), qint16(6));
        QCOMPARE(session.dialogs.messages.size(), 3);
    }

    void replacedCoverOfAnotherSize()
    {
        EditorFixture session(ChartBuilder().trailing("after the thumbnail").build());
        const QByteArray cover = jpegBytes(QSize(64, 48), Qt::green);
        const QByteArray thumbnail = session.form.Chart.SmallFrameData;
        QVERIFY(cover.size() != session.form.Chart.FullImageData.size());
        session.form.Chart.FullImageData = cover;
        session.form.FullImageDirty = true;
        session.form.BtnSave->click();
        QVERIFY(successShown(session.dialogs));

        const qint32 offset = int32At(session.original, 296);
        QByteArray expected = expectedUneditedSave(session.original).left(offset) + cover + thumbnail;
        expected.replace(268, 4, littleEndian<qint32>(qint32(cover.size())));
        const QByteArray actual = session.onDisk();
        QVERIFY2(actual == expected, qPrintable(firstDifference(actual, expected)));
        QCOMPARE(int32At(actual, 296), offset);
        QCOMPARE(int32At(actual, 100), qint32(thumbnail.size()));
        QVERIFY(!session.form.FullImageDirty);
    }

    void saveAsToANewName()
    {
        EditorFixture session(ChartBuilder().build());
        const QString other = session.file("copy.ojn");
        QSignalSpy saved(&session.form, &Form1::chartSaved);
        session.form.TitleBox->setText("Copied");
        session.dialogs.fileNames.enqueue(other);
        session.form.SaveAsMenuStrip->trigger();

        const ScriptedDialogs::FileRequest request = session.dialogs.fileRequests.last();
        QCOMPARE(request.mode, FileDialogMode::Save);
        QCOMPARE(request.fileName, QString());
        QCOMPARE(request.filter, QString("O2Jam Note File|*.ojn"));
        QVERIFY2(successShown(session.dialogs), qPrintable(session.dialogs.messages.value(0).text));
        QCOMPARE(session.onDisk(), session.original);
        QCOMPARE(readFile(other), expectedUneditedSave(session.original).replace(108, 33, savedSlot("Copied", 33)));
        QCOMPARE(session.form.PathBox->text(), QDir::toNativeSeparators(other));
        QCOMPARE(session.form.Chart.ChartPath, other);
        QVERIFY(!session.form.InfoDirty);

        // Save now goes to the new file.
        session.form.ArtistBox->setText("Second");
        session.form.BtnSave->click();
        QCOMPARE(session.onDisk(), session.original);
        QCOMPARE(readFile(other).mid(172, 7), QByteArray("Second\0", 7));
        QCOMPARE(session.entries(), QStringList({"chart.ojn", "copy.ojn"}));
        QCOMPARE(saved, QList<QVariantList>({{other}, {other}})); // a folder window reads it again
    }

    void saveAsReplacesOrCreatesExactlyThatFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("existing"); // empty: no file there yet
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QStringList>("links"); // chosen instead of the name: each a link to the next, the last to the name
        QTest::newRow("onto a larger file") << "big.ojn" << QByteArray(200000, 'x') << false << QStringList();
        QTest::newRow("onto a read-only file") << "locked.ojn" << QByteArray("old content") << true << QStringList();
        QTest::newRow("name without an extension") << "noextension" << QByteArray() << false << QStringList();
        QTest::newRow("onto its own file") << "chart.ojn" << QByteArray() << false << QStringList();
#ifndef Q_OS_WIN // there QFile::link makes a shortcut, an ordinary file
        QTest::newRow("through a link") << "real.ojn" << QByteArray("old content") << false << QStringList{"link.ojn"};
        QTest::newRow("through a chain of two links onto a read-only file")
            << "real.ojn" << QByteArray("old content") << true << QStringList{"link1.ojn", "link2.ojn"};
#endif
    }
    void saveAsReplacesOrCreatesExactlyThatFile()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, existing);
        QFETCH(bool, readOnly);
        QFETCH(QStringList, links);
        EditorFixture session(ChartBuilder().trailing("dropped").build());
        const QString target = session.file(name);
        if (!existing.isEmpty())
            writeFile(target, existing);
        if (readOnly)
            QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        // Kept exactly: a read-only file is replaced and stays read-only.
        const QFile::Permissions permissions = QFile::permissions(target);
        for (qsizetype i = 0; i < links.size(); ++i)
            QVERIFY(QFile::link(i + 1 < links.size() ? links[i + 1] : name, session.file(links[i])));
        const QString chosen = links.isEmpty() ? target : session.file(links.first());

        // A Save after the Save As writes the same file again.
        session.dialogs.fileNames.enqueue(chosen);
        session.form.BtnSaveAs->click();
        QVERIFY2(successShown(session.dialogs), qPrintable(session.dialogs.messages.value(0).text));
        session.form.BtnSave->click();
        QCOMPARE(readFile(target), expectedUneditedSave(session.original));
        if (!existing.isEmpty())
            QCOMPARE(QFile::permissions(target), permissions);
        QCOMPARE(session.form.Chart.ChartPath, chosen);
        for (qsizetype i = 0; i < links.size(); ++i)
            QCOMPARE(QFileInfo(session.file(links[i])).symLinkTarget(), session.file(i + 1 < links.size() ? links[i + 1] : name));
        QStringList expectedEntries = QStringList{"chart.ojn", name} + links;
        expectedEntries.removeDuplicates();
        expectedEntries.sort();
        QCOMPARE(session.entries(), expectedEntries);
    }

    void cancelledSaveAsChangesNothing()
    {
        EditorFixture session(ChartBuilder().build());
        session.form.TitleBox->setText("Edited");
        session.form.FullImageDirty = true;
        const ChartRecord before = session.form.Chart;
        session.form.BtnSaveAs->click(); // no answer queued: cancelled
        QCOMPARE(session.dialogs.fileRequests.size(), 2);
        QVERIFY(session.dialogs.messages.isEmpty());
        QVERIFY(sameHeldValues(session.form.Chart, before));
        QCOMPARE(session.form.PathBox->text(), QDir::toNativeSeparators(session.path));
        QVERIFY(session.form.InfoDirty && session.form.FullImageDirty);
        QCOMPARE(session.onDisk(), session.original);
        QCOMPARE(session.entries(), QStringList{"chart.ojn"});
    }

    void failedSaveLeavesFileAndEditorAsTheyWere_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("saveAsName"); // empty: Save to the chart's own file
        QTest::addColumn<QStringList>("expectedInMessage");
        const QString hangul = QString::fromUtf8("한글");
        QTest::newRow("title of 33 bytes") << "en_US" << "TitleBox" << QString(33, 'x') << "" << QStringList{"Title", "33 bytes"};
        QTest::newRow("artist of 17 Hangul letters (34 bytes in 949)")
            << "ko_KR" << "ArtistBox" << QString(hangul).repeated(8) + hangul.left(1) << "" << QStringList{"Artist", "34 bytes"};
        QTest::newRow("Hangul in code page 1252") << "en_US" << "PatternBox" << "Mix " + hangul << ""
                                                  << QStringList{"Pattern", "cannot store", "1252"};
        QTest::newRow("song ID beyond 32 bits") << "en_US" << "IDBox" << "2147483648" << "" << QStringList{"Song ID", "out of range"};
        QTest::newRow("BPM beyond a float") << "en_US" << "BPMBox" << "1e39" << "" << QStringList{"BPM", "out of range"};
        QTest::newRow("Save As onto a folder") << "en_US" << "TitleBox" << "Edited" << "folder" << QStringList{"it is a folder"};
        QTest::newRow("Save As into a missing folder") << "en_US" << "TitleBox" << "Edited" << "gone/chart.ojn"
                                                       << QStringList{"does not exist"};
        // Refused before anything is tried: a warning, not an error.
        QTest::newRow("Save As onto an OJM") << "en_US" << "TitleBox" << "Edited" << "music.ojm"
                                             << QStringList{"it is an OJM music file, and a chart never replaces one."};
        QTest::newRow("Save As onto a song list") << "en_US" << "TitleBox" << "Edited" << "ojnlist.dat"
                                                  << QStringList{"it is a song list, and a chart never replaces one."};
#ifndef Q_OS_WIN // there QFile::link makes a shortcut, an ordinary file
        QTest::newRow("Save As onto a link to nothing") << "en_US" << "TitleBox" << "Edited" << "link to nowhere.ojn"
                                                        << QStringList{"nowhere.ojn, which does not exist"};
        QTest::newRow("Save As onto a loop of links") << "en_US" << "TitleBox" << "Edited" << "link round.ojn"
                                                      << QStringList{"loop of links"};
#endif
    }
    void failedSaveLeavesFileAndEditorAsTheyWere()
    {
        QFETCH(QString, locale);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, saveAsName);
        QFETCH(QStringList, expectedInMessage);
        QLocale::setDefault(QLocale(locale));
        OJN_SKIP_UNLESS_SYSTEM_CODE_PAGE_OF(QLocale(locale));
        EditorFixture session(ChartBuilder().build());
        QVERIFY(QDir(session.dir.path()).mkdir("folder"));
        QStringList entries{"chart.ojn", "folder"};
        if (saveAsName.startsWith("link")) {
            QVERIFY(QFile::link("nowhere.ojn", session.file("link to nowhere.ojn")));
            QVERIFY(QFile::link("link back.ojn", session.file("link round.ojn")) && QFile::link("link round.ojn", session.file("link back.ojn")));
            entries << "link back.ojn" << "link round.ojn" << "link to nowhere.ojn";
        }
        const QMap<QString, QByteArray> planted{{"music.ojm", QByteArray("M30\0music", 9)},
                                                {"ojnlist.dat", songListBytes(1, {ChartBuilder().noteSections(1, 1, 1).build()})}};
        if (planted.contains(saveAsName)) {
            writeFile(session.file(saveAsName), planted[saveAsName]);
            entries << saveAsName;
        }
        setField(session.form, box, text);
        QCOMPARE(session.form.findChild<QLineEdit *>(box)->text(), text);
        session.form.SmallFrameDirty = true;
        const ChartRecord before = session.form.Chart;
        QSignalSpy saved(&session.form, &Form1::chartSaved);

        const QString target = saveAsName.isEmpty() ? session.path : session.file(saveAsName);
        if (saveAsName.isEmpty()) {
            session.form.BtnSave->click();
        } else {
            session.dialogs.fileNames.enqueue(target);
            session.form.BtnSaveAs->click();
        }

        QCOMPARE(session.dialogs.messages.size(), 1);
        QVERIFY(saved.isEmpty());
        const ScriptedDialogs::Message message = session.dialogs.messages[0];
        QCOMPARE(message.caption, QString(planted.contains(saveAsName) ? "Warning" : "Error"));
        QCOMPARE(message.icon, planted.contains(saveAsName) ? MessageIcon::Warning : MessageIcon::Critical);
        QCOMPARE(readFile(session.file(saveAsName)), planted.value(saveAsName));
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QVERIFY2(message.text.contains(QDir::toNativeSeparators(target)), qPrintable(message.text));
        for (const QString &part : expectedInMessage)
            QVERIFY2(message.text.contains(part), qPrintable(message.text));

        QCOMPARE(session.onDisk(), session.original);
        QCOMPARE(session.entries(), entries);
        QVERIFY(QDir(session.file("folder")).isEmpty());
        QVERIFY(sameHeldValues(session.form.Chart, before));
        QCOMPARE(session.form.PathBox->text(), QDir::toNativeSeparators(session.path));
        QCOMPARE(session.form.findChild<QLineEdit *>(box)->text(), text);
        QVERIFY(session.form.InfoDirty && session.form.SmallFrameDirty);
        QVERIFY(session.form.BtnSave->isEnabled() && session.form.TitleBox->isEnabled());
    }
};

QTEST_MAIN(SaveCommandsTest)
#include "tst_save_commands.moc"
