#pragma once

#include "model/ChartCheck.h"

#include <QWidget>

class QLabel;

namespace ojn {

// The side panel of the Music Folder window: the selected chart's
// thumbnail and cover, and its findings in full.
class ChartPanel final : public QWidget {
    Q_OBJECT
public:
    explicit ChartPanel(QWidget *parent = nullptr);

    // Shows the chart (nothing when null: no row, or a listed song with no
    // chart).
    void showChart(const ChartScan *chart, const Findings &findings);
    // Shows new findings of the chart shown (after a check or a save).
    void showFindings(const Findings &findings);

    QLabel *ChartName = nullptr;
    QLabel *ThumbnailView = nullptr;
    QLabel *CoverView = nullptr;
    QLabel *FindingsText = nullptr;
};

} // namespace ojn
