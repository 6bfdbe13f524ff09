#pragma once
// TfrSheet: one prepared (printable) sheet: its paper and the objects to draw
// on it at absolute positions in report units, memo texts already expanded and
// broken into output lines. The renderer draws sheets; the preview shows, finds
// in, saves and opens them.
#include "TfrMemoLayout.h"
#include "frTypes.h"

#include <QList>
#include <QString>

struct TfrPreparedObject {
    enum Kind : quint8 {
        Memo = 0,
        Line = 1,
        Box = 2, // fill and frame only (pictures)
    };
    Kind kind = Memo;
    QString name;
    qint32 x = 0, y = 0, dx = 0, dy = 0;
    quint16 frameTyp = 0;
    double frameWidth = 1;
    qint32 frameColor = clBlack;
    quint16 frameStyle = 0;
    qint32 fillColor = clNone;
    // Memos.
    QString fontName;
    qint32 fontSize = 10;
    quint16 fontStyle = 0;
    qint32 fontColor = clBlack;
    qint32 alignment = 0;
    qint32 gapx = 0, gapy = 0;
    qint32 lineSpacing = 0;
    qint32 charSpacing = 0;
    quint16 flags = 0;
    QList<TfrTextLine> lines;
};

struct TfrSheet {
    int templatePage = 0;   // index of the template page that produced it
    qint32 paperSize = 9;
    qint32 paperWidth = 2100;  // tenths of a millimetre, as the template page stores them
    qint32 paperHeight = 2970;
    quint8 orientation = 0;
    qint32 width = 756;        // report units, turned for landscape
    qint32 height = 1069;
    qint32 leftMargin = 0, topMargin = 0, rightMargin = 0, bottomMargin = 0;
    QList<TfrPreparedObject> objects;

    // All printed text of the sheet, line by line (for finding text).
    QString plainText() const;
};
