#include <QGuiApplication>
#include <gtest/gtest.h>

// Pages are rendered with Qt Gui; the tests run offscreen.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
