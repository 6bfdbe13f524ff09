#include "DataFileList.h"

#include "DataFileSummary.h"

#include <QDir>
#include <QFileInfo>

namespace DataFileList {

namespace {

// The fields the list shows; each is an edit box of the same name on all six forms.
const QString kDrug = QStringLiteral("edtYPTYMC");
const QString kApplicant = QStringLiteral("edtJG1MC");
const QString kCheckCode = QStringLiteral("VerifyCode");

} // namespace

DataFileEntry read(const QString &path)
{
    DataFileEntry entry;
    const QFileInfo info(path);
    entry.path = info.absoluteFilePath();
    entry.fileName = info.fileName();
    entry.saved = info.lastModified();
    const DataFileSummary summary = DataFileSummary::read(path, {kDrug, kApplicant, kCheckCode});
    if (!summary.ok) {
        entry.error = summary.error;
        return entry;
    }
    for (const FormType &t : formTypes())
        if (t.typeTag == summary.typeTag)
            entry.type = &t;
    if (!entry.type) {
        entry.error = QStringLiteral("类型“%1”不是本程序的六种申请表之一").arg(summary.typeTag);
        return entry;
    }
    entry.readable = true;
    entry.drug = summary.values.value(kDrug);
    entry.applicant = summary.values.value(kApplicant);
    entry.checkCode = summary.values.value(kCheckCode);
    return entry;
}

QList<DataFileEntry> scan(const QString &folder)
{
    QList<DataFileEntry> out;
    const QDir dir(folder);
    const QFileInfoList files = dir.entryInfoList({QStringLiteral("*.MRT")},
                                                  QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                                                  QDir::Name);
    out.reserve(files.size());
    for (const QFileInfo &info : files)
        out.append(read(info.filePath()));
    return out;
}

} // namespace DataFileList
