// Window tests: offscreen unless the caller asks otherwise; scaled ones at ratio 2.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef TINTWELL_SCALED_SCREEN
    qputenv("QT_SCALE_FACTOR", "2");
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
