#include "platform/Beeper.h"

#include <QApplication>

void SystemBeeper::Beep()
{
    QApplication::beep();
}
