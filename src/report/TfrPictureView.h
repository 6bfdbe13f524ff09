#pragma once
// TfrPictureView: a picture. Its image data is kept as the object's
// uninterpreted class data; it prints its fill and frame.
#include "TfrView.h"

class TfrPictureView : public TfrView {
public:
    quint8 Typ() const override { return gtPicture; }
    QString ClassName() const override { return QStringLiteral("TfrPictureView"); }
};
