#include "DataImport.h"

#include "AppError.h"
#include "BindingMessages.h"
#include "CatalogueParser.h"
#include "ConfigDocument.h"
#include "ControlAdapter.h"
#include "DataFile.h"
#include "DatePicker.h"
#include "Helpers.h"
#include "ItemWords.h"
#include "SharedFields.h"
#include "TEABaseForm.h"
#include "TUIHelper.h"
#include "ValueRules.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <numeric>

using namespace ItemWords;

namespace {

const QString kVerifyCode = QStringLiteral("VerifyCode");
const QString kListSeparator = QStringLiteral("、");

QString folded(const QString &name)
{
    return name.toCaseFolded();
}

// A caption as a heading: no leading punctuation, no closing colon, blank
// runs (room for a detail control) as one blank.
QString bare(QString text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    text.replace(blanks, QStringLiteral(" "));
    text = text.trimmed();
    while (!text.isEmpty() && QStringLiteral("，、,").contains(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && (text.back() == QChar(0xFF1A) || text.back() == QLatin1Char(':') || text.back().isSpace()))
        text.chop(1);
    return text;
}

bool numbered(const QString &text)
{
    return !text.isEmpty() && text.front().isDigit();
}

// Where a control stands on its form and what it is called there.
struct Place {
    QString page;
    QString item;
    QString caption;
    int position = 0; // in the catalogue's order
};

// The place of every data control of a catalogue, by case-folded name: its
// page, the numbered item (or group box) it belongs to, and its own caption
// (a caption that repeats within the item is named with the one before it
// in its row: "注册申请负责人 职位").
QHash<QString, Place> places(const Catalogue &catalogue)
{
    QHash<QString, Place> out;
    for (const CataloguePage &page : catalogue.pages)
        for (const CatalogueGroup &group : page.groups) {
            const QString groupItem = bare(group.caption);
            QString item = groupItem;
            QSet<QString> used;
            for (const CatalogueBlock &block : group.blocks)
                for (const CatalogueRow &row : block.rows) {
                    QString before; // the last caption in the row
                    bool beforeButton = false;
                    for (const CatalogueEntry &e : row.entries) {
                        const QString own = bare(e.label.isEmpty() ? e.caption : e.label);
                        const bool holdsText = e.kind != CatalogueEntry::Kind::Label &&
                                               e.kind != CatalogueEntry::Kind::Check &&
                                               e.kind != CatalogueEntry::Kind::Radio;
                        // Fixed texts and buttons open a numbered item; a
                        // field's own numbered caption names that field alone,
                        // within its group.
                        if (numbered(own) && item != own && !holdsText) {
                            item = own;
                            used.clear();
                        } else if (numbered(own) && holdsText && item != groupItem) {
                            // A numbered field ends the item before it.
                            item = groupItem;
                            used.clear();
                        }
                        if (e.kind == CatalogueEntry::Kind::Label || e.name.isEmpty()) {
                            if (!own.isEmpty()) {
                                before = own;
                                beforeButton = false;
                            }
                            continue;
                        }
                        // A box without a caption of its own holds the detail
                        // of the text or button before it.
                        QString caption = own;
                        if (caption.isEmpty())
                            caption = !e.after.isEmpty() ? bare(e.after)
                                      : before.isEmpty() ? item
                                      : beforeButton     ? before + QStringLiteral("（填写内容）")
                                                         : before;
                        if (used.contains(caption) && !before.isEmpty() && before != caption)
                            caption = before + QLatin1Char(' ') + caption;
                        used.insert(caption);
                        if (!out.contains(folded(e.name)))
                            out.insert(folded(e.name), {page.caption, item, caption, int(out.size())});
                        if (!own.isEmpty()) {
                            before = own;
                            beforeButton = e.kind == CatalogueEntry::Kind::Check || e.kind == CatalogueEntry::Kind::Radio;
                        }
                    }
                }
        }
    return out;
}

// The first data item of a document's "ui-data" whose "Field" is field.
ConfigNode itemOfField(const ConfigDocument &doc, const QString &field)
{
    for (const ConfigNode &item : doc.section(ConfigSection::UiData).childElements())
        if (item.attribute(kField) == field)
            return item;
    return {};
}

// A memo's text for an edit box: its lines joined by blanks.
QString oneLine(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("[\\r\\n]+"));
    return QString(text).replace(breaks, QStringLiteral(" ")).trimmed();
}

} // namespace

