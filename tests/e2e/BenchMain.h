#pragma once
// Shared start-up of the benchmark programs: a QApplication on the offscreen
// platform (unless one is chosen), the Chinese locale the forms are filled
// in, the program's print faces; and the process's CPU time, which stays
// steady on a machine shared with other work.
#include "TfrReportPreview.h"

#include <QApplication>
#include <QLocale>

#include <ctime>

class BenchApplication : public QApplication
{
public:
    BenchApplication(int &argc, char **argv) : QApplication(offscreenUnlessChosen(argc), argv)
    {
        QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
        InitReportEngine();
    }

private:
    // Runs before the QApplication is constructed, which reads the platform.
    static int &offscreenUnlessChosen(int &argc)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }
};

// Milliseconds of CPU time this process has used so far.
inline double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}
