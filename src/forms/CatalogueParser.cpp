#include "CatalogueParser.h"

#include "AppError.h"
#include "SourceRepeat.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>

namespace {

using Line = SourceLine;

[[noreturn]] void fail(int line, const QString &what)
{
    throw AppError(QStringLiteral("表单目录第%1行有误：%2").arg(line).arg(what));
}

struct Token {
    QString text;
    bool quoted = false; // the token began with a quote: a text, not a name or flag
};

// Splits a line into tokens; quotes are removed, escapes resolved. A token of
// the form key="..." keeps its key and loses the quotes of the value.
QList<Token> tokenize(const Line &line)
{
    QList<Token> tokens;
    QString current;
    bool inQuotes = false;
    bool haveToken = false;
    bool startedQuoted = false;
    const QString &s = line.text;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (inQuotes) {
            if (c == QLatin1Char('\\') && i + 1 < s.size()) {
                current += s[++i];
            } else if (c == QLatin1Char('"')) {
                inQuotes = false;
            } else {
                current += c;
            }
        } else if (c == QLatin1Char('"')) {
            if (!haveToken)
                startedQuoted = true;
            inQuotes = true;
            haveToken = true;
        } else if (c == QLatin1Char('#') && !haveToken) {
            break;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (haveToken) {
                tokens << Token{current, startedQuoted};
                current.clear();
                haveToken = false;
                startedQuoted = false;
            }
        } else {
            current += c;
            haveToken = true;
        }
    }
    if (inQuotes)
        fail(line.number, QStringLiteral("引号未闭合"));
    if (haveToken)
        tokens << Token{current, startedQuoted};
    return tokens;
}

const QHash<QString, CatalogueEntry::Kind> &kinds()
{
    static const QHash<QString, CatalogueEntry::Kind> k{
        {QStringLiteral("label"), CatalogueEntry::Kind::Label},
        {QStringLiteral("edit"), CatalogueEntry::Kind::Edit},
        {QStringLiteral("memo"), CatalogueEntry::Kind::Memo},
        {QStringLiteral("combo"), CatalogueEntry::Kind::Combo},
        {QStringLiteral("check"), CatalogueEntry::Kind::Check},
        {QStringLiteral("radio"), CatalogueEntry::Kind::Radio},
        {QStringLiteral("date"), CatalogueEntry::Kind::Date},
    };
    return k;
}

bool ownsCaption(CatalogueEntry::Kind kind)
{
    return kind == CatalogueEntry::Kind::Label || kind == CatalogueEntry::Kind::Check ||
           kind == CatalogueEntry::Kind::Radio;
}

CatalogueEntry parseEntry(const Line &line, const QList<Token> &tokens)
{
    CatalogueEntry e;
    e.kind = kinds().value(tokens[0].text);
    e.sourceLine = line.number;
    bool positionalText = false;
    for (qsizetype i = 1; i < tokens.size(); ++i) {
        const QString &t = tokens[i].text;
        const bool quoted = tokens[i].quoted;
        const qsizetype eq = quoted ? -1 : t.indexOf(QLatin1Char('='));
        if (quoted) {
            if (positionalText)
                fail(line.number, QStringLiteral("多余的文字：") + t);
            positionalText = true;
            if (ownsCaption(e.kind))
                e.caption = t;
            else
                e.label = t;
            continue;
        }
        if (eq > 0) {
            const QString key = t.left(eq);
            const QString value = t.mid(eq + 1);
            if (key == QLatin1String("label")) e.label = value;
            else if (key == QLatin1String("after")) e.after = value;
            else if (key == QLatin1String("panel")) e.panel = value;
            else if (key == QLatin1String("detail")) e.detailOf = value;
            else if (key == QLatin1String("line")) e.lines << value;
            else if (key == QLatin1String("width")) e.width = value.toInt();
            else if (key == QLatin1String("height")) e.height = value.toInt();
            else if (key == QLatin1String("item")) e.item = value;
            else if (key == QLatin1String("heading")) e.ownHeading = value;
            else if (key == QLatin1String("check")) {
                if (value == QLatin1String("cleared")) e.dateMode = CatalogueEntry::DateMode::Cleared;
                else if (value == QLatin1String("ticked")) e.dateMode = CatalogueEntry::DateMode::Ticked;
                else if (value == QLatin1String("none")) e.dateMode = CatalogueEntry::DateMode::NoCheckBox;
                else fail(line.number, QStringLiteral("未知的日期方式：") + value);
            } else fail(line.number, QStringLiteral("未知的属性：") + key);
            continue;
        }
        if (t == QLatin1String("gap")) e.gap = true;
        else if (t == QLatin1String("vscroll")) e.vscroll = true;
        else if (t == QLatin1String("readonly")) e.readOnly = true;
        else if (t == QLatin1String("skyblue")) e.skyBlue = true;
        else if (t == QLatin1String("red")) e.redText = true;
        else if (t == QLatin1String("hidden")) e.hidden = true;
        else if (t == QLatin1String("buttonface")) e.buttonFace = true;
        else if (t == QLatin1String("noborder")) e.noBorder = true;
        else if (t == QLatin1String("on")) e.initiallyOn = true;
        else if (t == QLatin1String("attach")) e.attach = true;
        else if (i == 1 && e.kind != CatalogueEntry::Kind::Label) e.name = t;
        else fail(line.number, QStringLiteral("无法识别：") + t);
    }
    if (e.kind != CatalogueEntry::Kind::Label && e.name.isEmpty())
        fail(line.number, QStringLiteral("控件缺少名字"));
    if (e.kind == CatalogueEntry::Kind::Radio && e.panel.isEmpty())
        fail(line.number, QStringLiteral("单选按钮缺少 panel：") + e.name);
    if (e.attach && e.kind != CatalogueEntry::Kind::Memo)
        fail(line.number, QStringLiteral("只有多行文本框可以标记 attach：") + e.name);
    return e;
}

