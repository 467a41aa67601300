// Entry point of every test program: a Qt application (offscreen when headless) around GoogleTest.
#include <QApplication>

#include <gtest/gtest.h>

#include "platform/win/win.h"

int main(int argc, char** argv)
{
    kor::PrepareHeadless(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
