#include "TemplateSource.h"

#include "SourceRepeat.h"
#include "TfrRenderer.h"

#include "TfrLineView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrReport.h"

#include <QHash>
#include <QSet>
#include <QList>
#include <cmath>
#include <stdexcept>

namespace {

struct Token {
    QString text;
    bool quoted = false;
};

// Page settings shared by every page of every template.
constexpr int kPaperSize = 9;
constexpr int kPaperWidth = 2101;
constexpr int kPaperHeight = 2969;
constexpr int kMargins[4] = {90, 79, 54, 54};

constexpr int kRowHeight = 20;
constexpr int kMarkWidth = 16;
constexpr int kSectionWidth = 68;

struct Style {
    QString font = QStringLiteral("宋体");
    int size = 10;
    quint16 fontStyle = 0;
    quint16 flags = 0x41;
    quint16 frame = 0;
    int align = 0;
    bool small = false;
    QString captionName; // r/c: the caption memo's own name instead of MemoN
    int width = 0;       // t: fixed width instead of the text's own
};

class Compiler {
public:
    explicit Compiler(TfrReport &report) : FReport(report) {}

    void run(const QString &source)
    {
        FReport.Pages().Clear();
        QList<SourceLine> lines;
        try {
            lines = SourceRepeat::expand(source);
        } catch (const SourceLineError &e) {
            FLine = e.line;
            fail(e.what);
        }
        for (const SourceLine &line : std::as_const(lines)) {
            FLine = line.number;
            const QList<Token> tokens = tokenize(line.text);
            if (!tokens.isEmpty())
                statement(tokens);
        }
        if (FInTable)
            fail(QStringLiteral("table 缺少 endtable"));
        finishPage();
        if (FReport.Pages().Count() == 0)
            fail(QStringLiteral("模板没有页"));
    }

private:
    [[noreturn]] void fail(const QString &what) const
    {
        throw std::runtime_error(QStringLiteral("第%1行：%2").arg(FLine).arg(what).toStdString());
    }

    QList<Token> tokenize(const QString &s) const
    {
        QList<Token> out;
        QString cur;
        bool inQuotes = false, have = false, quoted = false;
        for (qsizetype i = 0; i < s.size(); ++i) {
            const QChar c = s[i];
            if (inQuotes) {
                if (c == QLatin1Char('\\') && i + 1 < s.size()) {
                    const QChar n = s[++i];
                    cur += n == QLatin1Char('n') ? QChar(QLatin1Char('\n')) : n;
                } else if (c == QLatin1Char('"')) {
                    inQuotes = false;
                } else {
                    cur += c;
                }
            } else if (c == QLatin1Char('"')) {
                if (!have)
                    quoted = true;
                inQuotes = have = true;
            } else if (c == QLatin1Char('#') && !have) {
                break;
            } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
                if (have)
                    out << Token{cur, quoted};
                cur.clear();
                have = quoted = false;
            } else {
                cur += c;
                have = true;
            }
        }
        if (inQuotes)
            fail(QStringLiteral("引号未闭合"));
        if (have)
            out << Token{cur, quoted};
        return out;
    }

    int number(const QString &t) const
    {
        bool ok = false;
        const int v = t.startsWith(QLatin1String("0x")) ? t.mid(2).toInt(&ok, 16) : t.toInt(&ok);
        if (!ok)
            fail(QStringLiteral("不是数字：") + t);
        return v;
    }

    // Positional numbers from index `from`, then the optional quoted text, then
    // style attributes.
    void parseRest(const QList<Token> &t, int from, int count, QList<int> &numbers, QString *text,
                   Style &style) const
    {
        int i = from;
        for (int k = 0; k < count; ++k, ++i) {
            if (i >= t.size())
                fail(QStringLiteral("缺少数值"));
            numbers << number(t[i].text);
        }
        for (; i < t.size(); ++i) {
            const QString &s = t[i].text;
            if (t[i].quoted) {
                if (!text)
                    fail(QStringLiteral("多余的文字：") + s);
                *text = s;
                continue;
            }
            const qsizetype eq = s.indexOf(QLatin1Char('='));
            const QString key = eq > 0 ? s.left(eq) : s;
            const QString value = eq > 0 ? s.mid(eq + 1) : QString();
            if (key == QLatin1String("font")) style.font = value;
            else if (key == QLatin1String("size")) style.size = number(value);
            else if (key == QLatin1String("bold")) style.fontStyle |= 0x02;
            else if (key == QLatin1String("flags")) style.flags = quint16(number(value));
            else if (key == QLatin1String("frame")) style.frame = quint16(number(value));
            else if (key == QLatin1String("align")) style.align = number(value);
            else if (key == QLatin1String("small")) {
                style.font = QStringLiteral("Arial");
                style.flags = 0x43;
                style.small = true;
            } else if (key == QLatin1String("heading")) {
                style.font = QStringLiteral("黑体");
                style.flags = 0x43;
                style.frame = 0x03;
            } else if (key == QLatin1String("capname")) {
                style.captionName = value;
            } else if (key == QLatin1String("width")) {
                style.width = number(value);
            } else fail(QStringLiteral("未知的属性：") + s);
        }
    }