// A caption without leading punctuation, blanks and its closing colon.
QString bare(QString text)
{
    text = text.trimmed();
    while (!text.isEmpty() && QStringLiteral("，、,").contains(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && (text.back() == QChar(0xFF1A) || text.back() == QLatin1Char(':') || text.back().isSpace()))
        text.chop(1);
    // Blank runs that leave room for a detail control on the form.
    static const QRegularExpression blanks(QStringLiteral("\\s{2,}"));
    text.replace(blanks, QStringLiteral(" "));
    return text;
}

bool numbered(const QString &text)
{
    return !text.isEmpty() && text.front().isDigit();
}

// The heading of every text-holding data control: the item's caption as the
// form shows it ("7.化学名："), prefixed with the numbered item or group it
// belongs to when the caption alone does not say ("28.申请机构1 名称："); a
// field of a grid with column heads by its line and column ("11.… 第5行 受理号：").
void setHeadings(Catalogue &catalogue)
{
    const QString fullColon = QStringLiteral("：");
    for (CataloguePage &page : catalogue.pages)
        for (CatalogueGroup &group : page.groups) {
            // The numbered item (or the group) that the following entries
            // belong to: set by fixed texts and button captions such as
            // "28.机构1（国内药品生产企业）：" or "12.制剂："; a field's own
            // numbered caption names that field alone.
            QString item = bare(group.caption);
            for (CatalogueBlock &block : group.blocks) {
                // A grid whose first row holds only fixed texts has column
                // heads: a field of the grid without a caption is named by
                // its line and its column's head ("第5行 受理号").
                QStringList heads;
                if (block.grid && !block.rows.isEmpty() &&
                    std::all_of(block.rows.first().entries.begin(), block.rows.first().entries.end(),
                                [](const CatalogueEntry &e) { return e.kind == CatalogueEntry::Kind::Label; }))
                    for (const CatalogueEntry &e : block.rows.first().entries)
                        heads << bare(e.caption);
                for (qsizetype r = 0; r < block.rows.size(); ++r) {
                    CatalogueRow &row = block.rows[r];
                    QString lastCaption; // of the row, for a field without one of its own
                    for (qsizetype c = 0; c < row.entries.size(); ++c) {
                        CatalogueEntry &e = row.entries[c];
                        QString own = bare(e.label.isEmpty() ? e.caption : e.label);
                        if (own.isEmpty() && r > 0 && c < heads.size() && !heads[c].isEmpty())
                            own = QStringLiteral("第%1行 ").arg(r) + heads[c];
                        // Marks of check boxes and radio buttons are one character,
                        // and a read-only memo on button face is fixed text.
                        const bool fixedText = e.kind == CatalogueEntry::Kind::Memo && e.readOnly && e.buttonFace;
                        const bool holdsText = e.kind != CatalogueEntry::Kind::Check &&
                                               e.kind != CatalogueEntry::Kind::Radio &&
                                               e.kind != CatalogueEntry::Kind::Label && !fixedText;
                        if (!e.name.isEmpty() && holdsText) {
                            if (own.isEmpty())
                                own = lastCaption;
                            QString heading;
                            if (numbered(own) || item.isEmpty())
                                heading = own.isEmpty() ? e.name : own;
                            else
                                heading = (own.isEmpty() || own == item) ? item : item + QLatin1Char(' ') + own;
                            e.heading = heading + fullColon;
                        } else if (numbered(own)) {
                            item = own;
                        }
                        if (!own.isEmpty())
                            lastCaption = own;
                    }
                }
            }
        }
}

} // namespace

