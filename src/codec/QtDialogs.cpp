#include "QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace {
QWidget *dialogParent()
{
    QWidget *w = QApplication::activeModalWidget();
    if (!w)
        w = QApplication::activeWindow();
    return w;
}
}

void QtDialogs::showMessage(const QString &caption, const QString &text, MessageKind kind)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (kind) {
    case MessageKind::Plain: icon = QMessageBox::NoIcon; break;
    case MessageKind::Information: icon = QMessageBox::Information; break;
    case MessageKind::Warning: icon = QMessageBox::Warning; break;
    case MessageKind::Error: icon = QMessageBox::Critical; break;
    }
    QMessageBox box(icon, caption, text, QMessageBox::Ok, dialogParent());
    box.exec();
}

bool QtDialogs::confirm(const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Ok | QMessageBox::Cancel,
                    dialogParent());
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

int QtDialogs::choose(const QString &caption, const QString &text, const QStringList &buttons, int defaultIndex,
                      const QString &cancelText)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, dialogParent());
    QList<QAbstractButton *> answers;
    for (const QString &button : buttons)
        answers << box.addButton(button, QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(cancelText, QMessageBox::RejectRole);
    box.setEscapeButton(cancel);
    box.setDefaultButton(defaultIndex >= 0 && defaultIndex < answers.size()
                             ? static_cast<QPushButton *>(answers[defaultIndex])
                             : cancel);
    box.exec();
    return int(answers.indexOf(box.clickedButton()));
}

QString QtDialogs::qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString pattern = parts[i + 1];
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        // A description that already ends with its pattern in brackets, as
        // "报盘文件(*.MRT)", is shown as it stands: Qt takes the pattern from
        // those brackets, and adding it again would show it twice.
        auto squeezed = [](QString text) {
            return text.remove(QLatin1Char(' ')).remove(QLatin1Char(';'));
        };
        if (squeezed(parts[i]).endsWith(squeezed(QLatin1Char('(') + pattern + QLatin1Char(')')),
                                        Qt::CaseInsensitive))
            out << parts[i];
        else
            out << QStringLiteral("%1 (%2)").arg(parts[i], pattern);
    }
    if (out.isEmpty() && !filter.isEmpty())
        out << filter;
    return out.join(QStringLiteral(";;"));
}

static void prepare(QFileDialog &dlg, const FileRequest &request)
{
    if (!request.filter.isEmpty())
        dlg.setNameFilter(QtDialogs::qtFilter(request.filter));
    if (!request.directory.isEmpty())
        dlg.setDirectory(request.directory);
    QString suffix = request.defaultSuffix;
    suffix.remove(QLatin1Char('*'));
    suffix.remove(QLatin1Char('.'));
    if (!suffix.isEmpty())
        dlg.setDefaultSuffix(suffix);
    if (!request.fileName.isEmpty())
        dlg.selectFile(request.fileName);
}

QString QtDialogs::chooseOpenFile(const FileRequest &request)
{
    QFileDialog dlg(dialogParent(), request.caption);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    prepare(dlg, request);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

QString QtDialogs::chooseSaveFile(const FileRequest &request)
{
    QFileDialog dlg(dialogParent(), request.caption);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    prepare(dlg, request);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return {};
    return dlg.selectedFiles().first();
}

int QtDialogs::runModal(QDialog *window)
{
    return window->exec();
}
