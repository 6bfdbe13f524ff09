#include "FormDriver.h"

#include "CatalogueParser.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "TEABaseForm.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QWidget>

namespace FormDriver {

namespace {
QList<const CatalogueEntry *> dataEntries(const Catalogue &cat)
{
    QList<const CatalogueEntry *> out;
    for (const CatalogueEntry *e : cat.entries())
        if (!e->name.isEmpty() && e->name != QLatin1String("Memo4"))
            out << e;
    return out;
}
}

void fillEveryControl(TEABaseForm *form)
{
    const Catalogue cat = CatalogueParser::load(form->type().catalogue);
    const auto entries = dataEntries(cat);
    auto widget = [form](const QString &name) { return form->findChild<QWidget *>(name); };
    // The last button of each panel, then every check box, twice so that
    // boxes enabled by an earlier tick get theirs.
    QMap<QString, QString> lastOfPanel;
    for (const CatalogueEntry *e : entries)
        if (e->kind == CatalogueEntry::Kind::Radio && !e->hidden)
            lastOfPanel[e->panel] = e->name;
    for (int pass = 0; pass < 2; ++pass) {
        for (const CatalogueEntry *e : entries) {
            auto *b = qobject_cast<QAbstractButton *>(widget(e->name));
            if (!b || !b->isEnabled())
                continue;
            if ((e->kind == CatalogueEntry::Kind::Radio && lastOfPanel.value(e->panel) == e->name) ||
                e->kind == CatalogueEntry::Kind::Check)
                b->setChecked(true);
        }
    }
    int n = 0;
    for (const CatalogueEntry *e : entries) {
        QWidget *w = widget(e->name);
        if (!w || !w->isEnabled() || e->readOnly)
            continue;
        ++n;
        switch (Controls::kindOf(w)) {
        case ControlKind::Edit:
            Controls::setText(w, QStringLiteral("值") + e->name);
            break;
        case ControlKind::Memo:
            Controls::setText(w, QStringLiteral("第一行：") + e->name + QStringLiteral("\r\n第二行②，含\"引号\"&<>"));
            break;
        case ControlKind::ComboBox:
            Controls::setSelectedIndex(w, Controls::findItem(w, static_cast<QComboBox *>(w)->itemText(
                                                                   static_cast<QComboBox *>(w)->count() - 1)));
            break;
        case ControlKind::DatePicker:
            static_cast<DatePicker *>(w)->setDate(QDate(2025, 1, 1).addDays(n));
            break;
        default:
            break;
        }
    }
}

QMap<QString, QString> snapshot(const TEABaseForm *form)
{
    QMap<QString, QString> out;
    const Catalogue cat = CatalogueParser::load(form->type().catalogue);
    for (const CatalogueEntry *e : dataEntries(cat)) {
        QWidget *w = form->findChild<QWidget *>(e->name);
        QString state;
        switch (Controls::kindOf(w)) {
        case ControlKind::Edit:
        case ControlKind::Memo:
            state = QStringLiteral("text=") + Controls::text(w);
            break;
        case ControlKind::ComboBox:
            state = QStringLiteral("sel=") + Controls::text(w);
            break;
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            state = Controls::isChecked(w) ? QStringLiteral("on") : QStringLiteral("off");
            break;
        case ControlKind::DatePicker: {
            auto *p = static_cast<DatePicker *>(w);
            state = p->hasDate() ? QStringLiteral("date=") + p->date().toString(Qt::ISODate) : QStringLiteral("nodate");
            break;
        }
        case ControlKind::Other:
            state = QStringLiteral("?");
            break;
        }
        if (w && !w->isEnabled())
            state += QStringLiteral(" disabled");
        out.insert(e->name, state);
    }
    return out;
}

} // namespace FormDriver
