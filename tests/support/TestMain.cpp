#include <QtGlobal>
#include <gtest/gtest.h>
#ifdef TARVIL_TEST_GUI
#include <QApplication>
#else
#include <QCoreApplication>
#endif

// Every test program runs with an application object: tests of the widget-free core with a
// QCoreApplication, the others with a QApplication. gtest_discover_tests starts the binary at
// build time without CTest's environment, so the headless platform is chosen here when none is
// set.
int main(int argc, char **argv)
{
#ifdef TARVIL_TEST_GUI
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
