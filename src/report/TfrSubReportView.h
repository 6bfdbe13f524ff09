#pragma once
// TfrSubReportView: a reference to a sub-report page. Its page reference is
// kept as the object's uninterpreted class data; the engine prints nothing for it.
#include "TfrView.h"

class TfrSubReportView : public TfrView {
public:
    quint8 Typ() const override { return gtSubReport; }
    QString ClassName() const override { return QStringLiteral("TfrSubReportView"); }
};
