// Tests of the document wrapper: encodings in and out, the section and name
// lookups, attributes, and the refusal of documents that use entities.
#include "TestConfigDocument.h"

#include "AppError.h"
#include "CodePage.h"
#include "ConfigDocument.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryFile>
#include <QtTest>
#include <cstdio>
#include <iconv.h>
#include <unicode/ucnv.h>
#include <unistd.h>

namespace {

const QString kBody = QStringLiteral(
    "<表单><config-type value=\"药品注册申请\"/><data-fields><f name=\"名称\" value=\"注射用水\"/></data-fields></表单>");

std::unique_ptr<ConfigDocument> parse(const QString &xml)
{
    return ConfigDocument::parse(xml.toUtf8());
}

QString parseError(const QByteArray &bytes)
{
    try {
        ConfigDocument::parse(bytes);
    } catch (const AppError &e) {
        return e.message();
    }
    return QString();
}

QByteArray utf16(const QString &text, bool bigEndian)
{
    QByteArray out;
    const QString withMark = QChar(0xFEFF) + text;
    for (QChar c : withMark) {
        const char16_t u = c.unicode();
        const char hi = char(u >> 8), lo = char(u & 0xFF);
        out.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
    }
    return out;
}

// Every encoding label that the XML library may be handed: the names of the C
// library's converters and of ICU's (the library asks both), in upper case.
QStringList encodingLabels()
{
    QSet<QString> labels;
    QProcess list;
    list.start(QStringLiteral("iconv"), {QStringLiteral("-l")});
    if (list.waitForFinished(30000))
        for (QString name : QString::fromLatin1(list.readAllStandardOutput()).split(QRegularExpression(QStringLiteral("[,\\s]+"))))
            if (!name.remove(QStringLiteral("//")).isEmpty())
                labels.insert(name.toUpper());
    for (int32_t i = 0, n = ucnv_countAvailable(); i < n; ++i) {
        const char *converter = ucnv_getAvailableName(i);
        UErrorCode error = U_ZERO_ERROR;
        const uint16_t aliases = ucnv_countAliases(converter, &error);
        for (uint16_t k = 0; U_SUCCESS(error) && k < aliases; ++k)
            if (const char *alias = ucnv_getAlias(converter, k, &error); alias && U_SUCCESS(error))
                labels.insert(QString::fromLatin1(alias).toUpper());
    }
    QStringList sorted(labels.begin(), labels.end());
    sorted.sort();
    return sorted;
}

// ASCII text in an encoding, by the C library or by ICU; empty when neither knows it.
QList<QByteArray> encodedAscii(const QByteArray &ascii, const QByteArray &label)
{
    QList<QByteArray> out;
    if (iconv_t cd = iconv_open(label.constData(), "UTF-8"); cd != iconv_t(-1)) {
        QByteArray buffer(ascii.size() * 8 + 64, Qt::Uninitialized);
        char *in = const_cast<char *>(ascii.constData());
        size_t inLeft = size_t(ascii.size());
        char *outPtr = buffer.data();
        size_t outLeft = size_t(buffer.size());
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != size_t(-1)
            && iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != size_t(-1))
            out << buffer.left(buffer.size() - qsizetype(outLeft));
        iconv_close(cd);
    }
    UErrorCode error = U_ZERO_ERROR;
    if (UConverter *cnv = ucnv_open(label.constData(), &error); cnv && U_SUCCESS(error)) {
        const QString text = QString::fromLatin1(ascii);
        QByteArray buffer(ascii.size() * 8 + 64, Qt::Uninitialized);
        const int32_t n = ucnv_fromUChars(cnv, buffer.data(), int32_t(buffer.size()),
                                          reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()), &error);
        if (U_SUCCESS(error))
            out << buffer.left(n);
        ucnv_close(cnv);
    }
    return out;
}

} // namespace

