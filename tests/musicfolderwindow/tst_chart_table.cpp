// The Music Folder table without a window: sorting (numbers as numbers),
// the filter, and what a row tells of its state.
#include "musicfolderwindow/ChartSortFilter.h"
#include "musicfolderwindow/ChartTableModel.h"
#include "model/ChartFileCheck.h"
#include "support/ChartBuilder.h"

#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

ChartScan scanOf(const QString &file, const QByteArray &chart)
{
    ChartScan scan = checkChartBytes(chart);
    scan.path = QStringLiteral("/game/Music/") + file;
    return scan;
}

QByteArray chart(qint32 id, const char *title, float bpm, qint16 hx, qint32 seconds, QByteArray ojm = {})
{
    ChartBuilder builder;
    if (ojm.isEmpty())
        ojm = "o2ma" + QByteArray::number(id) + ".ojm";
    builder.noteSections(1, 1, 1).songId(id).bpm(bpm).levels(1, 2, hx)
        .titleBytes(QByteArray(title) + '\0').ojmBytes(ojm + '\0');
    for (int d = 0; d < 3; ++d)
        builder.putInt32(272 + 4 * d, seconds);
    return builder.build();
}

// a: ID 9, b: ID 100 and an OJM of another name (a note), o2ma11: ID 10,
// which its file name contradicts, d: ID 9 again, e: unreadable.
QList<ChartScan> folder()
{
    return {scanOf("a.ojn", chart(9, "beta", 128.5f, 10, 65)), scanOf("b.ojn", chart(100, "Alpha", 95, 2, 600, "b.ojm")),
            scanOf("o2ma11.ojn", chart(10, "gamma", 88, 1, 125)), scanOf("d.ojn", chart(9, "Delta", 140, 3, 125)),
            scanOf("e.ojn", ChartBuilder().build().left(100))};
}

FolderListing ojmFiles()
{
    return FolderListing::of(QString(), {{"o2ma9.ojm"}, {"b.ojm"}, {"o2ma10.ojm"}});
}

QStringList filesShown(const ChartSortFilter &sorted)
{
    QStringList files;
    for (int row = 0; row < sorted.rowCount(); ++row)
        files << sorted.index(row, FileColumn).data().toString();
    return files;
}

} // namespace

