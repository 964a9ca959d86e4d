#pragma once

#include <QByteArrayView>

namespace ojn::fuzz {

// Runs one input, taken as a file's content, through the kind sniffer, in
// memory and from a file, and stops the process if a promise is broken:
// each kind's signature is really there (a song list is one the song list
// reader reads, every entry a chart's first bytes; an encrypted chart one
// the chart reader takes for one); the file gives the kind the bytes do;
// only an empty file or one of no kind is taken for a chart or an OJM by
// its name.
void checkFileKindInput(QByteArrayView input);

} // namespace ojn::fuzz
