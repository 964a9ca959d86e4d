// libFuzzer entry point over the chart core; the replay main calls it too.
#include "ChartRoundTrip.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ojn::fuzz::checkChartInput(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