void TestConfigDocument::encodings_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("declared");
    auto decl = [](const char *enc) {
        return QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>\n").arg(QLatin1String(enc));
    };
    // GB18030 bytes are GBK (and GB2312) bytes for these characters.
    QTest::newRow("GBK") << CodePage::fromUnicode(decl("GBK") + kBody) << "GBK";
    QTest::newRow("gbk lower case") << CodePage::fromUnicode(decl("gbk") + kBody) << "gbk";
    QTest::newRow("GB2312") << CodePage::fromUnicode(decl("GB2312") + kBody) << "GB2312";
    QTest::newRow("GB18030") << CodePage::fromUnicode(decl("GB18030") + kBody) << "GB18030";
    QTest::newRow("UTF-8") << (decl("UTF-8") + kBody).toUtf8() << "UTF-8";
    QTest::newRow("UTF-8 without declaration") << kBody.toUtf8() << "";
    QTest::newRow("UTF-16 little endian") << utf16(decl("UTF-16") + kBody, false) << "UTF-16";
    QTest::newRow("UTF-16 big endian") << utf16(decl("UTF-16") + kBody, true) << "UTF-16";
}

void TestConfigDocument::encodings()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, declared);
    auto doc = ConfigDocument::parse(bytes);
    QCOMPARE(doc->declaredEncoding(), declared);
    QCOMPARE(doc->root().tagName(), QStringLiteral("表单"));
    QCOMPARE(doc->section("config-type").attributeText("value"), QStringLiteral("药品注册申请"));
    QCOMPARE(doc->FieldValue("名称"), QStringLiteral("注射用水"));
    // What is written reads back the same, in the same encoding.
    QVERIFY(doc->SetFieldValue("名称", "葡萄糖"));
    auto again = ConfigDocument::parse(doc->serialize());
    QCOMPARE(again->declaredEncoding(), declared);
    QCOMPARE(again->FieldValue("名称"), QStringLiteral("葡萄糖"));
}

void TestConfigDocument::gbkStaysGbk()
{
    const QByteArray source = CodePage::fromUnicode(
        "<?xml version=\"1.0\" encoding=\"GBK\"?>\n<root><data-fields><f name=\"f\" value=\"\"/></data-fields></root>\n");
    auto doc = ConfigDocument::parse(source);
    // U+20BB7 has no GBK code.
    QVERIFY(doc->SetFieldValue("f", QStringLiteral("药\U00020BB7")));
    const QByteArray saved = doc->serialize();
    QVERIFY(saved.startsWith("<?xml version=\"1.0\" encoding=\"GBK\"?>"));
    QVERIFY(saved.contains("value=\"\xD2\xA9&#134071;\""));
    QVERIFY(!saved.contains("\xE8\x8D\xAF")); // no UTF-8 bytes
    QCOMPARE(ConfigDocument::parse(saved)->FieldValue("f"), QStringLiteral("药\U00020BB7"));
}

void TestConfigDocument::findNamedNode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("id");
    QTest::newRow("hidden below an element without name") << "hidden" << "";
    QTest::newRow("depth first before a later sibling") << "deep" << "4";
    QTest::newRow("first match stops the search") << "grp" << "3";
    QTest::newRow("empty name matches an empty attribute") << "" << "7";
    QTest::newRow("exact comparison") << "DEEP" << "";
    QTest::newRow("not found") << "none" << "";
}

void TestConfigDocument::findNamedNode()
{
    QFETCH(QString, name);
    QFETCH(QString, id);
    auto doc = parse("<r><s><a id=\"1\"><b id=\"2\" name=\"hidden\"/></a>"
                     "<g id=\"3\" name=\"grp\"><x id=\"4\" name=\"deep\"/></g>"
                     "<y id=\"5\" name=\"deep\"/><z id=\"6\" name=\"grp\"/><w id=\"7\" name=\"\"/></s></r>");
    const ConfigNode found = ConfigDocument::FindNamedNode(doc->section("s"), name);
    QCOMPARE(found.attributeText("id"), id);
    QCOMPARE(found.isNull(), id.isEmpty());
    QVERIFY(ConfigDocument::FindNamedNode(ConfigNode(), name).isNull());
}

