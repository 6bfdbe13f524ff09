#pragma once
// Shared set-up of the libFuzzer targets: a dialogs implementation that
// answers nothing (a fuzzer has no user) and, for the targets that draw or
// build widgets, one offscreen application object for the whole run.
#include "Dialogs.h"

#include <QApplication>
#include <QString>
#include <cstdlib>

namespace FuzzSupport {

class SilentDialogs : public Dialogs {
public:
    void showMessage(const QString &, const QString &, MessageKind) override {}
    bool confirm(const QString &, const QString &) override { return false; }
    QString chooseOpenFile(const FileRequest &) override { return {}; }
    QString chooseSaveFile(const FileRequest &) override { return {}; }
    int runModal(QDialog *) override { return 0; }
};

inline void installSilentDialogs()
{
    static SilentDialogs silent;
    setDialogs(&silent);
}

// The application object, created on first use with the offscreen platform;
// argv0 is the fuzzer's path, so that the program directory (fonts,
// configuration documents) is the build's bin directory. It is never
// destroyed: at exit, after the run, Qt's thread data is already gone.
inline void ensureApplication(const char *argv0)
{
    if (QCoreApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char *argv[] = {const_cast<char *>(argv0), nullptr};
    new QApplication(argc, argv);
}

} // namespace FuzzSupport
