#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace ojn::fuzz {

// The bytes the layout's writing steps give for an unedited chart, worked
// out on a plain byte array step by step as the layout describes them
// (phase 1 over the body, phase 2 appending the pictures), independently of
// the writer. `chart` must be a chart the reader accepted.
[[nodiscard]] QByteArray bytesOfUneditedSave(QByteArrayView chart);

// Runs one input through the chart core and stops the process with a
// message if a promise is broken: the input is refused with an error,
// refused as encrypted (only when it starts with "new"), or read with every
// field and region taken from its place; a well-formed chart is never
// refused; a chart that is read and written back unedited gives exactly
// bytesOfUneditedSave, which reads back to the same record.
void checkChartInput(QByteArrayView input);

} // namespace ojn::fuzz
