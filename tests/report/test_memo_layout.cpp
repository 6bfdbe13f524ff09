// Tests of the memo text layout with exact widths (6 units for a single-byte
// character, 12 for a double-byte one): derived values, every line-breaking
// case, horizontal and vertical placement, justification and clipping.
#include "ReportTestSupport.h"
#include "TestMain.h"
#include "TfrMemoLayout.h"
#include "frTypes.h"

#include <QtTest>

using Lines = QList<TfrTextLine>;
Q_DECLARE_METATYPE(Lines)

namespace {

TfrTextLine mid(const char *text)
{
    return {QString::fromUtf8(text), false};
}
TfrTextLine end(const char *text)
{
    return {QString::fromUtf8(text), true};
}

// 7 units per character: odd widths, so that halves need rounding.
double sevenEach(const QString &text)
{
    return 7.0 * double(text.size());
}

char *describe(const Lines &lines)
{
    QStringList parts;
    for (const TfrTextLine &l : lines)
        parts.append(QLatin1Char('"') + l.text + QLatin1Char('"') + (l.paragraphEnd ? QStringLiteral("¶") : QString()));
    return qstrdup(parts.join(QStringLiteral(", ")).toUtf8().constData());
}

} // namespace

namespace QTest {
template <>
char *toString(const Lines &lines)
{
    return describe(lines);
}
} // namespace QTest

class TestMemoLayout : public QObject {
    Q_OBJECT
private slots:
    void derivedValues_data();
    void derivedValues();
    void wordWrap_data();
    void wordWrap();
    void withoutWordWrap();
    void characterSpacing();
    void wrapMatchesCharacterByCharacterMeasuring();
    void horizontalAlignment_data();
    void horizontalAlignment();
    void verticalAlignment_data();
    void verticalAlignment();
    void justification();
    void clipRectangle();
};

void TestMemoLayout::derivedValues_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("height");
    QTest::newRow("10") << 10 << 13;
    QTest::newRow("9") << 9 << 12;
    QTest::newRow("8") << 8 << 11;
    QTest::newRow("11") << 11 << 15;
    QTest::newRow("12") << 12 << 16;
    QTest::newRow("16") << 16 << 21;
    QTest::newRow("24") << 24 << 32;
    QTest::newRow("7") << 7 << 9;
    QTest::newRow("1") << 1 << 1;
}

void TestMemoLayout::derivedValues()
{
    QFETCH(int, size);
    QFETCH(int, height);
    QCOMPARE(TfrMemoLayout::FontHeight(size), height);
    QCOMPARE(TfrMemoLayout::LineStep(height, 2), height + 2);
    QCOMPARE(TfrMemoLayout::AvailableWidth(100, 2), 96);
    QCOMPARE(TfrMemoLayout::TextHeight(3, 15, 1), 47);
    QCOMPARE(TfrMemoLayout::TextHeight(0, 15, 1), 2);
}

void TestMemoLayout::wordWrap_data()
{
    QTest::addColumn<QString>("paragraph");
    QTest::addColumn<double>("available");
    QTest::addColumn<bool>("wordBreak");
    QTest::addColumn<Lines>("expected");

    QTest::newRow("Chinese with blanks breaks at the first character that does not fit")
        << "药品 注册 申请表格" << 60.0 << false << Lines{mid("药品 注册 "), end("申请表格")};
    QTest::newRow("English breaks at the last blank that fits")
        << "the quick brown fox" << 60.0 << false << Lines{mid("the quick"), end("brown fox")};
    QTest::newRow("the blank that overflows is the break")
        << "abcdefghij klm" << 60.0 << false << Lines{mid("abcdefghij"), end("klm")};
    QTest::newRow("a word wider than the box breaks where it does not fit")
        << "abcdefghijklmno" << 60.0 << false << Lines{mid("abcdefghij"), end("klmno")};
    QTest::newRow("long word after a blank")
        << "ab abcdefghijklmn" << 60.0 << false << Lines{mid("ab"), mid("abcdefghij"), end("klmn")};
    QTest::newRow("two Chinese characters with two CR LF pairs: two lines, none empty")
        << "药\r\n\r\n品" << 100.0 << false << Lines{end("药"), end("品")};
    QTest::newRow("a run of CR and LF is one break")
        << "a\r\r\n\n\rb" << 100.0 << false << Lines{end("a"), end("b")};
    QTest::newRow("a break at the end leaves an empty last line")
        << "ab\r\n" << 100.0 << false << Lines{end("ab"), end("")};
    QTest::newRow("mixed text: blanks are no break candidates")
        << "abc 中文 def" << 60.0 << false << Lines{mid("abc 中文 d"), end("ef")};
    QTest::newRow("mixed text wider than two lines")
        << "中文中文中文中文中文" << 48.0 << false << Lines{mid("中文中文"), mid("中文中文"), end("中文")};
    QTest::newRow("fits exactly") << "abcdefghij" << 60.0 << false << Lines{end("abcdefghij")};
    QTest::newRow("one byte wider than the box") << "W" << 3.0 << false << Lines{end("W")};
    QTest::newRow("one Chinese character wider than the box") << "药品" << 5.0 << false
                                                               << Lines{mid("药"), end("品")};
    QTest::newRow("empty paragraph") << "" << 60.0 << false << Lines{end("")};
    QTest::newRow("a character of four bytes stays whole")
        << "𠀀𠀀𠀀" << 30.0 << false << Lines{mid("𠀀𠀀"), end("𠀀")};
    QTest::newRow("word break hyphenates")
        << "abcdefghijklmno" << 60.0 << true << Lines{mid("abcdefghi-"), end("jklmno")};
    QTest::newRow("word break prefers a blank")
        << "the quick brown fox" << 60.0 << true << Lines{mid("the quick"), end("brown fox")};
}

