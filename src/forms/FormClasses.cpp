#include "FormClasses.h"

TEABaseForm *CreateForm(FormKind kind, QWidget *parent)
{
    switch (kind) {
    case FormKind::YPZCSQ: return new TFrmYPZCSQ(parent);
    case FormKind::YPZCSQ_JK: return new TFrmYPZCSQ_JK(parent);
    case FormKind::YPBCSQ: return new TFrmYPBCSQ(parent);
    case FormKind::YPBCSQ_JK: return new TFrmYPBCSQ_JK(parent);
    case FormKind::YPZZCSQ: return new TFrmYPZZCSQ(parent);
    case FormKind::YBCZZCSQB: return new TYBCZZCSQB_Form(parent);
    }
    return nullptr;
}

bool FormKindOf(const QObject *window, FormKind &kind)
{
    if (qobject_cast<const TFrmYPZCSQ *>(window)) kind = FormKind::YPZCSQ;
    else if (qobject_cast<const TFrmYPZCSQ_JK *>(window)) kind = FormKind::YPZCSQ_JK;
    else if (qobject_cast<const TFrmYPBCSQ *>(window)) kind = FormKind::YPBCSQ;
    else if (qobject_cast<const TFrmYPBCSQ_JK *>(window)) kind = FormKind::YPBCSQ_JK;
    else if (qobject_cast<const TFrmYPZZCSQ *>(window)) kind = FormKind::YPZZCSQ;
    else if (qobject_cast<const TYBCZZCSQB_Form *>(window)) kind = FormKind::YBCZZCSQB;
    else return false;
    return true;
}
