// TUIHelper, report filling: every data item of "ui-data" goes into the report
// object of the same name - texts for plain items, filled or empty circles for
// radio group items, filled or empty squares for check group items. A fill
// changes only the report's objects, never the document or the controls.
#include "TUIHelper.h"

#include "ControlAdapter.h"
#include "Dialogs.h"
#include "TfrReport.h"
#include "TfrView.h"
#include "ValueRules.h"
#include "frTypes.h"

#include <QWidget>

namespace {
const QString kRadioOn = QStringLiteral("●");
const QString kRadioOff = QStringLiteral("○");
const QString kCheckOn = QStringLiteral("■");
const QString kCheckOff = QStringLiteral("□");
const QString kControlMissing = QStringLiteral("控件未找到！ ");
const QString kReportObjectMissing = QStringLiteral("报表控件未找到！ ");

// A control hidden on purpose (never shown on the form, whatever page is
// current). Controls on pages that are not current, or on a form not yet
// shown, are not hidden in this sense.
bool explicitlyHidden(const QObject *control)
{
    const auto *w = qobject_cast<const QWidget *>(control);
    return w && w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->testAttribute(Qt::WA_WState_Hidden);
}
}

void TUIHelper::FillReport()
{
    if (!FReport || !FDoc)
        return;
    const ConfigNode data = Section(ConfigSection::UiData);
    if (!data)
        return;
    Batched([&] {
        for (const ConfigNode &item : data.childElements()) {
            const std::optional<QString> type = item.attribute(QStringLiteral("type"));
            if (!type)
                continue;
            if (*type == QLatin1String("RadioGroup"))
                FillRadioMarks(item);
            else if (*type == QLatin1String("CheckGroup"))
                FillCheckMarks(item);
            else
                FillPlainItem(item);
        }
    });
}

void TUIHelper::FillRadioMarks(const ConfigNode &item)
{
    const std::optional<QString> field = item.attribute(QStringLiteral("Field"));
    if (!field)
        return; // the group's objects keep the template's text
    const QString value = FDoc->FieldValue(*field);
    FillMarks(item, [&](const QString &key) { return key == value; }, kRadioOn, kRadioOff);
}

void TUIHelper::FillCheckMarks(const ConfigNode &item)
{
    const std::optional<QString> field = item.attribute(QStringLiteral("Field"));
    const ValueRules::KeyList keys(field ? FDoc->FieldValue(*field) : QString());
    FillMarks(item, [&](const QString &key) { return keys.contains(key); }, kCheckOn, kCheckOff);
}

// Every child with a key and a name gets `on` or `off` in its report object;
// children without a key are passed over. A button that the form never shows
// may have no report object: nothing of it is printed, and no message.
void TUIHelper::FillMarks(const ConfigNode &item, const std::function<bool(const QString &)> &selected,
                          const QString &on, const QString &off)
{
    for (const ConfigNode &child : item.childElements()) {
        const std::optional<QString> key = child.attribute(QStringLiteral("key"));
        const std::optional<QString> name = child.attribute(QStringLiteral("name"));
        if (!key || !name)
            continue;
        if (TfrView *object = FReport->FindObject(*name))
            object->SetText(selected(*key) ? on : off);
        else if (!explicitlyHidden(FindControl(*name)))
            Warn(Message::ControlMissing, *name, kControlMissing + *name);
    }
}

void TUIHelper::FillPlainItem(const ConfigNode &item)
{
    const std::optional<QString> field = item.attribute(QStringLiteral("Field"));
    QString text = field ? FDoc->FieldValue(*field) : QString();
    const std::optional<QString> name = item.attribute(QStringLiteral("name"));
    if (!name)
        return;
    TfrView *object = FReport->FindObject(*name);
    if (!object) {
        Warn(Message::ReportObjectMissing, *name, kReportObjectMissing + *name);
        return;
    }
    QObject *control = FindControl(*name);
    if (!control) {
        Warn(Message::ControlMissing, *name, kControlMissing + *name);
        return;
    }
    switch (Controls::kindOf(control)) {
    case ControlKind::Memo:
        // The memo's current text, not the stored Base64; a line separator
        // breaks the line on paper as it does on screen.
        text = Controls::text(control);
        text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
        break;
    case ControlKind::CheckBox:
        text = Controls::isChecked(control) ? kCheckOn : kCheckOff;
        break;
    default:
        break; // the value collected at the last save
    }
    // Printed literally: no bracketed expression in a value is evaluated, and
    // a value the user entered as "0" prints as entered.
    object->SetPropertyByName(QStringLiteral("TEXTONLY"), 16);
    object->Flags &= ~flHideZeros;
    object->SetText(text);
}

void TUIHelper::ShowReport()
{
    if (FReport)
        FReport->ShowPreview();
}
