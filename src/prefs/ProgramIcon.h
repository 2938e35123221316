#pragma once

#include <QPixmap>

// The program's 32 x 32 icon: a blue board of white keys under a white pad
// strip, drawn here so that no file beside the program is needed for it.
QPixmap ProgramIcon();
