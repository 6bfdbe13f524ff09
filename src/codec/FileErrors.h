#pragma once
// FileErrors: Chinese reasons why a file could not be read or written, named
// from the file system's own answer (missing, a link loop, a directory, no
// permission, disk full ...) rather than the toolkit's English texts; and the
// one decision which files the program reads and writes at all: regular
// files only. Used by the data files, the report engine's PDF and
// prepared-report files, the help window and the command-line printer alike.
#include <QFile>
#include <QString>

namespace FileErrors {

// Why the file cannot be opened for reading; empty when it opens as a
// regular file (a symbolic link to one included). A named pipe, a device or
// a folder is refused without waiting on it.
QString unreadableReason(const QString &path);
// Opens file for reading from path when it is a regular file, deciding on
// the very file that is opened (nothing can be swapped in between); empty
// on success, else the reason and file stays closed. On Windows: the same
// device names and paths as for writing (below) must be refused first.
QString openForReading(QFile &file, const QString &path);

// Why the program may not write a file at path; empty when nothing is there
// yet or a regular file is. A symbolic link is refused, not followed (what
// it points to stays as it is), and so is a folder, a named pipe, a device
// or a socket: writing replaces the entry at path by a new regular file,
// which would destroy such an entry or write somewhere else.
QString unwritableReason(const QString &path);

// True when both paths name the same existing file (through links too).
bool sameFile(const QString &first, const QString &second);

// Why reading failed after QFile reported `error`.
QString readReason(const QString &path, QFileDevice::FileError error);

// Why writing (through a file written beside the target, then renamed)
// failed after the device reported `error`.
QString writeReason(const QString &path, QFileDevice::FileError error);

} // namespace FileErrors
