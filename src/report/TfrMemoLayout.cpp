#include "TfrMemoLayout.h"

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

QList<TfrTextLine> WrapParagraph(const QString &paragraph, double available, const TfrMeasure &measure, bool wordBreak)
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
    qsizetype lineStart = 0;
    qsizetype candidate = -1; // index of the last blank after the line start
    qsizetype i = 0;
    while (i < paragraph.size()) {
        const QChar c = paragraph[i];
        if (isBreakChar(c)) {
            out.append({paragraph.mid(lineStart, i - lineStart), true});
            while (i < paragraph.size() && isBreakChar(paragraph[i]))
                ++i;
            lineStart = i;
            candidate = -1;
            continue;
        }
        const qsizetype len = charLength(paragraph, i);
        if (blanksBreak && c == QLatin1Char(' ') && i > lineStart)
            candidate = i;
        if (measure(paragraph.mid(lineStart, i + len - lineStart)) > available) {
            if (candidate > lineStart) {
                out.append({paragraph.mid(lineStart, candidate - lineStart), false});
                lineStart = candidate + 1;
                candidate = -1;
                // The current character now opens the new line (or was the
                // dropped blank); recheck what is left of the line.
                if (i < lineStart) {
                    i = lineStart;
                    continue;
                }
                if (i > lineStart && measure(paragraph.mid(lineStart, i + len - lineStart)) > available) {
                    out.append({paragraph.mid(lineStart, i - lineStart), false});
                    lineStart = i;
                }
            } else if (i > lineStart) {
                // Break before the current character; with word break, inside a
                // word at the last point where the piece and "-" still fit,
                // keeping at least two letters of the word on the line.
                qsizetype cut = i;
                bool hyphen = false;
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
                out.append({paragraph.mid(lineStart, cut - lineStart) + (hyphen ? QStringLiteral("-") : QString()),
                            false});
                lineStart = cut;
                candidate = -1;
                if (cut < i) {
                    i = cut;
                    continue;
                }
            }
            // A single character wider than the line stays alone on its line.
        }
        i += len;
    }
    out.append({paragraph.mid(lineStart), true});
    return out;
}

QList<TfrTextLine> BuildLines(const QStringList &paragraphs, bool wordWrap, bool wordBreak, double available,
                              const TfrMeasure &measure)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QList<TfrTextLine> out;
    for (const QString &paragraph : paragraphs) {
        if (wordWrap) {
            out.append(WrapParagraph(paragraph, available, measure, wordBreak));
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
    return QRect(QPoint(box.left + 1, box.top), QPoint(box.left + box.width - 2, box.top + box.height - 1));
}

} // namespace TfrMemoLayout
