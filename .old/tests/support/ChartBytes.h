#pragma once

// Chart bytes as the layout reads them, and what a save of an unedited
// chart gives; QtCore and the model only, so the fuzzer shares them.

#include "model/ChartReader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtEndian>

namespace ojn::test {

// A chart's number at `offset` (little-endian), and the text slot at
// `offset`: its bytes up to the first zero, at most 32 of them.
template <typename T>
T numberAt(QByteArrayView chart, qint64 offset)
{
    return qFromLittleEndian<T>(chart.data() + offset);
}
[[nodiscard]] QByteArrayView textAt(QByteArrayView chart, qint64 offset);

// Reads chart bytes as the chart core does, from memory.
Result<ChartRecord> readChartBytes(QByteArrayView bytes);

// What a save of an unedited chart must give, worked out on a plain byte
// array as the layout's writing steps describe it, independently of the
// writer: phase 1 writes the body and then each field at its offset (a
// text after 33 zero bytes, which reach into the next field), phase 2
// appends the cover and the thumbnail and records their offset and sizes;
// nothing after the thumbnail remains. `chart` must be one the reader
// accepts.
[[nodiscard]] QByteArray expectedUneditedSave(QByteArrayView chart);

} // namespace ojn::test
