#include "FieldFormats.h"

#include <QHash>
#include <QRegularExpression>

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool allDigits(QStringView text)
{
    for (QChar c : text)
        if (!isAsciiDigit(c))
            return false;
    return !text.isEmpty();
}

// The characters of the unified social credit code, in the order of their values.
const QString &creditCharacters()
{
    static const QString set = QStringLiteral("0123456789ABCDEFGHJKLMNPQRTUWXY");
    return set;
}

bool matches(const QRegularExpression &pattern, QStringView text)
{
    return pattern.match(text.toString()).hasMatch();
}

// Shape of a credit or organization code, for telling a slip of the check
// character from a text that is no such code.
bool looksLikeCredit(QStringView text)
{
    if (text.size() != 18)
        return false;
    for (QChar c : text.first(17))
        if (!creditCharacters().contains(c))
            return false;
    const QChar last = text.back();
    return isAsciiDigit(last) || (last >= QLatin1Char('A') && last <= QLatin1Char('Z'));
}

QStringView orgBody(QStringView text)
{
    // "XXXXXXXX-X" is how the code is printed on its certificate.
    if (text.size() == 10 && text[8] == QLatin1Char('-'))
        return text.first(8);
    return text.size() == 9 ? text.first(8) : QStringView();
}

QChar orgLast(QStringView text)
{
    return text.isEmpty() ? QChar() : text.back();
}

bool looksLikeOrg(QStringView text)
{
    const QStringView body = orgBody(text);
    if (body.isEmpty())
        return false;
    for (QChar c : body)
        if (!isAsciiDigit(c) && !(c >= QLatin1Char('A') && c <= QLatin1Char('Z')))
            return false;
    const QChar last = orgLast(text);
    return isAsciiDigit(last) || last == QLatin1Char('X');
}

const QString kCreditShape = QStringLiteral("应为18位统一社会信用代码（数字和除I、O、S、V、Z以外的大写字母）");
const QString kOrgShape = QStringLiteral("应为9位组织机构代码（数字和大写字母，如12345678-9）");
const QString kCreditCheck = QStringLiteral("统一社会信用代码的校验码（第18位）不符，请核对");
const QString kOrgCheck = QStringLiteral("组织机构代码的校验码（最后一位）不符，请核对");

} // namespace

namespace FieldFormats {

std::optional<FieldFormat> byName(const QString &name)
{
    static const QHash<QString, FieldFormat> names{
        {QStringLiteral("postcode"), FieldFormat::Postcode},
        {QStringLiteral("phone"), FieldFormat::Phone},
        {QStringLiteral("phone-intl"), FieldFormat::PhoneAbroad},
        {QStringLiteral("email"), FieldFormat::Email},
        {QStringLiteral("credit"), FieldFormat::CreditCode},
        {QStringLiteral("orgcode"), FieldFormat::OrgCode},
        {QStringLiteral("credit-or-org"), FieldFormat::CreditOrOrgCode},
        {QStringLiteral("approval"), FieldFormat::Approval},
        {QStringLiteral("import-reg"), FieldFormat::ImportLicence},
        {QStringLiteral("product-reg"), FieldFormat::ProductLicence},
        {QStringLiteral("newdrug"), FieldFormat::NewDrugCertificate},
        {QStringLiteral("months"), FieldFormat::Months},
        {QStringLiteral("year"), FieldFormat::Year},
    };
    const auto it = names.constFind(name);
    if (it == names.constEnd())
        return std::nullopt;
    return *it;
}

FieldFormat byNumberKind(const QString &entry)
{
    static const QHash<QString, FieldFormat> kinds{
        {QStringLiteral("批准文号"), FieldFormat::Approval},
        {QStringLiteral("药品批准文号"), FieldFormat::Approval},
        {QStringLiteral("进口药品注册证号"), FieldFormat::ImportLicence},
        {QStringLiteral("医药产品注册证号"), FieldFormat::ProductLicence},
        {QStringLiteral("新药证书编号"), FieldFormat::NewDrugCertificate},
    };
    return kinds.value(entry.trimmed(), FieldFormat::None);
}

bool isPostcode(QStringView text)
{
    return text.size() == 6 && allDigits(text);
}

bool isPhone(QStringView text, bool abroad)
{
    static const QRegularExpression home(QStringLiteral("^(\\+86)?[0-9()（）\\- ]+(转 *[0-9]+)?$"));
    static const QRegularExpression away(QStringLiteral("^(\\+[0-9]{1,3})?[0-9()（）\\- ]+(转 *[0-9]+)?$"));
    if (!matches(abroad ? away : home, text))
        return false;
    int digits = 0;
    for (QChar c : text)
        digits += isAsciiDigit(c);
    return digits >= 5 && digits <= 20;
}

bool isEmail(QStringView text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^[A-Za-z0-9._%+\\-]+@[A-Za-z0-9](?:[A-Za-z0-9\\-]*[A-Za-z0-9])?"
                       "(?:\\.[A-Za-z0-9](?:[A-Za-z0-9\\-]*[A-Za-z0-9])?)*\\.[A-Za-z]{2,}$"));
    return matches(pattern, text) && !text.contains(QStringLiteral("..")) && !text.startsWith(QLatin1Char('.'));
}