void TestConfigDocument::sectionsAndAttributes()
{
    auto doc = parse("<any><x><ui-data id=\"nested\"/></x><!-- c --><ui-data id=\"1\"/><ui-data id=\"2\"/>"
                     "<data-fields><f name=\"a\"/><f name=\"b\" value=\"\"/><f name=\"c\" value=\"v\"/></data-fields></any>");
    QCOMPARE(doc->section("ui-data").attributeText("id"), QStringLiteral("1"));
    QVERIFY(doc->section("UI-DATA").isNull());
    QVERIFY(doc->section("config-type").isNull());

    const QList<ConfigNode> fields = doc->section("data-fields").childElements();
    QCOMPARE(fields.size(), 3);
    QVERIFY(!fields[0].attribute("value").has_value());
    QCOMPARE(fields[1].attribute("value"), std::optional<QString>(QString()));
    QVERIFY(fields[1].hasAttribute("value") && !fields[0].hasAttribute("value"));
    QCOMPARE(doc->FieldValue("a"), QString());
    QCOMPARE(doc->FieldValue("c"), QStringLiteral("v"));
    QCOMPARE(fields[2].parent(), doc->section("data-fields"));
    QVERIFY(doc->root().parent().isNull());

    // Setting creates the attribute when absent and never adds entries.
    QVERIFY(doc->SetFieldValue("a", "new & <quoted> \"text\"\r\n"));
    QVERIFY(!doc->SetFieldValue("missing", "x"));
    QCOMPARE(doc->section("data-fields").childElements().size(), 3);
    auto again = ConfigDocument::parse(doc->serialize());
    QCOMPARE(again->FieldValue("a"), QStringLiteral("new & <quoted> \"text\"\r\n"));
    QCOMPARE(again->section("data-fields").childElements().size(), 3);
}

void TestConfigDocument::lookupsFollowRenamedEntries()
{
    // Lookups are indexed once; a renamed entry must be found under its new
    // name only, and a duplicate behind it must come to the front.
    auto doc = parse("<r><data-fields><f name=\"a\" value=\"1\"/><f name=\"a\" value=\"2\"/>"
                     "<g name=\"grp\"><f name=\"deep\" value=\"3\"/></g></data-fields></r>");
    QCOMPARE(doc->FieldValue("a"), QStringLiteral("1"));
    QCOMPARE(doc->FieldValue("deep"), QString());
    QVERIFY(doc->SetFieldValue("deep", "4"));
    QCOMPARE(doc->findNamed(doc->section("data-fields"), "deep").attributeText("value"), QStringLiteral("4"));

    doc->section("data-fields").childElements().first().setAttribute("name", "b");
    QCOMPARE(doc->FieldValue("a"), QStringLiteral("2"));
    QCOMPARE(doc->FieldValue("b"), QStringLiteral("1"));
    QVERIFY(doc->SetFieldValue("a", "x"));
    QCOMPARE(doc->FieldValue("a"), QStringLiteral("x"));
    QCOMPARE(doc->FieldValue("b"), QStringLiteral("1"));
    QVERIFY(ConfigDocument::FindNamedNode(doc->section("data-fields"), "b")
            == doc->findNamed(doc->section("data-fields"), "b"));
}

void TestConfigDocument::unwritableCharactersDropped()
{
    auto doc = parse("<r><data-fields><f name=\"f\"/></data-fields></r>");
    QVERIFY(doc->SetFieldValue("f", QStringLiteral("a\x01" "b\x1f" "c\t") + QChar(0xFFFE)));
    QCOMPARE(ConfigDocument::parse(doc->serialize())->FieldValue("f"), QStringLiteral("abc\t"));
}

void TestConfigDocument::entitiesRefused_data()
{
    QTest::addColumn<QString>("xml");
    const QString secretUrl = QUrl::fromLocalFile(FDir.filePath("secret.txt")).toString();
    QString lol = QStringLiteral("<!ENTITY lol0 \"lol\">");
    for (int i = 1; i <= 9; ++i)
        lol += QStringLiteral("<!ENTITY lol%1 \"%2\">").arg(i).arg(QStringLiteral("&lol%1;").arg(i - 1).repeated(10));
    QTest::newRow("external entity in content")
        << "<!DOCTYPE r [<!ENTITY x SYSTEM \"" + secretUrl + "\">]><r><f name=\"a\" value=\"1\">&x;</f></r>";
    QTest::newRow("external entity in an attribute")
        << "<!DOCTYPE r [<!ENTITY x SYSTEM \"" + secretUrl + "\">]><r><f name=\"a\" value=\"&x;\"/></r>";
    QTest::newRow("billion laughs in an attribute")
        << "<!DOCTYPE r [" + lol + "]><r><data-fields><f name=\"a\" value=\"&lol9;\"/></data-fields></r>";
    QTest::newRow("billion laughs in content") << "<!DOCTYPE r [" + lol + "]><r>&lol9;</r>";
    QTest::newRow("internal entity") << QStringLiteral("<!DOCTYPE r [<!ENTITY x \"abc\">]><r><f name=\"a\" value=\"&x;\"/></r>");
    QTest::newRow("unused entity declaration") << QStringLiteral("<!DOCTYPE r [<!ENTITY x \"abc\">]><r/>");
    QTest::newRow("parameter entity") << "<!DOCTYPE r [<!ENTITY % p SYSTEM \"" + secretUrl + "\"> %p;]><r/>";
    QTest::newRow("undeclared entity below an unread DTD")
        << QStringLiteral("<!DOCTYPE r SYSTEM \"http://127.0.0.1:9/r.dtd\"><r>&x;</r>");
}

