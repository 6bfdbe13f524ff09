#include "TfrMemoLayout.h"

#include <QHash>
#include <QRegularExpression>
#include <climits>
#include <cmath>

namespace TfrMemoLayout {

namespace {

bool isBreakChar(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

// Length of the character at i (a surrogate pair is one character).
qsizetype charLength(const QString &s, qsizetype i)
{
    return (s[i].isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate()) ? 2 : 1;
}

bool isLetter(QChar c)
{
    return c.isLetter() && !IsDoubleByte(c);
}

int clampInt(qint64 v, qint64 lo = INT_MIN, qint64 hi = INT_MAX)
{
    return int(v < lo ? lo : v > hi ? hi : v);
}

} // namespace

int FontHeight(int sizePoints)
{
    // Whole-number rounding of size × 96 / 72, half away from zero.
    const qint64 scaled = qint64(sizePoints) * 96;
    const qint64 h = scaled >= 0 ? (scaled + 36) / 72 : -((-scaled + 36) / 72);
    return clampInt(h, -100000, 100000);
}

int LineStep(int fontHeight, int lineSpacing)
{
    return clampInt(qint64(fontHeight) + lineSpacing, -1000000, 1000000);
}

int AvailableWidth(int width, int gapx)
{
    return clampInt(qint64(width) - 2 * qint64(gapx));
}

int TextHeight(int lineCount, int lineStep, int gapy)
{
    return clampInt(qint64(lineCount) * lineStep + 2 * qint64(gapy));
}

bool IsDoubleByte(QChar c)
{
    // GB18030 keeps ASCII in one byte and gives every other character two or four.
    return c.unicode() >= 0x80;
}

bool HasDoubleByte(const QString &text)
{
    for (const QChar c : text)
        if (IsDoubleByte(c))
            return true;
    return false;
}

TfrMeasure WithCharSpacing(TfrMeasure measure, int charSpacing)
{
    if (charSpacing == 0)
        return measure;
    return [measure = std::move(measure), charSpacing](const QString &text) {
        qsizetype count = 0;
        for (qsizetype i = 0; i < text.size(); i += charLength(text, i))
            ++count;
        return measure(text) + double(charSpacing) * double(count);
    };
}

namespace {

// Widths of single characters, measured once each. A line's width is first
// estimated as the sum of its characters' widths and measured exactly only
// where the estimate reaches the available width, so that breaking a
// paragraph costs a few exact measurements per output line instead of one
// per character.
class AdvanceCache {
public:
    explicit AdvanceCache(const TfrMeasure &measure) : FMeasure(measure) {}
    double of(const QString &s, qsizetype i, qsizetype len)
    {
        const char32_t key = len == 2 ? QChar::surrogateToUcs4(s[i], s[i + 1]) : char32_t(s[i].unicode());
        auto it = FWidths.constFind(key);
        if (it != FWidths.constEnd())
            return *it;
        const double w = FMeasure(s.mid(i, len));
        FWidths.insert(key, w);
        return w;
    }
    double exact(const QString &s, qsizetype from, qsizetype to) const { return FMeasure(s.mid(from, to - from)); }

private:
    const TfrMeasure &FMeasure;
    QHash<char32_t, double> FWidths;
};

qsizetype boundaryAtOrBefore(const QString &s, qsizetype i)
{
    return (i > 0 && s[i].isLowSurrogate() && s[i - 1].isHighSurrogate()) ? i - 1 : i;
}

// The first character in [lo, hi] with which the line from `lineStart`
// becomes wider than `available`, given that the line up to and including
// `hi` is wider: a binary search, since a line only grows with each character.
qsizetype firstWider(const QString &s, qsizetype lineStart, qsizetype lo, qsizetype hi, double available,
                     AdvanceCache &widths)
{
    while (lo < hi) {
        const qsizetype mid = boundaryAtOrBefore(s, lo + (hi - lo) / 2);
        if (mid < lo)
            break;
        if (widths.exact(s, lineStart, mid + charLength(s, mid)) > available)
            hi = mid;
        else
            lo = mid + charLength(s, mid);
    }
    return boundaryAtOrBefore(s, hi);
}

// The first character at or after `from` (and before `segmentEnd`) with which
// the line from `lineStart` becomes wider than `available`; -1 when the whole
// segment fits. Widths are estimated from the characters' own widths and
// checked exactly where the estimate crosses the available width and at the
// end, so a measure that is not the plain sum of its characters (kerning)
// breaks exactly where measuring every prefix would.
qsizetype firstOverflow(const QString &s, qsizetype lineStart, qsizetype from, qsizetype segmentEnd,
                        double available, AdvanceCache &widths)
{
    double estimate = 0;
    for (qsizetype k = lineStart; k < from; k += charLength(s, k))
        estimate += widths.of(s, k, charLength(s, k));
    qsizetype checkedUpTo = from; // every prefix ending before this is known to fit
    qsizetype last = -1;
    for (qsizetype i = from; i < segmentEnd;) {
        const qsizetype len = charLength(s, i);
        estimate += widths.of(s, i, len);
        last = i;
        if (estimate > available) {
            const double exact = widths.exact(s, lineStart, i + len);
            if (exact > available)
                return firstWider(s, lineStart, checkedUpTo, i, available, widths);
            estimate = exact;
            checkedUpTo = i + len;
        }
        i += len;
    }
    if (last >= checkedUpTo && widths.exact(s, lineStart, segmentEnd) > available)
        return firstWider(s, lineStart, checkedUpTo, last, available, widths);
    return -1;
}

QList<TfrTextLine> wrap(const QString &paragraph, double available, const TfrMeasure &measure, bool wordBreak,
                        AdvanceCache &widths)
{
    QList<TfrTextLine> out;
    bool hasBreak = false;
    for (const QChar c : paragraph)
        if (isBreakChar(c)) {
            hasBreak = true;
            break;
        }
    const bool oneByte = paragraph.size() == 1 && !IsDoubleByte(paragraph[0]);
    if (!hasBreak && (oneByte || measure(paragraph) <= available)) {
        out.append({paragraph, true});
        return out;
    }

    // In text with a double-byte character blanks are no break candidates.
    const bool blanksBreak = !HasDoubleByte(paragraph);
    const qsizetype n = paragraph.size();
    qsizetype lineStart = 0;
    qsizetype from = 0; // where the search for the next overflow starts
    qsizetype segmentEnd = -1; // end of the run of text up to the next line break
    while (lineStart < n) {
        if (segmentEnd < lineStart) {
            segmentEnd = lineStart;
            while (segmentEnd < n && !isBreakChar(paragraph[segmentEnd]))
                ++segmentEnd;
        }
        const qsizetype i = firstOverflow(paragraph, lineStart, from, segmentEnd, available, widths);
        if (i < 0) {
            if (segmentEnd == n)
                break;
            // A line break ends the output line; a run of them counts as one.
            out.append({paragraph.mid(lineStart, segmentEnd - lineStart), true});
            lineStart = segmentEnd;
            while (lineStart < n && isBreakChar(paragraph[lineStart]))
                ++lineStart;
            from = lineStart;
            continue;
        }
        const qsizetype len = charLength(paragraph, i);
        if (i == lineStart) {
            // A single character wider than the line stays alone on its line.
            from = i + len;
            continue;
        }
        qsizetype candidate = -1; // the last blank after the line start, up to the current character
        if (blanksBreak)
            for (qsizetype k = i; k > lineStart; --k)
                if (paragraph[k] == QLatin1Char(' ')) {
                    candidate = k;
                    break;
                }
        if (candidate > lineStart) {
            out.append({paragraph.mid(lineStart, candidate - lineStart), false});
            lineStart = candidate + 1;
            from = lineStart;
            continue;
        }
        // Break before the current character; with word break, inside a word
        // at the last point where the piece and "-" still fit, keeping at
        // least two letters of the word on the line.
        qsizetype cut = i;
        bool hyphen = false;
        const QChar c = paragraph[i];
        if (wordBreak && isLetter(c) && isLetter(paragraph[i - 1])) {
            qsizetype wordStart = i;
            while (wordStart > lineStart && isLetter(paragraph[wordStart - 1]))
                --wordStart;
            for (qsizetype k = i; k - wordStart >= 2; --k) {
                if (measure(paragraph.mid(lineStart, k - lineStart) + QLatin1Char('-')) <= available) {
                    cut = k;
                    hyphen = true;
                    break;
                }
            }
        }
        out.append({paragraph.mid(lineStart, cut - lineStart) + (hyphen ? QStringLiteral("-") : QString()), false});
        lineStart = cut;
        from = lineStart;
    }
    out.append({paragraph.mid(lineStart), true});
    return out;
}

} // namespace

QList<TfrTextLine> WrapParagraph(const QString &paragraph, double available, const TfrMeasure &measure, bool wordBreak)
{
    AdvanceCache widths(measure);
    return wrap(paragraph, available, measure, wordBreak, widths);
}

QList<TfrTextLine> BuildLines(const QStringList &paragraphs, bool wordWrap, bool wordBreak, double available,
                              const TfrMeasure &measure)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QList<TfrTextLine> out;
    AdvanceCache widths(measure);
    for (const QString &paragraph : paragraphs) {
        if (wordWrap) {
            out.append(wrap(paragraph, available, measure, wordBreak, widths));
        } else {
            for (const QString &piece : paragraph.split(lineBreak))
                out.append({piece, true});
        }
    }
    return out;
}

QList<TfrPlacedLine> PlaceLines(const QList<TfrTextLine> &lines, const TfrMemoBox &box, const TfrMeasure &measure)
{
    QList<TfrPlacedLine> placed;
    const int step = LineStep(box.fontHeight, box.lineSpacing);
    const int available = AvailableWidth(box.width, box.gapx);
    const int count = int(qMin<qsizetype>(lines.size(), 1000000));
    const int textHeight = TextHeight(count, step, box.gapy);

    qint64 y = qint64(box.top) + box.gapy;
    switch (box.alignment & 0x18) {
    case 0x08: // middle: half of the free height, rounded towards zero
        y += (qint64(box.height) - textHeight) / 2;
        break;
    case 0x10: // bottom: the block ends one unit above the bottom edge
        y = qint64(box.top) + box.height - 1 - qint64(count) * step;
        break;
    default:
        break;
    }

    for (int i = 0; i < count; ++i, y += step) {
        const TfrTextLine &line = lines[i];
        const double width = measure(line.text);
        TfrPlacedLine p;
        p.text = line.text;
        p.y = clampInt(y);
        switch (box.alignment & 0x03) {
        case 1: // right
            p.x = double(box.left) + box.width - box.gapx - width - 1;
            break;
        case 2: // centre
            p.x = double(box.left) + box.gapx + std::trunc((available - width) / 2);
            break;
        case 3: { // justified: spread the free width over the blanks
            p.x = double(box.left) + box.gapx;
            const qsizetype blanks = line.text.count(QLatin1Char(' '));
            if (blanks > 0 && !line.paragraphEnd && available > width)
                p.blankExtra = (available - width) / double(blanks);
            break;
        }
        default:
            p.x = double(box.left) + box.gapx;
            break;
        }
        placed.append(p);
    }
    return placed;
}

QRect ClipRect(const TfrMemoBox &box)
{
    // Computed in 64 bits and kept within ±2^29, so that neither the corners
    // nor the rectangle's own width and height (right - left + 1) overflow.
    static constexpr qint64 bound = qint64(1) << 29;
    const auto edge = [](qint64 v) { return int(qBound(-bound, v, bound)); };
    return QRect(QPoint(edge(qint64(box.left) + 1), edge(box.top)),
                 QPoint(edge(qint64(box.left) + box.width - 2), edge(qint64(box.top) + box.height - 1)));
}

bool FitsBox(const QList<TfrTextLine> &lines, const TfrMemoBox &box, const TfrMeasure &measure)
{
    if (lines.isEmpty())
        return true;
    const int step = LineStep(box.fontHeight, box.lineSpacing);
    const qint64 count = lines.size();
    // The last line needs its font height, not the spacing after it.
    if ((count - 1) * step + box.fontHeight + 2 * qint64(box.gapy) > box.height)
        return false;
    // Bottom alignment ends the block one unit above the bottom edge.
    if ((box.alignment & 0x18) == 0x10 && (count - 1) * step + box.fontHeight + 1 > box.height)
        return false;
    const double room = qMin<double>(AvailableWidth(box.width, box.gapx), double(box.width) - box.gapx - 1);
    for (const TfrTextLine &line : lines)
        if (measure(line.text) > room)
            return false;
    return true;
}

} // namespace TfrMemoLayout
