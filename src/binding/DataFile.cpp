#include "DataFile.h"

#include "AppError.h"

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

// A Chinese reason for a failed write, from what the file system says about
// the target and its folder.
QString writeReason(const QString &path, QFileDevice::FileError error)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists())
        return QStringLiteral("文件夹“%1”不存在").arg(nativePath(folder.absoluteFilePath()));
    if (!folder.isDir())
        return QStringLiteral("“%1”不是文件夹").arg(nativePath(folder.absoluteFilePath()));
    if (target.isDir())
        return QStringLiteral("该路径是一个文件夹");
    // The new content is written beside the target first, so the folder
    // itself must be writable.
    if (!folder.isWritable())
        return QStringLiteral("没有在文件夹“%1”中写入的权限").arg(nativePath(folder.absoluteFilePath()));
    if (target.exists() && !target.isWritable())
        return QStringLiteral("文件是只读的");
    switch (error) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("没有写入权限");
    case QFileDevice::ResourceError:
        return QStringLiteral("磁盘空间不足或系统资源不足");
    case QFileDevice::WriteError:
        return QStringLiteral("写入失败，磁盘可能已满或文件大小超过限制");
    case QFileDevice::RenameError:
        return QStringLiteral("无法用新内容替换原文件");
    case QFileDevice::OpenError:
        return QStringLiteral("无法创建文件");
    default:
        return QStringLiteral("文件系统拒绝了写入");
    }
}

QString readReason(const QString &path, QFileDevice::FileError error)
{
    if (!QFileInfo(path).isReadable())
        return QStringLiteral("没有读取权限");
    switch (error) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("没有读取权限");
    case QFileDevice::OpenError:
        return QStringLiteral("无法打开文件");
    case QFileDevice::ResourceError:
        return QStringLiteral("系统资源不足");
    default:
        return QStringLiteral("读取失败");
    }
}

[[noreturn]] void failRead(const QString &path, const QString &reason)
{
    throw AppError(QStringLiteral("无法读取文件“%1”：%2。").arg(nativePath(path), reason));
}

[[noreturn]] void failWrite(const QString &path, QFileDevice::FileError error)
{
    throw AppError(QStringLiteral("无法保存文件“%1”：%2。文件未被保存。")
                       .arg(nativePath(path), writeReason(path, error)));
}

} // namespace

QByteArray Read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        failRead(path, readReason(path, file.error()));
    if (file.size() > MaxDocumentSize)
        failRead(path, QStringLiteral("文件过大（超过%1 MB），不是本程序的文件")
                           .arg(MaxDocumentSize / (1024 * 1024)));
    // Read at most one byte past the limit: a file that grows meanwhile is refused too.
    QByteArray bytes = file.read(MaxDocumentSize + 1);
    if (file.error() != QFileDevice::NoError)
        failRead(path, readReason(path, file.error()));
    if (bytes.size() > MaxDocumentSize)
        failRead(path, QStringLiteral("文件过大（超过%1 MB），不是本程序的文件")
                           .arg(MaxDocumentSize / (1024 * 1024)));
    return bytes;
}

void Write(const QString &path, const QByteArray &bytes)
{
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
