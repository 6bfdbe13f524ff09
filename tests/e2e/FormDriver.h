#pragma once
// Drives a whole application form as a user would: chooses a button in every
// radio panel, ticks every check box, and types into every enabled edit box,
// memo, date picker and drop-down list; and describes the state of every
// control of the form's catalogue, for comparing a form before and after.
#include <QMap>
#include <QString>

class TEABaseForm;

namespace FormDriver {
// Chooses the last button of each radio panel, ticks every check box, then
// fills every enabled data control with a value made from its name
// (Chinese text, memos with line breaks, dates, the last list entry).
void fillEveryControl(TEABaseForm *form);
// Control name -> its state ("text=…", "on"/"off", "date=…"/"nodate",
// "sel=…"), with " disabled" added for a disabled control.
QMap<QString, QString> snapshot(const TEABaseForm *form);
}
