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
