#include "SubmissionCheck.h"

#include "ConfigDocument.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "TUIHelper.h"

#include <QComboBox>
#include <QSet>
#include <QWidget>
#include <algorithm>

const QString SubmissionCheck::MustFill = QStringLiteral("必须填写");
const QString SubmissionCheck::MustChoose = QStringLiteral("必须选择一项");
const QString SubmissionCheck::ChooseOne = QStringLiteral("至少选择一项");
const QString SubmissionCheck::NotFuture = QStringLiteral("不能晚于今天");

namespace {

using Kind = CatalogueEntry::Kind;

// A caption without its closing colon and blanks.
QString withoutColon(QString text)
{
    while (!text.isEmpty() && (text.back() == QChar(0xFF1A) || text.back() == QLatin1Char(':') || text.back().isSpace()))
        text.chop(1);
    return text.trimmed();
}

// How a problem names a text field: its heading as the form shows it.
QString fieldHeading(const CatalogueEntry &e)
{
    if (!e.heading.isEmpty())
        return withoutColon(e.heading);
    return e.choiceHeading.isEmpty() ? e.name : e.choiceHeading;
}

// How a problem names the controls a button enables: the check box itself,
// or the radio button under its panel ("22.是否特殊管理药品 是").
QString controllerHeading(const CatalogueEntry &e)
{
    if (e.kind != Kind::Radio)
        return e.choiceHeading;
    const QString own = withoutColon(e.caption).simplified();
    if (own.isEmpty() || e.choiceHeading.endsWith(own))
        return e.choiceHeading;
    return e.choiceHeading + QLatin1Char(' ') + own;
}

} // namespace

QString CheckProblem::text() const
{
    return pageCaption + QStringLiteral(" · ") + heading + QStringLiteral("：") + message;
}

SubmissionCheck::SubmissionCheck(const Catalogue &catalogue)
{
    int groupIndex = 0;
    for (int p = 0; p < catalogue.pages.size(); ++p) {
        const CataloguePage &page = catalogue.pages[p];
        FPageCaptions << page.caption;
        for (const CatalogueGroup &group : page.groups) {
            FGroupIfFilled << group.ifFilled;
            for (const CatalogueBlock &block : group.blocks)
                for (const CatalogueRow &row : block.rows)
                    for (const CatalogueEntry &e : row.entries) {
                        if (e.name.isEmpty())
                            continue;
                        const int index = int(FEntries.size());
                        FEntries.append({&e, p, groupIndex});
                        FIndex.insert(e.name.toLower(), index);
                        if (e.kind == Kind::Radio)
                            FPanels[e.panel].append(index);
                        if (!e.anyOf.isEmpty()) {
                            if (!FAnyOf.contains(e.anyOf))
                                FAnyOfOrder << e.anyOf;
                            FAnyOf[e.anyOf].append(index);
                        }
                    }
            ++groupIndex;
        }
    }
}

