#include "SourceRepeat.h"

#include <QHash>
#include <QRegularExpression>

namespace {

[[noreturn]] void fail(int line, const QString &what)
{
    throw SourceLineError{line, what};
}

// Values of a repeat list: "a,b,c", "\"x\",\"y\"" or a range "1..15".
QStringList repeatValues(int line, const QString &list)
{
    static const QRegularExpression range(QStringLiteral("^(\\d{1,9})\\.\\.(\\d{1,9})$"));
    const auto m = range.match(list);
    if (m.hasMatch()) {
        const int from = m.captured(1).toInt();
        const int to = m.captured(2).toInt();
        if (to < from || qint64(to) - from >= SourceRepeat::MaxLines)
            fail(line, QStringLiteral("范围无效：") + list);
        QStringList out;
        for (int i = from; i <= to; ++i)
            out << QString::number(i);
        return out;
    }
    QStringList out;
    QString current;
    bool inQuotes = false;
    for (qsizetype i = 0; i < list.size(); ++i) {
        const QChar c = list[i];
        if (c == QLatin1Char('\\') && inQuotes && i + 1 < list.size()) {
            current += list[++i];
        } else if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
        } else if (c == QLatin1Char(',') && !inQuotes) {
            out << current;
            current.clear();
        } else {
            current += c;
        }
    }
    out << current;
    return out;
}

void append(QList<SourceLine> &out, const SourceLine &line)
{
    if (out.size() >= SourceRepeat::MaxLines)
        fail(line.number, QStringLiteral("repeat 展开后超过 %1 行").arg(SourceRepeat::MaxLines));
    out << line;
}

// Expands the lines from `pos` up to the `end` of the repeat opened on line
// `opening` (0 at the top level).
QList<SourceLine> expandFrom(const QList<SourceLine> &lines, qsizetype &pos, int opening)
{
    const bool nested = opening > 0;
    QList<SourceLine> out;
    while (pos < lines.size()) {
        const SourceLine line = lines[pos++];
        const QString trimmed = line.text.trimmed();
        if (trimmed == QLatin1String("end")) {
            if (!nested)
                fail(line.number, QStringLiteral("多余的 end"));
            return out;
        }
        if (!trimmed.startsWith(QLatin1String("repeat ")) && trimmed != QLatin1String("repeat")) {
            append(out, line);
            continue;
        }
        // The variables are separated by blanks; a value list may hold quoted
        // strings with blanks, so they are matched on the raw text.
        QHash<QString, QStringList> vars;
        QStringList order;
        static const QRegularExpression assign(QStringLiteral(
            "([A-Za-z_][A-Za-z0-9_]*)=((?:\"(?:[^\"\\\\]|\\\\.)*\"|[^\\s\",])+(?:,(?:\"(?:[^\"\\\\]|\\\\.)*\"|[^\\s\",])+)*)"));
        auto it = assign.globalMatch(trimmed.mid(6));
        while (it.hasNext()) {
            const auto m = it.next();
            vars.insert(m.captured(1), repeatValues(line.number, m.captured(2)));
            order << m.captured(1);
        }
        if (order.isEmpty())
            fail(line.number, QStringLiteral("repeat 没有变量"));
        const qsizetype count = vars[order.first()].size();
        for (const QString &v : order)
            if (vars[v].size() != count)
                fail(line.number, QStringLiteral("repeat 的变量个数不一致：") + v);
        const QList<SourceLine> body = expandFrom(lines, pos, line.number);
        for (qsizetype i = 0; i < count; ++i) {
            for (SourceLine b : body) {
                for (const QString &v : order)
                    b.text.replace(QLatin1Char('{') + v + QLatin1Char('}'), vars[v][i]);
                append(out, b);
            }
        }
    }
    if (nested)
        fail(opening, QStringLiteral("repeat 缺少 end"));
    return out;
}

} // namespace

namespace SourceRepeat {

QList<SourceLine> expand(const QString &text)
{
    QList<SourceLine> raw;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString l = lines[i];
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        raw << SourceLine{i + 1, l};
    }
    qsizetype pos = 0;
    return expandFrom(raw, pos, 0);
}

}