    // Width in report units of a text as the engine prints it in the style's
    // face, plus the inner margins and a unit to spare.
    static int textWidth(const QString &text, const Style &style)
    {
        const TfrMeasure measure =
            TfrRenderer::measureFor(TfrRenderer::reportFont(style.font, style.size, style.fontStyle));
        return int(std::ceil(measure(text))) + 6;
    }

    TfrPage &page()
    {
        if (!FPage)
            fail(QStringLiteral("对象之前没有 page"));
        return *FPage;
    }

    TfrMemoView *memo(const QString &name, int x, int y, int w, int h, const QString &text,
                      const Style &style, bool value)
    {
        auto *m = new TfrMemoView;
        m->Name = name;
        m->SetBounds(x, y, w, h);
        m->Flags = style.flags;
        m->FrameTyp = style.frame;
        m->FontName = style.font;
        m->FontSize = style.size;
        m->FontStyle = style.fontStyle;
        m->Alignment = style.align;
        m->Charset = 134; // GB2312
        if (!text.isEmpty())
            m->SetText(text);
        if (value) {
            if (FNames.contains(name.toLower()))
                fail(QStringLiteral("对象名重复：") + name);
            FNames.insert(name.toLower());
            FValues.append(m);
        } else {
            FStatics.append(m);
        }
        return m;
    }

    QString staticName() { return QStringLiteral("Memo%1").arg(++FMemoCount); }

    void line(int x, int y, int w, int h)
    {
        auto *l = new TfrLineView;
        l->Name = QStringLiteral("Line%1").arg(++FLineCount);
        l->SetBounds(x, y, w, h);
        l->Flags = 0x41;
        FStatics.append(l);
    }

    void finishPage()
    {
        if (!FPage)
            return;
        finishRow();
        for (TfrView *v : FStatics)
            FPage->Add(v);
        // Value objects in the stored order the page asks for, then the rest.
        QList<TfrView *> rest = FValues;
        for (const QString &name : FOrder) {
            auto it = std::find_if(rest.begin(), rest.end(),
                                   [&](TfrView *v) { return v->Name.compare(name, Qt::CaseInsensitive) == 0; });
            if (it == rest.end())
                fail(QStringLiteral("order 中的对象不存在：") + name);
            FPage->Add(*it);
            rest.erase(it);
        }
        for (TfrView *v : rest)
            FPage->Add(v);
        FStatics.clear();
        FValues.clear();
        FOrder.clear();
        FPage = nullptr;
    }

    void finishRow()
    {
        if (!FInRow)
            return;
        FInRow = false;
        const int bottom = FRowY + FRowHeight;
        if (FRowLine)
            line(FRowLeft, bottom, FTableX + FTableW - FRowLeft, 0);
        FCursorY = bottom;
    }

    void finishSection()
    {
        finishRow();
        if (!FInSection)
            return;
        FInSection = false;
        Style heading;
        heading.font = QStringLiteral("黑体");
        heading.flags = 0x43;
        heading.frame = 0x03;
        heading.align = 2 | 8;
        memo(staticName(), FTableX, FSectionY, FSectionW, FCursorY - FSectionY, FSectionTitle, heading, false);
    }

    int rowRight() const { return FTableX + FTableW; }
    // Vertical alignment of a row's entries: centred, or at the top in a row
    // of several lines, where a value that wraps continues below its start.
    int rowVertical() const { return FRowTop ? 0 : 8; }

    void requireRow(const QString &what)
    {
        if (!FInRow)
            fail(what + QStringLiteral(" 之前没有 row"));
    }