CheckResult SubmissionCheck::run(const TUIHelper &helper, const QDate &today) const
{
    const int n = int(FEntries.size());
    QList<QObject *> controls(n, nullptr);
    QList<bool> active(n, false), filled(n, false);
    QList<bool> groupFilled(FGroupIfFilled.size(), false);
    for (int i = 0; i < n; ++i) {
        const CatalogueEntry &e = *FEntries[i].entry;
        QObject *control = helper.FindControl(e.name);
        controls[i] = control;
        auto *widget = qobject_cast<QWidget *>(control);
        // Only what the user can fill: a control the form shows, enabled and
        // not read-only.
        active[i] = widget && widget->isEnabled() && !e.hidden && !e.readOnly;
        if (!active[i])
            continue;
        switch (Controls::kindOf(control)) {
        case ControlKind::Edit:
        case ControlKind::Memo:
            filled[i] = !Controls::text(control).trimmed().isEmpty();
            break;
        case ControlKind::ComboBox:
            filled[i] = Controls::selectedIndex(control) >= 0 && !Controls::text(control).trimmed().isEmpty();
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            filled[i] = Controls::isChecked(control);
            break;
        case ControlKind::DatePicker:
            filled[i] = static_cast<const DatePicker *>(control)->hasDate();
            break;
        case ControlKind::Other:
            break;
        }
        const Kind kind = e.kind;
        if (filled[i] && kind != Kind::Check && kind != Kind::Radio)
            groupFilled[FEntries[i].group] = true;
    }
    auto inForce = [&](int i) {
        const int group = FEntries[i].group;
        return !FGroupIfFilled[group] || groupFilled[group];
    };

    // What is required: the entries marked so and what the buttons that are
    // on enable.
    QSet<int> entries;
    QSet<QString> panels;
    struct Set {
        int controller;
        QList<int> boxes;
    };
    QList<Set> sets;
    for (int i = 0; i < n; ++i) {
        const CatalogueEntry &e = *FEntries[i].entry;
        if (!e.required || !inForce(i))
            continue;
        if (e.kind == Kind::Radio)
            panels.insert(e.panel);
        else if (active[i])
            entries.insert(i);
    }
    const ConfigDocument *doc = helper.Document();
    const ConfigNode relations = doc ? doc->section(ConfigSection::UiRelation) : ConfigNode();
    if (relations) {
        const QString nameAttribute = QStringLiteral("name");
        for (int i = 0; i < n; ++i) {
            const Kind kind = FEntries[i].entry->kind;
            if ((kind != Kind::Check && kind != Kind::Radio) || !Controls::isChecked(controls[i]))
                continue;
            const ConfigNode node = doc->findNamed(relations, FEntries[i].entry->name);
            if (!node)
                continue;
            Set set{i, {}};
            for (const ConfigNode &child : node.childElements()) {
                if (!child.hasAttribute(nameAttribute))
                    continue;
                const int j = FIndex.value(child.attributeText(nameAttribute).toLower(), -1);
                if (j < 0 || FEntries[j].entry->optional || !active[j])
                    continue;
                const CatalogueEntry &d = *FEntries[j].entry;
                if (d.kind == Kind::Radio)
                    panels.insert(d.panel);
                else if (d.kind == Kind::Check) {
                    if (!set.boxes.contains(j))
                        set.boxes << j;
                } else
                    entries.insert(j);
            }
            if (!set.boxes.isEmpty())
                sets << set;
        }
    }

    // The problems, each at the entry it belongs to; sorted into the form's
    // order at the end.
    struct Found {
        int order;
        CheckProblem problem;
    };
    QList<Found> found;
    auto report = [&](int order, int control, const QString &heading, const QString &message) {
        const Entry &at = FEntries[control];
        found.append({order, {at.page, FPageCaptions[at.page], heading, at.entry->name, message}});
    };
    CheckResult result;
    QList<int> required(entries.begin(), entries.end());
    std::sort(required.begin(), required.end());
    for (int i : required) {
        ++result.required;
        if (filled[i])
            ++result.met;
        else
            report(i, i, fieldHeading(*FEntries[i].entry),
                   FEntries[i].entry->kind == Kind::Combo ? MustChoose : MustFill);
    }
    for (const QString &panel : panels) {
        const QList<int> &buttons = FPanels.value(panel);
        QList<int> shown;
        for (int b : buttons)
            if (active[b])
                shown << b;
        if (shown.isEmpty())
            continue;
        ++result.required;
        if (std::any_of(shown.begin(), shown.end(), [&](int b) { return filled[b]; }))
            ++result.met;
        else
            report(buttons.first(), shown.first(), FEntries[buttons.first()].entry->choiceHeading, MustChoose);
    }
    for (const Set &set : sets) {
        ++result.required;
        if (std::any_of(set.boxes.begin(), set.boxes.end(), [&](int b) { return filled[b]; }))
            ++result.met;
        else
            report(set.boxes.first(), set.boxes.first(), controllerHeading(*FEntries[set.controller].entry), ChooseOne);
    }
    for (const QString &name : FAnyOfOrder) {
        QList<int> shown;
        for (int b : FAnyOf.value(name))
            if (active[b] && inForce(b))
                shown << b;
        if (shown.isEmpty())
            continue;
        ++result.required;
        if (std::any_of(shown.begin(), shown.end(), [&](int b) { return filled[b]; }))
            ++result.met;
        else
            report(shown.first(), shown.first(), name, ChooseOne);
    }

    // Formats and dates of the values there are.
    for (int i = 0; i < n; ++i) {
        if (!active[i] || !filled[i])
            continue;
        const CatalogueEntry &e = *FEntries[i].entry;
        FieldFormat format = e.format;
        if (!e.formatFrom.isEmpty()) {
            const int list = FIndex.value(e.formatFrom.toLower(), -1);
            if (list >= 0 && controls[list])
                format = FieldFormats::byNumberKind(Controls::text(controls[list]));
        }
        if (format != FieldFormat::None) {
            const QString message = FieldFormats::problem(format, Controls::text(controls[i]));
            if (!message.isEmpty())
                report(i, i, fieldHeading(e), message);
        }
        if (e.kind != Kind::Date)
            continue;
        auto *picker = qobject_cast<DatePicker *>(controls[i]);
        if (!picker)
            continue;
        const QDate date = picker->date();
        if (e.past && date > today)
            report(i, i, fieldHeading(e), NotFuture);
        if (!e.before.isEmpty()) {
            const int other = FIndex.value(e.before.toLower(), -1);
            if (other >= 0 && active[other] && filled[other] &&
                qobject_cast<DatePicker *>(controls[other]) &&
                !(date < static_cast<DatePicker *>(controls[other])->date()))
                report(i, i, fieldHeading(e),
                       QStringLiteral("应早于“") + fieldHeading(*FEntries[other].entry) + QStringLiteral("”"));
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Found &a, const Found &b) { return a.order < b.order; });
    for (const Found &f : found)
        result.problems << f.problem;
    return result;
}
