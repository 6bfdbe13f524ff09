#pragma once
// PrintedForm: builds the printed form of one application form, driven by
// the form's catalogue. Fill() makes the report what Print shows: the values
// as the form holds them go into the report objects of the same names, the
// check code into every sheet's code object; the form's print hook moves the
// over-long texts of the memos the catalogue marks "attach" to the attachment
// text; values still too long for their boxes follow under their headings
// (a form without attachment memos names them in a warning instead); and the
// attachment text goes onto the attachment page "newadd", whose sheets carry
// the footer line of the form's sheets.
#include <QHash>
#include <QList>
#include <QString>
#include <functional>

struct Catalogue;
struct CatalogueEntry;
class TfrMemoView;
class TfrPage;
class TfrReport;
class TUIHelper;

class PrintedForm {
public:
    // The form's print hook, called with the attachment text to fill.
    using Hook = std::function<void(QString &attachment)>;

    // The name of the attachment page.
    static const QString AttachmentPage;
    // A memo text longer than this many code-page bytes moves to the attachment page.
    static constexpr qsizetype LongTextBytes = 70;

    // The catalogue and the report stay with the form, which outlives this object.
    PrintedForm(const Catalogue &catalogue, TfrReport &report);

    // True when the catalogue marks memos that move to an attachment page:
    // the form type has a print hook.
    bool hasAttachmentPage() const { return !FAttached.isEmpty(); }

    // Collects the controls into the helper's document (the values as the
    // form holds them), fills the report from it, writes the check code into
    // "VerifyCode1" to "VerifyCode5", runs the hook, moves what still does not
    // fit, and replaces any earlier attachment page by one for the new text.
    void Fill(TUIHelper &helper, const QString &checkCode, const Hook &hook);

    // The print hook's one rule: every "attach" memo whose text is longer
    // than 70 bytes prints "(见附页)" and its text goes to the attachment text
    // under its heading, in catalogue order; a memo without its report object
    // is named ("报表控件未找到！ " + name) and ends the rule.
    void MoveLongMemos(const TUIHelper *helper, TfrReport *report, QString &attachment) const;

    // The value objects whose texts would be cut off in their boxes, page by
    // page in reading order (top to bottom, left to right); the attachment
    // page is left out.
    QList<TfrMemoView *> Overflowing() const;

    // Adds the attachment page holding `text` to the report: a breaked,
    // stretched master data band of one record with a stretched text-only
    // memo of the band's width, and on every sheet it makes the footer line
    // of the template's last page with the check code.
    static TfrPage &AddAttachmentPage(TfrReport &report, const QString &text, const QString &checkCode);
    // Deletes every attachment page, from the last page to the first.
    static void RemoveAttachmentPages(TfrReport &report);

private:
    // "附页：" and an empty line to start with, then the heading, an empty
    // line, the text and an empty line.
    static void AppendSection(QString &attachment, const QString &heading, const QString &text);

    TfrReport &FReport;
    // The print hook's memos in catalogue order.
    QList<const CatalogueEntry *> FAttached;
    // Headings of the text-holding data controls, by name in lower case.
    QHash<QString, QString> FHeadings;
};