// One side of the import: a form's catalogue, able to say how a control and
// a group item are named on that form.
struct DataImport::Side {
    const Catalogue &catalogue;
    QHash<QString, Place> place;

    QString captionOf(const QString &control) const
    {
        return place.value(folded(control)).caption;
    }
    // The caption of the group item whose key is key; empty when none.
    QString keyCaption(const ConfigNode &group, const QString &key) const
    {
        for (const ConfigNode &child : group.childElements())
            if (child.attribute(kKey) == key)
                return captionOf(child.attributeText(kName));
        return {};
    }
};

DataImport::DataImport(TEABaseForm *form, const QString &path) : FForm(form), FPath(path)
{
    if (!form->helper() || !form->helper()->Document() || form->isClosed())
        throw AppError(BindingMessages::NothingLoaded());
    FSource = ConfigDocument::parse(DataFile::Read(path));
    const ConfigNode type = FSource->section(ConfigSection::ConfigType);
    if (!type)
        throw AppError(BindingMessages::NoTypeField());
    const QString tag = type.attributeText(QStringLiteral("value"));
    for (const FormType &t : formTypes())
        if (t.typeTag == tag)
            FSourceType = &t;
    if (!FSourceType)
        throw AppError(QStringLiteral("文件“%1”不是本程序六种申请表的数据文件（类型为“%2”），无法导入。")
                           .arg(QDir::toNativeSeparators(path), tag));
    if (!FSource->section(ConfigSection::UiData) || !FSource->section(ConfigSection::DataFields))
        throw AppError(QStringLiteral("文件“%1”缺少数据部分，无法导入。").arg(QDir::toNativeSeparators(path)));

    const Catalogue target = CatalogueParser::load(form->type().catalogue);
    const Catalogue source = CatalogueParser::load(FSourceType->catalogue);
    pair(target, source);
}

DataImport::~DataImport() = default;

QString DataImport::sourceCheckCode() const
{
    const ConfigNode item = FSource->findNamed(FSource->section(ConfigSection::UiData), kVerifyCode);
    return FSource->FieldValue(item ? item.attributeText(kField) : kVerifyCode);
}

QObject *DataImport::control(const QString &name) const
{
    return FForm->helper()->FindControl(name);
}

DataImport::Kind DataImport::targetKind(const ConfigNode &item, QStringList &controls) const
{
    const std::optional<QString> type = item.attribute(kType);
    if (!type)
        return Kind::None; // never saved
    if (*type == kRadioGroup || *type == kCheckGroup) {
        for (const ConfigNode &child : item.childElements())
            if (child.hasAttribute(kName) && control(child.attributeText(kName)))
                controls << child.attributeText(kName);
        return controls.isEmpty() ? Kind::None : *type == kRadioGroup ? Kind::Radio : Kind::CheckGroup;
    }
    const QString name = item.attributeText(kName);
    QObject *c = name.isEmpty() ? nullptr : control(name);
    if (!c)
        return Kind::None;
    // Read-only boxes (the check code, fixed texts) take no value.
    if (auto *edit = qobject_cast<QLineEdit *>(c); edit && edit->isReadOnly())
        return Kind::None;
    if (auto *memo = qobject_cast<QPlainTextEdit *>(c); memo && memo->isReadOnly())
        return Kind::None;
    controls << name;
    switch (Controls::kindOf(c)) {
    case ControlKind::Edit:
        return Kind::Text;
    case ControlKind::Memo:
        return Kind::Memo;
    case ControlKind::CheckBox:
        return Kind::Check;
    case ControlKind::DatePicker:
        return Kind::Date;
    case ControlKind::ComboBox:
        // A drop-down list shows a value only through a "ComboBox" item.
        return *type == kComboBox ? Kind::Combo : Kind::None;
    default:
        return Kind::None;
    }
}

