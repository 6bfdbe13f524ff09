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

// The short date format with its year always in four digits, so that no
// written date loses its century.
QString fullYearFormat(const QString &format)
{
    if (!usesTwoDigitYear(format))
        return format;
    QString full = format;
    full.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return full;
}

std::optional<QDate> ToDate(const QString &text)
{
    const QLocale locale;
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    if (usesTwoDigitYear(format)) {
        // What this program writes: the short format with a four-digit year.
        static const QRegularExpression fourDigits(QStringLiteral("\\d{4}"));
        if (text.contains(fourDigits)) {
            const QDate full = locale.toDate(text, fullYearFormat(format));
            if (full.isValid())
                return full;
        }
    }
    // Older files: the short format itself.
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

QString FromDate(const QDate &date)
{
    const QLocale locale;
    return locale.toString(date, fullYearFormat(locale.dateFormat(QLocale::ShortFormat)));
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
