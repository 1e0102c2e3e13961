#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// Every test program runs with a QApplication. gtest_discover_tests starts the binary at build
// time without CTest's environment, so the headless platform is chosen here when none is set.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
