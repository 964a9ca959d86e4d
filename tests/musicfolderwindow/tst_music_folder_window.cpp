// The Music Folder window driven by keys and clicks with the dialogs
// scripted: a generated game folder opens, a planted duplicate song ID
// shows and blocks the song list, two selected charts are edited together,
// the song list is updated, headers go out to a CSV and back, each of
// those commands is undone from the Edit menu's keys, and charts are
// added, renumbered and named for their IDs, then undone and redone; the
// bytes on disk are checked against what they must be. It runs offscreen everywhere (on Windows too), and in a
// real X11 window under Xvfb as desktop_music_folder_window.
#include "musicfolderwindow/ChartPanel.h"
#include "musicfolderwindow/EditSelectedDialog.h"
#include "musicfolderwindow/ImportPreviewDialog.h"
#include "musicfolderwindow/MusicFolderWindow.h"
#include "musicfolderwindow/PlanDialogs.h"
#include "support/ChartBuilder.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace ojn;
using namespace ojn::test;

namespace {

const QByteArray ExtraSections("\x01\x00\x00\x00\x65\x00\x00\x00\x07", 9);

QByteArray chart(qint32 id, qint16 hx)
{
    return ChartBuilder().noteSections(2, 2, 2).songId(id).levels(1, 5, hx).artistBytes(QByteArray("Same Artist\0", 12))
        .ojmBytes("o2ma" + QByteArray::number(id) + ".ojm" + QByteArray(8, '\0')).build();
}

} // namespace

class MusicFolderWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_game;
    QString m_music, m_list;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<MusicFolderWindow> m_window;

    QString file(const QString &name) const { return QDir(m_music).filePath(name); }
    QAction *action(const char *name) const { return m_window->findChild<QAction *>(name); }
    QPushButton *button(const char *name) const { return m_window->findChild<QPushButton *>(name); }

    void waitUntilIdle()
    {
        QVERIFY2(QTest::qWaitFor([this] { return !m_window->busy(); }, 20000), "the window's work never ended");
    }

    // The table row (as shown) of a file.
    int rowOf(const QString &name) const
    {
        const QAbstractItemModel *shown = m_window->ChartTable->model();
        for (int row = 0; row < shown->rowCount(); ++row) {
            if (shown->index(row, FileColumn).data().toString() == name)
                return row;
        }
        return -1;
    }

    QString cell(const QString &name, int column) const
    {
        return m_window->ChartTable->model()->index(rowOf(name), column).data().toString();
    }

    void clickRow(const QString &name, Qt::KeyboardModifiers modifiers = {})
    {
        QTableView *table = m_window->ChartTable;
        const QRect rect = table->visualRect(table->model()->index(rowOf(name), columnOf(HeaderField::Title)));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, modifiers, rect.center());
    }

