#pragma once
// DataFileSummary: the few values of a data file that a list of files shows -
// its type tag and some fields of "data-fields" - read by streaming the file
// with libxml2's reader: no tree is built, and reading stops as soon as the
// type field and every asked-for field have been seen. A file that is not a
// readable document (missing, a folder or pipe, too large, malformed,
// undecodable, with a document type declaration) gives the reason instead.
#include <QHash>
#include <QString>
#include <QStringList>

struct DataFileSummary {
    bool ok = false;
    QString error;                  // why the file could not be read (Chinese)
    QString typeTag;                // "value" of "config-type"; empty when none
    QHash<QString, QString> values; // the asked-for fields that were found

    // Files larger than this are not read for a list.
    static constexpr qint64 DefaultMaxSize = qint64(32) * 1024 * 1024;

    static DataFileSummary read(const QString &path, const QStringList &fields,
                                qint64 maxSize = DefaultMaxSize);
};
