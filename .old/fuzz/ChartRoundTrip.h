#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace ojn::fuzz {

// Runs one input through the chart core and stops the process with a
// message if a promise is broken: the input is refused with an error,
// refused as encrypted (only when it starts with "new"), or read with every
// field and region taken from its place; a well-formed chart is never
// refused; a chart that is read and written back unedited gives exactly
// expectedUneditedSave (tests/support), which reads back to the same record.
void checkChartInput(QByteArrayView input);

} // namespace ojn::fuzz
