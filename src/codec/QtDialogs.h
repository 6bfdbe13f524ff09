#pragma once
// QtDialogs: the Dialogs implementation of the running program, on
// QMessageBox, QFileDialog and QDialog::exec.
#include "Dialogs.h"

class QtDialogs : public Dialogs {
public:
    void showMessage(const QString &caption, const QString &text, MessageKind kind) override;
    bool confirm(const QString &caption, const QString &text) override;
    int choose(const QString &caption, const QString &text, const QStringList &buttons, int defaultIndex,
               const QString &cancelText) override;
    QString chooseOpenFile(const FileRequest &request) override;
    QString chooseSaveFile(const FileRequest &request) override;
    int runModal(QDialog *window) override;

    // "desc|pattern|desc|pattern" to Qt's "desc (pattern);;desc (pattern)".
    static QString qtFilter(const QString &filter);
};
