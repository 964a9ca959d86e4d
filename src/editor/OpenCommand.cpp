// Opening a chart: BtnBrowseOJN and File > Open.
#include "editor/Form1.h"

namespace ojn {

void Form1::openChart()
{
}

} // namespace ojn