void DataImport::readRelations(const ConfigDocument &doc)
{
    // Each dependent's controllers and its depth below the top, walked
    // without recursion.
    struct Level {
        ConfigNode node;
        int depth;
    };
    QList<Level> pending;
    for (const ConfigNode &n : doc.section(ConfigSection::UiRelation).childElements())
        pending.append({n, 0});
    while (!pending.isEmpty()) {
        const Level level = pending.takeLast();
        const QString name = level.node.attributeText(kName);
        if (!level.node.hasChildElements() || !level.node.hasAttribute(kType) || name.isEmpty())
            continue;
        for (const ConfigNode &child : level.node.childElements()) {
            const QString dependent = folded(child.attributeText(kName));
            if (dependent.isEmpty())
                continue;
            FControllers[dependent].append(name);
            FDepth[dependent] = qMax(FDepth.value(dependent), level.depth + 1);
            pending.append({child, level.depth + 1});
        }
    }
}

QString DataImport::shownNow(const Pairing &p, const Side &target) const
{
    QStringList shown;
    for (const QString &name : p.controls) {
        QObject *c = control(name);
        switch (p.kind) {
        case Kind::Text:
        case Kind::Memo:
        case Kind::Combo:
            shown << Controls::text(c);
            break;
        case Kind::Check:
            if (Controls::isChecked(c))
                shown << QStringLiteral("是");
            break;
        case Kind::Date:
            if (auto *picker = qobject_cast<DatePicker *>(c); picker && picker->hasDate())
                shown << ValueRules::FromDate(picker->date());
            break;
        case Kind::Radio:
        case Kind::CheckGroup:
            if (Controls::isChecked(c))
                shown << target.captionOf(name);
            break;
        case Kind::None:
            break;
        }
    }
    return shown.join(kListSeparator);
}

DataImport::Incoming DataImport::readIncoming(const QString &field, const Side &source) const
{
    Incoming in;
    in.stored = FSource->FieldValue(field);
    const ConfigNode item = itemOfField(*FSource, field);
    if (item) {
        const QString type = item.attributeText(kType);
        if (type == kRadioGroup)
            in.kind = Kind::Radio;
        else if (type == kCheckGroup)
            in.kind = Kind::CheckGroup;
        else if (type == kComboBox)
            in.kind = Kind::Combo;
        else if (const CatalogueEntry *e = source.catalogue.find(item.attributeText(kName))) {
            // A plain item shows its value by the kind of its control.
            switch (e->kind) {
            case CatalogueEntry::Kind::Edit: in.kind = Kind::Text; break;
            case CatalogueEntry::Kind::Memo: in.kind = Kind::Memo; break;
            case CatalogueEntry::Kind::Check: in.kind = Kind::Check; break;
            case CatalogueEntry::Kind::Date: in.kind = Kind::Date; break;
            default: break;
            }
        }
    }
    switch (in.kind) {
    case Kind::Text:
    case Kind::Combo:
        in.text = in.shown = in.stored;
        break;
    case Kind::Memo:
        in.damaged = !ValueRules::DecodeMemo(in.stored, in.text);
        in.shown = in.text;
        break;
    case Kind::Check:
        if (ValueRules::IsNonBlank(in.stored)) {
            const std::optional<bool> on = ValueRules::ToBoolean(in.stored);
            in.damaged = !on;
            in.shown = on && *on ? QStringLiteral("是") : QString();
        }
        break;
    case Kind::Date:
        if (ValueRules::IsNonBlank(in.stored)) {
            const std::optional<QDate> date = ValueRules::ToDate(in.stored);
            in.damaged = !date;
            in.shown = date ? ValueRules::FromDate(*date) : in.stored;
        }
        break;
    case Kind::Radio:
        // What loading shows: the button whose key is the value, if any.
        in.shown = source.keyCaption(item, in.stored);
        if (!in.shown.isEmpty())
            in.keys << in.stored;
        break;
    case Kind::CheckGroup: {
        QStringList parts;
        SplitBySeparator(in.stored, parts, kMultiChoiceSeparator);
        QStringList captions;
        for (const QString &key : parts) {
            const QString caption = source.keyCaption(item, key);
            if (!caption.isEmpty() && !in.keys.contains(key)) {
                in.keys << key;
                captions << caption;
            }
        }
        in.shown = captions.join(kListSeparator);
        break;
    }
    case Kind::None:
        break;
    }
    return in;
}

