#pragma once
// FileErrors: Chinese reasons why a file could not be read or written, named
// from the file system's own answer (missing, a link loop, a directory, no
// permission, disk full ...) rather than the toolkit's English texts. Used by
// the data files, the report engine's PDF and prepared-report files and the
// command-line printer alike.
#include <QFileDevice>
#include <QString>

namespace FileErrors {

// Why the file cannot be opened for reading; empty when it opens as a
// regular file.
QString unreadableReason(const QString &path);

// Why reading failed after QFile reported `error`.
QString readReason(const QString &path, QFileDevice::FileError error);

// Why writing (through a file written beside the target, then renamed)
// failed after the device reported `error`.
QString writeReason(const QString &path, QFileDevice::FileError error);

} // namespace FileErrors
