#include "ValueRules.h"

#include "Base64.h"
#include "CodePage.h"
#include "Helpers.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>

namespace ValueRules {

namespace {

bool lessIgnoringCase(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

bool usesTwoDigitYear(const QString &format)
{
    return format.contains(QLatin1String("yy")) && !format.contains(QLatin1String("yyyy"));
}

} // namespace

bool IsNonBlank(const QString &text)
{
    if (text.isEmpty() || text.front().unicode() < 0x20)
        return false;
    return text != QLatin1String(" ");
}

std::optional<bool> ToBoolean(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    const QString trimmed = text.trimmed();
    const QRegularExpressionMatch m = number.match(trimmed);
    if (m.hasMatch()) {
        // Zero exactly when every digit of the mantissa is zero.
        const QString mantissa = m.captured(1);
        return std::any_of(mantissa.begin(), mantissa.end(),
                           [](QChar c) { return c.isDigit() && c != QLatin1Char('0'); });
    }
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return std::nullopt;
}

QString FromBoolean(bool checked)
{
    return checked ? QStringLiteral("-1") : QStringLiteral("0");
}

namespace {

// The short date format with its year always in four digits.
QString fullYearFormat(const QString &format)
{
    if (!usesTwoDigitYear(format))
        return format;
    QString full = format;
    full.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return full;
}

// A date from year, month and day as matched; nothing for an impossible one.
std::optional<QDate> dateOf(const QRegularExpressionMatch &m)
{
    const QDate date(m.captured(QStringLiteral("y")).toInt(), m.captured(QStringLiteral("m")).toInt(),
                     m.captured(QStringLiteral("d")).toInt());
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// The year-first forms, which no locale reads another way: the year in four
// digits, then month and day, separated alike by "/", "-" or "." or marked
// with 年月日; eight digits in a row (ISO 8601 basic); ISO 8601 with a time.
std::optional<QDate> yearFirst(const QString &text)
{
    static const QRegularExpression forms[] = {
        QRegularExpression(QStringLiteral(
            "^\\s*(?<y>\\d{4})\\s*(?<sep>[/.-])\\s*(?<m>\\d{1,2})\\s*\\k<sep>\\s*(?<d>\\d{1,2})\\s*$")),
        QRegularExpression(QStringLiteral(
            "^\\s*(?<y>\\d{4})\\s*年\\s*(?<m>\\d{1,2})\\s*月\\s*(?<d>\\d{1,2})\\s*日?\\s*$")),
        QRegularExpression(QStringLiteral("^\\s*(?<y>\\d{4})(?<m>\\d{2})(?<d>\\d{2})\\s*$")),
        QRegularExpression(QStringLiteral(
            "^\\s*(?<y>\\d{4})-(?<m>\\d{2})-(?<d>\\d{2})T\\d{2}(:\\d{2}(:\\d{2}([.,]\\d+)?)?)?"
            "(Z|[+-]\\d{2}(:?\\d{2})?)?\\s*$")),
    };
    for (const QRegularExpression &form : forms) {
        const QRegularExpressionMatch m = form.match(text);
        if (m.hasMatch())
            return dateOf(m);
    }
    return std::nullopt;
}

// The short date format of QLocale().
std::optional<QDate> localeShort(const QString &text)
{
    const QLocale locale;
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    if (usesTwoDigitYear(format)) {
        // What this program wrote under such a format: a four-digit year.
        static const QRegularExpression fourDigits(QStringLiteral("\\d{4}"));
        if (text.contains(fourDigits)) {
            const QDate full = locale.toDate(text, fullYearFormat(format));
            if (full.isValid())
                return full;
        }
    }
    QDate date = locale.toDate(text, QLocale::ShortFormat);
    if (!date.isValid())
        return std::nullopt;
    if (usesTwoDigitYear(format)) {
        const int base = QDate::currentDate().year() - 50;
        int year = base / 100 * 100 + date.year() % 100;
        if (year < base)
            year += 100;
        const QDate moved(year, date.month(), date.day());
        if (!moved.isValid())
            return std::nullopt;
        date = moved;
    }
    return date;
}

} // namespace

std::optional<QDate> ToDate(const QString &text)
{
    if (const std::optional<QDate> date = yearFirst(text))
        return date;
    if (const std::optional<QDate> date = localeShort(text))
        return date;
    // What this program wrote under the C locale ("8 Nov 2021").
    const QDate c = QLocale::c().toDate(text.trimmed(), QLocale::c().dateFormat(QLocale::ShortFormat));
    return c.isValid() ? std::optional<QDate>(c) : std::nullopt;
}

QString FromDate(const QDate &date)
{
    return QStringLiteral("%1/%2/%3").arg(date.year(), 4, 10, QLatin1Char('0')).arg(date.month()).arg(date.day());
}

QString MemoFromValue(const QString &value)
{
    return CodePage::toUnicode(Base64DecodeString(value.toUtf8()));
}

bool DecodeMemo(const QString &value, QString &text, QByteArray *bytes)
{
    QByteArray decoded;
    const int code = TBase64().Decode(value.toUtf8(), decoded);
    text = CodePage::toUnicode(decoded);
    if (bytes)
        *bytes = std::move(decoded);
    return code == TBase64::Ok;
}

QString MemoToValue(const QString &memoText)
{
    return QString::fromLatin1(Base64EncodeString(CodePage::fromUnicode(memoText)));
}

KeyList::KeyList(const QString &value)
{
    SplitBySeparator(value, FKeys, kMultiChoiceSeparator);
    std::sort(FKeys.begin(), FKeys.end(), lessIgnoringCase);
}

bool KeyList::contains(const QString &key) const
{
    return std::binary_search(FKeys.begin(), FKeys.end(), key, lessIgnoringCase);
}

} // namespace ValueRules
