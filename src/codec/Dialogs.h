#pragma once
// Dialogs: the one seam through which the program talks to the user. Every
// message box, confirmation, plain message, file dialog and modal window
// (report preview, help, about, print dialog) goes through the installed
// implementation: QtDialogs in the program, a scripted one in the tests.
#include <QString>
#include <QStringList>

class QDialog;

enum class MessageKind {
    Plain,       // a plain message window (text and OK, no icon)
    Information,
    Warning,
    Error,
};

struct FileRequest {
    QString caption;
    QString filter;        // "description|pattern|description|pattern..."
    QString fileName;      // proposed file name
    QString defaultSuffix; // for example "*.MRT" or "pdf"
    QString directory;     // empty: the system's default
};

class Dialogs {
public:
    virtual ~Dialogs();

    // A modal message with one OK button.
    virtual void showMessage(const QString &caption, const QString &text, MessageKind kind) = 0;
    // An OK/Cancel question with the exclamation icon; true when OK was pressed.
    virtual bool confirm(const QString &caption, const QString &text) = 0;
    // A question with named answers and the exclamation icon: the buttons in
    // the given order, the one at defaultIndex pressed by Enter (the cancel
    // button when defaultIndex is -1), then a cancel button captioned
    // cancelText, which Esc presses as well. Returns
    // the index of the chosen button, or -1 for cancel. An implementation
    // that has nobody to ask answers -1, so that nothing is done.
    virtual int choose(const QString &caption, const QString &text, const QStringList &buttons,
                       int defaultIndex, const QString &cancelText = QStringLiteral("取消"));
    // File dialogs; an empty result means the user cancelled.
    virtual QString chooseOpenFile(const FileRequest &request) = 0;
    virtual QString chooseSaveFile(const FileRequest &request) = 0;
    // Runs a modal window and returns its result code (QDialog::Accepted/Rejected).
    virtual int runModal(QDialog *window) = 0;
};

// The installed implementation. Before anything is installed this is a
// QtDialogs instance.
Dialogs &dialogs();
// Installs an implementation (not owned); nullptr restores the Qt one.
void setDialogs(Dialogs *implementation);

// The caption of the program's plain message windows.
QString applicationTitle();

// Shorthands.
// A plain message window (caption: the program's title, no icon).
inline void ShowMessage(const QString &text)
{
    dialogs().showMessage(applicationTitle(), text, MessageKind::Plain);
}
// A modal message box for a condition the user or the configuration can put
// right (a missing control, a badly formatted value, a missing report object).
inline void ShowWarning(const QString &text)
{
    dialogs().showMessage(applicationTitle(), text, MessageKind::Warning);
}
