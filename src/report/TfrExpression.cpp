#include "TfrExpression.h"

namespace TfrExpression {

QString Evaluate(const QString &expression, const TfrExpressionContext &context)
{
    const QString name = expression.trimmed().toUpper();
    if (name == QLatin1String("PAGE#"))
        return QString::number(context.page);
    if (name == QLatin1String("TOTALPAGES"))
        return QString::number(context.totalPages);
    if (name == QLatin1String("DATE"))
        // As dates print on the forms, whatever the locale: 2011/6/28.
        return context.now.date().toString(QStringLiteral("yyyy/M/d"));
    if (name == QLatin1String("TIME"))
        return context.now.time().toString(QStringLiteral("HH:mm:ss"));
    return QString();
}

QString Expand(const QString &text, const TfrExpressionContext &context)
{
    QString out;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('['), pos);
        if (open < 0)
            break;
        const qsizetype close = text.indexOf(QLatin1Char(']'), open + 1);
        if (close < 0)
            break;
        out += QStringView(text).mid(pos, open - pos);
        out += Evaluate(text.mid(open + 1, close - open - 1), context);
        pos = close + 1;
    }
    out += QStringView(text).mid(pos);
    return out;
}

} // namespace TfrExpression
