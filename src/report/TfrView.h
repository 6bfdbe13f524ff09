#pragma once
// TfrView: base of every report object (memo, line, band, picture, sub-report).
// It holds the fields every object stores in a template stream, in their
// stored order, and the properties every object accepts by name.
#include "TfrObject.h"
#include "frTypes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class TfrView : public TfrObject {
public:
    TfrView();
    ~TfrView() override;
    TfrView(const TfrView &) = delete;
    TfrView &operator=(const TfrView &) = delete;

    // The type byte of the object's template records.
    virtual quint8 Typ() const = 0;
    // The class name shown in dumps and stored for add-in objects.
    virtual QString ClassName() const = 0;

    bool SetPropertyByName(const QString &name, const QVariant &value) override;
    QVariant GetPropertyByName(const QString &name) const override;

    // Sets left, top, width and height, in that order (report units).
    void SetBounds(qint32 left, qint32 top, qint32 width, qint32 height);

    // The text lines.
    QStringList &Memo() { return FMemo; }
    const QStringList &Memo() const { return FMemo; }
    // Replaces the lines with the text cut at its line breaks (CR LF, LF or CR).
    void SetText(const QString &text);
    // Appends one line (line breaks inside it stay and start new printed lines).
    void AddLine(const QString &line) { FMemo.append(line); }
    // The lines joined with CR LF.
    QString Text() const;
    // Cuts a text at its line breaks as SetText does.
    static QStringList splitLines(const QString &text);

    bool Stretched() const { return Flags & flStretched; }

    // Stored fields, in the order of the stream.
    QString Name;
    quint8 ObjectVersion = 2;
    quint8 ObjectSubVersion = 0;
    qint32 x = 0, y = 0, dx = 0, dy = 0;
    quint16 Flags = 0;
    quint16 FrameTyp = 0;
    double FrameWidth = 1;
    qint32 FrameColor = clBlack;
    quint16 FrameStyle = 0;
    qint32 FillColor = clNone;
    qint32 Format = 0;
    QString FormatStr;
    QStringList Script;
    bool Visible = true;
    quint16 Restrictions = 0;
    QString Tag;
    qint32 gapx = 2, gapy = 1;
    quint8 BandAlign = baNone;
    // Bytes of class-specific data that this engine does not interpret; kept so
    // that a template read and written again loses nothing.
    QByteArray ClassTail;
    // The data field the object is bound to (not stored in template streams).
    QString DataField;

protected:
    QStringList FMemo;
};
