#include "ScriptedDialogs.h"

#include <QDialog>

ScriptedDialogs::ScriptedDialogs() { setDialogs(this); }
ScriptedDialogs::~ScriptedDialogs() { setDialogs(nullptr); }

QStringList ScriptedDialogs::texts() const
{
    QStringList out;
    for (const auto &m : messages)
        out << m.text;
    return out;
}

bool ScriptedDialogs::dropPrintQuestion()
{
    const qsizetype before = messages.size();
    messages.removeIf([](const RecordedMessage &m) {
        return m.question && m.text.startsWith(QStringLiteral("本表有 ")) &&
               m.text.endsWith(QStringLiteral(" 处填写问题，仍要打印吗？"));
    });
    return messages.size() < before;
}

void ScriptedDialogs::clear()
{
    answers.clear();
    choices.clear();
    openFiles.clear();
    saveFiles.clear();
    modalHandlers.clear();
    messages.clear();
    fileRequests.clear();
    modalWindows.clear();
}

void ScriptedDialogs::showMessage(const QString &caption, const QString &text, MessageKind kind)
{
    messages.append({caption, text, kind, false, {}});
}

bool ScriptedDialogs::confirm(const QString &caption, const QString &text)
{
    messages.append({caption, text, MessageKind::Warning, true, {}});
    return answers.isEmpty() ? true : answers.dequeue();
}

int ScriptedDialogs::choose(const QString &caption, const QString &text, const QStringList &buttons,
                            int defaultIndex, const QString &cancelText)
{
    messages.append({caption, text, MessageKind::Warning, true, buttons + QStringList{cancelText}});
    return choices.isEmpty() ? defaultIndex : choices.dequeue();
}

QString ScriptedDialogs::chooseOpenFile(const FileRequest &request)
{
    fileRequests.append(request);
    return openFiles.isEmpty() ? QString() : openFiles.dequeue();
}

QString ScriptedDialogs::chooseSaveFile(const FileRequest &request)
{
    fileRequests.append(request);
    return saveFiles.isEmpty() ? QString() : saveFiles.dequeue();
}

int ScriptedDialogs::runModal(QDialog *window)
{
    modalWindows.append(window->windowTitle());
    if (modalHandlers.isEmpty())
        return QDialog::Rejected;
    return modalHandlers.dequeue()(window);
}
