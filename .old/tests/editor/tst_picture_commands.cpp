#include "model/ChartLayout.h"
#include "support/EditorFixture.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

enum class Which { Cover, Thumbnail };

// Everything the picture commands may touch.
struct PictureState {
    QByteArray fullImageData, smallFrameData;
    QImage fullImagePicture, smallFramePicture;
    bool fullImageDirty, smallFrameDirty, infoDirty;
    bool operator==(const PictureState &) const = default;
};

PictureState stateOf(const Form1 &form)
{
    return {form.Chart.FullImageData, form.Chart.SmallFrameData, form.FullImagePicture, form.SmallFramePicture,
            form.FullImageDirty, form.SmallFrameDirty, form.InfoDirty};
}

// The twins of each command differ only in these.
struct Twin {
    QPushButton *change, *view, *extract;
    QString filter;
    QByteArray &buffer;
    QImage &picture;
    bool &dirty;
};

Twin twin(Form1 &form, Which which)
{
    if (which == Which::Cover)
        return {form.BtnChangeFullImage, form.BtnPreviewFullImage, form.BtnExtractFullImage, "JPG Image|*.jpg",
                form.Chart.FullImageData, form.FullImagePicture, form.FullImageDirty};
    return {form.BtnSmallImage, form.BtnViewSmallFrame, form.BtnExtractSmallFrame, "BMP Image|*.bmp",
            form.Chart.SmallFrameData, form.SmallFramePicture, form.SmallFrameDirty};
}

void addTwinRows()
{
    QTest::addColumn<Which>("which");
    QTest::newRow("cover") << Which::Cover;
    QTest::newRow("thumbnail") << Which::Thumbnail;
}

} // namespace

Q_DECLARE_METATYPE(Which)

class PictureCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    // Opened in each test through "Browse OJN...", as a user would.
    QByteArray m_chart;

    QString fileWith(const QString &name, const QByteArray &bytes)
    {
        writeFile(m_dir.filePath(name), bytes);
        return m_dir.filePath(name);
    }