void DataImport::settle(Pairing &p, ImportField &f, const Incoming &in, const Side &target) const
{
    f.incoming = in.shown;
    auto take = [&](const QString &value) {
        p.value = value;
        f.importable = true;
    };
    // A drop-down list takes only one of its entries.
    auto takeEntry = [&](const QString &text) {
        if (Controls::findItem(control(p.controls.first()), text) < 0)
            f.note = QStringLiteral("本表的下拉列表中没有这一项");
        else
            take(text);
    };
    if (in.damaged) {
        f.note = QStringLiteral("文件中的内容格式不对，不能导入");
    } else if (in.shown.isEmpty()) {
        if (in.kind == Kind::None && ValueRules::IsNonBlank(in.stored))
            f.note = QStringLiteral("文件中的这一项在其表上不显示");
    } else if (in.kind == p.kind) {
        switch (p.kind) {
        case Kind::Radio: {
            const QString key = in.keys.value(0);
            QString button;
            for (auto it = p.keyOfControl.cbegin(); it != p.keyOfControl.cend(); ++it)
                if (it.value() == key)
                    button = it.key();
            if (button.isEmpty()) {
                f.note = QStringLiteral("本表没有“%1”这一选项").arg(in.shown);
            } else {
                take(key);
                f.incoming = target.captionOf(button); // as this form names it
            }
            break;
        }
        case Kind::CheckGroup: {
            const ValueRules::KeyList own(QStringList(p.keyOfControl.values()).join(kMultiChoiceSeparator));
            QStringList kept;
            QStringList missing;
            for (const QString &key : in.keys)
                (own.contains(key) ? kept : missing) << key;
            if (kept.isEmpty()) {
                f.note = QStringLiteral("本表没有这些选项");
            } else {
                take(kept.join(kMultiChoiceSeparator));
                if (!missing.isEmpty())
                    f.note = QStringLiteral("本表没有：") + missing.join(kListSeparator);
            }
            break;
        }
        case Kind::Combo:
            takeEntry(in.text);
            break;
        default:
            // Stored alike on both forms: the very value the file holds.
            take(in.stored);
            break;
        }
    } else if (p.kind == Kind::Text && (in.kind == Kind::Memo || in.kind == Kind::Combo)) {
        take(oneLine(in.text));
        if (p.value != in.text)
            f.note = QStringLiteral("多行内容并为一行");
    } else if (p.kind == Kind::Memo && (in.kind == Kind::Text || in.kind == Kind::Combo)) {
        take(ValueRules::MemoToValue(in.text));
    } else if (p.kind == Kind::Combo && (in.kind == Kind::Text || in.kind == Kind::Memo)) {
        takeEntry(in.text);
    } else {
        f.note = QStringLiteral("两表此项的填写方式不同，不能导入");
    }
}

