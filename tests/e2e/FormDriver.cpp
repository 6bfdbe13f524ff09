#include "FormDriver.h"

#include "CatalogueParser.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "TEABaseForm.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QWidget>

namespace FormDriver {

bool isDataControl(const CatalogueEntry &e)
{
    // A read-only memo on button face is fixed text (the declaration), not data.
    const bool fixedText = e.kind == CatalogueEntry::Kind::Memo && e.readOnly && e.buttonFace;
    return !e.name.isEmpty() && !fixedText;
}

namespace {
QList<const CatalogueEntry *> dataEntries(const Catalogue &cat)
{
    QList<const CatalogueEntry *> out;
    for (const CatalogueEntry *e : cat.entries())
        if (isDataControl(*e))
            out << e;
    return out;
}

// The visible buttons of each panel, in catalogue order.
QMap<QString, QStringList> panels(const QList<const CatalogueEntry *> &entries)
{
    QMap<QString, QStringList> out;
    for (const CatalogueEntry *e : entries)
        if (e->kind == CatalogueEntry::Kind::Radio && !e->hidden)
            out[e->panel].append(e->name);
    return out;
}

// Chooses one button of each panel, then ticks every check box, twice so that
// boxes enabled by an earlier tick get theirs.
void chooseButtons(TEABaseForm *form, const QList<const CatalogueEntry *> &entries, int round)
{
    QSet<QString> chosen;
    const auto all = panels(entries);
    for (auto it = all.begin(); it != all.end(); ++it)
        chosen.insert(round < 0 ? it->last() : it->at(round % it->size()));
    for (int pass = 0; pass < 2; ++pass) {
        for (const CatalogueEntry *e : entries) {
            auto *b = qobject_cast<QAbstractButton *>(form->findChild<QWidget *>(e->name));
            if (!b || !b->isEnabled())
                continue;
            if ((e->kind == CatalogueEntry::Kind::Radio && chosen.contains(e->name)) ||
                e->kind == CatalogueEntry::Kind::Check)
                b->setChecked(true);
        }
    }
}

struct Rule {
    QString form; // the catalogue's name the rule is limited to, or empty
    QRegularExpression pattern;
    QString value;
};

const QList<Rule> &rules()
{
    static const QList<Rule> list = [] {
        QList<Rule> out;
        QFile f(QStringLiteral(DZSB_E2E_DATA "/RealisticValues.txt"));
        if (!f.open(QIODevice::ReadOnly))
            qFatal("cannot read RealisticValues.txt");
        for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            const qsizetype tab = line.indexOf(QLatin1Char('\t'));
            if (tab < 0)
                qFatal("RealisticValues.txt: no tab in %s", qPrintable(line));
            QString value = line.mid(tab + 1);
            value.replace(QStringLiteral("\\n"), QStringLiteral("\r\n"));
            QString pattern = line.left(tab);
            QString form;
            static const QRegularExpression qualified(QStringLiteral("^([A-Z_]+):(.*)$"));
            if (const auto m = qualified.match(pattern); m.hasMatch()) {
                form = m.captured(1);
                pattern = m.captured(2);
            }
            out.append({form,
                        QRegularExpression(QRegularExpression::anchoredPattern(pattern),
                                           QRegularExpression::CaseInsensitiveOption),
                        value});
        }
        return out;
    }();
    return list;
}

} // namespace

int buttonRounds(const TEABaseForm *form)
{
    const Catalogue cat = CatalogueParser::load(form->type().catalogue);
    int rounds = 1;
    for (const QStringList &buttons : panels(dataEntries(cat)))
        rounds = qMax(rounds, int(buttons.size()));
    return rounds;
}

void fillEveryControl(TEABaseForm *form, int round)
{
    const Catalogue cat = CatalogueParser::load(form->type().catalogue);
    const auto entries = dataEntries(cat);
    chooseButtons(form, entries, round);
    int n = 0;
    for (const CatalogueEntry *e : entries) {
        QWidget *w = form->findChild<QWidget *>(e->name);
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
        case ControlKind::ComboBox: {
            auto *box = static_cast<QComboBox *>(w);
            const int index = round < 0 ? box->count() - 1 : (round + n) % qMax(1, box->count());
            Controls::setSelectedIndex(w, Controls::findItem(w, box->itemText(index)));
            break;
        }
        case ControlKind::DatePicker:
            static_cast<DatePicker *>(w)->setDate(QDate(2025, 1, 1).addDays(n));
            break;
        default:
            break;
        }
    }
}

QString realisticValue(const QString &name, const QString &form)
{
    for (const Rule &rule : rules())
        if ((rule.form.isEmpty() || rule.form == form) && rule.pattern.match(name).hasMatch())
            return rule.value;
    return QString();
}

QDate realisticDate(const QString &name, const QString &form)
{
    for (const Rule &rule : rules()) {
        if ((!rule.form.isEmpty() && rule.form != form) || !rule.pattern.match(name).hasMatch())
            continue;
        const QDate date = QDate::fromString(rule.value, QStringLiteral("yyyy/M/d"));
        if (date.isValid())
            return date;
    }
    return QDate(2026, 12, 28);
}

void fillRealistic(TEABaseForm *form)
{
    const Catalogue cat = CatalogueParser::load(form->type().catalogue);
    const auto entries = dataEntries(cat);
    chooseButtons(form, entries, -1);
    for (const CatalogueEntry *e : entries) {
        QWidget *w = form->findChild<QWidget *>(e->name);
        if (!w || !w->isEnabled() || e->readOnly)
            continue;
        const QString catalogueName = QFileInfo(form->type().catalogue).baseName();
        switch (Controls::kindOf(w)) {
        case ControlKind::Edit:
        case ControlKind::Memo:
            Controls::setText(w, realisticValue(e->name, catalogueName));
            break;
        case ControlKind::ComboBox: {
            auto *box = static_cast<QComboBox *>(w);
            // The entry a rule names, else the longest.
            int chosen = box->findText(realisticValue(e->name, catalogueName));
            if (chosen < 0)
                for (int i = 0; i < box->count(); ++i)
                    if (chosen < 0 || box->itemText(i).size() > box->itemText(chosen).size())
                        chosen = i;
            if (chosen >= 0)
                Controls::setSelectedIndex(w, Controls::findItem(w, box->itemText(chosen)));
            break;
        }
        case ControlKind::DatePicker:
            static_cast<DatePicker *>(w)->setDate(realisticDate(e->name, catalogueName));
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
