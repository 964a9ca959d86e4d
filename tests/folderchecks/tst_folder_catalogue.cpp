// A folder's catalogue without a window: the listed songs with no chart
// once every chart is read, the list statuses, the summary, a late result
// that must not undo a newer one, and the rows it says came and changed.
#include "folderchecks/FolderCatalogue.h"
#include "model/ChartFileCheck.h"
#include "support/ChartBuilder.h"

#include <QSignalSpy>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

ChartScan scanOf(const QString &file, qint32 id, const char *title)
{
    ChartScan scan = checkChartBytes(ChartBuilder().noteSections(1, 1, 1).songId(id).titleBytes(QByteArray(title) + '\0')
                                         .ojmBytes("o2ma" + QByteArray::number(id) + QByteArray(".ojm", 5)).build());
    scan.path = QStringLiteral("/game/Music/") + file;
    return scan;
}

} // namespace

class FolderCatalogueTest : public QObject {
    Q_OBJECT
private slots:
    void songListRowsAndLateResults()
    {
        FolderCatalogue catalogue{TextCodec(1252)};
        QSignalSpy added(&catalogue, &FolderCatalogue::chartsAdded);
        QSignalSpy changed(&catalogue, &FolderCatalogue::rowsChanged);
        QSignalSpy missing(&catalogue, &FolderCatalogue::missingSongsChanged);
        catalogue.reset(FolderListing::of(QStringLiteral("/game/Music"), {{"o2ma9.ojm"}, {"o2ma100.ojm"}}));
        SongList list;
        list.entries = {scanOf("gone.ojn", 300, "Gone").header->bytes, scanOf("b.ojn", 100, "Alpha").header->bytes};
        catalogue.useSongList("/game/Image/OJNList.dat", list);
        const quint64 scan = catalogue.nextStamp();
        catalogue.applyScans({scanOf("a.ojn", 9, "beta"), scanOf("b.ojn", 100, "Alpha")}, scan);
        QCOMPARE(added.takeFirst(), (QVariantList{0, 1}));
        QCOMPARE(catalogue.rowCount(), 2); // the missing song waits until every chart is read
        catalogue.setAllChartsRead(true);
        QCOMPARE(missing.size(), 1);
        QCOMPARE(catalogue.rowCount(), 3);
        QCOMPARE(catalogue.headerAt(2)->title.left(4), "Gone");
        QVERIFY(!catalogue.chartAt(2));
        QCOMPARE(catalogue.listStatusAt(1), ListStatus::Current);
        QCOMPARE(catalogue.listStatusAt(2), ListStatus::Missing);
        QCOMPARE(folderStatusText(catalogue.summary(), QLocale::c()),
                 QString::fromUtf8("2 charts \u00b7 no problems \u00b7 song list: 1 not listed, 1 missing"));

        // A save read b.ojn after the scan did; the scan's late result for
        // it must not put the old header back.
        changed.clear();
        catalogue.applyScans({scanOf("b.ojn", 100, "Alpha saved")}, catalogue.nextStamp());
        catalogue.applyScans({scanOf("b.ojn", 100, "Alpha")}, scan);
        QCOMPARE(changed, (QList<QVariantList>{{QVariant::fromValue(QList<int>{1})}}));
        QCOMPARE(catalogue.chartAt(1)->header->title.left(11), "Alpha saved");
        QCOMPARE(catalogue.listStatusAt(1), ListStatus::Stale);
        QCOMPARE(catalogue.rowOfChart("/game/Music/./b.ojn"), 1);

        // A chart taking a's song ID names both, so a's row changes too.
        catalogue.applyScans({scanOf("c.ojn", 9, "copy")}, catalogue.nextStamp());
        QCOMPARE(added.takeFirst(), (QVariantList{2, 2}));
        QCOMPARE(changed.last().first().value<QList<int>>(), QList<int>{0});
        QCOMPARE(catalogue.summary().withProblems, 2);
    }
};

QTEST_GUILESS_MAIN(FolderCatalogueTest)
#include "tst_folder_catalogue.moc"
