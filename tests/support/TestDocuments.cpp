#include "TestDocuments.h"

#include "CodePage.h"

#include <QFile>

#include <iconv.h>

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

QString gbkCharacters()
{
    static QString all;
    if (!all.isEmpty())
        return all;
    iconv_t cd = iconv_open("UTF-16LE", "GBK");
    if (cd == iconv_t(-1))
        return {};
    // One code: the character it reads as, or nothing when GBK has none.
    auto decode = [cd](QByteArray code) {
        char16_t out[4];
        char *in = code.data();
        size_t inLeft = size_t(code.size());
        char *outPtr = reinterpret_cast<char *>(out);
        size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0)
            return QString();
        return QString(reinterpret_cast<const QChar *>(out), qsizetype((sizeof out - outLeft) / 2));
    };
    for (char c = 0x21; c < 0x7F; ++c)
        all += QLatin1Char(c);
    all += decode(QByteArray("\x80"));
    for (int lead = 0x81; lead <= 0xFE; ++lead)
        for (int trail = 0x40; trail <= 0xFE; ++trail)
            if (trail != 0x7F)
                all += decode(QByteArray(1, char(lead)) + char(trail));
    iconv_close(cd);
    return all;
}

} // namespace TestDocuments
