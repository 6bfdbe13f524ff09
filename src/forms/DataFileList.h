#pragma once
// DataFileList: what the 申请表一览 window shows of each data file in a
// folder - form type, drug name, first applicant, check code and the time it
// was saved - read by streaming only those few fields of each file
// (DataFileSummary). A file that cannot be read, or is no data file of the
// six types, is listed as unreadable with the reason.
#include "FormTypes.h"

#include <QDateTime>
#include <QList>
#include <QString>

struct DataFileEntry {
    QString path;
    QString fileName;
    bool readable = false;
    QString error;                   // why it is unreadable (Chinese)
    const FormType *type = nullptr;  // the form type its type field names
    QString drug;                    // 药品名称 (the packaging material's name on its form)
    QString applicant;               // the first applicant's name
    QString checkCode;
    QDateTime saved;                 // the file's last modification
};

namespace DataFileList {

// The data files (*.MRT, any letter case) of the folder, in file name order.
QList<DataFileEntry> scan(const QString &folder);
// One file.
DataFileEntry read(const QString &path);

} // namespace DataFileList
