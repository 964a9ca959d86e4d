#include "editor/Form1.h"
#include "model/ChartFile.h"
#include "model/ChartLayout.h"
#include "support/ChartBuilder.h"
#include "support/ScriptedDialogs.h"
#include "support/TestPictures.h"

#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace ojn;
using namespace ojn::test;

namespace {

// Everything the picture commands may touch, to compare before and after.
struct PictureState {
    QByteArray fullImageData, smallFrameData;
    QImage fullImagePicture, smallFramePicture;
    bool fullImageDirty, smallFrameDirty, infoDirty;

    static PictureState of(const Form1 &form)
    {
        return {form.Chart.FullImageData, form.Chart.SmallFrameData, form.FullImagePicture, form.SmallFramePicture,
                form.FullImageDirty, form.SmallFrameDirty, form.InfoDirty};
    }
    bool operator==(const PictureState &) const = default;
};

// The two twins of each command, as rows: which button, its filter, and
// the buffer, picture and flag it works on.
enum class Which { Cover, Thumbnail };

QByteArray &bufferOf(Form1 &form, Which which)
{
    return which == Which::Cover ? form.Chart.FullImageData : form.Chart.SmallFrameData;
}
QImage &pictureOf(Form1 &form, Which which)
{
    return which == Which::Cover ? form.FullImagePicture : form.SmallFramePicture;
}
bool &flagOf(Form1 &form, Which which)
{
    return which == Which::Cover ? form.FullImageDirty : form.SmallFrameDirty;
}
Which twinOf(Which which)
{
    return which == Which::Cover ? Which::Thumbnail : Which::Cover;
}
QPushButton *changeButton(Form1 &form, Which which)
{
    return which == Which::Cover ? form.BtnChangeFullImage : form.BtnSmallImage;
}
QPushButton *viewButton(Form1 &form, Which which)
{
    return which == Which::Cover ? form.BtnPreviewFullImage : form.BtnViewSmallFrame;
}
QPushButton *extractButton(Form1 &form, Which which)
{
    return which == Which::Cover ? form.BtnExtractFullImage : form.BtnExtractSmallFrame;
}
QString filterOf(Which which)
{
    return which == Which::Cover ? "JPG Image|*.jpg" : "BMP Image|*.bmp";
}

void addTwinRows()
{
    QTest::addColumn<Which>("which");
    QTest::newRow("cover") << Which::Cover;
    QTest::newRow("thumbnail") << Which::Thumbnail;
}

// Lets the windows closed by a command be discarded, as the event loop
// does between two clicks.
void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

Q_DECLARE_METATYPE(Which)

class PictureCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    ChartBuilder m_builder;
    QString m_chartPath;