void TestConfigDocument::entitiesRefused()
{
    QFETCH(QString, xml);
    QFile secret(FDir.filePath("secret.txt"));
    QVERIFY(secret.open(QIODevice::WriteOnly));
    secret.write("TOPSECRET");
    secret.close();
    const QString error = parseError(xml.toUtf8());
    QCOMPARE(error, QStringLiteral("XML文件格式错误：文件声明或引用了实体，为安全起见不予读取。"));
}

void TestConfigDocument::chineseLabelsAndMarks_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("declared"); // declaration after a save
    QTest::addColumn<QString>("value");    // "" with error: refused
    QTest::addColumn<QString>("error");
    const QByteArray body = "\n<r>\n<data-fields><f name=\"f\" value=\"@\"/></data-fields></r>\n";
    auto doc = [&](const char *decl, const QByteArray &value) {
        QByteArray b = QByteArray(decl) + body;
        return b.replace("@", value);
    };
    // 0xE9 0x46 is a GBK character outside GB2312.
    QTest::newRow("GB2312 label, GBK character") << doc("<?xml version=\"1.0\" encoding=\"GB2312\"?>", "\xE9\x46")
                                                 << "GB2312" << QStringLiteral("镕") << "";
    QTest::newRow("gb2312 label in lower case") << doc("<?xml version=\"1.0\" encoding=\"gb2312\"?>", "\xE9\x46")
                                                << "gb2312" << QStringLiteral("镕") << "";
    // 0x80 is the euro sign in code page 936, as older tools wrote it.
    QTest::newRow("euro sign as GBK's byte 0x80") << doc("<?xml version=\"1.0\" encoding=\"GBK\"?>", "\x80" "5")
                                                  << "GBK" << QStringLiteral("€5") << "";
    QTest::newRow("X-GBK label") << doc("<?xml version=\"1.0\" encoding=\"X-GBK\"?>", "\x80\xE9\x46")
                                 << "X-GBK" << QStringLiteral("€镕") << "";
    QTest::newRow("UTF-8 mark before a GBK label")
        << "\xEF\xBB\xBF" + doc("<?xml version=\"1.0\" encoding=\"GBK\"?>", "\xE8\x8D\xAF") << "GBK" << QStringLiteral("药") << "";
    QTest::newRow("UTF-8 mark, no declaration") << "\xEF\xBB\xBF" + doc("", "\xE8\x8D\xAF") << "" << QStringLiteral("药") << "";
    QTest::newRow("bytes no GBK character has")
        << doc("<?xml version=\"1.0\" encoding=\"GBK\"?>", "\xFF\xFF") << "" << ""
        << QStringLiteral("XML文件格式错误（第3行）：文件中有不能按“GBK”编码解读的字节（FF FF 22 2F），无法读取该文件。\r\n详细信息：位于文件的第74个字节。");
    QTest::newRow("bytes that are not UTF-8")
        << doc("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "\xC3\x28") << "" << ""
        << QStringLiteral("XML文件格式错误（第3行）：文件中有不能按“UTF-8”编码解读的字节（C3 28 22 2F），无法读取该文件。\r\n详细信息：");
}

