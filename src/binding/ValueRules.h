#pragma once
// The conversions between the text stored in a field's "value" and the state
// of a control: the non-blank rule, the boolean conversion, dates (written
// as yyyy/M/d whatever the locale, read in any year-first form and in the
// locale's short format), memo texts as Base64 over code-page bytes, and the
// key list of a check group.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

namespace ValueRules {

// True when text compares greater than a single space byte-wise: it is not
// empty, not exactly " ", and its first character is not below U+0020.
bool IsNonBlank(const QString &text);

// A number (zero false, any other number true, blanks around it allowed) or
// "True"/"False" in any letter case; nothing for any other text.
std::optional<bool> ToBoolean(const QString &text);
// How a check box's state is stored.
QString FromBoolean(bool checked); // "-1" / "0"

// A stored date: any year-first form - 2011/6/28, 2011-06-28, 2011.6.28,
// 2011年6月28日, 20110628, ISO 8601 with a time - then the short date format
// of QLocale(), then the C locale's (8 Nov 2021); nothing for any other text.
// Under a short format with a two-digit year the century is the one that
// puts the year within fifty years of today; a four-digit year is read under
// such a format too.
std::optional<QDate> ToDate(const QString &text);
// How dates are stored and printed whatever the locale: yyyy/M/d, the form a
// Chinese system writes ("2011/6/28"), its year always in four digits.
QString FromDate(const QDate &date);

// A memo's text (lines joined by CR LF) from its stored Base64 value, and back.
QString MemoFromValue(const QString &value);
QString MemoToValue(const QString &memoText);
// As MemoFromValue; false when value is not valid Base64 (text then holds
// what was decoded before the fault). bytes, when given, receives the
// decoded code-page bytes.
bool DecodeMemo(const QString &value, QString &text, QByteArray *bytes = nullptr);

// The keys of a stored multi-choice value, split at "|$$|" and sorted
// ignoring letter case, searched ignoring letter case.
class KeyList {
public:
    explicit KeyList(const QString &value);
    bool contains(const QString &key) const;
    const QStringList &keys() const { return FKeys; }

private:
    QStringList FKeys;
};

} // namespace ValueRules
