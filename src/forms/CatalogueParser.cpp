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

// The rules of the submission check an entry may carry, by its kind.
void checkRules(int line, const CatalogueEntry &e)
{
    using Kind = CatalogueEntry::Kind;
    const bool text = e.kind == Kind::Edit || e.kind == Kind::Memo || e.kind == Kind::Combo;
    if ((e.required || e.optional) && e.kind == Kind::Label)
        fail(line, QStringLiteral("固定文字不能标记 req 或 opt"));
    if (e.required && e.optional)
        fail(line, QStringLiteral("req 与 opt 不能同时标记：") + e.name);
    if ((e.format != FieldFormat::None || !e.formatFrom.isEmpty()) && !text)
        fail(line, QStringLiteral("只有文本框和下拉列表可以标记 fmt 或 fmtfrom：") + e.name);
    if (e.format != FieldFormat::None && !e.formatFrom.isEmpty())
        fail(line, QStringLiteral("fmt 与 fmtfrom 不能同时标记：") + e.name);
    if ((e.past || !e.before.isEmpty()) && e.kind != Kind::Date)
        fail(line, QStringLiteral("只有日期可以标记 past 或 before：") + e.name);
    if (!e.anyOf.isEmpty() && e.kind != Kind::Check)
        fail(line, QStringLiteral("只有复选框可以标记 anyof：") + e.name);
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
            else if (key == QLatin1String("fmt")) {
                const std::optional<FieldFormat> format = FieldFormats::byName(value);
                if (!format)
                    fail(line.number, QStringLiteral("未知的格式：") + value);
                e.format = *format;
            } else if (key == QLatin1String("fmtfrom")) e.formatFrom = value;
            else if (key == QLatin1String("before")) e.before = value;
            else if (key == QLatin1String("anyof")) e.anyOf = value;
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
        else if (t == QLatin1String("req")) e.required = true;
        else if (t == QLatin1String("opt")) e.optional = true;
        else if (t == QLatin1String("past")) e.past = true;
        else if (i == 1 && e.kind != CatalogueEntry::Kind::Label) e.name = t;
        else fail(line.number, QStringLiteral("无法识别：") + t);
    }
    if (e.kind != CatalogueEntry::Kind::Label && e.name.isEmpty())
        fail(line.number, QStringLiteral("控件缺少名字"));
    if (e.kind == CatalogueEntry::Kind::Radio && e.panel.isEmpty())
        fail(line.number, QStringLiteral("单选按钮缺少 panel：") + e.name);
    if (e.attach && e.kind != CatalogueEntry::Kind::Memo)
        fail(line.number, QStringLiteral("只有多行文本框可以标记 attach：") + e.name);
    checkRules(line.number, e);
    return e;
}

// A caption without leading punctuation, blanks and its closing colon, its
// blank runs one blank, and no blank after its item number ("15. 新药证书").
QString bare(QString text)
{
    text = text.trimmed();
    while (!text.isEmpty() && QStringLiteral("，、,").contains(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && (text.back() == QChar(0xFF1A) || text.back() == QLatin1Char(':') || text.back().isSpace()))
        text.chop(1);
    // Blank runs that leave room for a detail control on the form become one
    // blank; the blanks after a leading item number go.
    QString out;
    out.reserve(text.size());
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    const qsizetype afterNumber = digits > 0 && digits < text.size() && text[digits] == QLatin1Char('.') ? digits + 1 : -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isSpace()) {
            qsizetype end = i;
            while (end < text.size() && text[end].isSpace())
                ++end;
            if (i != afterNumber)
                out += end - i >= 2 ? QStringLiteral(" ") : text.mid(i, end - i);
            i = end - 1;
            continue;
        }
        out += text[i];
    }
    return out;
}

bool numbered(const QString &text)
{
    return !text.isEmpty() && text.front().isDigit();
}

