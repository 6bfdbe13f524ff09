#include "TestDocuments.h"

#include "CodePage.h"

#include <QFile>

namespace TestDocuments {

QByteArray minimal(const QString &typeTag, const QString &relations, const QString &items,
                   const QString &fields)
{
    const QString xml = QStringLiteral(
                            "<?xml version=\"1.0\" encoding=\"GBK\"?>\n<config>\n"
                            "<config-type value=\"%1\"/>\n<ui-relation>%2</ui-relation>\n"
                            "<ui-data>%3</ui-data>\n<data-fields>%4</data-fields>\n</config>\n")
                            .arg(typeTag, relations, items, fields);
    return CodePage::fromUnicode(xml);
}

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
    return path;
}

} // namespace TestDocuments