void TestConfigDocument::chineseLabelsAndMarks()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, declared);
    QFETCH(QString, value);
    QFETCH(QString, error);
    // Nothing of what the XML library reports may reach standard error.
    QTemporaryFile captured;
    QVERIFY(captured.open());
    std::fflush(stderr);
    const int saved = dup(2);
    dup2(captured.handle(), 2);
    std::unique_ptr<ConfigDocument> doc;
    QString raised;
    try {
        doc = ConfigDocument::parse(bytes);
        doc->SetFieldValue("f", doc->FieldValue("f") + QStringLiteral("镕"));
        doc = ConfigDocument::parse(doc->serialize());
    } catch (const AppError &e) {
        raised = e.message();
    }
    std::fflush(stderr);
    dup2(saved, 2);
    ::close(saved);
    QCOMPARE(captured.readAll(), QByteArray());
    if (!error.isEmpty()) {
        QVERIFY2(raised.startsWith(error), qPrintable(raised));
        return;
    }
    QCOMPARE(raised, QString());
    QCOMPARE(doc->declaredEncoding(), declared);
    QCOMPARE(doc->FieldValue("f"), value + QStringLiteral("镕"));
}

void TestConfigDocument::everyReadableLabelReadsBack()
{
    // Every label under which the reader accepts a document: a document so
    // labelled, with values set after opening, is written so that it opens
    // again with the same values. A document is made for each label as plain
    // ASCII (other characters as references), which most encodings read,
    // and also encoded by the converters that know the label.
    // The Chinese labels that the reader itself knows come first.
    QStringList labels = {QStringLiteral("GBK"), QStringLiteral("CP936"), QStringLiteral("MS936"),
                          QStringLiteral("WINDOWS-936"), QStringLiteral("X-GBK"), QStringLiteral("GB2312"),
                          QStringLiteral("CSGB2312"), QStringLiteral("EUC-CN"), QStringLiteral("EUCCN"),
                          QStringLiteral("GB_2312-80"), QStringLiteral("CHINESE")};
    for (const QString &label : encodingLabels())
        if (!labels.contains(label))
            labels << label;
    QVERIFY(labels.size() > 1000);
    const QString entered = QStringLiteral("药品注射剂€～／胶囊 <&\"'> ~+ \U0001F600\U00020000 abc");
    QStringList accepted, relabelled;
    for (const QString &label : labels) {
        const QByteArray ascii = "<?xml version=\"1.0\" encoding=\"" + label.toLatin1() + "\"?>\n"
            "<r><config-type value=\"&#33647;&#21697;&#x6CE8;&#20876;&#30003;&#35831;\"/><data-fields>"
            "<f name=\"a\" value=\"&#33647; ABC xyz 0123456789 &#8364;\"/><f name=\"b\" value=\"\"/></data-fields></r>\n";
        QList<QByteArray> candidates = encodedAscii(ascii, label.toLatin1());
        candidates.prepend(ascii);
        bool read = false;
        for (const QByteArray &bytes : candidates) {
            std::unique_ptr<ConfigDocument> doc;
            try {
                doc = ConfigDocument::parse(bytes);
            } catch (const AppError &) {
                continue;
            }
            read = true;
            const QString type = doc->section("config-type").attributeText("value");
            const QString a = doc->FieldValue("a");
            QVERIFY(doc->SetFieldValue("b", entered));
            std::unique_ptr<ConfigDocument> again;
            QString declared;
            try {
                again = ConfigDocument::parse(doc->serialize());
                declared = again->declaredEncoding();
            } catch (const AppError &e) {
                QFAIL(qPrintable(label + QStringLiteral(": ") + e.message()));
            }
            QVERIFY2(again->section("config-type").attributeText("value") == type, qPrintable(label));
            QVERIFY2(again->FieldValue("a") == a, qPrintable(label));
            QVERIFY2(again->FieldValue("b") == entered, qPrintable(label + QStringLiteral(": ") + again->FieldValue("b")));
            const QString change = label + QStringLiteral("→") + declared;
            if (declared.compare(label, Qt::CaseInsensitive) != 0 && !relabelled.contains(change))
                relabelled << change;
        }
        if (read)
            accepted << label;
    }
    qInfo("%lld labels, %lld read, %lld written under another label: %s", qlonglong(labels.size()),
          qlonglong(accepted.size()), qlonglong(relabelled.size()), qPrintable(relabelled.join(QLatin1Char(' '))));
    // The program's own encodings keep their labels.
    for (const char *own : {"GBK", "GB2312", "X-GBK", "GB_2312-80", "CHINESE", "CP936", "GB18030", "UTF-8", "UTF-16"}) {
        QVERIFY2(accepted.contains(QLatin1String(own)), own);
        QVERIFY2(!relabelled.join(QLatin1Char(' ')).contains(QLatin1String(own) + QStringLiteral("→")), own);
    }
    // Stateful encodings cannot be written so that they read back: GBK instead.
    for (const char *stateful : {"HZ-GB-2312", "UTF-7", "ISO-2022-KR"})
        QVERIFY2(relabelled.contains(QLatin1String(stateful) + QStringLiteral("→GBK")), stateful);
}