// True for an entry that holds a text the user enters or that the form
// shows: edits, memos (but a read-only memo on button face, which is fixed
// text), drop-down lists and dates.
bool holdsText(const CatalogueEntry &e)
{
    using Kind = CatalogueEntry::Kind;
    if (e.kind == Kind::Memo)
        return !(e.readOnly && e.buttonFace);
    return e.kind == Kind::Edit || e.kind == Kind::Combo || e.kind == Kind::Date;
}

// How the submission check names a button: a radio button by its panel, the
// item it stands in and the fixed text before it ("12.制剂 属于"), or the
// button's own numbered caption ("11.非制剂"); a check box by its item and
// its own caption ("23.专利 有中国专利 药物专利"), or the item it begins.
QString choiceHeading(const CatalogueEntry &e, const QString &item, const QString &own, const QString &fixedText)
{
    auto join = [](const QString &first, const QString &second) {
        if (first.isEmpty() || first == second || first.endsWith(QLatin1Char(' ') + second))
            return first.isEmpty() ? second : first;
        return second.isEmpty() ? first : first + QLatin1Char(' ') + second;
    };
    if (numbered(own))
        return own;
    if (e.kind == CatalogueEntry::Kind::Radio)
        return join(item, fixedText);
    if (!e.item.isEmpty())
        return bare(e.item);
    return join(item, own);
}

