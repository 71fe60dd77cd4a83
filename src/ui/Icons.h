// The pointer images of the table (act and refuse) and the window icon, all
// drawn by the program at 32 by 32.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace larkspur {

// The table's pointer images by their number: 1 a click that will act,
// 2 a click that will be refused. Any other number gives a null pixmap.
QPixmap pointerPixmap(int image, qreal devicePixelRatio = 1.0);

// The cursor for a pointer image; an unknown image gives the ordinary arrow.
QCursor pointerCursor(int image);

QIcon windowIcon();

}  // namespace larkspur
