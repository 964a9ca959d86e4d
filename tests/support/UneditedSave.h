#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace ojn::test {

// What a save of an unedited chart must give, worked out on a plain byte
// array as the layout's writing steps describe it, independently of the
// writer: phase 1 writes the body and then each field at its offset (a
// text after 33 zero bytes, which reach into the next field), phase 2
// appends the cover and the thumbnail and records their offset and sizes;
// nothing after the thumbnail remains. `chart` must be one the reader
// accepts. Shared by the tests and the fuzzer.
[[nodiscard]] QByteArray expectedUneditedSave(QByteArrayView chart);

} // namespace ojn::test
