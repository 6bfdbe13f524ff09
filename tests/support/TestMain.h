#pragma once
// Shared start-up of the GUI test suites: a QApplication on the offscreen
// platform with the program's fonts and a pinned locale. The user's data
// folder (recovery copies) is a temporary folder of the test run, so that
// tests neither see nor leave the user's own copies.
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
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
        QTemporaryDir userData;                                                \
        qputenv("XDG_DATA_HOME", QFile::encodeName(userData.path()));          \
        QApplication app(argc, argv);                                          \
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));        \
        TestClass tc;                                                          \
        return QTest::qExec(&tc, argc, argv);                                  \
    }
