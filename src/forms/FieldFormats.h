#pragma once
// FieldFormats: the kinds of value the submission check knows - postal code,
// telephone, e-mail, the unified social credit code and the organization
// code with their check characters, the drug number kinds, months and years -
// as pure functions of the text. A catalogue names a kind beside a control
// ("fmt=postcode"); problem() says, in the program's words, what is wrong
// with a value of that kind.
#include <QChar>
#include <QString>
#include <QStringView>
#include <optional>

enum class FieldFormat {
    None,
    Postcode,        // postcode: 6 digits
    Phone,           // phone: telephone or fax, optionally after +86
    PhoneAbroad,     // phone-intl: the same after any "+<country code>"
    Email,           // email
    CreditCode,      // credit: unified social credit code (GB 32100)
    OrgCode,         // orgcode: organization code (GB 11714)
    CreditOrOrgCode, // credit-or-org: either of the two
    Approval,        // approval: 药品批准文号, 国药准字 + H/Z/S/J/B/T/F + 8 digits
    ImportLicence,   // import-reg: 进口药品注册证号, [B]H/Z/S + 8 digits
    ProductLicence,  // product-reg: 医药产品注册证号, [B]H/Z/S + C + 8 digits
    NewDrugCertificate, // newdrug: 新药证书编号, 国药证字 + H/Z/S + 8 digits
    Months,          // months: a whole number of months from 1 to 120
    Year,            // year: four digits (a year, an edition)
};

namespace FieldFormats {

// The kind a catalogue names ("postcode", "credit-or-org"); nothing for an
// unknown name.
std::optional<FieldFormat> byName(const QString &name);
// The kind of number a drop-down list entry names ("批准文号", "药品批准文号",
// "进口药品注册证号", "医药产品注册证号", "新药证书编号"); None for another text.
FieldFormat byNumberKind(const QString &entry);

// What is wrong with a value of the kind, in Chinese ("应为6位数字"); empty
// when the value is of the kind. Surrounding blanks are not counted; an empty
// value is no problem here (whether it must be filled is another rule).
QString problem(FieldFormat format, const QString &value);

bool isPostcode(QStringView text);
// Digits, "-", "转", round brackets (either width) and blanks, at least five
// digits and no more than twenty, optionally after "+86" (or, abroad, after
// "+" and a country code of one to three digits); "转" only before an extension.
bool isPhone(QStringView text, bool abroad = false);
bool isEmail(QStringView text);

// The check character of a unified social credit code's first 17 characters
// (GB 32100: weights 3^(i-1) mod 31 over the characters 0-9, A-Y without
// I, O, S, V, Z); a null character when they are not 17 such characters.
QChar creditCheckCharacter(QStringView first17);
// 18 characters of the code's set whose last is the check character.
bool isCreditCode(QStringView text);
// The check character of an organization code's 8 body characters (GB 11714:
// weights 3, 7, 9, 10, 5, 8, 4, 2, modulo 11; 10 is "X", 11 is "0"); a null
// character when they are not 8 digits or capital letters.
QChar orgCheckCharacter(QStringView first8);
// 9 characters, optionally "XXXXXXXX-X", whose last is the check character.
bool isOrgCode(QStringView text);

} // namespace FieldFormats