    void statement(const QList<Token> &t)
    {
        const QString &cmd = t[0].text;
        auto arg = [&](int i) { return i < t.size() ? t[i].text : QString(); };
        if (cmd == QLatin1String("template")) {
            FReport.setObjectName(arg(1));
        } else if (cmd == QLatin1String("printer")) {
            FReport.PrinterName = arg(1);
        } else if (cmd == QLatin1String("page")) {
            if (FInTable)
                fail(QStringLiteral("table 缺少 endtable"));
            finishPage();
            TfrPage &p = FReport.Pages().Add();
            p.Name = arg(1);
            p.pgSize = kPaperSize;
            p.pgWidth = kPaperWidth;
            p.pgHeight = kPaperHeight;
            p.LeftMargin = kMargins[0];
            p.TopMargin = kMargins[1];
            p.RightMargin = kMargins[2];
            p.BottomMargin = kMargins[3];
            p.pgOr = 0;
            p.pgBin = 65535;
            p.UseMargins = true;
            p.ColCount = 1;
            p.ColGap = 0;
            p.PageType = 0;
            FPage = &p;
        } else if (cmd == QLatin1String("order")) {
            page();
            for (int i = 1; i < t.size(); ++i)
                FOrder << t[i].text;
        } else if (cmd == QLatin1String("text") || cmd == QLatin1String("value")) {
            page();
            const bool value = cmd == QLatin1String("value");
            const int first = value ? 2 : 1;
            QList<int> n;
            QString text = value ? QStringLiteral("-") : QString();
            Style style;
            parseRest(t, first, 4, n, &text, style);
            if (style.small && value)
                text.clear();
            memo(value ? arg(1) : staticName(), n[0], n[1], n[2], n[3], text, style, value);
        } else if (cmd == QLatin1String("line")) {
            page();
            QList<int> n;
            Style style;
            parseRest(t, 1, 4, n, nullptr, style);
            line(n[0], n[1], n[2], n[3]);
        } else if (cmd == QLatin1String("border")) {
            page();
            QList<int> n;
            Style style;
            parseRest(t, 1, 4, n, nullptr, style);
            style.frame = 0x0F;
            memo(staticName(), n[0], n[1], n[2], n[3], QString(), style, false);
        } else if (cmd == QLatin1String("table")) {
            page();
            if (FInTable)
                fail(QStringLiteral("table 嵌套"));
            QList<int> n;
            Style style;
            FDefaultRowHeight = kRowHeight;
            QList<Token> rest;
            for (const Token &tok : t) {
                if (tok.text.startsWith(QLatin1String("rowheight=")))
                    FDefaultRowHeight = number(tok.text.mid(10));
                else
                    rest << tok;
            }
            parseRest(rest, 1, 3, n, nullptr, style);
            FInTable = true;
            FTableX = n[0];
            FCursorY = n[1];
            FTableW = n[2];
        } else if (cmd == QLatin1String("endtable")) {
            if (!FInTable)
                fail(QStringLiteral("多余的 endtable"));
            finishSection();
            FInTable = false;
        } else if (cmd == QLatin1String("section")) {
            if (!FInTable)
                fail(QStringLiteral("section 不在 table 中"));
            finishSection();
            FInSection = true;
            FSectionTitle = arg(1);
            FSectionW = kSectionWidth;
            FSectionY = FCursorY;
            for (int i = 2; i < t.size(); ++i)
                if (t[i].text.startsWith(QLatin1String("width=")))
                    FSectionW = number(t[i].text.mid(6));
        } else if (cmd == QLatin1String("endsection")) {
            if (!FInSection)
                fail(QStringLiteral("多余的 endsection"));
            finishSection();
        } else if (cmd == QLatin1String("row")) {
            if (!FInTable)
                fail(QStringLiteral("row 不在 table 中"));
            finishRow();
            FInRow = true;
            FRowY = FCursorY;
            FRowHeight = FDefaultRowHeight;
            FRowLine = true;
            FRowLeft = FTableX + (FInSection ? FSectionW : 0);
            FX = FRowLeft;
            FRowTextHeight = FDefaultRowHeight;
            FRowTop = false;
            for (int i = 1; i < t.size(); ++i) {
                if (t[i].text == QLatin1String("noline"))
                    FRowLine = false;
                else if (t[i].text == QLatin1String("top"))
                    FRowTop = true;
                else
                    FRowHeight = FRowTextHeight = number(t[i].text);
            }
        } else if (cmd == QLatin1String("t")) {
            requireRow(cmd);
            QList<int> n;
            QString text;
            Style style;
            style.align = rowVertical();
            parseRest(t, 1, 0, n, &text, style);
            const int w = style.width > 0 ? style.width : textWidth(text, style);
            memo(staticName(), FX, FRowY, w, FRowTextHeight, text, style, false);
            FX += w;
        } else if (cmd == QLatin1String("r") || cmd == QLatin1String("c")) {
            requireRow(cmd);
            QList<int> n;
            QString caption;
            Style style;
            style.align = rowVertical();
            parseRest(t, 2, 0, n, &caption, style);
            Style mark = style;
            mark.align = 2 | rowVertical();
            // The mark's glyph is as wide as the font is high: no inner margin.
            memo(arg(1), FX, FRowY, kMarkWidth, FRowTextHeight,
                 cmd == QLatin1String("r") ? QStringLiteral("○") : QStringLiteral("□"), mark, true)->gapx = 0;
            FX += kMarkWidth;
            if (!caption.isEmpty()) {
                const int w = textWidth(caption, style);
                if (style.captionName.isEmpty())
                    memo(staticName(), FX, FRowY, w, FRowTextHeight, caption, style, false);
                else
                    memo(style.captionName, FX, FRowY, w, FRowTextHeight, caption, style, true);
                FX += w;
            }
        } else if (cmd == QLatin1String("f") || cmd == QLatin1String("fill")) {
            requireRow(cmd);
            const bool fill = cmd == QLatin1String("fill");
            QList<int> n;
            QString text = QStringLiteral("-");
            Style style;
            style.align = rowVertical();
            parseRest(t, 2, fill ? 0 : 1, n, &text, style);
            if (style.small)
                text.clear();
            if (FRowTop)
                style.flags |= 0x02; // a long value wraps onto the row's next line
            const int w = fill ? rowRight() - FX - 2 : n[0];
            if (w <= 0)
                fail(QStringLiteral("行内没有剩余宽度：") + arg(1));
            memo(arg(1), FX, FRowY, w, FRowTextHeight, text, style, true);
            FX += w;
        } else if (cmd == QLatin1String("box")) {
            requireRow(cmd);
            QList<int> n;
            QString text;
            Style style;
            style.flags = 0x53;
            // at= and width= place boxes side by side under the row's texts;
            // without them each box takes the row's whole width below the last.
            int at = -1, width = -1;
            QList<Token> rest;
            for (const Token &tok : t) {
                if (!tok.quoted && tok.text.startsWith(QLatin1String("at=")))
                    at = number(tok.text.mid(3));
                else if (!tok.quoted && tok.text.startsWith(QLatin1String("width=")))
                    width = number(tok.text.mid(6));
                else
                    rest << tok;
            }
            parseRest(rest, 2, 1, n, &text, style);
            if (at < 0 && width < 0) {
                memo(arg(1), FRowLeft + 4, FRowY + FRowHeight, rowRight() - FRowLeft - 8, n[0], text, style, true);
                FRowHeight += n[0];
            } else {
                const int left = FRowLeft + 4 + qMax(at, 0);
                const int w = width > 0 ? width : rowRight() - 4 - left;
                if (w <= 0 || left + w > rowRight() - 4)
                    fail(QStringLiteral("框超出表格宽度：") + arg(1));
                memo(arg(1), left, FRowY + FRowTextHeight, w, n[0], text, style, true);
                FRowHeight = qMax(FRowHeight, FRowTextHeight + n[0]);
            }
        } else if (cmd == QLatin1String("skip")) {
            requireRow(cmd);
            FX += number(arg(1));
        } else if (cmd == QLatin1String("col")) {
            requireRow(cmd);
            const int to = FRowLeft + number(arg(1));
            if (to < FX)
                fail(QStringLiteral("col 位置已被占用：%1").arg(FX - FRowLeft));
            FX = to;
        } else {
            fail(QStringLiteral("未知的语句：") + cmd);
        }
        if (FInRow && FX > rowRight() + 1)
            fail(QStringLiteral("行超出表格宽度 %1 个单位").arg(FX - rowRight()));
    }

    TfrReport &FReport;
    int FLine = 0;
    TfrPage *FPage = nullptr;
    QList<TfrView *> FStatics;
    QList<TfrView *> FValues;
    QStringList FOrder;
    QSet<QString> FNames;
    int FMemoCount = 0;
    int FLineCount = 0;

    bool FInTable = false;
    int FTableX = 0, FTableW = 0, FCursorY = 0;
    int FDefaultRowHeight = kRowHeight;
    bool FInSection = false;
    QString FSectionTitle;
    int FSectionW = 0, FSectionY = 0;
    bool FInRow = false;
    int FRowY = 0, FRowHeight = 0, FRowTextHeight = 0, FRowLeft = 0, FX = 0;
    bool FRowLine = true;
    bool FRowTop = false;
};

} // namespace

namespace TemplateSource {

void compile(const QString &source, TfrReport &report)
{
    Compiler compiler(report);
    compiler.run(source);
}

} // namespace TemplateSource
