#pragma once
// Whole-file reading and atomic writing of configuration documents and data
// files. Failures are raised as AppError with a Chinese text that names the
// file and the reason. Writing goes through QSaveFile: the new content
// replaces the old file only once it has been written completely, so a failed
// or interrupted write leaves the earlier file as it was.
#include <QByteArray>
#include <QString>

namespace DataFile {

// Files larger than this are not documents of this program and are refused
// before they are read into memory.
inline constexpr qint64 MaxDocumentSize = qint64(256) * 1024 * 1024;

// The whole content of the file at path.
QByteArray Read(const QString &path);
// Replaces the file at path by bytes, atomically.
void Write(const QString &path, const QByteArray &bytes);

} // namespace DataFile
