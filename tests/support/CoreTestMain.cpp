// Entry point of the test programs of the code that runs without any window system: no
// application object at all, and German number settings, which is what the figures in the
// tests are written for.
#include <QLocale>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
