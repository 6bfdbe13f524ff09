#pragma once
// Drives a whole application form as a user would: chooses a button in every
// radio panel, ticks every check box, and types into every enabled edit box,
// memo, date picker and drop-down list; and describes the state of every
// control of the form's catalogue, for comparing a form before and after.
#include <QDate>
#include <QMap>
#include <QString>

class TEABaseForm;
struct CatalogueEntry;

namespace FormDriver {
// True for an entry of the catalogue that holds data (a named control other
// than fixed text shown in a read-only memo).
bool isDataControl(const CatalogueEntry &entry);
// How many rounds of fillEveryControl choose every visible button of every
// radio panel once: the size of the largest panel.
int buttonRounds(const TEABaseForm *form);
// Chooses a button in each radio panel (in round r the r-th visible button,
// counted round the panel; with r = -1 the last), ticks every check box, then
// fills every enabled data control with a value made from its name (Chinese
// text, memos with line breaks, dates, a list entry that changes with the round).
void fillEveryControl(TEABaseForm *form, int round = -1);
// Fills the form as a careful applicant at the long end would: the last
// button of each panel, every check box, and for every enabled text control
// the realistic value of data/RealisticValues.txt; drop-down lists take the
// entry a rule names, else their longest entry; date pickers the date of the
// first matching rule that is a date, else 28 December 2026.
void fillRealistic(TEABaseForm *form);
// The realistic value of a control by the rules of data/RealisticValues.txt;
// `form` (the catalogue's name, "YPBCSQ_JK") brings in the rules of that form.
QString realisticValue(const QString &name, const QString &form = QString());
// The realistic date of a date picker: the first matching rule written as a
// date (yyyy/M/d), else 28 December 2026.
QDate realisticDate(const QString &name, const QString &form = QString());
// Control name -> its state ("text=…", "on"/"off", "date=…"/"nodate",
// "sel=…"), with " disabled" added for a disabled control.
QMap<QString, QString> snapshot(const TEABaseForm *form);
}
