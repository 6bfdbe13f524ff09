#pragma once
// Catalogue: the parsed form catalogue of one form type - its pages, group
// boxes, rows and entries (labels and data controls with their names,
// captions and notes). A catalogue is data; CatalogueParser reads it from its
// text file and CatalogueBuilder turns it into widgets.
#include "FieldFormats.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

struct CatalogueEntry {
    enum class Kind { Label, Edit, Memo, Combo, Check, Radio, Date };
    enum class DateMode { Cleared, Ticked, NoCheckBox };

    Kind kind = Kind::Label;
    QString name;           // control name; empty for a plain label
    QString caption;        // own text of a label, check box or radio button
    QString label;          // fixed text left of the control (above a memo)
    QString after;          // fixed text right after the control
    QString panel;          // radio group of a radio button
    QString detailOf;       // the button whose detail this control holds
    bool gap = false;       // stands in the next blank run of its button's caption
    bool vscroll = false;   // memo with a vertical scroll bar
    DateMode dateMode = DateMode::Cleared;
    bool readOnly = false;
    bool skyBlue = false;   // sky-blue background (check code field)
    bool redText = false;
    bool hidden = false;    // never shown; still takes part in binding
    bool buttonFace = false; // button-face background (memo read as fixed text)
    bool noBorder = false;
    bool initiallyOn = false; // check box or radio button that starts checked
    bool attach = false;    // memo whose over-long text moves to the attachment page
    QString item;           // item=: the entry begins an item of the form, so named in headings
    QString ownHeading;     // heading=: the field's own part of its heading, where the form shows none
    // The field's heading on the attachment page, item and caption as the form
    // shows them ("19.药品标准 注册标准及标准编号："); set by the parser for every
    // text-holding data control (edit, memo, drop-down list, date).
    QString heading;
    // Rules of the submission check (SubmissionCheck).
    bool required = false;  // req: must be filled; on a radio button, a choice in its panel
    bool optional = false;  // opt: never required, not even as the dependent of a button that is on
    FieldFormat format = FieldFormat::None; // fmt=: the kind of value
    QString formatFrom;     // fmtfrom=: the drop-down list whose entry names the kind of number
    QString before;         // before=: the date this date must be earlier than
    bool past = false;      // past: a date not later than today
    QString anyOf;          // anyof=: the set of check boxes of which one must be ticked
    // How the check names a radio button's panel ("12.制剂 属于") or a check
    // box ("23.专利 有中国专利 药物专利"); set by the parser for every button.
    QString choiceHeading;
    QStringList lines;      // initial text lines (memos)
    int width = 0;          // preferred width in pixels, 0 = by kind
    int height = 0;         // preferred height in pixels (memos), 0 = by kind
    int sourceLine = 0;     // line in the catalogue file, for messages
};

struct CatalogueRow {
    QList<CatalogueEntry> entries;
};

// A run of rows; in a grid block the entries of successive rows stand in columns.
struct CatalogueBlock {
    bool grid = false;
    QList<CatalogueRow> rows;
};

struct CatalogueGroup {
    QString name;       // group box name; empty: rows directly on the page
    QString caption;
    QList<CatalogueBlock> blocks;
    // iffilled: the "req" of the group's entries hold only once one of its
    // text fields is filled (an institution the form may leave out).
    bool ifFilled = false;
};

struct CataloguePage {
    QString name;       // e.g. "TabSheet1"
    QString caption;    // e.g. "第一页"
    QList<CatalogueGroup> groups;
};

struct Catalogue {
    QString form;       // instance name of the form
    QString caption;    // design caption
    QList<CataloguePage> pages;

    // Every entry in page, group, row order.
    QList<const CatalogueEntry *> entries() const;
    // The memos marked "attach", in catalogue order: the entries of the print hook.
    QList<const CatalogueEntry *> attachedMemos() const;
    const CatalogueEntry *find(const QString &name) const;
    // The attachment heading of every field that has one, by its name in lower case.
    QHash<QString, QString> headings() const;
};
