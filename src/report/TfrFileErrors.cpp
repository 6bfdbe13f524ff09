#include "TfrFileErrors.h"

#include <QFileInfo>

namespace TfrFileErrors {

QString writeReason(const QString &fileName, QFileDevice::FileError error)
{
    const QFileInfo target(fileName);
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists())
        return QStringLiteral("文件夹不存在");
    if (!folder.isDir())
        return QStringLiteral("路径中的某一部分不是目录");
    if (target.isDir())
        return QStringLiteral("是目录，不是文件");
    // The new content is written beside the target first.
    if (!folder.isWritable())
        return QStringLiteral("没有在该文件夹中写入的权限");
    if (target.exists() && !target.isWritable())
        return QStringLiteral("文件是只读的");
    switch (error) {
    case QFileDevice::PermissionsError:
        return QStringLiteral("没有写入权限");
    case QFileDevice::ResourceError:
        return QStringLiteral("磁盘空间不足或系统资源不足");
    case QFileDevice::WriteError:
        return QStringLiteral("写入失败，磁盘可能已满");
    case QFileDevice::RenameError:
        return QStringLiteral("无法用新内容替换原文件");
    default:
        return QStringLiteral("无法创建文件");
    }
}

QString readReason(const QString &fileName, QFileDevice::FileError error)
{
    const QFileInfo file(fileName);
    if (!file.exists())
        return file.isSymLink() ? QStringLiteral("符号链接指向的文件不存在") : QStringLiteral("文件不存在");
    if (file.isDir())
        return QStringLiteral("是目录，不是文件");
    if (!file.isReadable())
        return QStringLiteral("没有读取权限");
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

} // namespace TfrFileErrors