void TestMemoLayout::wordWrap()
{
    QFETCH(QString, paragraph);
    QFETCH(double, available);
    QFETCH(bool, wordBreak);
    QFETCH(Lines, expected);
    QCOMPARE(TfrMemoLayout::WrapParagraph(paragraph, available, fixedWidth, wordBreak), expected);
    // Through the whole memo as one of several lines.
    const Lines all = TfrMemoLayout::BuildLines({QStringLiteral("x"), paragraph}, true, wordBreak, available, fixedWidth);
    QCOMPARE(all, Lines{end("x")} + expected);
}

void TestMemoLayout::withoutWordWrap()
{
    const Lines lines = TfrMemoLayout::BuildLines(
        {QStringLiteral("a very long line that never fits"), QStringLiteral("x\r\ny"), QStringLiteral("a\r\n\r\nb")},
        false, false, 10, fixedWidth);
    QCOMPARE(lines, (Lines{end("a very long line that never fits"), end("x"), end("y"), end("a"), end(""), end("b")}));
}

void TestMemoLayout::characterSpacing()
{
    const TfrMeasure spaced = TfrMemoLayout::WithCharSpacing(fixedWidth, 4);
    QCOMPARE(spaced(QStringLiteral("ab")), 20.0);
    QCOMPARE(spaced(QStringLiteral("𠀀")), 16.0);
    QCOMPARE(TfrMemoLayout::WrapParagraph(QStringLiteral("abcdef"), 30, spaced), (Lines{mid("abc"), end("def")}));
}

void TestMemoLayout::horizontalAlignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<double>("x");
    // Box at left 100, width 100, gap x 2; "abc" is 21 wide.
    QTest::newRow("left") << 0 << 102.0;
    QTest::newRow("right") << 1 << 100.0 + 100 - 2 - 21 - 1;
    QTest::newRow("centre, half rounded towards zero") << 2 << 102.0 + 37;
    QTest::newRow("justified last line: left") << 3 << 102.0;
    QTest::newRow("right and middle") << 1 + 8 << 176.0;
}

void TestMemoLayout::horizontalAlignment()
{
    QFETCH(int, alignment);
    QFETCH(double, x);
    const TfrMemoBox box{100, 200, 100, 50, 2, 1, 13, 2, alignment};
    const QList<TfrPlacedLine> placed = TfrMemoLayout::PlaceLines({end("abc")}, box, sevenEach);
    QCOMPARE(placed.size(), 1);
    QCOMPARE(placed[0].x, x);
    QCOMPARE(placed[0].blankExtra, 0.0);
}

void TestMemoLayout::verticalAlignment_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QList<int>>("tops");
    // Box top 200, gap y 1, line step 15.
    QTest::newRow("top") << 0 << 50 << 2 << QList<int>{201, 216};
    QTest::newRow("middle") << 8 << 50 << 1 << QList<int>{201 + 16};
    QTest::newRow("middle, text taller than the box") << 8 << 10 << 1 << QList<int>{201 - 3};
    QTest::newRow("bottom") << 16 << 50 << 1 << QList<int>{200 + 50 - 1 - 15};
    QTest::newRow("bottom, two lines") << 16 << 50 << 2 << QList<int>{219, 234};
}

void TestMemoLayout::verticalAlignment()
{
    QFETCH(int, alignment);
    QFETCH(int, height);
    QFETCH(int, lineCount);
    QFETCH(QList<int>, tops);
    const TfrMemoBox box{100, 200, 100, height, 2, 1, 13, 2, alignment};
    Lines lines;
    for (int i = 0; i < lineCount; ++i)
        lines.append(end("x"));
    QList<int> got;
    for (const TfrPlacedLine &p : TfrMemoLayout::PlaceLines(lines, box, sevenEach))
        got.append(p.y);
    QCOMPARE(got, tops);
}