void TestConfigDocument::ownEncodingsCarryEveryCharacter_data()
{
    QTest::addColumn<QString>("label");
    QTest::newRow("no declaration") << QString();
    for (const char *label : {"UTF-8", "GBK", "gbk", "CP936", "MS936", "WINDOWS-936", "X-GBK", "GB2312", "CSGB2312",
                              "EUC-CN", "EUCCN", "GB_2312-80", "CHINESE"})
        QTest::newRow(label) << QString::fromLatin1(label);
}

void TestConfigDocument::ownEncodingsCarryEveryCharacter()
{
    // Under the program's own labels the written document is not read again
    // before it is handed out, so every character XML can carry must come
    // back as itself: the whole Basic Multilingual Plane and the ends and
    // samples of the planes above it.
    QFETCH(QString, label);
    QString all;
    for (char32_t c = 1; c <= 0xFFFD; ++c)
        if (c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && (c < 0xD800 || c > 0xDFFF)))
            all += QString::fromUcs4(&c, 1);
    for (char32_t c : {0x10000u, 0x1F600u, 0x20000u, 0x2A6D6u, 0x2F800u, 0x30000u, 0xE0001u, 0x10FFFDu})
        all += QString::fromUcs4(&c, 1);
    const QString decl = label.isEmpty() ? QString() : QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>").arg(label);
    auto doc = ConfigDocument::parse((decl + "<r><data-fields><f name=\"f\" value=\"\"/></data-fields><t/></r>").toLatin1());
    QVERIFY(doc->SetFieldValue("f", all));
    const QByteArray bytes = doc->serialize();
    QVERIFY(label.isEmpty() || bytes.startsWith(decl.toLatin1()));
    auto again = ConfigDocument::parse(bytes);
    QCOMPARE(again->declaredEncoding(), label);
    const QString read = again->FieldValue("f");
    for (qsizetype i = 0; i < qMin(read.size(), all.size()); ++i)
        QVERIFY2(read[i] == all[i], qPrintable(QStringLiteral("“%1” read as “%2”").arg(all.mid(i, 4), read.mid(i, 4))));
    QCOMPARE(read.size(), all.size());

    // Names cannot hold character references: a hand-made document whose
    // element and attribute names hold 𠀀 (U+20000, outside GBK) is written
    // in UTF-8 instead, and reads back as itself.
    const QByteArray name = label.isEmpty() || label == QLatin1String("UTF-8") ? QByteArray("\xf0\xa0\x80\x80")
                                                                             : QByteArray("\x95\x32\x82\x36");
    auto named = ConfigDocument::parse(decl.toLatin1() + "<r><data-fields><f name=\"f\" value=\"\"/></data-fields><x" + name
                                       + " a" + name + "=\"1\"/></r>");
    QVERIFY(named->SetFieldValue("f", QStringLiteral("药€")));
    const QByteArray written = named->serialize();
    std::unique_ptr<ConfigDocument> reread;
    try {
        reread = ConfigDocument::parse(written);
    } catch (const AppError &e) {
        QFAIL(qPrintable(e.message()));
    }
    QCOMPARE(reread->FieldValue("f"), QStringLiteral("药€"));
    QCOMPARE(reread->serialize(), written);
    QVERIFY(written.contains("<x\xf0\xa0\x80\x80 a\xf0\xa0\x80\x80=\"1\"/>"));
}

void TestConfigDocument::doctypeWithoutEntitiesLoads()
{
    // An external DTD is neither fetched nor loaded.
    auto doc = parse("<!DOCTYPE r SYSTEM \"http://127.0.0.1:9/r.dtd\"><r><data-fields><f name=\"a\" value=\"1\"/></data-fields></r>");
    QCOMPARE(doc->FieldValue("a"), QStringLiteral("1"));
}

