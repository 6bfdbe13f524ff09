#include "RecoveryCopy.h"

#include "AppError.h"
#include "DataFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QStandardPaths>

namespace {

const QString kCheckCode = QStringLiteral("checkCode");
const QString kOrigin = QStringLiteral("origin");
const QString kMayBeOnPaper = QStringLiteral("mayBeOnPaper");

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

QByteArray RecoveryInfo::toJson() const
{
    QJsonObject o;
    o.insert(kCheckCode, checkCode);
    o.insert(kOrigin, origin);
    o.insert(kMayBeOnPaper, mayBeOnPaper);
    return QJsonDocument(o).toJson();
}

bool RecoveryInfo::fromJson(const QByteArray &json)
{
    const QJsonDocument doc = QJsonDocument::fromJson(json);
    if (!doc.isObject())
        return false;
    const QJsonObject o = doc.object();
    checkCode = o.value(kCheckCode).toString(checkCode);
    origin = o.value(kOrigin).toString(origin);
    mayBeOnPaper = o.value(kMayBeOnPaper).toBool(mayBeOnPaper);
    return true;
}

RecoveryCopy::RecoveryCopy(const QString &filePrefix) : FFilePrefix(filePrefix) {}

RecoveryCopy::~RecoveryCopy() = default;

QString RecoveryCopy::folder()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/恢复");
}

QString RecoveryCopy::infoPath(const QString &copyPath)
{
    QString base = copyPath;
    base.chop(4); // ".MRT"
    return base + QStringLiteral(".json");
}

QString RecoveryCopy::lockPath(const QString &copyPath)
{
    QString base = copyPath;
    base.chop(4);
    return base + QStringLiteral(".lock");
}

void RecoveryCopy::write(const QByteArray &document, const RecoveryInfo &info)
{
    if (!FLock) {
        const QString dir = folder();
        if (dir.isEmpty())
            throw AppError(QStringLiteral("找不到用户的应用数据文件夹，无法保存恢复副本。"));
        if (!QDir().mkpath(dir))
            throw AppError(QStringLiteral("无法建立存放恢复副本的文件夹“%1”。").arg(nativePath(dir)));
        // One name per form for the life of the program: the time, the
        // process and a running number keep the copies of two programs apart.
        static int serial = 0;
        const QString base = dir + QLatin1Char('/') + FFilePrefix + QLatin1Char('_') +
                             QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                             QStringLiteral("_%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial);
        auto lock = std::make_unique<QLockFile>(base + QStringLiteral(".lock"));
        // The lock stands while its program runs, however long that is.
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0))
            throw AppError(QStringLiteral("无法建立恢复副本的锁定文件“%1”。").arg(nativePath(base + QStringLiteral(".lock"))));
        FLock = std::move(lock);
        FBase = base;
    }
    // The description first: a copy is never without the facts that tell
    // how to restore it.
    const QByteArray json = info.toJson();
    if (json != FWrittenInfo) {
        DataFile::Write(infoPath(path()), json);
        FWrittenInfo = json;
    }
    DataFile::Write(path(), document);
}

void RecoveryCopy::remove()
{
    if (FBase.isEmpty())
        return;
    QFile::remove(path());
    QFile::remove(infoPath(path()));
    FWrittenInfo.clear();
}
