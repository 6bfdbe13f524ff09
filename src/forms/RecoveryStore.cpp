#include "RecoveryStore.h"

#include "AppError.h"
#include "BindingMessages.h"
#include "ConfigDocument.h"
#include "DataFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

LeftCopy::LeftCopy() = default;
LeftCopy::~LeftCopy() = default;
LeftCopy::LeftCopy(LeftCopy &&) noexcept = default;
LeftCopy &LeftCopy::operator=(LeftCopy &&) noexcept = default;

void LeftCopy::discard()
{
    QFile::remove(path);
    QFile::remove(RecoveryCopy::infoPath(path));
}

namespace {

// A description is a few hundred bytes; anything much larger is not one.
constexpr qint64 kMaxInfoSize = 64 * 1024;

// Reads the description and the document; notes the form type, or why the
// copy cannot be restored.
void inspect(LeftCopy &copy)
{
    QFile infoFile(RecoveryCopy::infoPath(copy.path));
    bool described = false;
    if (infoFile.open(QIODevice::ReadOnly) && infoFile.size() <= kMaxInfoSize)
        described = copy.info.fromJson(infoFile.read(kMaxInfoSize));
    // Without its description nobody knows whether the code is on paper:
    // it is taken to be, so that a later Save asks before overwriting.
    if (!described)
        copy.info = RecoveryInfo{QString(), QString(), true};
    try {
        const auto doc = ConfigDocument::parse(DataFile::Read(copy.path));
        const ConfigNode typeField = doc->section(ConfigSection::ConfigType);
        if (!typeField) {
            copy.damage = BindingMessages::NoTypeField();
            return;
        }
        const QString tag = typeField.attributeText(QStringLiteral("value"));
        for (const FormType &t : formTypes())
            if (t.typeTag == tag)
                copy.type = &t;
        if (!copy.type) {
            copy.damage = QStringLiteral("文件的类型“%1”不是本程序的申请表类型。").arg(tag);
            return;
        }
        const ConfigNode data = doc->section(ConfigSection::UiData);
        if (!data) {
            copy.damage = BindingMessages::NoUiData();
            return;
        }
        if (!doc->section(ConfigSection::DataFields)) {
            copy.damage = BindingMessages::NoDataFields();
            return;
        }
        // The check code as the document keeps it, when no description says.
        if (copy.info.checkCode.isEmpty()) {
            const ConfigNode item = doc->findNamed(data, QStringLiteral("VerifyCode"));
            if (item && item.hasAttribute(QStringLiteral("Field")))
                copy.info.checkCode = doc->FieldValue(item.attributeText(QStringLiteral("Field")));
        }
    } catch (const AppError &e) {
        copy.damage = e.message();
    } catch (const std::exception &) {
        copy.damage = QStringLiteral("文件无法读取。");
    }
}

} // namespace

namespace RecoveryStore {

std::vector<LeftCopy> leftCopies()
{
    std::vector<LeftCopy> out;
    const QString folder = RecoveryCopy::folder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return out;
    const QDir dir(folder);
    for (const QFileInfo &file :
         dir.entryInfoList({QStringLiteral("*.MRT")}, QDir::Files, QDir::Time | QDir::Reversed)) {
        LeftCopy copy;
        copy.path = file.absoluteFilePath();
        auto lock = std::make_unique<QLockFile>(RecoveryCopy::lockPath(copy.path));
        lock->setStaleLockTime(0);
        // A lock that stands belongs to a running program whose form is open.
        if (!lock->tryLock(0))
            continue;
        copy.lock = std::move(lock);
        copy.written = file.lastModified();
        inspect(copy);
        out.push_back(std::move(copy));
    }
    // A description whose copy was never written tells nothing.
    for (const QFileInfo &file : dir.entryInfoList({QStringLiteral("*.json")}, QDir::Files)) {
        const QString copyPath = file.absolutePath() + QLatin1Char('/') + file.completeBaseName() + QStringLiteral(".MRT");
        if (QFileInfo::exists(copyPath))
            continue;
        QLockFile lock(RecoveryCopy::lockPath(copyPath));
        lock.setStaleLockTime(0);
        if (lock.tryLock(0))
            QFile::remove(file.absoluteFilePath());
    }
    return out;
}

} // namespace RecoveryStore
