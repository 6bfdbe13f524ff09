#include "FormTypes.h"

#include "frTypes.h"

namespace {

QList<FormType> makeTypes()
{
    // Five forms preview with zoom, print and close; the packaging material
    // form with every button.
    const int fewButtons = pbZoom | pbPrint | pbExit;
    return {
        {FormKind::YPZCSQ, "TFrmYPZCSQ", QStringLiteral("FrmYPZCSQ"),
         QStringLiteral("药品注册申请表-境内"), QStringLiteral("YPZCSQ.xml"),
         QStringLiteral("药品注册申请表"), QStringLiteral("药品注册申请"), QStringLiteral("注册"),
         QStringLiteral(":/catalogues/YPZCSQ.cat"), QStringLiteral(":/templates/YPZCSQ.frf"),
         fewButtons},
        {FormKind::YPZCSQ_JK, "TFrmYPZCSQ_JK", QStringLiteral("FrmYPZCSQ_JK"),
         QStringLiteral("药品注册申请表-进口"), QStringLiteral("YPZCSQ_JK.xml"),
         QStringLiteral("药品注册申请表-进口"), QStringLiteral("进口药品注册申请"),
         QStringLiteral("进口注册"), QStringLiteral(":/catalogues/YPZCSQ_JK.cat"),
         QStringLiteral(":/templates/YPZCSQ_JK.frf"), fewButtons},
        {FormKind::YPBCSQ, "TFrmYPBCSQ", QStringLiteral("FrmYPBCSQ"),
         QStringLiteral("药品补充申请表-境内"), QStringLiteral("YPBCSQ.xml"),
         QStringLiteral("药品补充注册申请表"), QStringLiteral("药品补充申请"),
         QStringLiteral("补充注册"), QStringLiteral(":/catalogues/YPBCSQ.cat"),
         QStringLiteral(":/templates/YPBCSQ.frf"), fewButtons},
        {FormKind::YPBCSQ_JK, "TFrmYPBCSQ_JK", QStringLiteral("FrmYPBCSQ_JK"),
         QStringLiteral("药品补充申请表-进口"), QStringLiteral("YPBCSQ_JK.xml"),
         QStringLiteral("药品补充注册申请表-进口"), QStringLiteral("进口药品补充申请"),
         QStringLiteral("进口补充注册"), QStringLiteral(":/catalogues/YPBCSQ_JK.cat"),
         QStringLiteral(":/templates/YPBCSQ_JK.frf"), fewButtons},
        {FormKind::YPZZCSQ, "TFrmYPZZCSQ", QStringLiteral("FrmYPZZCSQ"),
         QStringLiteral("药品再注册申请表"), QStringLiteral("YPZZCSQ.xml"),
         QStringLiteral("药品再注册申请表"), QStringLiteral("药品再注册申请"),
         QStringLiteral("再注册"), QStringLiteral(":/catalogues/YPZZCSQ.cat"),
         QStringLiteral(":/templates/YPZZCSQ.frf"), fewButtons},
        {FormKind::YBCZZCSQB, "TYBCZZCSQB_Form", QStringLiteral("YBCZZCSQB_Form"),
         QStringLiteral("药包材再注册申请"), QStringLiteral("YBCZZCSQB.xml"),
         QStringLiteral("药包材再注册申请表"), QStringLiteral("药包材再注册申请"),
         QStringLiteral("药包材再注册申请表"), QStringLiteral(":/catalogues/YBCZZCSQB.cat"),
         QStringLiteral(":/templates/YBCZZCSQB.frf"), frAllPreviewButtons},
    };
}

} // namespace

const QList<FormType> &formTypes()
{
    static const QList<FormType> types = makeTypes();
    return types;
}

const FormType &formType(FormKind kind)
{
    return formTypes().at(int(kind));
}
