#pragma once
// ScriptedDialogs: the Dialogs implementation of the tests. It answers OK/Cancel
// questions from a queue (OK when the queue is empty), choices from another
// (the default button when it is empty), returns queued file
// names from the file dialogs (cancel when empty), runs queued handlers for
// modal windows (reject when empty), and records every message, question and
// window so that tests can assert on them. Installed for the life of the object.
#include "Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <functional>

struct RecordedMessage {
    QString caption;
    QString text;
    MessageKind kind;
    bool question = false; // an OK/Cancel confirmation or a choice
    QStringList buttons;   // a choice's buttons, its cancel button last
};

class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // Scripted answers.
    QQueue<bool> answers;          // confirm(): true = OK
    QQueue<int> choices;           // choose(): a button's index, -1 = cancel
    QQueue<QString> openFiles;     // chooseOpenFile(): empty string = cancel
    QQueue<QString> saveFiles;     // chooseSaveFile()
    QQueue<std::function<int(QDialog *)>> modalHandlers;

    // What happened.
    QList<RecordedMessage> messages;       // messages and questions in order
    QList<FileRequest> fileRequests;       // every file dialog's request
    QStringList modalWindows;              // window titles of runModal calls

    // Queues answers for the next OK/Cancel questions.
    void answer(std::initializer_list<bool> okOrCancel) { for (bool b : okOrCancel) answers.enqueue(b); }

    QStringList texts() const;             // texts of every recorded entry
    // Forgets the recorded question that Print asks of a form with filling
    // problems ("本表有 K 处填写问题，仍要打印吗？", answered 打印 by default),
    // for tests about what printing does once it prints; true when there was one.
    bool dropPrintQuestion();
    void clear();

    void showMessage(const QString &caption, const QString &text, MessageKind kind) override;
    bool confirm(const QString &caption, const QString &text) override;
    int choose(const QString &caption, const QString &text, const QStringList &buttons, int defaultIndex,
               const QString &cancelText) override;
    QString chooseOpenFile(const FileRequest &request) override;
    QString chooseSaveFile(const FileRequest &request) override;
    int runModal(QDialog *window) override;
};
