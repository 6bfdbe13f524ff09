#include "FileErrors.h"

#include "Platform.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace FileErrors {

namespace {

// What a path that cannot be read is, in Chinese.
QString readCheckReason(Platform::ReadCheck found, int error)
{
    switch (found) {
    case Platform::ReadCheck::RegularFile:
        return {};
    case Platform::ReadCheck::Directory:
        return QStringLiteral("是目录，不是文件");
    case Platform::ReadCheck::OtherKind:
        return QStringLiteral("不是普通文件");
    case Platform::ReadCheck::DanglingLink:
        return QStringLiteral("符号链接指向的文件不存在");
    case Platform::ReadCheck::Missing:
        return QStringLiteral("文件不存在");
    case Platform::ReadCheck::LinkLoop:
        return QStringLiteral("符号链接循环");
    case Platform::ReadCheck::NoPermission:
        return QStringLiteral("没有读取权限");
    case Platform::ReadCheck::NotADirectory:
        return QStringLiteral("路径中的某一部分不是目录");
    case Platform::ReadCheck::NameTooLong:
        return QStringLiteral("路径过长");
    case Platform::ReadCheck::NoResources:
        return QStringLiteral("系统资源不足");
    case Platform::ReadCheck::DeviceError:
        return QStringLiteral("读取设备时出错");
    case Platform::ReadCheck::Other:
        break;
    }
    return QStringLiteral("无法打开（系统错误号 %1）").arg(error);
}

} // namespace

QString unreadableReason(const QString &path)
{
    int error = 0;
    return readCheckReason(Platform::checkReadable(path, &error), error);
}

QString openForReading(QFile &file, const QString &path)
{
    Platform::ReadCheck found = Platform::ReadCheck::Other;
    int error = 0;
    const int handle = Platform::openRegularFile(path, found, &error);
    if (handle < 0)
        return readCheckReason(found, error);
    if (!file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        Platform::closeFile(handle);
        return QStringLiteral("无法打开文件");
    }
    return {};
}

QString unwritableReason(const QString &path)
{
    switch (Platform::entryKind(path)) {
    case Platform::EntryKind::None:
        return {}; // nothing there (or nothing reachable): the write itself says why it fails
    case Platform::EntryKind::RegularFile:
        return {};
    case Platform::EntryKind::Link:
        return QStringLiteral("是符号链接，为安全起见不经它写入（它和它指向的文件都保持原样）");
    case Platform::EntryKind::Directory:
        return QStringLiteral("是目录，不是文件");
    case Platform::EntryKind::Pipe:
        return QStringLiteral("是命名管道，不是普通文件");
    case Platform::EntryKind::Device:
        return QStringLiteral("是设备文件，不是普通文件");
    case Platform::EntryKind::Socket:
        return QStringLiteral("是套接字，不是普通文件");
    case Platform::EntryKind::Other:
        break;
    }
    return QStringLiteral("不是普通文件");
}

bool sameFile(const QString &first, const QString &second)
{
    return Platform::sameFile(first, second);
}

QString readReason(const QString &path, QFileDevice::FileError error)
{
    const QString reason = unreadableReason(path);
    if (!reason.isEmpty())
        return reason;
    switch (error) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("没有读取权限");
    case QFileDevice::ResourceError:
        return QStringLiteral("系统资源不足");
    case QFileDevice::ReadError:
        return QStringLiteral("读取失败");
    default:
        return QStringLiteral("无法打开文件");
    }
}

// A Chinese reason for a failed write, from what the file system says about
// the target and its folder.
QString writeReason(const QString &path, QFileDevice::FileError error)
{
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists())
        return QStringLiteral("文件夹“%1”不存在").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (!folder.isDir())
        return QStringLiteral("“%1”不是文件夹").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
    if (target.isDir())
        return QStringLiteral("是目录，不是文件");
    // The new content is written beside the target first, so the folder
    // itself must be writable.
    if (!folder.isWritable())
        return QStringLiteral("没有在文件夹“%1”中写入的权限").arg(QDir::toNativeSeparators(folder.absoluteFilePath()));
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

} // namespace FileErrors
