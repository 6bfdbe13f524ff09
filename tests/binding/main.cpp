// The binding suite: the document wrapper, the control binding and the data
// files, run one after the other in one offscreen application.
#include "TestConfigDocument.h"
#include "TestControlBinding.h"
#include "TestDataFiles.h"
#include "TestReportFilling.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    int failures = 0;
    {
        TestConfigDocument t;
        failures += QTest::qExec(&t, argc, argv);
    }
    {
        TestControlBinding t;
        failures += QTest::qExec(&t, argc, argv);
    }
    {
        TestDataFiles t;
        failures += QTest::qExec(&t, argc, argv);
    }
    {
        TestReportFilling t;
        failures += QTest::qExec(&t, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