    // Opens the fixture chart through "Browse OJN...", as a user would.
    void openFixture(Form1 &form, ScriptedDialogs &dialogs, const QString &path = QString())
    {
        dialogs.fileNames.enqueue(path.isEmpty() ? m_chartPath : path);
        QTest::mouseClick(form.BtnBrowseOJN, Qt::LeftButton);
        QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.value(0).text));
        QVERIFY(form.BtnChangeFullImage->isEnabled());
        dialogs.fileRequests.clear();
    }

    QString writeTestFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        writeFile(path, bytes);
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_builder.cover(jpegBytes(QSize(64, 48), Qt::red)).thumbnail(bmpBytes(QSize(79, 78), Qt::blue));
        m_chartPath = m_builder.writeTo(m_dir.filePath("chart.ojn"));
    }

    // --- Replacing ------------------------------------------------------

    void replacementTakesTheFileExactly_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("cover") << Which::Cover << jpegBytes(QSize(1024, 768), Qt::yellow) << QSize(1024, 768);
        QTest::newRow("thumbnail") << Which::Thumbnail << bmpBytes(QSize(50, 40), Qt::green) << QSize(50, 40);
        // The content is stored as it is, whatever the filter suggested.
        QTest::newRow("cover from a bmp") << Which::Cover << bmpBytes(QSize(7, 5), Qt::white) << QSize(7, 5);
    }
    void replacementTakesTheFileExactly()
    {
        QFETCH(Which, which);
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        openFixture(form, dialogs);
        const PictureState before = PictureState::of(form);
        const QString path = writeTestFile("replacement", bytes);
        form.FileDialog.FileName = "left over by an earlier command";
        dialogs.fileNames.enqueue(path);

        QTest::mouseClick(changeButton(form, which), Qt::LeftButton);

        QCOMPARE(dialogs.fileRequests.size(), 1);
        QCOMPARE(dialogs.fileRequests[0].mode, FileDialogMode::Open);
        QCOMPARE(dialogs.fileRequests[0].fileName, QString());
        QCOMPARE(dialogs.fileRequests[0].filter, filterOf(which));
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(bufferOf(form, which), bytes);
        QCOMPARE(pictureOf(form, which).size(), size);
        QVERIFY(flagOf(form, which));

        // The twin and the header are untouched.
        PictureState expected = before;
        if (which == Which::Cover) {
            expected.fullImageData = bytes;
            expected.fullImagePicture = form.FullImagePicture;
            expected.fullImageDirty = true;
        } else {
            expected.smallFrameData = bytes;
            expected.smallFramePicture = form.SmallFramePicture;
            expected.smallFrameDirty = true;
        }
        QVERIFY(PictureState::of(form) == expected);
        QCOMPARE(readFile(m_chartPath), m_builder.build());
    }

    void replacingWithTheSamePictureStillMarksItChanged_data() { addTwinRows(); }
    void replacingWithTheSamePictureStillMarksItChanged()
    {
        QFETCH(Which, which);
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        openFixture(form, dialogs);
        const QString path = m_dir.filePath("same");
        dialogs.fileNames << path << path;
        QTest::mouseClick(extractButton(form, which), Qt::LeftButton);
        const QByteArray held = bufferOf(form, which);

        QTest::mouseClick(changeButton(form, which), Qt::LeftButton);
        QCOMPARE(bufferOf(form, which), held);
        QVERIFY(flagOf(form, which));
        QVERIFY(!flagOf(form, twinOf(which)));
    }

    void cancellingChangesNothing_data() { addTwinRows(); }
    void cancellingChangesNothing()
    {
        QFETCH(Which, which);
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        openFixture(form, dialogs);
        const PictureState before = PictureState::of(form);
        QTest::mouseClick(changeButton(form, which), Qt::LeftButton);
        QCOMPARE(dialogs.fileRequests.size(), 1);
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(PictureState::of(form) == before);
        QCOMPARE(readFile(m_chartPath), m_builder.build());
    }

    void anUnusableFileKeepsTheEarlierPicture_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("replacedBefore");
        // A folder cannot be read, not even by root.
        QTest::newRow("cover, unreadable") << Which::Cover << "folder.jpg" << QByteArray() << false;
        QTest::newRow("cover, vanished") << Which::Cover << "gone.jpg" << QByteArray() << false;
        QTest::newRow("cover, empty file") << Which::Cover << "empty.jpg" << QByteArray("") << false;
        QTest::newRow("cover, text file") << Which::Cover << "readme.jpg" << QByteArray("not a picture\n") << false;
        QTest::newRow("thumbnail, empty file") << Which::Thumbnail << "empty.bmp" << QByteArray("") << false;
        QTest::newRow("thumbnail, text file") << Which::Thumbnail << "readme.bmp" << QByteArray("BM but no more") << false;
        QTest::newRow("cover, after a replacement") << Which::Cover << "readme.jpg" << QByteArray("text") << true;
        QTest::newRow("thumbnail, after a replacement") << Which::Thumbnail << "empty.bmp" << QByteArray("") << true;
    }
    void anUnusableFileKeepsTheEarlierPicture()
    {
        QFETCH(Which, which);
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, replacedBefore);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("folder.jpg");
        const QString path = dir.filePath(name);
        if (!bytes.isNull())
            writeFile(path, bytes);
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        openFixture(form, dialogs);
        if (replacedBefore) {
            const QByteArray earlier = which == Which::Cover ? jpegBytes(QSize(9, 9), Qt::cyan) : bmpBytes(QSize(9, 9), Qt::cyan);
            dialogs.fileNames.enqueue(writeTestFile("earlier", earlier));
            QTest::mouseClick(changeButton(form, which), Qt::LeftButton);
            QCOMPARE(bufferOf(form, which), earlier);
        }
        const PictureState before = PictureState::of(form);

        dialogs.fileNames.enqueue(path);
        QTest::mouseClick(changeButton(form, which), Qt::LeftButton);

        QCOMPARE(dialogs.messages.size(), 1);
        const ScriptedDialogs::Message &message = dialogs.messages[0];
        QCOMPARE(message.caption, QString("Error"));
        QCOMPARE(message.icon, MessageIcon::Critical);
        QCOMPARE(message.buttons, MessageButtons::Ok);
        QVERIFY2(message.text.contains(QDir::toNativeSeparators(path)), qPrintable(message.text));
        QVERIFY(PictureState::of(form) == before);
        QCOMPARE(flagOf(form, which), replacedBefore);
    }

    void aSaveAfterReplacementWritesTheNewPictures()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        openFixture(form, dialogs);
        const QByteArray cover = jpegBytes(QSize(900, 650), QColor(10, 200, 30));
        const QByteArray thumbnail = bmpBytes(QSize(79, 78), QColor(250, 250, 0));
        dialogs.fileNames << writeTestFile("new-cover.jpg", cover) << writeTestFile("new-thumbnail.bmp", thumbnail);
        QTest::mouseClick(form.BtnChangeFullImage, Qt::LeftButton);
        QTest::mouseClick(form.BtnSmallImage, Qt::LeftButton);

        const QString savedPath = m_dir.filePath("saved.ojn");
        const Outcome saved = saveChartFile(form.Chart, savedPath);
        QVERIFY2(saved.ok(), qPrintable(saved.error()));
        const QByteArray chart = readFile(savedPath);
        const qint32 coverOffset = int32At(chart, layout::FullImageOffset);
        QCOMPARE(int32At(chart, layout::FullImageSize), cover.size());
        QCOMPARE(int32At(chart, layout::SmallFrameSize), thumbnail.size());
        QCOMPARE(chart.mid(coverOffset, cover.size()), cover);
        QCOMPARE(chart.mid(coverOffset + cover.size()), thumbnail);

        // Extraction gives back the replacing files, saved or not.
        const QString coverOut = m_dir.filePath("cover-out.jpg");
        const QString thumbnailOut = m_dir.filePath("thumbnail-out.bmp");
        dialogs.fileNames << coverOut << thumbnailOut;
        QTest::mouseClick(form.BtnExtractFullImage, Qt::LeftButton);
        QTest::mouseClick(form.BtnExtractSmallFrame, Qt::LeftButton);
        QCOMPARE(readFile(coverOut), cover);
        QCOMPARE(readFile(thumbnailOut), thumbnail);
    }

    // --- Viewing -------------------------------------------------------

    void viewingShowsTheCurrentPictureModally_data() { addTwinRows(); }
    void viewingShowsTheCurrentPictureModally()
    {
        QFETCH(Which, which);
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        openFixture(form, dialogs);
        QList<QPointer<PictureWindow>> shown;
        QList<QImage> grabs;
        dialogs.onModal = [&](QDialog &window) {
            auto *pictureWindow = qobject_cast<PictureWindow *>(&window);
            QVERIFY(pictureWindow);
            QCOMPARE(window.parentWidget(), &form);
            QVERIFY(window.isModal());
            shown << pictureWindow;
            grabs << window.grab().toImage();
            window.close();
        };
        const PictureState before = PictureState::of(form);

        QTest::mouseClick(viewButton(form, which), Qt::LeftButton);
        processDeferredDeletes();
        QCOMPARE(dialogs.modalWindows, QStringList{which == Which::Cover ? "LoadingFrameForm" : "ThumbnailFrameForm"});
        QVERIFY2(shown[0].isNull(), "closing discards the window");
        QVERIFY(PictureState::of(form) == before);
        const QImage &picture = pictureOf(form, which);
        QCOMPARE(grabs[0].pixelColor(0, 0), picture.pixelColor(0, 0));

        // After a replacement the window is built again with the new picture.
        const QByteArray bytes = which == Which::Cover ? jpegBytes(QSize(1000, 700), Qt::green) : bmpBytes(QSize(100, 100), Qt::green);
        dialogs.fileNames.enqueue(writeTestFile("view-replacement", bytes));
        QTest::mouseClick(changeButton(form, which), Qt::LeftButton);
        QTest::mouseClick(viewButton(form, which), Qt::LeftButton);
        processDeferredDeletes();
        QCOMPARE(grabs.size(), 2);
        const QSize clientSize = which == Which::Cover ? QSize(800, 593) : QSize(79, 78);
        QCOMPARE(grabs[1].size(), clientSize);
        // Cut at the client area: its last pixel is the picture's.
        const QPoint corner(clientSize.width() - 1, clientSize.height() - 1);
        QCOMPARE(grabs[1].pixelColor(corner), pictureOf(form, which).pixelColor(corner));
        QCOMPARE(pictureOf(form, which).size(), which == Which::Cover ? QSize(1000, 700) : QSize(100, 100));
    }

    void viewingWithoutAPictureShowsAnEmptyWindow()
    {
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        // A cover of bytes that are no picture decodes to none.
        QTemporaryDir dir;
        openFixture(form, dialogs, ChartBuilder().cover(QByteArray(400, '\0')).writeTo(dir.filePath("blank.ojn")));
        QVERIFY(form.FullImagePicture.isNull());
        QImage grab;
        dialogs.onModal = [&](QDialog &window) {
            grab = window.grab().toImage();
            window.close();
        };
        QTest::mouseClick(form.BtnPreviewFullImage, Qt::LeftButton);
        QCOMPARE(dialogs.modalWindows, QStringList{"LoadingFrameForm"});
        QCOMPARE(grab.size(), QSize(800, 593));
        QCOMPARE(grab.pixelColor(0, 0), form.palette().color(QPalette::Window));
        QVERIFY(dialogs.messages.isEmpty());
    }

    // --- Extracting ----------------------------------------------------

    void extractionWritesTheChartsBytes_data()
    {
        QTest::addColumn<Which>("which");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("existing");
        QTest::addColumn<QString>("doneMessage");
        const QString cover = "Successfully Extract Loading Frame.";
        const QString thumbnail = "Successfully Extract Small Frame.";
        QTest::newRow("cover, new file") << Which::Cover << "cover.jpg" << QByteArray() << cover;
        QTest::newRow("thumbnail, new file") << Which::Thumbnail << "thumb.bmp" << QByteArray() << thumbnail;
        QTest::newRow("cover over a larger file") << Which::Cover << "cover.jpg" << QByteArray(200000, 'L') << cover;
        QTest::newRow("thumbnail over a larger file") << Which::Thumbnail << "thumb.bmp" << QByteArray(200000, 'L') << thumbnail;
        QTest::newRow("name without extension") << Which::Cover << "cover" << QByteArray() << cover;
    }
    void extractionWritesTheChartsBytes()
    {
        QFETCH(Which, which);
        QFETCH(QString, name);
        QFETCH(QByteArray, existing);
        QFETCH(QString, doneMessage);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (!existing.isNull())
            writeFile(path, existing);
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        openFixture(form, dialogs);
        form.InfoDirty = true;
        const PictureState before = PictureState::of(form);
        form.FileDialog.FileName = "left over";
        dialogs.fileNames.enqueue(path);

        QTest::mouseClick(extractButton(form, which), Qt::LeftButton);

        QCOMPARE(dialogs.fileRequests.size(), 1);
        QCOMPARE(dialogs.fileRequests[0].mode, FileDialogMode::Save);
        QCOMPARE(dialogs.fileRequests[0].fileName, QString());
        QCOMPARE(dialogs.fileRequests[0].filter, filterOf(which));
        // Exactly the chart file's region: the cover from its offset, the
        // thumbnail right after it.
        const QByteArray chart = m_builder.build();
        const qint32 coverOffset = int32At(chart, layout::FullImageOffset);
        const qint32 coverSize = int32At(chart, layout::FullImageSize);
        const QByteArray region = which == Which::Cover
                                      ? chart.mid(coverOffset, coverSize)
                                      : chart.mid(coverOffset + coverSize, int32At(chart, layout::SmallFrameSize));
        QCOMPARE(readFile(path), region);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{name});

        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, doneMessage);
        QCOMPARE(dialogs.messages[0].caption, QString("Info"));
        QCOMPARE(dialogs.messages[0].icon, MessageIcon::Information);
        QCOMPARE(dialogs.messages[0].buttons, MessageButtons::Ok);
        QVERIFY(PictureState::of(form) == before);
    }

    void cancelledExtractionWritesNothing_data() { addTwinRows(); }
    void cancelledExtractionWritesNothing()
    {
        QFETCH(Which, which);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        openFixture(form, dialogs);
        QTest::mouseClick(extractButton(form, which), Qt::LeftButton);
        QCOMPARE(dialogs.fileRequests.size(), 1);
        QVERIFY(dialogs.messages.isEmpty());
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void failedExtractionSaysWhy_data() { addTwinRows(); }
    void failedExtractionSaysWhy()
    {
        QFETCH(Which, which);
        QTemporaryDir dir;
        const QString folder = dir.filePath("folder.jpg");
        QDir(dir.path()).mkdir("folder.jpg");
        ScriptedDialogs dialogs;
        Form1 form(dialogs);
        openFixture(form, dialogs);
        dialogs.fileNames.enqueue(folder);
        QTest::mouseClick(extractButton(form, which), Qt::LeftButton);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].caption, QString("Error"));
        QCOMPARE(dialogs.messages[0].icon, MessageIcon::Critical);
        QVERIFY2(dialogs.messages[0].text.contains(folder) && dialogs.messages[0].text.contains("it is a folder"),
                 qPrintable(dialogs.messages[0].text));
        QVERIFY(QFileInfo(folder).isDir());
    }
};

QTEST_MAIN(PictureCommandsTest)
#include "tst_picture_commands.moc"
