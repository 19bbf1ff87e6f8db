// Entry point of the test programs of the code that runs without any window system: no
// application object at all, and German number settings, which is what the figures in the
// tests are written for. Built with TARVIS_TEST_EVENT_LOOP, for code that works through Qt's
// events (timers, worker runs reporting back), it makes the event loop's QCoreApplication.
#include <QLocale>
#include <gtest/gtest.h>

#ifdef TARVIS_TEST_EVENT_LOOP
#include <QCoreApplication>
#endif

int main(int argc, char** argv) {
#ifdef TARVIS_TEST_EVENT_LOOP
    QCoreApplication anwendung(argc, argv);
#endif
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
