#pragma once

#include <QByteArrayView>

namespace ojn::fuzz {

// Runs one input through the song list reader and stops the process if a
// promise is broken: a list is refused, saying why, exactly when it is
// shorter than its count, its count is negative or its entries run past
// the end; a list that is read is cut at its count and written back byte
// for byte; a sync of the list against charts holding its own entries
// keeps the extra sections and, once done, has nothing left to change.
void checkSongListInput(QByteArrayView input);

// Runs one input, taken as a chart, through the header check and the
// note section walk, and stops the process if a promise is broken: a
// walk stays within the bytes it is given, walks no more packages than
// asked, and stops early only at a package that does not fit or claims a
// negative event count; a chart with a header has its note sections
// checked; an encrypted one is only read when it decrypts to "ojn".
void checkNoteSectionInput(QByteArrayView input);

} // namespace ojn::fuzz
