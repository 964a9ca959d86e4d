// libFuzzer entry point; the replay main calls it too.
#include "FolderChecks.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ojn::fuzz::checkNoteSectionInput(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    return 0;
}
