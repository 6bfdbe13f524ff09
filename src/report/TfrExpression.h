#pragma once
// TfrExpression: evaluation of the square-bracket expressions in memo texts.
// The engine knows the page number [PAGE#], the total page count [TOTALPAGES],
// the date [DATE] and the time [TIME]; any other name prints nothing. A "["
// without its "]" is printed as it stands.
#include <QDateTime>
#include <QString>

struct TfrExpressionContext {
    int page = 1;        // 1-based sheet number
    int totalPages = 1;
    QDateTime now;
};

namespace TfrExpression {
// The value of one expression (the text between the brackets).
QString Evaluate(const QString &expression, const TfrExpressionContext &context);
// The text with every bracketed expression replaced by its value.
QString Expand(const QString &text, const TfrExpressionContext &context);
}
