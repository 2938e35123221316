#pragma once

#include <QRect>

class QWidget;

// The room a window's contents have in an area of the screen (screen
// coordinates) once the frame the platform draws around it, if any, fits
// there as well. Makes the native window, whose frame the platform knows.
QRect RoomForContents(QWidget &window, const QRect &area);

// Gives the window that size and puts it, frame included, in the middle of
// the area.
void CentreIn(QWidget &window, const QRect &area, QSize size);
