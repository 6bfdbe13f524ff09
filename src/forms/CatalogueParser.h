#pragma once
// CatalogueParser: reads the text of a form catalogue file.
//
// One statement per line; "#" starts a comment. Tokens are separated by
// blanks; a token in double quotes may hold blanks (\" and \\ escape), and
// key="value" attributes may be quoted the same way.
//
//   form <instance> "<caption>"
//   page <name> "<caption>"
//   group <name> "<caption>"        group - ""  puts rows directly on the page
//   row                               starts the next row of the group
//   grid ... endgrid                  rows whose entries stand in columns
//   label "<text>" [flags]
//   radio <name> "<caption>" panel=<panel> [flags]
//   check <name> "<caption>" [flags]
//   edit|memo|combo|date <name> ["<label>"] [flags]
//   repeat VAR=a,b,c [VAR2="x","y","z"] [N=1..15] ... end
//                                     repeats the body once per value, with
//                                     {VAR} replaced; all lists are equally long
//
// Attributes and flags of entries: label="..", after="..", panel=.., detail=..,
// gap, vscroll, check=cleared|ticked|none, readonly, skyblue, red, hidden,
// buttonface, noborder, on, line=".." (repeatable: initial memo lines),
// width=N, height=N, attach, item="..", heading="..".
//
// attach (memos only): the memo's text, when longer than 70 bytes in the
// national code page, prints "(见附页)" in its box and goes to the attachment
// page under the memo's heading; the marked memos are taken in catalogue
// order. A form whose catalogue marks none prints no attachment page.
//
// Every text-holding data control (edit, memo, combo, date) gets a heading,
// under which its value goes to the attachment page when it is too long for
// its box: the item it stands in and its own caption, as the form shows
// them ("19.药品标准 注册标准及标准编号："). A group begins with its caption as
// item (the caption of a "group -" names its entries in headings only); a
// fixed text, button or field whose caption is numbered begins the item of
// that number. The field's own caption is its label, else the caption of the
// button it details, else in a grid with column heads its line and column
// head ("第5行 受理号"), else the fixed text right before it. A numbered own
// caption is the whole heading; fields whose headings would be the same are
// told apart by the caption before each in its row ("注册地址 邮政编码").
//   item="<text>"     the entry begins an item so named, where the form's own
//                     caption does not name it ("33.药品注册代理机构" beside
//                     "33.机构名称：") or for a part of an item
//                     ("23.专利 有中国专利")
//   heading="<text>"  the field's own caption in its heading, where the form
//                     shows none ("局颁 册", "日期（年）")
//
// Rules of the submission check (SubmissionCheck), beside the entries:
//   req               the control must be filled (a text, a list entry, a
//                     date); on a radio button, a choice in its panel (by
//                     custom written on the panel's first button)
//   opt               never required, not even as a dependent (below)
//   fmt=<kind>        a value, when there is one, must be of this kind:
//                     postcode (6 digits), phone (telephone or fax, may
//                     begin with +86), phone-intl (may begin with any
//                     "+<country code>"), email, credit (unified social
//                     credit code), orgcode (organization code),
//                     credit-or-org (either), approval (国药准字H12345678),
//                     import-reg (进口药品注册证号 H12345678), product-reg
//                     (医药产品注册证号 HC12345678), newdrug
//                     (国药证字H12345678), months (1 to 120), year (4 digits)
//   fmtfrom=<list>    the kind of number is the one the named drop-down list
//                     shows ("批准文号", "进口药品注册证号", "医药产品注册证号")
//   before=<date>     (dates) must be earlier than the named date
//   past              (dates) must not be later than today
//   anyof=<set>       (check boxes) of the boxes of one set at least one
//                     must be ticked
//   group <name> "<caption>" iffilled
//                     the "req" of the group's entries hold only once one
//                     of its text fields is filled (an institution that the
//                     applicant may leave out)
// The relations of the configuration document add requirements: while a
// check box or radio button that enables controls is on, each control it
// enables is required unless marked "opt" - a text field filled, a radio
// button's panel chosen, and of the check boxes it enables at least one
// ticked. A control that is disabled or hidden is never required and its
// value is not checked.
//
// gap: the detail stands over a blank run (two or more blanks) of its
// button's caption. The button's own detail takes the first run; further
// gap entries right after it take the next runs in turn, so that
// "局颁      第      册" holds two edits. The button keeps its whole
// caption; on screen it shows the text before the first run.
#include "Catalogue.h"

namespace CatalogueParser {
// Throws AppError with the line number and the fault.
Catalogue parse(const QString &text);
// Reads and parses a catalogue file or resource.
Catalogue load(const QString &path);
}
