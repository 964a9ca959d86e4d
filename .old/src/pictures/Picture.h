#pragma once

#include <QImage>

namespace ojn {

// A decoded, displayable picture. A null image stands for "no picture".
using Picture = QImage;

} // namespace ojn