void TestMemoLayout::justification()
{
    const TfrMemoBox box{100, 200, 100, 80, 2, 1, 13, 2, frtaJustify};
    const QList<TfrPlacedLine> placed =
        TfrMemoLayout::PlaceLines({mid("a b c"), end("d e"), mid("abc"), end("f g")}, box, sevenEach);
    QCOMPARE(placed.size(), 4);
    // "a b c" is 35 wide: 61 free units over two blanks.
    QCOMPARE(placed[0].blankExtra, 30.5);
    QCOMPARE(placed[0].x, 102.0);
    QCOMPARE(placed[1].blankExtra, 0.0); // last line of its paragraph
    QCOMPARE(placed[2].blankExtra, 0.0); // no blank: left-aligned
    QCOMPARE(placed[2].x, 102.0);
    QCOMPARE(placed[3].blankExtra, 0.0);
    QCOMPARE(QList<int>({placed[0].y, placed[1].y, placed[2].y, placed[3].y}), QList<int>({201, 216, 231, 246}));
}

void TestMemoLayout::clipRectangle()
{
    const TfrMemoBox box{100, 200, 100, 50, 2, 1, 13, 2, 0};
    QCOMPARE(TfrMemoLayout::ClipRect(box), QRect(QPoint(101, 200), QPoint(198, 249)));
}

// The wrap measures a few whole lines exactly instead of every prefix; with a
// measure that is not the sum of its characters (a pair that kerns, a wide
// pair), it must still break exactly where measuring every prefix would.
void TestMemoLayout::wrapMatchesCharacterByCharacterMeasuring()
{
    const TfrMeasure kerned = [](const QString &text) {
        double w = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            w += TfrMemoLayout::IsDoubleByte(text[i]) ? 12 : 6;
            if (i > 0 && text[i - 1] == QLatin1Char('A') && text[i] == QLatin1Char('V'))
                w -= 3;
            if (i > 0 && text[i - 1] == QLatin1Char('W') && text[i] == QLatin1Char('W'))
                w += 2;
        }
        return w;
    };
    // Every prefix measured: the rules of the layout, spelt out.
    auto reference = [&](const QString &p, double available) {
        Lines out;
        if (!p.contains(QLatin1Char('\r')) && !p.contains(QLatin1Char('\n')) && (p.size() == 1 || kerned(p) <= available))
            return Lines{{p, true}};
        const bool blanks = !TfrMemoLayout::HasDoubleByte(p);
        qsizetype start = 0, candidate = -1;
        for (qsizetype i = 0; i < p.size(); ++i) {
            const QChar c = p[i];
            if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
                out.append({p.mid(start, i - start), true});
                while (i + 1 < p.size() && (p[i + 1] == QLatin1Char('\r') || p[i + 1] == QLatin1Char('\n')))
                    ++i;
                start = i + 1;
                candidate = -1;
                continue;
            }
            if (blanks && c == QLatin1Char(' ') && i > start)
                candidate = i;
            if (kerned(p.mid(start, i + 1 - start)) > available && i > start) {
                if (candidate > start) {
                    out.append({p.mid(start, candidate - start), false});
                    start = candidate + 1;
                    candidate = -1;
                    i = start - 1;
                } else {
                    out.append({p.mid(start, i - start), false});
                    start = i;
                    candidate = -1;
                    --i;
                }
            }
        }
        out.append({p.mid(start), true});
        return out;
    };
    const QString alphabet = QStringLiteral("AVWW  ab药\r\n");
    quint32 seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) & 0x7FFF;
    };
    for (int round = 0; round < 3000; ++round) {
        QString p;
        const int length = 1 + int(next() % 60);
        const bool ascii = round % 2 == 0;
        for (int i = 0; i < length; ++i) {
            QChar c = alphabet[int(next() % alphabet.size())];
            if (ascii && TfrMemoLayout::IsDoubleByte(c))
                c = QLatin1Char('W');
            p += c;
        }
        const double available = 5 + next() % 80;
        const Lines expected = reference(p, available);
        const Lines actual = TfrMemoLayout::WrapParagraph(p, available, kerned);
        if (actual != expected) {
            QString why = QStringLiteral("\"%1\" in %2: %3 instead of %4")
                              .arg(p).arg(available)
                              .arg(QString::fromUtf8(describe(actual)), QString::fromUtf8(describe(expected)));
            why.replace(QLatin1Char('\r'), QStringLiteral("\\r")).replace(QLatin1Char('\n'), QStringLiteral("\\n"));
            QFAIL(qPrintable(why));
        }
    }
}

DZSB_TEST_MAIN(TestMemoLayout)
#include "test_memo_layout.moc"
