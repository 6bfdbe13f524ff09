#pragma once
// FormType: the per-type settings of the six application form types, kept as
// one table (class, instance name, menu caption, configuration document,
// title, type tag, data file prefix, catalogue, print template, preview
// buttons). Which memos the print hook moves is the catalogue's to say.
#include <QList>
#include <QString>

enum class FormKind {
    YPZCSQ,      // drug registration, domestic
    YPZCSQ_JK,   // drug registration, import
    YPBCSQ,      // supplementary application, domestic
    YPBCSQ_JK,   // supplementary application, import
    YPZZCSQ,     // drug re-registration
    YBCZZCSQB,   // packaging material re-registration
};
inline constexpr int kFormKindCount = 6;

struct FormType {
    FormKind kind;
    const char *className;   // form class, e.g. "TFrmYPZCSQ"
    QString instanceName;    // e.g. "FrmYPZCSQ"; the form's objectName
    QString menuCaption;     // caption of the New and Open menu items
    QString configFileName;  // e.g. "YPZCSQ.xml"
    QString title;           // window title of the type
    QString typeTag;         // config-type value a loaded document must carry
    QString filePrefix;      // first part of the data file names
    QString catalogue;       // resource path of the form catalogue
    QString reportTemplate;  // resource path of the compiled print template
    int previewButtons;      // buttons of the report preview (TfrPreviewButton bits)
};

// The six types in the order of FormKind.
const QList<FormType> &formTypes();
const FormType &formType(FormKind kind);