namespace CatalogueParser {

Catalogue parse(const QString &text)
{
    QList<Line> expanded;
    try {
        expanded = SourceRepeat::expand(text);
    } catch (const SourceLineError &e) {
        fail(e.line, e.what);
    }

    Catalogue cat;
    QHash<QString, int> names; // control name (lower case) -> line, for duplicates
    CataloguePage *page = nullptr;
    CatalogueGroup *group = nullptr;
    CatalogueBlock *block = nullptr;
    CatalogueRow *row = nullptr;
    bool inGrid = false;
    int gridLine = 0;

    auto newBlock = [&](bool grid) {
        group->blocks.append(CatalogueBlock{grid, {}});
        block = &group->blocks.last();
        row = nullptr;
    };

    for (const Line &line : expanded) {
        const QList<Token> tokens = tokenize(line);
        if (tokens.isEmpty())
            continue;
        const QString &cmd = tokens[0].text;
        auto arg = [&](int i) { return i < tokens.size() ? tokens[i].text : QString(); };
        if (cmd == QLatin1String("form")) {
            if (tokens.size() < 2)
                fail(line.number, QStringLiteral("form 缺少名字"));
            cat.form = arg(1);
            cat.caption = arg(2);
        } else if (cmd == QLatin1String("page")) {
            if (tokens.size() < 3)
                fail(line.number, QStringLiteral("page 需要名字和标题"));
            if (inGrid)
                fail(gridLine, QStringLiteral("grid 缺少 endgrid"));
            cat.pages.append(CataloguePage{arg(1), arg(2), {}});
            page = &cat.pages.last();
            group = nullptr;
            block = nullptr;
            row = nullptr;
        } else if (cmd == QLatin1String("group")) {
            if (!page)
                fail(line.number, QStringLiteral("group 之前没有 page"));
            if (tokens.size() < 2)
                fail(line.number, QStringLiteral("group 缺少名字"));
            if (inGrid)
                fail(gridLine, QStringLiteral("grid 缺少 endgrid"));
            const QString name = arg(1) == QLatin1String("-") ? QString() : arg(1);
            page->groups.append(CatalogueGroup{name, arg(2), {}});
            group = &page->groups.last();
            block = nullptr;
            row = nullptr;
        } else if (cmd == QLatin1String("grid") || cmd == QLatin1String("endgrid")) {
            if (!group)
                fail(line.number, QStringLiteral("grid 之前没有 group"));
            const bool start = cmd == QLatin1String("grid");
            if (start == inGrid)
                fail(line.number, start ? QStringLiteral("grid 嵌套") : QStringLiteral("多余的 endgrid"));
            inGrid = start;
            gridLine = line.number;
            newBlock(start);
        } else if (cmd == QLatin1String("row")) {
            if (!group)
                fail(line.number, QStringLiteral("row 之前没有 group"));
            if (!block)
                newBlock(false);
            block->rows.append(CatalogueRow{});
            row = &block->rows.last();
        } else if (kinds().contains(cmd)) {
            if (!row)
                fail(line.number, QStringLiteral("控件之前没有 row"));
            CatalogueEntry e = parseEntry(line, tokens);
            if (!e.name.isEmpty()) {
                const QString key = e.name.toLower();
                if (names.contains(key))
                    fail(line.number, QStringLiteral("控件名重复：%1（第%2行已有）").arg(e.name).arg(names[key]));
                names.insert(key, line.number);
            }
            row->entries.append(e);
        } else {
            fail(line.number, QStringLiteral("未知的语句：") + cmd);
        }
    }
    if (inGrid)
        fail(gridLine, QStringLiteral("grid 缺少 endgrid"));
    if (cat.form.isEmpty())
        fail(1, QStringLiteral("缺少 form 语句"));
    // Every detail control names a button of the catalogue.
    for (const CatalogueEntry *e : cat.entries())
        if (!e->detailOf.isEmpty() && !cat.find(e->detailOf))
            fail(e->sourceLine, QStringLiteral("detail 指向不存在的控件：") + e->detailOf);
    setHeadings(cat);
    return cat;
}

Catalogue load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw AppError(QStringLiteral("无法读取表单目录：") + path);
    return parse(QString::fromUtf8(f.readAll()));
}

} // namespace CatalogueParser