// Sets the heading of every text-holding data control: the item it stands in
// and its own caption, as the form shows them.
//
// The item: a group begins with its caption as item ("药品注册代理机构",
// "官方填写"); a fixed text, button or field whose caption is numbered begins
// the item of that number ("19.药品标准："), and an entry with item=".."
// begins the item so named instead. The field's own caption: its heading=,
// else its label, else the caption of the button it details, else in a grid
// with column heads its line and column head ("第5行 受理号"), else the fixed
// text right before it in its row. The heading is the own caption when that
// is numbered (the field is the item) or the field is read-only; the item
// alone when the field has no caption or the item ends with it; otherwise
// item, a blank and the own caption; always followed by a full-width colon.
// Fields whose headings would be the same are told apart by the caption of
// the entry before each in its row ("注册地址 邮政编码", "生产地址 邮政编码").
void setHeadings(Catalogue &catalogue)
{
    using Kind = CatalogueEntry::Kind;
    struct Parts {
        CatalogueEntry *entry;
        QString item, own, before;
    };
    auto compose = [](const Parts &p, bool qualified) {
        QString own = p.own;
        if (qualified && !p.before.isEmpty() && !numbered(own))
            own = p.before + QLatin1Char(' ') + own;
        QString heading;
        if (numbered(own) || p.entry->readOnly || (p.item.isEmpty() && !own.isEmpty()))
            heading = own;
        else if (own.isEmpty() || p.item == own || p.item.endsWith(QLatin1Char(' ') + own))
            heading = p.item;
        else
            heading = p.item + QLatin1Char(' ') + own;
        return (heading.isEmpty() ? p.entry->name : heading) + QStringLiteral("：");
    };

    QHash<QString, const CatalogueEntry *> byName;
    for (const CatalogueEntry *e : catalogue.entries())
        if (!e->name.isEmpty())
            byName.insert(e->name.toLower(), e);
    QList<Parts> fields;
    for (CataloguePage &page : catalogue.pages)
        for (CatalogueGroup &group : page.groups) {
            QString item = bare(group.caption);
            for (CatalogueBlock &block : group.blocks) {
                // A grid whose first row holds only fixed texts has column heads.
                QStringList heads;
                if (block.grid && !block.rows.isEmpty() &&
                    std::all_of(block.rows.first().entries.begin(), block.rows.first().entries.end(),
                                [](const CatalogueEntry &e) { return e.kind == Kind::Label; }))
                    for (const CatalogueEntry &e : block.rows.first().entries)
                        heads << bare(e.caption);
                QString soleLabel; // the text of a row that holds only a fixed text
                for (qsizetype r = 0; r < block.rows.size(); ++r) {
                    QString fixedText;   // the fixed text right before the next entry
                    QString before;      // the caption of the entry before the next one
                    QString beforeFixed; // the caption of the entry before that fixed text
                    bool fixedNamesItem = false; // that fixed text begins an item
                    const QString rowCaption = soleLabel;
                    const QList<CatalogueEntry> &rowEntries = block.rows[r].entries;
                    soleLabel = rowEntries.size() == 1 && rowEntries[0].kind == Kind::Label
                                    ? bare(rowEntries[0].caption)
                                    : QString();
                    for (qsizetype c = 0; c < block.rows[r].entries.size(); ++c) {
                        CatalogueEntry &e = block.rows[r].entries[c];
                        if (!holdsText(e)) {
                            const QString own = bare(e.caption);
                            if (e.kind == Kind::Radio || e.kind == Kind::Check)
                                e.choiceHeading = choiceHeading(e, item, own,
                                                                fixedText.isEmpty() && c == 0 ? rowCaption
                                                                : fixedNamesItem              ? QString()
                                                                                              : fixedText);
                            if (!e.item.isEmpty())
                                item = bare(e.item);
                            else if (numbered(own))
                                item = own;
                            fixedText = e.kind == Kind::Label ? own : QString();
                            // A fixed text that begins an item is that item's caption.
                            fixedNamesItem = e.kind == Kind::Label && (!e.item.isEmpty() || numbered(own));
                            beforeFixed = before;
                            if (!own.isEmpty())
                                before = own;
                            continue;
                        }
                        QString own = bare(e.ownHeading.isEmpty() ? e.label : e.ownHeading);
                        const CatalogueEntry *button = e.detailOf.isEmpty() ? nullptr
                                                                            : byName.value(e.detailOf.toLower());
                        if (own.isEmpty() && button)
                            own = bare(button->caption);
                        if (own.isEmpty() && r > 0 && c < heads.size())
                            own = QStringLiteral("第%1行 ").arg(r) + heads[c];
                        // A field named by the fixed text before it is told apart
                        // by what stands before that text.
                        if (own.isEmpty() && !fixedText.isEmpty()) {
                            own = fixedText;
                            before = beforeFixed;
                        }
                        fixedText.clear();
                        if (!e.item.isEmpty())
                            item = bare(e.item);
                        else if (numbered(own) && !e.readOnly)
                            item = own;
                        // A detail's own button is no other entry to tell it by.
                        fields.append({&e, item, own, button && before == bare(button->caption) ? QString() : before});
                        if (!own.isEmpty())
                            before = own;
                    }
                }
            }
        }
    QHash<QString, int> count;
    for (const Parts &p : fields)
        ++count[compose(p, false)];
    for (const Parts &p : fields) {
        const QString plain = compose(p, false);
        p.entry->heading = count.value(plain) > 1 ? compose(p, true) : plain;
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
            for (qsizetype i = 3; i < tokens.size(); ++i) {
                if (tokens[i].text == QLatin1String("iffilled") && !tokens[i].quoted)
                    group->ifFilled = true;
                else
                    fail(line.number, QStringLiteral("无法识别：") + tokens[i].text);
            }
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
    // Every detail control names a button of the catalogue; a rule that
    // names another control names one of the right kind.
    for (const CatalogueEntry *e : cat.entries()) {
        if (!e->detailOf.isEmpty() && !cat.find(e->detailOf))
            fail(e->sourceLine, QStringLiteral("detail 指向不存在的控件：") + e->detailOf);
        if (!e->before.isEmpty()) {
            const CatalogueEntry *other = cat.find(e->before);
            if (!other || other->kind != CatalogueEntry::Kind::Date || other == e)
                fail(e->sourceLine, QStringLiteral("before 应指向另一个日期：") + e->before);
        }
        if (!e->formatFrom.isEmpty()) {
            const CatalogueEntry *list = cat.find(e->formatFrom);
            if (!list || list->kind != CatalogueEntry::Kind::Combo)
                fail(e->sourceLine, QStringLiteral("fmtfrom 应指向下拉列表：") + e->formatFrom);
        }
    }
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
