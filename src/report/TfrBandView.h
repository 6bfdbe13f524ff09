#pragma once
// TfrBandView: a band. Its band type is stored in the frame type field and its
// data source (or group condition) in the format text; objects whose top lies
// within the band's height print with it.
#include "TfrView.h"

class TfrBandView : public TfrView {
public:
    TfrBandView();
    quint8 Typ() const override { return gtBand; }
    QString ClassName() const override { return QStringLiteral("TfrBandView"); }

    bool SetPropertyByName(const QString &name, const QVariant &value) override;
    QVariant GetPropertyByName(const QString &name) const override;

    void SetBandType(int type) { FrameTyp = quint8(type); }
    int BandType() const { return FrameTyp; }
    // The data source: a text starting with a digit 1 to 9 is a record count.
    void SetDataSource(const QString &source) { FormatStr = source; }
    QString DataSource() const { return FormatStr; }
    // The number of records of the data source; 1 for a band without one.
    int RecordCount() const;

    bool Breaked() const { return Flags & flBandBreaked; }

    QString ChildBand;
    qint32 Columns = 1;
    qint32 ColumnWidth = 200;
    qint32 ColumnGap = 20;
    qint32 NewColumnAfter = 0;
    QString Master;
};
