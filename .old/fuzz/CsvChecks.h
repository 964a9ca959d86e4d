#pragma once

#include <QByteArrayView>

namespace ojn::fuzz {

// Runs one input, taken as a CSV file, through the CSV reader and the
// import's check, and stops the process if a promise is broken: records
// start on increasing lines; a record read well is written and read back
// to the same fields; an import check of it, against a folder that holds
// no charts, plans no save and names every bad row by a line of the file.
void checkCsvInput(QByteArrayView input);

} // namespace ojn::fuzz
