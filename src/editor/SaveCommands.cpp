// Save, Save As and the one write procedure they share.
#include "editor/Form1.h"

namespace ojn {

Outcome Form1::WriteChartFile(const QString &)
{
    return Outcome::failure(QStringLiteral("Saving is not available yet."));
}

void Form1::saveChart()
{
}

void Form1::saveChartAs()
{
}

} // namespace ojn
