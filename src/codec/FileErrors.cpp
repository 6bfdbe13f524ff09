#include "FileErrors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileErrors {

namespace {

// Why ::open failed with error for the file native.
QString openFailure(int error, const QByteArray &native)
{
    struct stat link {};
    switch (error) {
    case ENOENT:
        // A link whose target is gone is there itself.
        if (::lstat(native.constData(), &link) == 0 && S_ISLNK(link.st_mode))
            return QStringLiteral("符号链接指向的文件不存在");
        return QStringLiteral("文件不存在");
    case ELOOP:
        return QStringLiteral("符号链接循环");
    case EACCES:
    case EPERM:
        return QStringLiteral("没有读取权限");
    case EISDIR:
        return QStringLiteral("是目录，不是文件");
    case ENOTDIR:
        return QStringLiteral("路径中的某一部分不是目录");
    case ENAMETOOLONG:
        return QStringLiteral("路径过长");
    case EMFILE:
    case ENFILE:
    case ENOMEM:
        return QStringLiteral("系统资源不足");
    case EIO:
        return QStringLiteral("读取设备时出错");
    default:
        return QStringLiteral("无法打开（系统错误号 %1）").arg(error);
    }
}

// Opens path for reading without blocking (a named pipe would wait for a
// writer) and keeps the descriptor only for a regular file; -1 otherwise,
// with the reason.
int openRegular(const QString &path, QString &reason)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        reason = openFailure(errno, native);
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        reason = S_ISDIR(st.st_mode) ? QStringLiteral("是目录，不是文件") : QStringLiteral("不是普通文件");
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

QString unreadableReason(const QString &path)
{
    QString reason;
    const int fd = openRegular(path, reason);
    if (fd >= 0)
        ::close(fd);
    return reason;
}

QString openForReading(QFile &file, const QString &path)
{
    QString reason;
    const int fd = openRegular(path, reason);
    if (fd < 0)
        return reason;
    // Reads of a regular file never block; the flag only mattered for opening.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return QStringLiteral("无法打开文件");
    }
    return {};
}

// On Windows the same decision needs other means than lstat: QFileInfo's
// isSymLink() and isJunction() for links (a .lnk shortcut is an ordinary
// file there); the reserved device names CON, PRN, AUX, NUL, COM1 to COM9
// and LPT1 to LPT9 (with any extension, in any folder); and paths that
// begin with "\\.\" or "\\?\" (devices and named pipes). Those name no
// file and must be refused by name before anything is opened or renamed.
QString unwritableReason(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0)
        return {}; // nothing there (or nothing reachable): the write itself says why it fails
    if (S_ISREG(st.st_mode))
        return {};
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("是符号链接，为安全起见不经它写入（它和它指向的文件都保持原样）");
    if (S_ISDIR(st.st_mode))
        return QStringLiteral("是目录，不是文件");
    if (S_ISFIFO(st.st_mode))
        return QStringLiteral("是命名管道，不是普通文件");
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return QStringLiteral("是设备文件，不是普通文件");
    if (S_ISSOCK(st.st_mode))
        return QStringLiteral("是套接字，不是普通文件");
    return QStringLiteral("不是普通文件");
}

bool sameFile(const QString &first, const QString &second)
{
    struct stat a {};
    struct stat b {};
    return ::stat(QFile::encodeName(first).constData(), &a) == 0
        && ::stat(QFile::encodeName(second).constData(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
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
