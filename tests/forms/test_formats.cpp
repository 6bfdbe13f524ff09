// Tests of the field formats of the submission check: every kind with valid
// and invalid values, the check characters of the unified social credit code
// and the organization code against the examples their standards publish,
// and the names by which catalogues and drop-down lists refer to the kinds.
#include "FieldFormats.h"
#include "TestMain.h"

#include <QtTest>

class TestFormats : public QObject {
    Q_OBJECT
private slots:
    void problems_data();
    void problems();
    void checkCharacters_data();
    void checkCharacters();
    void names();
};

void TestFormats::problems_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("problem"); // empty: valid
    const QString postcode = QStringLiteral("应为6位数字");
    const QString phone = QStringLiteral("应为电话号码：数字、“-”、“转”、括号和空格，可以+86开头");
    const QString phoneAbroad = QStringLiteral("应为电话号码：数字、“-”、“转”、括号和空格，可以“+国家代码”开头");
    const QString email = QStringLiteral("应为电子信箱地址，如 zhuce@example.com");
    const QString creditShape = QStringLiteral("应为18位统一社会信用代码（数字和除I、O、S、V、Z以外的大写字母）");
    const QString creditCheck = QStringLiteral("统一社会信用代码的校验码（第18位）不符，请核对");
    const QString orgShape = QStringLiteral("应为9位组织机构代码（数字和大写字母，如12345678-9）");
    const QString orgCheck = QStringLiteral("组织机构代码的校验码（最后一位）不符，请核对");
    const QString either = QStringLiteral("应为18位统一社会信用代码或9位组织机构代码（数字和大写字母）");
    const QString approval = QStringLiteral("应为“国药准字”加H、Z、S、J、B、T或F及8位数字，如国药准字H20203456");
    const QString importReg = QStringLiteral("应为H、Z或S加8位数字的进口药品注册证号，如H20203456");
    const QString productReg = QStringLiteral("应为H、Z或S加C及8位数字的医药产品注册证号，如HC20203456");
    const QString newDrug = QStringLiteral("应为“国药证字”加H、Z或S及8位数字，如国药证字H20203456");
    const QString months = QStringLiteral("应为1到120之间的整数（月数）");
    const QString year = QStringLiteral("应为4位数字的年份，如2020");
    struct Case {
        const char *kind;
        const char *value;
        QString problem;
    };
    const Case cases[] = {
        {"postcode", "310018", {}},
        {"postcode", " 100083 ", {}},
        {"postcode", "31001", postcode},
        {"postcode", "3100180", postcode},
        {"postcode", "ABC-3100521234", postcode},
        {"postcode", "３１００１８", postcode},
        {"postcode", "", {}}, // nothing to check: whether it is required is another rule
        {"phone", "0571-86001234", {}},
        {"phone", "+86-571-86001234转8001", {}},
        {"phone", "(0571) 8600 1234", {}},
        {"phone", "（0571）86001234 转 12", {}},
        {"phone", "13800138000", {}},
        {"phone", "95105", {}},
        {"phone", "+1 617 555 0100", phone},
        {"phone", "0571-8600abcd", phone},
        {"phone", "1234", phone},
        {"phone", "转8001", phone},
        {"phone", "0571-86001234转", phone},
        {"phone", "0571-86001234/5", phone},
        {"phone", "012345678901234567890", phone},
        {"phone-intl", "+1 617 555 0100", {}},
        {"phone-intl", "+44 (20) 7946 0000", {}},
        {"phone-intl", "+86-571-86001234转8001", {}},
        {"phone-intl", "+ 617 555 0100", phoneAbroad},
        {"phone-intl", "电话", phoneAbroad},
        {"email", "zhuce.bu@hangzhou-example.com.cn", {}},
        {"email", "a@b.cn", {}},
        {"email", "不是邮箱", email},
        {"email", "name@", email},
        {"email", "name@example", email},
        {"email", "na me@example.com", email},
        {"email", "name@@example.com", email},
        {"email", "name@example..com", email},
        {"email", "name＠example.com", email},
        // GB 32100's worked example and codes of well-known companies.
        {"credit", "91350100M000100Y43", {}},
        {"credit", "914403001922038216", {}},
        {"credit", "9144030071526726XG", {}},
        {"credit", "91330100MA2CUR6M7T", {}},
        {"credit", "91350100M000100Y4Z", creditCheck},
        {"credit", "91330100MA2CUR6M7U", creditCheck},
        {"credit", "914403001922038217", creditCheck},
        {"credit", "9135010OM000100Y43", creditShape},
        {"credit", "91350100m000100y43", creditShape},
        {"credit", "91350100M000100Y4", creditShape},
        // GB 11714's worked example.
        {"orgcode", "D2143569-X", {}},
        {"orgcode", "D2143569X", {}},
        {"orgcode", "MA2CUR6M-7", {}},
        {"orgcode", "D2143569-1", orgCheck},
        {"orgcode", "19220382-7", orgCheck},
        {"orgcode", "d2143569-x", orgShape},
        {"orgcode", "D2143569", orgShape},
        {"orgcode", "D2143569_X", orgShape},
        {"credit-or-org", "91350100M000100Y43", {}},
        {"credit-or-org", "D2143569-X", {}},
        {"credit-or-org", "91350100M000100Y4Z", creditCheck},
        {"credit-or-org", "D2143569-1", orgCheck},
        {"credit-or-org", "12345", either},
        {"approval", "国药准字H20203456", {}},
        {"approval", "国药准字Z20200001", {}},
        {"approval", "国药准字S20200001", {}},
        {"approval", "国药准字J20200001", {}},
        {"approval", "国药准字B20200001", {}},
        {"approval", "国药准字T20200001", {}},
        {"approval", "国药准字F20200001", {}},
        {"approval", "国药准字X20203456", approval},
        {"approval", "国药准字H2020345", approval},
        {"approval", "国药准字 H20203456", approval},
        {"approval", "H20203456", approval},
        {"import-reg", "H20203456", {}},
        {"import-reg", "Z20080012", {}},
        {"import-reg", "S20090012", {}},
        {"import-reg", "BH20140001", {}},
        {"import-reg", "HC20203456", importReg},
        {"import-reg", "J20203456", importReg},
        {"import-reg", "国药准字H20203456", importReg},
        {"product-reg", "HC20203456", {}},
        {"product-reg", "ZC20080012", {}},
        {"product-reg", "BSC20090012", {}},
        {"product-reg", "H20203456", productReg},
        {"newdrug", "国药证字H20200123", {}},
        {"newdrug", "国药证字Z20200123", {}},
        {"newdrug", "国药证字J20200123", newDrug},
        {"newdrug", "国药准字H20200123", newDrug},
        {"months", "24", {}},
        {"months", "1", {}},
        {"months", "120", {}},
        {"months", "0", months},
        {"months", "121", months},
        {"months", "两年abc", months},
        {"months", "24个月", months},
        {"months", "2.5", months},
        {"months", "-3", months},
        {"months", "0024", months},
        {"year", "2020", {}},
        {"year", "1985", {}},
        {"year", "2020年", year},
        {"year", "20", year},
        {"year", "3020", year},
        {"year", "二〇二〇", year},
    };
    for (const Case &c : cases)
        QTest::addRow("%s %s", c.kind, c.value) << QString::fromLatin1(c.kind) << QString::fromUtf8(c.value) << c.problem;
}

