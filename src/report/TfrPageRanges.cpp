#include "TfrPageRanges.h"

#include <QRegularExpression>
#include <QSet>

namespace TfrPageRanges {

QList<int> Parse(const QString &text, int pageCount, bool *ok)
{
    static const QRegularExpression item(QStringLiteral("^\\s*(\\d{1,6})\\s*(?:-\\s*(\\d{1,6})\\s*)?$"));
    QList<int> pages;
    QSet<int> seen;
    auto fail = [&] {
        if (ok)
            *ok = false;
        return QList<int>();
    };
    // Full-width commas and dashes are taken as their plain forms.
    QString normal = text;
    normal.replace(QChar(0xFF0C), QLatin1Char(',')).replace(QChar(0xFF0D), QLatin1Char('-'));
    if (normal.trimmed().isEmpty())
        return fail();
    for (const QString &part : normal.split(QLatin1Char(','))) {
        const QRegularExpressionMatch m = item.match(part);
        if (!m.hasMatch())
            return fail();
        int from = m.captured(1).toInt();
        int to = m.captured(2).isEmpty() ? from : m.captured(2).toInt();
        if (from == 0 || to == 0)
            return fail();
        if (from > to)
            std::swap(from, to);
        for (int p = from; p <= qMin(to, pageCount); ++p)
            if (!seen.contains(p)) {
                seen.insert(p);
                pages.append(p);
            }
    }
    if (ok)
        *ok = true;
    return pages;
}

} // namespace TfrPageRanges
