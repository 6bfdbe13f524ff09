// The program: starts the toolkit with the Chinese translations of Qt's own
// dialogs, creates the main window maximised, offers the recovery copies an
// earlier run left, opens the data files named on the command line (a file
// manager's double-click) and runs until the main window closes.
#include "TFrmMain.h"
#include "TfrReportPreview.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("电子申报"));
    // The installed menu entry (dzsb.desktop): the desktop shows its name and
    // icon for the program's windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("dzsb"));

    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    // The printed forms and the help window use 宋体 and 黑体.
    InitReportEngine();

    TFrmMain FrmMain;
    FrmMain.showMaximized();
    // Forms that an earlier run could not close (a crash, a power cut).
    FrmMain.OfferRecovery();
    FrmMain.OpenFiles(QCoreApplication::arguments().mid(1));
    return app.exec();
}
