#pragma once
// Constants of the report engine: object types as stored in template streams,
// flag bits of memos and bands, band types, band alignment, memo alignment,
// preview buttons and zoom modes, and the colour values of templates.
#include <QColor>
#include <QFlags>
#include <QtGlobal>

// Object type bytes of template records.
enum TfrObjectType : quint8 {
    gtMemo = 0,
    gtPicture = 1,
    gtBand = 2,
    gtSubReport = 3,
    gtLine = 4,
    gtAddIn = 10,
};

// Record tags of template streams (object records use their type byte).
enum TfrRecordTag : quint8 {
    frtPage = 255,
    frtDictionary = 254,
    frtEnd = 253,
};

// The only template stream version the writer produces and the reader accepts.
constexpr quint8 frCurrentVersion = 24;

// Flags common to every object.
constexpr quint16 flStretched = 0x01;

// Memo flags.
constexpr quint16 flWordWrap = 0x02;
constexpr quint16 flWordBreak = 0x04;
constexpr quint16 flAutoWidth = 0x08;
constexpr quint16 flTextOnly = 0x10;
constexpr quint16 flSuppressRepeated = 0x20;
constexpr quint16 flHideZeros = 0x40;
constexpr quint16 flUnderlines = 0x80;

// Band flags.
constexpr quint16 flBandNewPageAfter = 0x02;
constexpr quint16 flBandPrintIfSubsetEmpty = 0x04;
constexpr quint16 flBandBreaked = 0x08;
constexpr quint16 flBandOnFirstPage = 0x10;
constexpr quint16 flBandOnLastPage = 0x20;
constexpr quint16 flBandRepeatHeader = 0x40;
constexpr quint16 flBandPrintChildIfInvisible = 0x80;

// Frame sides (frame type of memos and lines).
constexpr quint16 frbRight = 0x01;
constexpr quint16 frbBottom = 0x02;
constexpr quint16 frbLeft = 0x04;
constexpr quint16 frbTop = 0x08;

// Band types, stored in a band's frame type field.
enum TfrBandType : quint8 {
    btReportTitle = 0,
    btReportSummary = 1,
    btPageHeader = 2,
    btPageFooter = 3,
    btMasterHeader = 4,
    btMasterData = 5,
    btMasterFooter = 6,
    btDetailHeader = 7,
    btDetailData = 8,
    btDetailFooter = 9,
    btSubDetailHeader = 10,
    btSubDetailData = 11,
    btSubDetailFooter = 12,
    btOverlay = 13,
    btColumnHeader = 14,
    btColumnFooter = 15,
    btGroupHeader = 16,
    btGroupFooter = 17,
    btCrossHeader = 18,
    btCrossData = 19,
    btCrossFooter = 20,
    btChild = 21,
    btNone = 22,
};

// Where an object sits on its band when the band is printed.
enum TfrBandAlign : quint8 {
    baNone = 0,
    baLeft = 1,
    baRight = 2,
    baCenter = 3,
    baWidth = 4,
    baBottom = 5,
    baTop = 6,
};

// Memo alignment bits.
constexpr int frtaLeft = 0;
constexpr int frtaRight = 1;
constexpr int frtaCenter = 2;
constexpr int frtaJustify = 3; // both horizontal bits: justified
constexpr int frtaHorizontalMask = 0x03;
constexpr int frtaVertical = 4;
constexpr int frtaMiddle = 8;
constexpr int frtaDown = 16;
constexpr int frtaVerticalMask = 0x18;

// Font style bits of memos.
constexpr quint16 fsItalic = 0x01;
constexpr quint16 fsBold = 0x02;
constexpr quint16 fsUnderline = 0x04;
constexpr quint16 fsStrikeOut = 0x08;

// Buttons of the preview window.
enum TfrPreviewButton {
    pbZoom = 0x01,
    pbLoad = 0x02,
    pbSave = 0x04,
    pbPrint = 0x08,
    pbFind = 0x10,
    pbHelp = 0x20,
    pbExit = 0x40,
};
Q_DECLARE_FLAGS(TfrPreviewButtons, TfrPreviewButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(TfrPreviewButtons)
constexpr int frAllPreviewButtons = 0x7F;

// Initial zoom of the preview window.
enum TfrPreviewZoom {
    pzDefault = 0,
    pzPageWidth = 1,
    pzOnePage = 2,
    pzTwoPages = 3,
};

// Colour values as templates store them: 0x00BBGGRR, clNone for "no colour",
// and system colours with the top bit set.
constexpr qint32 clBlack = 0x000000;
constexpr qint32 clWhite = 0xFFFFFF;
constexpr qint32 clNone = 0x1FFFFFFF;

// Stored colour to a QColor; clNone gives a transparent colour.
QColor frColor(qint32 value);

// Report units per millimetre and the conversions used for pages.
constexpr double frUnitsPerMm = 3.6;
// Paper size in tenths of a millimetre to report units (x × 18 / 50).
inline int frTenthsToUnits(int tenths) { return int(qint64(tenths) * 18 / 50); }