private slots:
    void initTestCase()
    {
        QDir game(m_game.path());
        QVERIFY(game.mkpath("Music") && game.mkpath("image"));
        m_music = game.filePath("Music");
        m_list = game.filePath("image/ojnlist.DAT"); // found in any case
        for (qint32 id : {100, 101, 102}) {
            writeFile(file(QStringLiteral("o2ma%1.ojn").arg(id)), chart(id, qint16(id - 90)));
            writeFile(file(QStringLiteral("o2ma%1.ojm").arg(id)), "OJM");
        }
        writeFile(file("copy.ojn"), chart(101, 3)); // the planted duplicate
        writeFile(m_list, songListBytes(3, {chart(100, 10), chart(101, 99), chart(200, 1)}, ExtraSections));

        m_window = std::make_unique<MusicFolderWindow>(m_dialogs);
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get())); // its shortcuts work only then
        m_window->openFolder(m_music);
        waitUntilIdle();
    }

    void rowsFindingsAndStatus()
    {
        QVERIFY2(QFileInfo(m_window->songListPath()) == QFileInfo(m_list), qPrintable(m_window->songListPath()));
        QCOMPARE(m_window->ChartTable->model()->rowCount(), 5); // four charts and the song without one
        const QString duplicate = "Song ID 101 is used by 2 charts: copy.ojn, o2ma101.ojn.";
        QCOMPARE(cell("copy.ojn", FindingsColumn), duplicate);
        QVERIFY(cell("o2ma101.ojn", FindingsColumn).startsWith(duplicate));
        QCOMPARE(cell("o2ma101.ojn", ListColumn), "stale");
        QCOMPARE(cell("", columnOf(HeaderField::SongId)), "200");
        QCOMPARE(m_window->StatusText->text(),
                 QString::fromUtf8("4 charts \u00b7 2 with problems \u00b7 song list: 2 stale, 1 not listed, 1 missing"));
        QCOMPARE(m_window->windowTitle(), "Music Folder: " + QDir::toNativeSeparators(m_music));
        // What needs attention is in view at the first size, and in any cell's tooltip.
        const QHeaderView *header = m_window->ChartTable->horizontalHeader();
        for (int column : {ListColumn, FindingsColumn})
            QVERIFY(header->sectionViewportPosition(column) + 60 < m_window->ChartTable->viewport()->width());
        QVERIFY(m_window->ChartTable->model()->index(rowOf("copy.ojn"), columnOf(HeaderField::Title)).data(Qt::ToolTipRole)
                    .toString().contains(duplicate));
    }

    void duplicateBlocksTheSongList()
    {
        const QByteArray before = readFile(m_list);
        QTest::mouseClick(button("BtnUpdateSongList"), Qt::LeftButton);
        QVERIFY(m_dialogs.messages.last().text.contains("song ID 101 (copy.ojn, o2ma101.ojn)"));
        QCOMPARE(readFile(m_list), before);
        QFile::remove(file("copy.ojn"));
        QTest::keyClick(m_window.get(), Qt::Key_F5);
        QVERIFY(m_window->busy());
        waitUntilIdle();
        QCOMPARE(rowOf("copy.ojn"), -1);
    }

    void keysOpenAndFilter()
    {
        QSignalSpy opened(m_window.get(), &MusicFolderWindow::openChartRequested);
        clickRow("o2ma102.ojn");
        QTest::keyClick(m_window->ChartTable, Qt::Key_Delete); // nothing destructive
        QTest::keyClick(m_window->ChartTable, Qt::Key_Return);
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened.first().first().toString(), file("o2ma102.ojn"));
        QVERIFY(QFile::exists(file("o2ma102.ojn")));
        QTRY_COMPARE(m_window->Panel->ChartName->text(), "o2ma102.ojn");

        QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier);
        QVERIFY(m_window->FilterBox->hasFocus());
        QTest::keyClicks(m_window->FilterBox, "stale");
        QCOMPARE(m_window->ChartTable->model()->rowCount(), 1);
        QTest::keyClick(m_window->FilterBox, Qt::Key_Escape);
        QCOMPARE(m_window->ChartTable->model()->rowCount(), 4);
    }

    // Copy puts the selected rows as shown, tab-separated; a column hidden
    // from the View menu is left out.
    void copyRowsAndHideColumns()
    {
        auto *artist = m_window->findChild<QAction *>(QStringLiteral("ActColumn%1").arg(columnOf(HeaderField::Artist)));
        artist->toggle();
        QVERIFY(m_window->ChartTable->isColumnHidden(columnOf(HeaderField::Artist)));
        clickRow("o2ma100.ojn");
        QTest::keyClick(m_window->ChartTable, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines = QApplication::clipboard()->text().split('\n');
        artist->toggle();
        QVERIFY2(lines.size() == 3, qPrintable(lines.join('|'))); // the titles, the row, nothing after the last line end
        QVERIFY2(lines[0].startsWith("File\tList\tFindings\tID\tTitle\t"), qPrintable(lines[0]));
        const QStringList row{"o2ma100.ojn", cell("o2ma100.ojn", ListColumn), "", "100", "Test Title", "Tester\t"};
        QVERIFY2(lines[1].startsWith(row.join('\t')), qPrintable(lines[1]));
    }

    void editTwoSelectedCharts()
    {
        const QByteArray chart100 = readFile(file("o2ma100.ojn")), chart102 = readFile(file("o2ma102.ojn"));
        clickRow("o2ma100.ojn");
        clickRow("o2ma102.ojn", Qt::ControlModifier);
        // Two charts of two IDs: neither one to renumber nor one ID shared.
        QVERIFY(!button("BtnChangeSongId")->isEnabled() && !button("BtnResolveDuplicateIds")->isEnabled());
        QString shownHx, shownArtist;
        m_dialogs.onModal = [&](QDialog &window) {
            auto &dialog = dynamic_cast<EditSelectedDialog &>(window);
            shownHx = dialog.lineBox(HeaderField::LevelHx)->text();
            shownArtist = dialog.lineBox(HeaderField::Artist)->text();
            dialog.nameBox(HeaderField::Genre)->setCurrentText("Jazz");
            dialog.lineBox(HeaderField::LevelEx)->setText("7");
            QTest::mouseClick(dialog.findChild<QPushButton *>("BtnApply"), Qt::LeftButton);
        };
        QSignalSpy saved(m_window.get(), &MusicFolderWindow::chartSaved);
        action("ActEditSelected")->trigger();
        QTRY_COMPARE(shownHx, QString(KeepText));
        m_dialogs.onModal = nullptr;
        QCOMPARE(shownArtist, "Same Artist");
        waitUntilIdle();
        QCOMPARE(m_dialogs.messages.last().text, "Saved 2 charts.");
        QCOMPARE(saved.size(), 2);
        // Exactly the genre (Jazz is 6) and the Ex level change.
        for (auto [name, before] : {std::pair{"o2ma100.ojn", chart100}, std::pair{"o2ma102.ojn", chart102}}) {
            QByteArray expected = before;
            qToLittleEndian<qint16>(6, expected.data() + 12);
            qToLittleEndian<qint16>(7, expected.data() + 20);
            QCOMPARE(readFile(file(name)), expected);
            QCOMPARE(cell(name, columnOf(HeaderField::Genre)), "Jazz");
        }
    }

    // A folder that cannot be listed says why; nothing is built from it.
    void unlistableFolderBuildsNoList()
    {
        ScriptedDialogs dialogs;
        MusicFolderWindow window(dialogs);
        window.openFolder(QDir(m_game.path()).filePath("Gone"));
        QVERIFY(QTest::qWaitFor([&] { return !window.busy(); }, 20000));
        QCOMPARE(dialogs.messages.size(), 1);
        QVERIFY(!window.findChild<QPushButton *>("BtnBuildSongList")->isEnabled() && !window.findChild<QPushButton *>("BtnUpdateSongList")->isEnabled());
        QCOMPARE(window.table().rowCount(), 0); // its list's songs are not "missing"
    }

    void updateTheSongList()
    {
        m_dialogs.answers.enqueue(MessageAnswer::Yes);
        action("ActUpdateSongList")->trigger();
        QTRY_VERIFY(m_dialogs.messages.last().text.startsWith("Saved the song list"));
        // First it said what it would do.
        const ScriptedDialogs::Message &question = m_dialogs.messages.at(m_dialogs.messages.size() - 2);
        QCOMPARE(question.caption, "Update Song List");
        QVERIFY(question.text.contains("2 refreshed, 1 added, 1 missing kept, 0 unchanged."));
        // Refreshed where they stand, the missing song kept, the new one
        // added, the extra sections as they were.
        QCOMPARE(readFile(m_list), songListBytes(4, {readFile(file("o2ma100.ojn")), readFile(file("o2ma101.ojn")), chart(200, 1),
                                                  readFile(file("o2ma102.ojn"))}, ExtraSections));
        QVERIFY(m_window->StatusText->text().endsWith("song list: 1 missing"));
    }

    // Export writes the rows as shown, filtered and sorted; an import shows
    // its change, saves it on Apply and then offers to update the list.
    void exportAndImportCsv()
    {
        const QString csv = QDir(m_game.path()).filePath("headers.csv");
        m_window->FilterBox->setText("o2ma10");
        m_window->ChartTable->sortByColumn(FileColumn, Qt::DescendingOrder);
        m_dialogs.fileNames.enqueue(csv);
        QTest::mouseClick(button("BtnExportCsv"), Qt::LeftButton);
        waitUntilIdle();
        QCOMPARE(m_dialogs.messages.last().text, "Exported 3 charts to " + QDir::toNativeSeparators(csv) + ".");
        const QList<QByteArray> lines = readFile(csv).split('\n');
        QCOMPARE(lines.size(), 5); // the header row, three charts, nothing after the last line end
        QVERIFY2(lines[1].startsWith("Music/o2ma102.ojn,102,Test Title,Same Artist,Tester,Jazz,o2ma102.ojm,120,7,5,12,"), lines[1]);
        QVERIFY2(lines[3].startsWith("Music/o2ma100.ojn,100,"), lines[3]);
        m_window->FilterBox->clear();
        m_window->ChartTable->sortByColumn(FileColumn, Qt::AscendingOrder);

        writeFile(csv, "file,levelHx,title\r\nMusic/o2ma100.ojn,42,Test Title\r\nMusic/o2ma101.ojn,11.0,Test Title\r\n");
        QByteArray expected = readFile(file("o2ma100.ojn"));
        qToLittleEndian<qint16>(42, expected.data() + 24);
        const QByteArray chart101 = readFile(file("o2ma101.ojn"));
        QStringList shown;
        m_dialogs.onModal = [&](QDialog &window) {
            auto &dialog = dynamic_cast<ImportPreviewDialog &>(window);
            const QAbstractItemModel *changes = dialog.ChangesTable->model();
            for (int row = 0; row < changes->rowCount(); ++row) {
                for (int column = 0; column < 4; ++column)
                    shown << changes->index(row, column).data().toString();
            }
            QTest::mouseClick(dialog.BtnApply, Qt::LeftButton);
        };
        m_dialogs.fileNames.enqueue(csv);
        QTest::mouseClick(button("BtnImportCsv"), Qt::LeftButton);
        QTRY_VERIFY(!shown.isEmpty());
        m_dialogs.onModal = nullptr;
        waitUntilIdle();
        QCOMPARE(shown, (QStringList{"Music/o2ma100.ojn", "Level Hx", "10", "42"}));
        QCOMPARE(readFile(file("o2ma100.ojn")), expected);
        QCOMPARE(readFile(file("o2ma101.ojn")), chart101);
        QCOMPARE(cell("o2ma100.ojn", columnOf(HeaderField::LevelHx)), "42");
        QCOMPARE(m_dialogs.messages.at(m_dialogs.messages.size() - 2).text, "Saved 1 chart.");
        QCOMPARE(m_dialogs.messages.last().caption, "Update Song List"); // answered No
        QVERIFY(m_dialogs.messages.last().text.contains("1 refreshed"));
    }

    // Each command is one step, named for it: the exact bytes come back and
    // the rows are read again. (A file changed since: tst_file_history.)
    void undoAndRedoByKeys()
    {
        QCOMPARE(action("ActUndo")->text(), "&Undo Import (1 chart)");
        QTest::keyClick(m_window.get(), Qt::Key_Z, Qt::ControlModifier);
        waitUntilIdle();
        QCOMPARE(cell("o2ma100.ojn", columnOf(HeaderField::LevelHx)), "10");
        const QByteArray updated = readFile(m_list);
        QTest::keyClick(m_window.get(), Qt::Key_Z, Qt::ControlModifier);
        waitUntilIdle();
        QCOMPARE(readFile(m_list), songListBytes(3, {chart(100, 10), chart(101, 99), chart(200, 1)}, ExtraSections));
        QCOMPARE(action("ActRedo")->text(), "&Redo Update Song List");
        QTest::keyClick(m_window.get(), Qt::Key_Y, Qt::ControlModifier);
        waitUntilIdle();
        QCOMPARE(readFile(m_list), updated);
        QTest::keyClick(m_window.get(), Qt::Key_Z, Qt::ControlModifier);
        waitUntilIdle();
        QCOMPARE(action("ActUndo")->text(), "&Undo Edit Selected (2 charts)");
    }

    // Each command on a chart planted for it, run in this order: its plan
    // shown and applied, the files then on disk, the rows read again.
    void folderCommands_data()
    {
        QTest::addColumn<QString>("planted"); // relative to Music, with song ID `plantedId`
        QTest::addColumn<qint32>("plantedId");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("answer"); // the ID offered, or the chart that keeps its ID
        QTest::addColumn<QString>("made");
        QTest::addColumn<qint32>("madeId");
        QTest::addColumn<QStringList>("gone");
        QTest::newRow("add under the lowest ID above the highest, the pack left as it was")
            << "../pack/song.ojn" << 101 << "" << "BtnAddCharts" << "" << "o2ma201.ojn" << 201 << QStringList();
        QTest::newRow("change song ID to the lowest free one offered")
            << "song.ojn" << 150 << "song.ojn" << "BtnChangeSongId" << "103" << "o2ma103.ojn" << 103
            << QStringList{"song.ojn", "o2ma150.ojm"};
        QTest::newRow("resolve a duplicate ID, the chart chosen keeping it")
            << "copy.ojn" << 101 << "copy.ojn" << "BtnResolveDuplicateIds" << "o2ma101.ojn" << "o2ma104.ojn" << 104
            << QStringList{"copy.ojn"};
        QTest::newRow("name files for IDs with no chart selected: all of them")
            << "named.ojn" << 105 << "" << "BtnNameFilesForIds" << "" << "o2ma105.ojn" << 105 << QStringList{"named.ojn"};
        QTest::newRow("add a chart dropped on the window")
            << "../pack/drop.ojn" << 100 << "" << "" << "" << "o2ma202.ojn" << 202 << QStringList();
        // Its new name made a folder between the plan shown and Apply: the
        // write fails for real, as in a read-only folder (root passes modes).
        QTest::newRow("add, the write failing")
            << "../pack/late.ojn" << 100 << "" << "BtnAddCharts" << "" << "o2ma203.ojn" << 203 << QStringList();
    }

    void folderCommands()
    {
        QFETCH(QString, planted);
        QFETCH(qint32, plantedId);
        QFETCH(QString, selected);
        QFETCH(QString, button);
        QFETCH(QString, answer);
        QFETCH(QString, made);
        QFETCH(qint32, madeId);
        QFETCH(QStringList, gone);
        const bool blocked = QTest::currentDataTag() == QLatin1String("add, the write failing");
        const QString source = QDir::cleanPath(file(planted));
        QVERIFY(QDir().mkpath(QFileInfo(source).absolutePath()));
        // Titled for its file, so that no chart seems an earlier copy of another.
        writeFile(source, chart(plantedId, 4).replace(108, 4, QFileInfo(source).baseName().left(4).toLatin1()));
        const QString ojm = QFileInfo(source).dir().filePath(QStringLiteral("o2ma%1.ojm").arg(plantedId));
        if (!QFile::exists(ojm))
            writeFile(ojm, "OJM " + planted.toLatin1());
        const QByteArray ojmBytes = readFile(ojm), kept = readFile(file("o2ma101.ojn"));
        QVERIFY(!QFile::exists(file(made)));
        m_window->rescan();
        waitUntilIdle();
        m_window->ChartTable->clearSelection();
        if (!selected.isEmpty())
            clickRow(selected);
        if (button == "BtnAddCharts")
            m_dialogs.fileNameLists.enqueue({source});
        QString shownAnswer;
        int steps = 0;
        m_dialogs.onModal = [&](QDialog &window) {
            if (auto *preview = dynamic_cast<PlanPreviewDialog *>(&window)) {
                steps = preview->StepsTable->model()->rowCount();
                if (blocked)
                    QVERIFY(QDir(m_music).mkdir(made));
                QTest::mouseClick(preview->BtnApply, Qt::LeftButton);
            } else if (auto *id = dynamic_cast<SongIdDialog *>(&window)) {
                shownAnswer = id->IdBox->text();
                QTest::mouseClick(id->BtnOk, Qt::LeftButton);
            } else if (auto *keeper = dynamic_cast<KeeperDialog *>(&window)) {
                keeper->KeeperList->setCurrentItem(keeper->KeeperList->findItems(answer, Qt::MatchStartsWith).value(0));
                shownAnswer = QFileInfo(keeper->keeper()).fileName();
                QTest::mouseClick(keeper->BtnOk, Qt::LeftButton);
            }
        };
        if (button.isEmpty()) {
            QMimeData dropped;
            dropped.setUrls({QUrl::fromLocalFile(source)});
            // The drop goes where the drag entered, as a real drag's does.
            QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QCoreApplication::sendEvent(m_window.get(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, {});
            QCoreApplication::sendEvent(m_window.get(), &drop);
        } else {
            QPushButton *command = m_window->findChild<QPushButton *>(button);
            QVERIFY(command && command->isEnabled());
            QTest::mouseClick(command, Qt::LeftButton);
        }
        const QByteArray list = readFile(m_list);
        const qsizetype messages = m_dialogs.messages.size();
        QTRY_VERIFY(steps > 0);
        waitUntilIdle();
        m_dialogs.onModal = nullptr;
        QCOMPARE(shownAnswer, answer);
        if (blocked) { // refused with why, its OJM taken back, the list as it was
            const QString said = m_dialogs.messages.value(messages).text;
            QVERIFY2(said.startsWith("Added 0 of 1 chart.") && said.contains(made + " is already there")
                         && said.contains(QStringLiteral("removed o2ma%1.ojm again: the chart could not be written.").arg(madeId)), qPrintable(said));
            QCOMPARE(readFile(m_list), list);
            QVERIFY(!QFile::exists(file(QStringLiteral("o2ma%1.ojm").arg(madeId))) && QDir(m_music).rmdir(made));
            return;
        }
        const QByteArray written = readFile(file(made));
        QVERIFY2(written.size() == chart(plantedId, 4).size(), qPrintable(m_dialogs.messages.last().text));
        QCOMPARE(qFromLittleEndian<qint32>(written.constData()), madeId);
        QCOMPARE(written.mid(236, 12), QStringLiteral("o2ma%1.ojm").arg(madeId).toLatin1() + '\0');
        QCOMPARE(readFile(file(QStringLiteral("o2ma%1.ojm").arg(madeId))), ojmBytes);
        QCOMPARE(readFile(file("o2ma101.ojn")), kept);
        for (const QString &name : gone)
            QVERIFY2(!QFile::exists(file(name)), qPrintable(name));
        QVERIFY(QFile::exists(source) == gone.isEmpty());
        QCOMPARE(cell(made, columnOf(HeaderField::SongId)), QString::number(madeId));

        // Undone, the names come back; redone, the command's files again.
        const QAction *command = m_window->findChild<QAction *>("Act" + (button.isEmpty() ? "BtnAddCharts" : button).mid(3));
        QVERIFY2(action("ActUndo")->text().startsWith("&Undo " + command->text().remove('&').remove("...") + " (1 chart"),
                 qPrintable(action("ActUndo")->text()));
        QTest::keyClick(m_window.get(), Qt::Key_Z, Qt::ControlModifier);
        waitUntilIdle();
        QVERIFY2(!QFile::exists(file(made)), qPrintable(m_dialogs.messages.last().text));
        for (const QString &name : gone)
            QVERIFY2(QFile::exists(file(name)), qPrintable(name));
        QCOMPARE(rowOf(made), -1);
        QTest::keyClick(m_window.get(), Qt::Key_Y, Qt::ControlModifier);
        waitUntilIdle();
        QCOMPARE(readFile(file(made)), written);
        for (const QString &name : gone)
            QVERIFY2(!QFile::exists(file(name)), qPrintable(name));
    }

    // Refused before anything is written: a chart under any name.
    void refusedTargets_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("target"); // in the game folder; a copy of o2ma100.ojn where there is none
        QTest::addColumn<QString>("refusal");
        QTest::newRow("Export... onto a chart") << "BtnExportCsv" << "Music/o2ma100.ojn" << "a CSV never replaces one.";
        QTest::newRow("Export... onto a chart named .csv") << "BtnExportCsv" << "chart.csv" << "it is a chart, and a CSV never replaces one.";
        QTest::newRow("Build New Song List... onto a chart named .dat")
            << "BtnBuildSongList" << "image/chart.dat" << "it is a chart, and a song list never replaces one.";
    }
    void refusedTargets()
    {
        QFETCH(QString, button);
        QFETCH(QString, target);
        QFETCH(QString, refusal);
        const QString path = QDir(m_game.path()).filePath(target);
        QVERIFY(QFile::exists(path) || QFile::copy(file("o2ma100.ojn"), path));
        const QByteArray before = readFile(path);
        const QString undo = action("ActUndo")->text();
        m_dialogs.messages.clear();
        m_dialogs.fileNames.enqueue(path);
        QPushButton *command = m_window->findChild<QPushButton *>(button);
        QVERIFY(command && command->isEnabled());
        QTest::mouseClick(command, Qt::LeftButton);
        waitUntilIdle();
        QCOMPARE(m_dialogs.messages.size(), 1);
        const QString text = m_dialogs.messages[0].text;
        QVERIFY2(text.contains(QDir::toNativeSeparators(path)) && text.endsWith(refusal), qPrintable(text));
        QCOMPARE(readFile(path), before);
        QCOMPARE(action("ActUndo")->text(), undo);
    }
};

QTEST_MAIN(MusicFolderWindowTest)
#include "tst_music_folder_window.moc"
