// The main of every unit test program: one application object for the whole
// run, of the richest kind the program links (VM_TEST_APP), drawing offscreen.
#include <gtest/gtest.h>

#if VM_TEST_APP == 2
#include <QApplication>
using TestApplication = QApplication;
#elif VM_TEST_APP == 1
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    // Test discovery runs the program without the tests' environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
