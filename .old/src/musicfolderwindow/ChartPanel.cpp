#include "musicfolderwindow/ChartPanel.h"

#include "model/ChartPictures.h"
#include "musicfolderwindow/ChartTableModel.h"
#include "pictures/PictureFromByteStream.h"

#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace ojn {
namespace {

constexpr int PanelWidth = 260;

QLabel *pictureLabel(QWidget *parent, const char *name, const char *accessibleName)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleName(QLatin1String(accessibleName));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void showPicture(QLabel *view, const QByteArray &bytes, const QString &missingText)
{
    const Picture picture = PictureFromByteStream(bytes);
    if (picture.isNull()) {
        view->setPixmap({});
        view->setText(missingText);
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(picture);
    if (pixmap.width() > PanelWidth)
        pixmap = pixmap.scaledToWidth(PanelWidth, Qt::SmoothTransformation);
    view->setPixmap(pixmap);
}

} // namespace

ChartPanel::ChartPanel(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ChartPanel"));
    setAccessibleName(QStringLiteral("Selected chart"));
    setFixedWidth(PanelWidth + 16);

    ChartName = new QLabel(this);
    ChartName->setObjectName(QStringLiteral("ChartName"));
    ChartName->setWordWrap(true);
    ChartName->setTextFormat(Qt::PlainText);
    QFont bold = ChartName->font();
    bold.setBold(true);
    ChartName->setFont(bold);
    ThumbnailView = pictureLabel(this, "ThumbnailView", "Thumbnail");
    CoverView = pictureLabel(this, "CoverView", "Cover");
    FindingsText = new QLabel(this);
    FindingsText->setObjectName(QStringLiteral("FindingsText"));
    FindingsText->setAccessibleName(QStringLiteral("Findings"));
    FindingsText->setWordWrap(true);
    FindingsText->setTextFormat(Qt::PlainText);
    // Reachable with Tab, so the full findings can be read and copied.
    FindingsText->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    FindingsText->setFocusPolicy(Qt::TabFocus);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 0, 8, 0);
    layout->addWidget(ChartName);
    layout->addWidget(ThumbnailView);
    layout->addWidget(CoverView);
    layout->addWidget(FindingsText);
    layout->addStretch();
    showChart(nullptr, {});
}

void ChartPanel::showChart(const ChartScan *chart, const Findings &findings)
{
    if (!chart) {
        ChartName->setText(QStringLiteral("No chart selected"));
        ThumbnailView->clear();
        CoverView->clear();
        FindingsText->clear();
        return;
    }
    ChartName->setText(QFileInfo(chart->path).fileName());
    const ChartPictureBytes pictures = readChartPictures(*chart);
    showPicture(ThumbnailView, pictures.thumbnail, QStringLiteral("No thumbnail"));
    showPicture(CoverView, pictures.cover, QStringLiteral("No cover"));
    showFindings(findings);
}

void ChartPanel::showFindings(const Findings &findings)
{
    FindingsText->setText(findings.isEmpty() ? QStringLiteral("No findings.") : findingLines(findings));
}

} // namespace ojn
