#include "Helpers.h"

#include "ControlAdapter.h"
#include "DatePicker.h"
#include "Platform.h"

#include <QCoreApplication>
#include <QDir>
#include <QPalette>
#include <QStandardPaths>
#include <QUuid>
#include <QWidget>

QString NewCheckCode()
{
    // The registry form is "{XXXXXXXX-XXXX-...}"; the code is the first group.
    const QString guid = QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
    return guid.mid(1, 8);
}

bool IsCheckCode(const QString &code)
{
    if (code.size() != 8)
        return false;
    for (QChar c : code) {
        if (!((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('F'))))
            return false;
    }
    return true;
}

QString ProgramDirectory()
{
    QString dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty())
        dir = QDir::currentPath();
    dir = QDir::toNativeSeparators(dir);
    if (!dir.endsWith(QDir::separator()))
        dir += QDir::separator();
    return dir;
}

QString DataFileDirectory()
{
    const QString program = ProgramDirectory();
    if (Platform::keepsFilesIn(program))
        return program;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString dir = QDir(documents.isEmpty() ? QDir::homePath() : documents)
                            .absoluteFilePath(QStringLiteral("电子申报"));
    // A folder that cannot be made is reported by the write that needs it,
    // with this path.
    QDir().mkpath(dir);
    return QDir::toNativeSeparators(dir) + QDir::separator();
}

void SplitBySeparator(const QString &text, QStringList &list, const QString &separator)
{
    if (separator.isEmpty()) {
        list.append(text);
        return;
    }
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(separator, from, Qt::CaseSensitive);
        if (at < 0) {
            list.append(text.mid(from));
            return;
        }
        list.append(text.mid(from, at - from));
        from = at + separator.size();
    }
}

void DisableControl(QObject *control)
{
    if (!control)
        return;
    switch (Controls::kindOf(control)) {
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        Controls::setChecked(control, false);
        break;
    case ControlKind::DatePicker:
        static_cast<DatePicker *>(control)->setHasDate(false);
        break;
    case ControlKind::Edit:
    case ControlKind::Memo: {
        // Only what changes: a form loads with many empty, greyed boxes, and
        // each change of a shown box costs a repaint and a notification.
        if (!Controls::text(control).isEmpty())
            Controls::setText(control, QString());
        auto *w = static_cast<QWidget *>(control);
        const QColor face = Controls::buttonFaceColour();
        const QPalette &pal = w->palette();
        if (pal.color(QPalette::Active, QPalette::Base) != face || pal.color(QPalette::Inactive, QPalette::Base) != face ||
            pal.color(QPalette::Disabled, QPalette::Base) != face)
            Controls::setBackground(w, face);
        break;
    }
    case ControlKind::ComboBox:
        Controls::setSelectedIndex(control, -1);
        break;
    case ControlKind::Other:
        break;
    }
    if (auto *w = qobject_cast<QWidget *>(control))
        w->setEnabled(false);
}

void EnableControl(QObject *control)
{
    if (!control)
        return;
    const ControlKind kind = Controls::kindOf(control);
    if (kind == ControlKind::Edit || kind == ControlKind::Memo)
        Controls::setBackground(static_cast<QWidget *>(control), Controls::windowColour());
    if (auto *w = qobject_cast<QWidget *>(control))
        w->setEnabled(true);
}