QChar creditCheckCharacter(QStringView first17)
{
    if (first17.size() != 17)
        return QChar();
    int sum = 0;
    int weight = 1;
    for (QChar c : first17) {
        const qsizetype value = creditCharacters().indexOf(c);
        if (value < 0)
            return QChar();
        sum += int(value) * weight;
        weight = weight * 3 % 31;
    }
    return creditCharacters()[(31 - sum % 31) % 31];
}

bool isCreditCode(QStringView text)
{
    if (text.size() != 18)
        return false;
    const QChar check = creditCheckCharacter(text.first(17));
    return !check.isNull() && text[17] == check;
}

QChar orgCheckCharacter(QStringView first8)
{
    static const int weights[8] = {3, 7, 9, 10, 5, 8, 4, 2};
    if (first8.size() != 8)
        return QChar();
    int sum = 0;
    for (int i = 0; i < 8; ++i) {
        const QChar c = first8[i];
        int value;
        if (isAsciiDigit(c))
            value = c.unicode() - '0';
        else if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            value = c.unicode() - 'A' + 10;
        else
            return QChar();
        sum += value * weights[i];
    }
    const int check = 11 - sum % 11;
    return check == 10 ? QLatin1Char('X') : check == 11 ? QLatin1Char('0') : QChar(u'0' + check);
}

bool isOrgCode(QStringView text)
{
    const QStringView body = orgBody(text);
    if (body.isEmpty())
        return false;
    const QChar check = orgCheckCharacter(body);
    return !check.isNull() && orgLast(text) == check;
}

QString problem(FieldFormat format, const QString &value)
{
    const QString text = value.trimmed();
    if (text.isEmpty())
        return QString();
    static const QRegularExpression approval(QStringLiteral("^国药准字[HZSJBTF][0-9]{8}$"));
    static const QRegularExpression importLicence(QStringLiteral("^B?[HZS][0-9]{8}$"));
    static const QRegularExpression productLicence(QStringLiteral("^B?[HZS]C[0-9]{8}$"));
    static const QRegularExpression newDrug(QStringLiteral("^国药证字[HZS][0-9]{8}$"));
    switch (format) {
    case FieldFormat::None:
        return QString();
    case FieldFormat::Postcode:
        return isPostcode(text) ? QString() : QStringLiteral("应为6位数字");
    case FieldFormat::Phone:
        return isPhone(text) ? QString()
                             : QStringLiteral("应为电话号码：数字、“-”、“转”、括号和空格，可以+86开头");
    case FieldFormat::PhoneAbroad:
        return isPhone(text, true) ? QString()
                                   : QStringLiteral("应为电话号码：数字、“-”、“转”、括号和空格，可以“+国家代码”开头");
    case FieldFormat::Email:
        return isEmail(text) ? QString() : QStringLiteral("应为电子信箱地址，如 zhuce@example.com");
    case FieldFormat::CreditCode:
        if (isCreditCode(text))
            return QString();
        return looksLikeCredit(text) ? kCreditCheck : kCreditShape;
    case FieldFormat::OrgCode:
        if (isOrgCode(text))
            return QString();
        return looksLikeOrg(text) ? kOrgCheck : kOrgShape;
    case FieldFormat::CreditOrOrgCode:
        if (isCreditCode(text) || isOrgCode(text))
            return QString();
        if (looksLikeCredit(text))
            return kCreditCheck;
        if (looksLikeOrg(text))
            return kOrgCheck;
        return QStringLiteral("应为18位统一社会信用代码或9位组织机构代码（数字和大写字母）");
    case FieldFormat::Approval:
        return matches(approval, text)
                   ? QString()
                   : QStringLiteral("应为“国药准字”加H、Z、S、J、B、T或F及8位数字，如国药准字H20203456");
    case FieldFormat::ImportLicence:
        return matches(importLicence, text) ? QString()
                                            : QStringLiteral("应为H、Z或S加8位数字的进口药品注册证号，如H20203456");
    case FieldFormat::ProductLicence:
        return matches(productLicence, text)
                   ? QString()
                   : QStringLiteral("应为H、Z或S加C及8位数字的医药产品注册证号，如HC20203456");
    case FieldFormat::NewDrugCertificate:
        return matches(newDrug, text) ? QString()
                                      : QStringLiteral("应为“国药证字”加H、Z或S及8位数字，如国药证字H20203456");
    case FieldFormat::Months: {
        const bool whole = allDigits(text) && text.size() <= 3;
        const int months = whole ? text.toInt() : 0;
        return months >= 1 && months <= 120 ? QString() : QStringLiteral("应为1到120之间的整数（月数）");
    }
    case FieldFormat::Year:
        return text.size() == 4 && allDigits(text) && (text.startsWith(QStringLiteral("19")) ||
                                                         text.startsWith(QStringLiteral("20")))
                   ? QString()
                   : QStringLiteral("应为4位数字的年份，如2020");
    }
    return QString();
}

} // namespace FieldFormats
