#include "platform/TahomaFont.h"

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // The program's own fonts, so that layouts are checked with what it shows.
    RegisterTahoma();
    return RUN_ALL_TESTS();
}
