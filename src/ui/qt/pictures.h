// The program's pictures, drawn rather than shipped: the window icon and the about box's logo.
#pragma once

#include <QPixmap>

namespace corvane::qt {

// A 32 x 32 chip in a programming socket.
QPixmap Chip_Icon();
// The 111 x 40 logo of the about box.
QPixmap Logo();

}  // namespace corvane::qt
