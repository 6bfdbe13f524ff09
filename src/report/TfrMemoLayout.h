#pragma once
// TfrMemoLayout: how a memo's lines become printed lines. Pure functions over
// the text and a measuring function (width of a text in report units), so that
// the rules can be checked with exact widths: font height and line step, word
// wrap with the double-byte rule, horizontal and vertical placement, clipping
// and the height of a stretched memo.
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>

// One output line; paragraphEnd marks the last output line of a memo line (it
// is not printed; it tells justification where a paragraph ends).
struct TfrTextLine {
    QString text;
    bool paragraphEnd = false;
    bool operator==(const TfrTextLine &o) const { return text == o.text && paragraphEnd == o.paragraphEnd; }
};

using TfrMeasure = std::function<double(const QString &)>;

// The memo rectangle and the settings that place lines in it.
struct TfrMemoBox {
    int left = 0, top = 0, width = 0, height = 0;
    int gapx = 0, gapy = 0;
    int fontHeight = 13;
    int lineSpacing = 0;
    int alignment = 0;
};

// A line placed in the memo: start of the text, top of the line, and the extra
// width given to each blank of a justified line.
struct TfrPlacedLine {
    QString text;
    double x = 0;
    int y = 0;
    double blankExtra = 0;
};

namespace TfrMemoLayout {

// A font's size in points at 96 pixels per inch, rounded to the nearest whole number.
int FontHeight(int sizePoints);
int LineStep(int fontHeight, int lineSpacing);
int AvailableWidth(int width, int gapx);
int TextHeight(int lineCount, int lineStep, int gapy);

// True for a character that takes more than one byte in the national code page.
bool IsDoubleByte(QChar c);
bool HasDoubleByte(const QString &text);

// A measuring function that adds the character spacing after every character.
TfrMeasure WithCharSpacing(TfrMeasure measure, int charSpacing);

// Breaks one memo line (a paragraph) with word wrap on.
QList<TfrTextLine> WrapParagraph(const QString &paragraph, double available, const TfrMeasure &measure,
                                 bool wordBreak = false);
// The output lines of all memo lines. Without word wrap each memo line is cut
// only at its own line breaks.
QList<TfrTextLine> BuildLines(const QStringList &paragraphs, bool wordWrap, bool wordBreak, double available,
                              const TfrMeasure &measure);

// Places the lines in the box by the alignment bits (vertical 0x18, horizontal 0x03).
QList<TfrPlacedLine> PlaceLines(const QList<TfrTextLine> &lines, const TfrMemoBox &box, const TfrMeasure &measure);
// The rectangle each line is clipped to: left + 1 to right − 2, top to bottom − 1.
QRect ClipRect(const TfrMemoBox &box);
// True when every line prints whole inside the box: the lines' height fits
// the box and no line is wider than the room between the gaps (and the clip
// edge). A value that does not fit would be cut off on paper.
bool FitsBox(const QList<TfrTextLine> &lines, const TfrMemoBox &box, const TfrMeasure &measure);

} // namespace TfrMemoLayout