private slots:
    void initTestCase()
    {
        m_chart = ChartBuilder().cover(jpegBytes(QSize(64, 48), Qt::red)).thumbnail(bmpBytes(QSize(79, 78), Qt::blue)).build();
        QDir(m_dir.path()).mkdir("folder.jpg");
    }

    void replacement_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // null: use the file as it is
        QTest::addColumn<bool>("replacedBefore");
        QTest::addColumn<bool>("usable");
        QTest::newRow("cover") << Which::Cover << "new.jpg" << jpegBytes(QSize(1024, 768), Qt::yellow) << false << true;
        QTest::newRow("thumbnail") << Which::Thumbnail << "new.bmp" << bmpBytes(QSize(50, 40), Qt::green) << false << true;
        // A folder cannot be read, not even by root.
        QTest::newRow("cover, unreadable") << Which::Cover << "folder.jpg" << QByteArray() << false << false;
        QTest::newRow("cover, empty file") << Which::Cover << "empty.jpg" << QByteArray("") << false << false;
        QTest::newRow("thumbnail, text file") << Which::Thumbnail << "text.bmp" << QByteArray("BM but no more\n") << false << false;
        QTest::newRow("thumbnail, empty after a replacement") << Which::Thumbnail << "empty.bmp" << QByteArray("") << true << false;
    }
    void replacement()
    {
        QFETCH(Which, which);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, replacedBefore);
        QFETCH(bool, usable);
        EditorFixture f(m_chart);
        const Twin t = twin(f.form, which);
        if (replacedBefore) {
            f.dialogs.fileNames.enqueue(fileWith("earlier", bmpBytes(QSize(9, 9), Qt::cyan)));
            t.change->click();
        }
        const PictureState before = stateOf(f.form);
        const QString path = bytes.isNull() ? m_dir.filePath(name) : fileWith(name, bytes);
        f.form.FileDialog.FileName = "left over by an earlier command";
        f.dialogs.fileNames.enqueue(path);

        QTest::mouseClick(t.change, Qt::LeftButton);

        const ScriptedDialogs::FileRequest &request = f.dialogs.fileRequests.last();
        QVERIFY(request.mode == FileDialogMode::Open && request.fileName.isEmpty() && request.filter == t.filter);
        if (!usable) {
            QCOMPARE(f.dialogs.messages.size(), 1);
            const ScriptedDialogs::Message &message = f.dialogs.messages[0];
            QVERIFY(message.caption == "Error" && message.icon == MessageIcon::Critical);
            QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)), qPrintable(message.text));
            QVERIFY(stateOf(f.form) == before);
            return;
        }
        QVERIFY(f.dialogs.messages.isEmpty());
        QCOMPARE(t.buffer, bytes);
        QCOMPARE(t.picture.size(), QImage::fromData(bytes).size());
        // Only this picture's buffer, picture and flag changed.
        PictureState expected = before;
        (which == Which::Cover ? expected.fullImageData : expected.smallFrameData) = bytes;
        (which == Which::Cover ? expected.fullImagePicture : expected.smallFramePicture) = t.picture;
        (which == Which::Cover ? expected.fullImageDirty : expected.smallFrameDirty) = true;
        QVERIFY(stateOf(f.form) == expected);
        QCOMPARE(f.onDisk(), m_chart);
    }

    void theSamePictureStillCountsAsAChange_data() { addTwinRows(); }
    void theSamePictureStillCountsAsAChange()
    {
        QFETCH(Which, which);
        EditorFixture f(m_chart);
        const Twin t = twin(f.form, which);
        const QByteArray held = t.buffer;
        f.dialogs.fileNames << m_dir.filePath("same") << m_dir.filePath("same");
        t.extract->click();
        t.change->click();
        QCOMPARE(t.buffer, held);
        QVERIFY(t.dirty);
    }

    void cancellingChangesNothing_data() { addTwinRows(); }
    void cancellingChangesNothing()
    {
        QFETCH(Which, which);
        EditorFixture f(m_chart);
        const PictureState before = stateOf(f.form);
        const QStringList files = entriesOf(m_dir.path());
        twin(f.form, which).change->click();
        twin(f.form, which).extract->click();
        QCOMPARE(f.dialogs.fileRequests.size(), 3); // the open's, then these two
        QVERIFY(f.dialogs.messages.isEmpty());
        QVERIFY(stateOf(f.form) == before);
        QCOMPARE(entriesOf(m_dir.path()), files);
        QCOMPARE(f.onDisk(), m_chart);
    }

    void aSaveAfterReplacementWritesTheNewPictures()
    {
        EditorFixture f(m_chart);
        const QByteArray cover = jpegBytes(QSize(900, 650), QColor(10, 200, 30));
        const QByteArray thumbnail = bmpBytes(QSize(79, 78), QColor(250, 250, 0));
        f.dialogs.fileNames << fileWith("c.jpg", cover) << fileWith("t.bmp", thumbnail);
        f.form.BtnChangeFullImage->click();
        f.form.BtnSmallImage->click();

        const QString savedPath = m_dir.filePath("saved.ojn");
        f.dialogs.fileNames << savedPath;
        f.form.BtnSaveAs->click();
        QVERIFY(!f.form.FullImageDirty && !f.form.SmallFrameDirty);
        QCOMPARE(f.dialogs.messages.last().text, QString("Successfully Save OJN File."));
        const QByteArray chart = readFile(savedPath);
        QCOMPARE(int32At(chart, layout::CoverSize), cover.size());
        QCOMPARE(int32At(chart, layout::ThumbnailSize), thumbnail.size());
        QCOMPARE(chart.mid(int32At(chart, layout::CoverOffset)), cover + thumbnail);

        // Extraction gives back the replacing files.
        f.dialogs.fileNames << m_dir.filePath("c-out") << m_dir.filePath("t-out");
        f.form.BtnExtractFullImage->click();
        f.form.BtnExtractSmallFrame->click();
        QCOMPARE(readFile(m_dir.filePath("c-out")), cover);
        QCOMPARE(readFile(m_dir.filePath("t-out")), thumbnail);
    }

    void viewingShowsTheCurrentPicture_data() { addTwinRows(); }
    void viewingShowsTheCurrentPicture()
    {
        QFETCH(Which, which);
        EditorFixture f(m_chart);
        const Twin t = twin(f.form, which);
        QList<QPointer<PictureWindow>> windows;
        QList<QImage> pictures;
        f.dialogs.onModal = [&](QDialog &window) {
            QCOMPARE(window.parentWidget(), &f.form);
            windows << qobject_cast<PictureWindow *>(&window);
            pictures << windows.last()->picture();
            window.close();
        };
        const PictureState before = stateOf(f.form);
        QTest::mouseClick(t.view, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(stateOf(f.form) == before);

        // Closing discards the window; the next view builds it anew with the
        // picture that replaced the first.
        f.dialogs.fileNames.enqueue(fileWith("view", bmpBytes(QSize(100, 100), Qt::green)));
        t.change->click();
        QTest::mouseClick(t.view, Qt::LeftButton);
        QCOMPARE(f.dialogs.modalWindows, QStringList(2, which == Which::Cover ? "LoadingFrameForm" : "ThumbnailFrameForm"));
        QVERIFY(windows[0].isNull());
        QCOMPARE(pictures[0], which == Which::Cover ? before.fullImagePicture : before.smallFramePicture);
        QVERIFY(!pictures[0].isNull());
        QCOMPARE(pictures[1], t.picture);
        QCOMPARE(pictures[1].size(), QSize(100, 100));
    }

    void extraction_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QString>("message");
        QTest::newRow("cover") << Which::Cover << "cover.jpg" << QByteArray() << "Successfully Extract Loading Frame.";
        QTest::newRow("thumbnail over a larger file") << Which::Thumbnail << "thumb.bmp" << QByteArray(200000, 'L')
                                                      << "Successfully Extract Small Frame.";
        QTest::newRow("name without extension") << Which::Cover << "cover" << QByteArray() << "Successfully Extract Loading Frame.";
        QTest::newRow("onto a folder") << Which::Cover << "folder" << QByteArray() << "it is a folder";
        QTest::newRow("cover onto the open chart") << Which::Cover << "@chart" << QByteArray()
                                                   << "it is a chart, and a picture never replaces one.";
        QTest::newRow("thumbnail onto another chart") << Which::Thumbnail << "other.ojn" << ChartBuilder().noteSections(1, 1, 1).build()
                                                      << "it is a chart, and a picture never replaces one.";
    }
    void extraction()
    {
        QFETCH(Which, which);
        QFETCH(QString, name);
        QFETCH(QByteArray, existing);
        QFETCH(QString, message);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("folder");
        if (!existing.isNull())
            writeFile(dir.filePath(name), existing);
        EditorFixture f(m_chart);
        f.form.TitleBox->setText("Edited");
        const PictureState before = stateOf(f.form);
        f.form.FileDialog.FileName = "left over";
        const QString target = name == "@chart" ? f.path : dir.filePath(name);
        f.dialogs.fileNames.enqueue(target);

        QTest::mouseClick(twin(f.form, which).extract, Qt::LeftButton);

        const ScriptedDialogs::FileRequest &request = f.dialogs.fileRequests.last();
        QVERIFY(request.mode == FileDialogMode::Save && request.fileName.isEmpty() && request.filter == twin(f.form, which).filter);
        QCOMPARE(f.dialogs.messages.size(), 1);
        QVERIFY(stateOf(f.form) == before);
        if (name == "folder") {
            QVERIFY(f.dialogs.messages[0].caption == "Error" && f.dialogs.messages[0].icon == MessageIcon::Critical);
            QVERIFY2(f.dialogs.messages[0].text.contains(message), qPrintable(f.dialogs.messages[0].text));
            QCOMPARE(entriesOf(dir.path()), QStringList{"folder"});
            return;
        }
        if (message.contains("never replaces")) {
            QVERIFY(f.dialogs.messages[0].caption == "Warning" && f.dialogs.messages[0].icon == MessageIcon::Warning);
            QCOMPARE(f.dialogs.messages[0].text, "Could not save " + QDir::toNativeSeparators(target) + ": " + message);
            QCOMPARE(readFile(target), existing.isNull() ? f.original : existing);
            QVERIFY(f.form.InfoDirty && f.form.Chart.ChartPath == f.path);
            return;
        }
        QVERIFY(f.dialogs.messages[0].caption == "Info" && f.dialogs.messages[0].icon == MessageIcon::Information);
        QCOMPARE(f.dialogs.messages[0].text, message);
        // Exactly the chart file's region: the cover from its offset on, the
        // thumbnail right after it.
        const QByteArray &chart = m_chart;
        const qint32 offset = int32At(chart, layout::CoverOffset), coverSize = int32At(chart, layout::CoverSize);
        QCOMPARE(readFile(dir.filePath(name)), which == Which::Cover ? chart.mid(offset, coverSize)
                                                                       : chart.mid(offset + coverSize, int32At(chart, layout::ThumbnailSize)));
    }
};

QTEST_MAIN(PictureCommandsTest)
#include "tst_picture_commands.moc"
