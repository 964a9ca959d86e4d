#pragma once

#include <QString>

namespace ojn::bench {

// Undo of an Edit Selected over 10,000 charts against that Edit Selected
// itself, both on the folder work's saving thread as the window runs them,
// and the memory the history holds for the step. Made in `folder`,
// deleted afterwards.
void benchUndo(const QString &folder);

} // namespace ojn::bench