class ChartTableTest : public QObject {
    Q_OBJECT
    TextCodec m_codec{1252};
    QLocale m_locale{QLocale::c()};

private slots:
    void sortsEachColumnByWhatItHolds_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QStringList>("ascending");
        // Unreadable charts have no numbers and come first.
        QTest::newRow("ID, as numbers") << columnOf(HeaderField::SongId) << QStringList{"e.ojn", "a.ojn", "d.ojn", "o2ma11.ojn", "b.ojn"};
        QTest::newRow("BPM, as numbers") << columnOf(HeaderField::Bpm) << QStringList{"e.ojn", "o2ma11.ojn", "b.ojn", "a.ojn", "d.ojn"};
        QTest::newRow("level, as numbers") << columnOf(HeaderField::LevelHx) << QStringList{"e.ojn", "o2ma11.ojn", "b.ojn", "d.ojn", "a.ojn"};
        QTest::newRow("duration, as seconds") << DurationColumn << QStringList{"e.ojn", "a.ojn", "o2ma11.ojn", "d.ojn", "b.ojn"};
        QTest::newRow("title, ignoring case") << columnOf(HeaderField::Title) << QStringList{"e.ojn", "b.ojn", "a.ojn", "d.ojn", "o2ma11.ojn"};
        QTest::newRow("findings, notes before problems") << FindingsColumn << QStringList{"b.ojn", "a.ojn", "d.ojn", "e.ojn", "o2ma11.ojn"};
    }
    void sortsEachColumnByWhatItHolds()
    {
        QFETCH(int, column);
        QFETCH(QStringList, ascending);
        FolderCatalogue catalogue(m_codec);
        ChartTableModel charts(catalogue, m_codec, m_locale);
        catalogue.reset(ojmFiles());
        catalogue.applyScans(folder(), catalogue.nextStamp());
        ChartSortFilter sorted(charts);
        sorted.sort(column, Qt::AscendingOrder);
        QCOMPARE(filesShown(sorted), ascending);
    }

    void filterMatchesTextColumns_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("title, any case") << "ALPHA" << QStringList{"b.ojn"};
        QTest::newRow("file name") << "o2ma11" << QStringList{"o2ma11.ojn"};
        QTest::newRow("folder finding") << "used by 2 charts" << QStringList{"a.ojn", "d.ojn"};
        QTest::newRow("unreadable reason") << "too short" << QStringList{"e.ojn"};
        QTest::newRow("list status") << "not listed" << QStringList{"a.ojn", "b.ojn", "d.ojn", "o2ma11.ojn"};
        QTest::newRow("a song only the list holds") << "missing" << QStringList{""};
        QTest::newRow("genre, by its name") << "TECHNO" << QStringList{"a.ojn", "b.ojn", "d.ojn", "o2ma11.ojn", ""};
        QTest::newRow("numbers are not searched") << "128" << QStringList{};
        QTest::newRow("blank shows all") << "  " << QStringList{"a.ojn", "b.ojn", "d.ojn", "e.ojn", "o2ma11.ojn", ""};
    }
    void filterMatchesTextColumns()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        FolderCatalogue catalogue(m_codec);
        ChartTableModel charts(catalogue, m_codec, m_locale);
        catalogue.reset(ojmFiles());
        catalogue.applyScans(folder(), catalogue.nextStamp());
        SongList list;
        list.entries = {chart(300, "Gone", 100, 1, 1).left(300)};
        catalogue.useSongList("OJNList.dat", list);
        catalogue.setAllChartsRead(true);
        ChartSortFilter sorted(charts);
        sorted.sort(FileColumn, Qt::AscendingOrder);
        sorted.setFilterText(filter);
        QCOMPARE(filesShown(sorted), shown);
    }

    // What a row needs is told by any of its cells' tooltips, and the
    // findings' icon in words for a screen reader.
    void rowsTellTheirState_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("start");
        QTest::newRow("a problem, in another cell's tooltip") << 0 << columnOf(HeaderField::Title) << int(Qt::ToolTipRole) << "Problem: Song ID 9 is used by 2 charts";
        QTest::newRow("the file's tooltip, its path then findings") << 1 << FileColumn << int(Qt::ToolTipRole) << "/game/Music/b.ojn\n";
        QTest::newRow("a problem, read out") << 0 << FindingsColumn << int(Qt::AccessibleTextRole) << "Problem: Song ID 9";
        QTest::newRow("a note, read out") << 1 << FindingsColumn << int(Qt::AccessibleTextRole) << "Note: ";
        QTest::newRow("nothing found, nothing told") << 2 << columnOf(HeaderField::Title) << int(Qt::ToolTipRole) << "";
        QTest::newRow("a song only the list holds") << 5 << columnOf(HeaderField::Title) << int(Qt::ToolTipRole) << "Listed in the song list, but no chart";
    }
    void rowsTellTheirState()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, role);
        QFETCH(QString, start);
        FolderCatalogue catalogue(m_codec);
        ChartTableModel charts(catalogue, m_codec, m_locale);
        QList<ChartScan> scans = folder();
        scans[2] = scanOf("o2ma10.ojn", chart(10, "gamma", 88, 1, 125));
        catalogue.reset(ojmFiles());
        catalogue.applyScans(scans, catalogue.nextStamp());
        catalogue.useSongList("OJNList.dat", SongList{{chart(300, "Gone", 100, 1, 1).left(300)}, {}});
        catalogue.setAllChartsRead(true);
        const QString told = charts.index(row, column).data(role).toString();
        QVERIFY2(start.isEmpty() ? told.isEmpty() : told.startsWith(start), qPrintable(told));
    }
};

QTEST_MAIN(ChartTableTest)
#include "tst_chart_table.moc"
