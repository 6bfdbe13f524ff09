#pragma once
// Small configuration documents and data files made by the tests themselves.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace TestDocuments {
// A minimal document of the given type tag, GBK-encoded, with the optional
// inner XML of "ui-relation", "ui-data" and "data-fields".
QByteArray minimal(const QString &typeTag, const QString &relations = {}, const QString &items = {},
                   const QString &fields = {});
// Writes bytes to dir/name and returns the path.
QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);
// Every character of GBK (code page 936) in code order: the printable ASCII
// characters, the euro sign (the single byte 0x80) and every double-byte
// character (21,791), as the C library's GBK converter reads them.
QString gbkCharacters();
}
