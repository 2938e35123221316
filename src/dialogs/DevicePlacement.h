#pragma once

class QWidget;

// Puts a dialog over the program's 240 x 320 screen (the main window), at its
// top and centred across it, rather than wherever the desktop would put a
// parentless window.
void PlaceOverDeviceScreen(QWidget *dialog);
