#pragma once

#include <QIODevice>
#include <QString>

#include <cstdio>
#include <memory>

namespace ojn {

// Standard output or standard error as a device for a QTextStream, which
// writes UTF-8. Pipes and files get those bytes as they are. A Windows
// console gets the text through its wide-character interface instead, so
// that Korean shows as Korean whatever code page the console is set to,
// and the console is left as the user had it.
[[nodiscard]] std::unique_ptr<QIODevice> openStandardStream(FILE *stream);

// Prints the text through openStandardStream. A Windows GUI program has no
// console of its own: when the stream leads nowhere, it first borrows the
// console it was started from, if any.
void printToStandardStream(FILE *stream, const QString &text);

} // namespace ojn
