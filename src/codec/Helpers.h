#pragma once
// Small routines shared by the form framework and the binding: the check
// code, the program directory and the data file folder, splitting of multi-choice values, and the
// disable/enable rules of the control relations.
#include <QString>
#include <QStringList>

class QObject;

// Separator of the keys in a stored multi-choice value.
inline const QString kMultiChoiceSeparator = QStringLiteral("|$$|");

// Eight upper-case hexadecimal digits: the first field of a new random GUID.
QString NewCheckCode();
// True for exactly eight upper-case hexadecimal digits, the form NewCheckCode makes.
bool IsCheckCode(const QString &code);

// The directory of the running executable, ending with the path separator.
QString ProgramDirectory();

// Where data files are written and the open dialog starts, ending with the
// path separator: the program directory where the program may keep files
// there (a copy built or unpacked by the user), otherwise - an installed copy
// in a system folder - the subfolder "电子申报" of the user's documents
// folder, made when it does not exist yet.
QString DataFileDirectory();

// Cuts text at every occurrence of separator and appends the parts, empty
// ones included, to list. An empty separator counts as not found.
void SplitBySeparator(const QString &text, QStringList &list, const QString &separator);

// Clears the control's value (by kind), greys an edit box or memo, and
// disables the control. Does nothing for a null control.
void DisableControl(QObject *control);
// Paints an edit box or memo in the window colour and enables the control.
void EnableControl(QObject *control);