void DataImport::pair(const Catalogue &targetCatalogue, const Catalogue &sourceCatalogue)
{
    ConfigDocument &doc = *FForm->helper()->Document();
    const Side target{targetCatalogue, places(targetCatalogue)};
    const Side source{sourceCatalogue, places(sourceCatalogue)};
    const FormKind targetType = FForm->type().kind;
    const ConfigNode fields = doc.section(ConfigSection::DataFields);
    const QString verifyCode = FForm->verifyCodeEdit() ? FForm->verifyCodeEdit()->objectName() : kVerifyCode;
    readRelations(doc);

    struct Found {
        int position;
        ImportField field;
        Pairing pairing;
    };
    QList<Found> found;
    QSet<QString> seenFields;
    for (const ConfigNode &item : doc.section(ConfigSection::UiData).childElements()) {
        // Fields a save writes, once each, never the check code.
        const QString field = item.attributeText(kField);
        if (field.isEmpty() || seenFields.contains(field) || !doc.findNamed(fields, field))
            continue;
        Pairing p;
        p.item = item;
        p.kind = targetKind(item, p.controls);
        if (p.kind == Kind::None || field == kVerifyCode ||
            std::any_of(p.controls.begin(), p.controls.end(),
                        [&](const QString &c) { return c.compare(verifyCode, Qt::CaseInsensitive) == 0; }))
            continue;
        const QString sourceField = SharedFields::counterpart(targetType, field, FSourceType->kind);
        if (sourceField.isEmpty() || sourceField == kVerifyCode)
            continue;
        seenFields.insert(field);
        if (p.kind == Kind::Radio || p.kind == Kind::CheckGroup)
            for (const ConfigNode &child : item.childElements())
                if (child.hasAttribute(kName) && child.hasAttribute(kKey))
                    p.keyOfControl.insert(folded(child.attributeText(kName)), child.attributeText(kKey));

        ImportField f;
        f.field = field;
        f.sourceField = sourceField;
        const Place where = target.place.value(folded(p.controls.first()));
        f.page = where.page;
        f.item = where.item;
        f.caption = where.caption;
        if (p.kind == Kind::Radio || p.kind == Kind::CheckGroup) {
            // A group is named by its item; buttons that are items of their
            // own ("8.非制剂" and "9.剂型") name it together.
            QStringList items;
            for (const QString &c : p.controls) {
                const QString of = target.place.value(folded(c)).item;
                if (!of.isEmpty() && !items.contains(of))
                    items << of;
            }
            f.item = f.caption = items.isEmpty() ? where.item : items.join(QStringLiteral("／"));
            f.group = true;
        }
        f.current = shownNow(p, target);
        settle(p, f, readIncoming(sourceField, source), target);

        // What the field waits for, should its controllers stay off.
        QStringList needs;
        int position = INT_MAX;
        for (const QString &c : p.controls) {
            p.order = qMax(p.order, FDepth.value(folded(c)));
            position = qMin(position, target.place.value(folded(c), Place{{}, {}, {}, INT_MAX}).position);
            for (const QString &controller : FControllers.value(folded(c)))
                if (!needs.contains(target.captionOf(controller)))
                    needs << target.captionOf(controller);
        }
        if (!needs.isEmpty())
            f.needs = QStringLiteral("须先选中“%1”").arg(needs.join(QStringLiteral("”或“")));
        found.append({position, f, p});
    }
    // In the order the form shows them.
    std::stable_sort(found.begin(), found.end(), [](const Found &a, const Found &b) { return a.position < b.position; });
    for (const Found &x : found) {
        const int index = int(FFields.size());
        for (const QString &c : x.pairing.controls)
            FFieldOfControl.insert(folded(c), index);
        FFields.append(x.field);
        FPairings.append(x.pairing);
    }

    // Proposed: importable fields that are empty here, controllers first, so
    // that a dependent is proposed when its proposed controller enables it.
    QList<int> byOrder(FFields.size());
    std::iota(byOrder.begin(), byOrder.end(), 0);
    std::stable_sort(byOrder.begin(), byOrder.end(),
                     [this](int a, int b) { return FPairings[a].order < FPairings[b].order; });
    QSet<int> proposed;
    for (int i : byOrder) {
        ImportField &f = FFields[i];
        if (f.importable && f.current.isEmpty() && available(i, proposed)) {
            f.proposed = true;
            proposed.insert(i);
        }
    }
    for (int i = 0; i < FFields.size(); ++i) {
        ImportField &f = FFields[i];
        if (f.importable && f.note.isEmpty() && !available(i, proposed))
            f.note = f.needs.isEmpty() ? QStringLiteral("本表此项现在不可填写") : f.needs;
    }
}

