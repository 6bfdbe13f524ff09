#pragma once
// MarkupScan: a look at a document's markup before the XML parser reads it,
// for the one thing the parser cannot be told to refuse early: an element
// with a great many attributes. The parser compares every attribute of a
// start tag with every other one, and appends each to a list it walks from
// the start, so a single tag with tens of thousands of attributes takes
// minutes. The scan finds such a tag in one pass over the text.
//
// The text is decoded first as the parser will decode it (a byte order mark,
// the two-byte forms it detects, the declared encoding), so that no encoding
// can hide the markup from the scan. Where the markup is not well formed -
// the parser refuses the document then anyway - the scan no longer trusts
// quotes and counts every "=" from one "<" to the next instead.
#include <QByteArray>

namespace MarkupScan {

// The most attributes an element may have (the program's own documents use
// at most four).
inline constexpr int MaxAttributes = 256;

// The line (counted from 1) of the first start tag with more than
// MaxAttributes attributes; 0 when there is none. encoding is what the
// parser decodes the bytes from offset `from` as; empty: detect it as the
// parser does (a UTF-16 or UTF-32 start, else the declaration, else UTF-8).
int crowdedTagLine(const QByteArray &bytes, qsizetype from, const QByteArray &encoding);

} // namespace MarkupScan