void TestFormats::problems()
{
    QFETCH(QString, kind);
    QFETCH(QString, value);
    QFETCH(QString, problem);
    const std::optional<FieldFormat> format = FieldFormats::byName(kind);
    QVERIFY(format);
    QCOMPARE(FieldFormats::problem(*format, value), problem);
}

void TestFormats::checkCharacters_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("check"); // empty: the body is no code's
    QTest::newRow("credit, GB 32100 example") << "credit" << "91350100M000100Y4" << "3";
    QTest::newRow("credit, check 0") << "credit" << "91110000100000000" << "R";
    QTest::newRow("credit, letter check") << "credit" << "9144030071526726X" << "G";
    QTest::newRow("credit, I is no code character") << "credit" << "91350100I000100Y4" << "";
    QTest::newRow("credit, too short") << "credit" << "9135010" << "";
    QTest::newRow("org, GB 11714 example") << "org" << "D2143569" << "X";
    QTest::newRow("org, digits") << "org" << "19220382" << "1";
    QTest::newRow("org, remainder 0 is 0") << "org" << "00000000" << "0";
    QTest::newRow("org, lower case") << "org" << "d2143569" << "";
}

void TestFormats::checkCharacters()
{
    QFETCH(QString, kind);
    QFETCH(QString, body);
    QFETCH(QString, check);
    const QChar c = kind == QLatin1String("credit") ? FieldFormats::creditCheckCharacter(body)
                                                    : FieldFormats::orgCheckCharacter(body);
    QCOMPARE(c.isNull() ? QString() : QString(c), check);
}

void TestFormats::names()
{
    QVERIFY(!FieldFormats::byName(QStringLiteral("zip")));
    QVERIFY(!FieldFormats::byName(QStringLiteral("Postcode")));
    QCOMPARE(FieldFormats::byNumberKind(QStringLiteral("批准文号")), FieldFormat::Approval);
    QCOMPARE(FieldFormats::byNumberKind(QStringLiteral("药品批准文号")), FieldFormat::Approval);
    QCOMPARE(FieldFormats::byNumberKind(QStringLiteral("进口药品注册证号")), FieldFormat::ImportLicence);
    QCOMPARE(FieldFormats::byNumberKind(QStringLiteral("医药产品注册证号")), FieldFormat::ProductLicence);
    QCOMPARE(FieldFormats::byNumberKind(QStringLiteral("新药证书编号")), FieldFormat::NewDrugCertificate);
    QCOMPARE(FieldFormats::byNumberKind(QString()), FieldFormat::None);
    QCOMPARE(FieldFormats::byNumberKind(QStringLiteral("其他")), FieldFormat::None);
}

DZSB_TEST_MAIN(TestFormats)
#include "test_formats.moc"
