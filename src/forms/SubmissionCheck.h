#pragma once
// SubmissionCheck: checks a filled form against the rules its catalogue
// carries beside the controls (required entries, formats, date order, dates
// in the past) and the requirements that follow from the relations of its
// document: while a button that enables controls is on, what it enables must
// be filled, unless the catalogue marks it optional. A control that is
// disabled or hidden is never required and never checked. The result lists
// each problem with its page, the item's heading, the control to show and
// what is wrong, in the order of the form; and how many of the requirements
// in force are met.
#include "Catalogue.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class TUIHelper;

struct CheckProblem {
    int page = 0;        // the page's index in the catalogue
    QString pageCaption; // "第一页"
    QString heading;     // the item and caption, without a closing colon: "4.药品名称"
    QString control;     // the name of the control that shows the problem
    QString message;     // what is wrong: "必须填写"
    // The problem as the check lists it: "第一页 · 4.药品名称：必须填写".
    QString text() const;
};

struct CheckResult {
    QList<CheckProblem> problems;
    int required = 0; // the requirements in force (entries, choices, sets)
    int met = 0;      // of them, those the form meets
};

class SubmissionCheck {
public:
    // Messages of the check.
    static const QString MustFill;   // "必须填写"
    static const QString MustChoose; // "必须选择一项"
    static const QString ChooseOne;  // "至少选择一项"
    static const QString NotFuture;  // "不能晚于今天"

    // The catalogue stays with the form, which outlives this object.
    explicit SubmissionCheck(const Catalogue &catalogue);

    // Checks the controls the helper finds by name, with the relations of its
    // document; dates are compared with today.
    CheckResult run(const TUIHelper &helper, const QDate &today = QDate::currentDate()) const;

private:
    struct Entry {
        const CatalogueEntry *entry;
        int page;
        int group; // index among all groups of the catalogue
    };

    QList<Entry> FEntries;
    QHash<QString, int> FIndex;             // control name in lower case -> entry
    QHash<QString, QList<int>> FPanels;     // radio panel -> its buttons
    QHash<QString, QList<int>> FAnyOf;      // check box set -> its boxes
    QStringList FAnyOfOrder;                // the sets in catalogue order
    QList<bool> FGroupIfFilled;             // per group: iffilled
    QStringList FPageCaptions;
};
