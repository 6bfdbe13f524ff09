#pragma once
// TfrPreparedFile: the engine's own file of a prepared report, written and
// opened by the preview window: a signature, a format number and the sheets
// with every object as printed. Reading is bounds-checked and reports faults
// through errorString().
#include "TfrSheet.h"

#include <QByteArray>
#include <QList>
#include <QString>

class TfrPreparedFile {
public:
    static QByteArray encode(const QList<TfrSheet> &sheets);
    bool decode(const QByteArray &bytes, QList<TfrSheet> &sheets);

    bool save(const QString &fileName, const QList<TfrSheet> &sheets);
    bool open(const QString &fileName, QList<TfrSheet> &sheets);

    QString errorString() const { return FError; }

    static QString fileFilter() { return QStringLiteral("预览报表文件 (*.frp)|*.frp"); }

private:
    QString FError;
};
