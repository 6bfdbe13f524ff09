#include "DataFile.h"

#include "AppError.h"
#include "FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace DataFile {

namespace {

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void failRead(const QString &path, const QString &reason)
{
    throw AppError(QStringLiteral("无法读取文件“%1”：%2。").arg(nativePath(path), reason));
}

[[noreturn]] void failWrite(const QString &path, const QString &reason)
{
    throw AppError(QStringLiteral("无法保存文件“%1”：%2。文件未被保存。").arg(nativePath(path), reason));
}

[[noreturn]] void failWrite(const QString &path, QFileDevice::FileError error)
{
    failWrite(path, FileErrors::writeReason(path, error));
}

} // namespace

QByteArray Read(const QString &path)
{
    // Regular files only: a folder, a named pipe or a device is refused
    // without waiting on it.
    QFile file;
    const QString unreadable = FileErrors::openForReading(file, path);
    if (!unreadable.isEmpty())
        failRead(path, unreadable);
    if (file.size() > MaxDocumentSize)
        failRead(path, QStringLiteral("文件过大（超过%1 MB），不是本程序的文件")
                           .arg(MaxDocumentSize / (1024 * 1024)));
    // Read up to one byte past the limit: a file that grows meanwhile is
    // refused too. The buffer starts at the file's size (a read of the limit
    // would first allocate the whole limit, for every file).
    QByteArray bytes(file.size() + 1, Qt::Uninitialized);
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > MaxDocumentSize)
                break;
            bytes.resize(qMin(bytes.size() * 2, MaxDocumentSize + 1));
        }
        const qint64 read = file.read(bytes.data() + filled, bytes.size() - filled);
        if (read < 0 || file.error() != QFileDevice::NoError)
            failRead(path, FileErrors::readReason(path, file.error()));
        if (read == 0)
            break;
        filled += read;
    }
    bytes.truncate(filled);
    if (bytes.size() > MaxDocumentSize)
        failRead(path, QStringLiteral("文件过大（超过%1 MB），不是本程序的文件")
                           .arg(MaxDocumentSize / (1024 * 1024)));
    return bytes;
}

void Write(const QString &path, const QByteArray &bytes)
{
    // A link at the name is not followed, and nothing but a regular file is
    // replaced.
    const QString refused = FileErrors::unwritableReason(path);
    if (!refused.isEmpty())
        failWrite(path, refused);
    QSaveFile file(path);
    // Never fall back to writing the target in place.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        failWrite(path, file.error());
    // A short write may come without an error code (a file size limit, for
    // one); it is a failed write all the same, and the target stays untouched.
    if (file.write(bytes) != bytes.size()) {
        QFileDevice::FileError error = file.error();
        if (error == QFileDevice::NoError)
            error = QFileDevice::WriteError;
        file.cancelWriting();
        failWrite(path, error);
    }
    if (!file.commit())
        failWrite(path, file.error());
}

} // namespace DataFile
