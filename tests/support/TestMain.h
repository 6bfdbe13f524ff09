#pragma once
// Shared start-up of the GUI test suites: a QApplication on the offscreen
// platform with the program's fonts and a pinned locale.
#include <QApplication>
#include <QLocale>
#include <QTest>

// Runs the deferred deletions that closing a form leaves behind, so that a
// closed form is really gone when the test looks.
inline void settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

#define DZSB_TEST_MAIN(TestClass)                                              \
    int main(int argc, char **argv)                                            \
    {                                                                          \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                    \
            qputenv("QT_QPA_PLATFORM", "offscreen");                           \
        QApplication app(argc, argv);                                          \
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));        \
        TestClass tc;                                                          \
        return QTest::qExec(&tc, argc, argv);                                  \
    }