void TestConfigDocument::malformed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected"); // the message's start
    // The message is Chinese; the parser's own text follows only as the detail.
    QTest::newRow("unclosed tag") << QByteArray("<a>\n<b>\n  <c </b></a>")
                                  << "XML文件格式错误（第3行第6列）：缺少元素或属性的名称，无法读取该文件。\r\n详细信息：";
    QTest::newRow("empty") << QByteArray() << "XML文件格式错误";
    QTest::newRow("text only") << QByteArray("hello")
                               << "XML文件格式错误（第1行第1列）：文件中没有XML元素，无法读取该文件。\r\n详细信息：Start tag expected";
    QTest::newRow("content after the root") << QByteArray("<a/>\n<b/>")
                                            << "XML文件格式错误（第2行第1列）：根元素结束后还有多余的内容，无法读取该文件。\r\n详细信息：";
    QTest::newRow("bad bytes for the encoding")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?><r a=\"\xff\xfe\"/>") << "XML文件格式错误";
    QTest::newRow("unknown encoding") << QByteArray("<?xml version=\"1.0\" encoding=\"NO-SUCH\"?><r/>") << "XML文件格式错误";
}

void TestConfigDocument::malformed()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    const QString error = parseError(bytes);
    QVERIFY2(error.startsWith(expected), qPrintable(error));
}

// Elements nested or crowded with attributes beyond what any document of the
// program has are refused before the parser spends minutes on them, whatever
// the encoding hides them in; what merely looks like them is not.
void TestConfigDocument::structureLimits_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected"); // the whole message; empty: the document loads

    auto attributes = [](int count, const char *equals = "=") {
        QByteArray tag = "<f";
        for (int i = 0; i < count; ++i)
            tag += " a" + QByteArray::number(i) + equals + "\"x\"";
        return tag + "/>";
    };
    auto nested = [](int depth) {
        return QByteArray("<e>").repeated(depth) + QByteArray("</e>").repeated(depth);
    };
    const QString crowded = QStringLiteral("XML文件格式错误（第%1行）：一个元素带有超过256个属性，不是本程序的文件，无法读取该文件。");
    const QString tooDeep = QStringLiteral("XML文件格式错误（第%1行）：元素嵌套超过256层，不是本程序的文件，无法读取该文件。");
    const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<r>\n";

    QTest::newRow("256 attributes") << head + attributes(256) + "</r>" << QString();
    QTest::newRow("257 attributes") << head + attributes(257) + "</r>" << crowded.arg(3);
    QTest::newRow("257 attributes on several lines")
        << head + "<g/>\n" + attributes(257).replace(" a200", "\n a200") + "</r>" << crowded.arg(4);
    QTest::newRow("GBK") << QByteArray("<?xml version=\"1.0\" encoding=\"GBK\"?>\n<r>") + attributes(300) + "</r>"
                         << crowded.arg(2);
    QTest::newRow("UTF-16 with byte order mark")
        << utf16(QString::fromLatin1(head + attributes(300) + "</r>").replace("UTF-8", "UTF-16"), false)
        << crowded.arg(3);
    QByteArray bigEndian = utf16(QStringLiteral("<r>") + QString::fromLatin1(attributes(300)) + "</r>", true);
    bigEndian.remove(0, 2); // known by its first characters alone
    QTest::newRow("UTF-16 without byte order mark") << bigEndian << crowded.arg(1);
    QTest::newRow("UTF-7 spelling each = as +AD0-")
        << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-7\"?>\n<r>") + attributes(300, "+AD0-") + "</r>"
        << crowded.arg(2);
    QTest::newRow("after markup that is not well formed")
        << head + "<a x=\"1\" y></a>\n" + attributes(300) + "</r>" << crowded.arg(4);
    QTest::newRow("inside a comment") << head + "<!--" + attributes(300) + "-->\n</r>" << QString();
    QTest::newRow("inside a value") << head + "<f v=\"" + QByteArray(1000, '=') + "\"/></r>" << QString();
    QTest::newRow("inside CDATA") << head + "<f><![CDATA[" + attributes(300) + "]]></f></r>" << QString();
    QTest::newRow("256 levels") << nested(256) << QString();
    QTest::newRow("257 levels") << nested(257) << tooDeep.arg(1);
    QTest::newRow("30,000 levels") << head + nested(30000) << tooDeep.arg(3);
}

void TestConfigDocument::structureLimits()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(parseError(bytes), expected);
}
