#pragma once

#include <QString>

namespace ojn::bench {

// Peak memory of an editor with a chart of 256 MiB of note data open,
// above an editor with none, against the chart's size.
void benchOpenMemory(const QString &folder);

// Process start to the main window's first paint, against a minimal Qt
// Widgets window, both under the given Qt platform.
void benchStartUp(const QString &platform);

} // namespace ojn::bench
