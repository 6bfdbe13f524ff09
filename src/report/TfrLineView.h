#pragma once
// TfrLineView: a straight line from the object's top-left corner to its
// bottom-right corner (width 0: vertical, height 0: horizontal), drawn with the
// frame width, colour and style.
#include "TfrStretcheable.h"

class TfrLineView : public TfrStretcheable {
public:
    TfrLineView() { FrameTyp = frbTop; }
    quint8 Typ() const override { return gtLine; }
    QString ClassName() const override { return QStringLiteral("TfrLineView"); }
};