// The controls that applying field `index` checks or fills.
QStringList DataImport::switchedOn(int index) const
{
    const Pairing &p = FPairings[index];
    if (p.kind != Kind::Radio && p.kind != Kind::CheckGroup)
        return p.controls;
    const ValueRules::KeyList keys(p.value);
    QStringList out;
    for (const QString &c : p.controls) {
        const auto key = p.keyOfControl.constFind(folded(c));
        if (key != p.keyOfControl.cend() && (p.kind == Kind::Radio ? *key == p.value : keys.contains(*key)))
            out << c;
    }
    return out;
}

// Whether a button is checked once the chosen fields are applied.
bool DataImport::controlOn(const QString &name, const QSet<int> &chosen, QSet<QString> &visiting) const
{
    QObject *c = control(name);
    if (!c)
        return false;
    const int index = FFieldOfControl.value(folded(name), -1);
    if (index >= 0 && chosen.contains(index) && FFields[index].importable) {
        const Pairing &p = FPairings[index];
        bool on = false;
        if (p.kind == Kind::Check)
            on = ValueRules::ToBoolean(p.value).value_or(false);
        else
            on = switchedOn(index).contains(name, Qt::CaseInsensitive);
        return on && controlEnabled(name, chosen, visiting);
    }
    return Controls::isChecked(c);
}

// Whether a control takes a value once the chosen fields are applied: a
// control that depends on buttons is enabled when one of them is checked;
// one whose controllers are all left as they are keeps its state.
bool DataImport::controlEnabled(const QString &name, const QSet<int> &chosen, QSet<QString> &visiting) const
{
    auto *widget = qobject_cast<QWidget *>(control(name));
    if (!widget)
        return false;
    const QStringList controllers = FControllers.value(folded(name));
    bool touched = false;
    for (const QString &c : controllers) {
        const int index = FFieldOfControl.value(folded(c), -1);
        if (index >= 0 && chosen.contains(index))
            touched = true;
    }
    if (!touched || visiting.contains(folded(name)))
        return widget->isEnabled();
    visiting.insert(folded(name));
    bool enabled = false;
    for (const QString &c : controllers)
        if (controlOn(c, chosen, visiting)) {
            enabled = true;
            break;
        }
    visiting.remove(folded(name));
    return enabled;
}

bool DataImport::available(int index, const QSet<int> &chosen) const
{
    if (index < 0 || index >= FFields.size() || !FFields[index].importable)
        return false;
    const QStringList on = switchedOn(index);
    if (on.isEmpty())
        return false;
    for (const QString &c : on) {
        QSet<QString> visiting;
        if (!controlEnabled(c, chosen, visiting))
            return false;
    }
    return true;
}

QString DataImport::appliedValue(int index) const
{
    return FPairings.value(index).value;
}

QStringList DataImport::apply(const QSet<int> &chosen)
{
    QList<int> order(chosen.begin(), chosen.end());
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        return FPairings[a].order != FPairings[b].order ? FPairings[a].order < FPairings[b].order : a < b;
    });
    QStringList skipped;
    bool changed = false;
    TUIHelper *helper = FForm->helper();
    for (int i : order) {
        if (i < 0 || i >= FFields.size() || !FFields[i].importable)
            continue;
        // Each control that takes the value must be enabled by now: a value
        // in a disabled control would be saved without the user seeing it.
        const QStringList on = switchedOn(i);
        const bool enabled = !on.isEmpty() && std::all_of(on.begin(), on.end(), [this](const QString &c) {
            auto *w = qobject_cast<QWidget *>(control(c));
            return w && w->isEnabled();
        });
        if (!enabled) {
            skipped << FFields[i].page + QLatin1Char(' ') + FFields[i].item +
                           (FFields[i].caption == FFields[i].item ? QString() : QLatin1Char(' ') + FFields[i].caption);
            continue;
        }
        helper->ApplyItemValue(FPairings[i].item, FPairings[i].value);
        changed = true;
    }
    if (changed)
        FForm->EntriesApplied();
    return skipped;
}
