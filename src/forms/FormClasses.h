#pragma once
// The six application form classes. Each is its form type's settings on top
// of TEABaseForm; the pages come from the type's catalogue.
#include "TEABaseForm.h"

// Drug registration application, domestic.
class TFrmYPZCSQ : public TEABaseForm {
    Q_OBJECT
public:
    explicit TFrmYPZCSQ(QWidget *parent = nullptr) : TEABaseForm(formType(FormKind::YPZCSQ), parent) {}
};

// Drug registration application, import.
class TFrmYPZCSQ_JK : public TEABaseForm {
    Q_OBJECT
public:
    explicit TFrmYPZCSQ_JK(QWidget *parent = nullptr) : TEABaseForm(formType(FormKind::YPZCSQ_JK), parent) {}
};

// Drug supplementary application, domestic.
class TFrmYPBCSQ : public TEABaseForm {
    Q_OBJECT
public:
    explicit TFrmYPBCSQ(QWidget *parent = nullptr) : TEABaseForm(formType(FormKind::YPBCSQ), parent) {}
};

// Drug supplementary application, import.
class TFrmYPBCSQ_JK : public TEABaseForm {
    Q_OBJECT
public:
    explicit TFrmYPBCSQ_JK(QWidget *parent = nullptr) : TEABaseForm(formType(FormKind::YPBCSQ_JK), parent) {}
};

// Drug re-registration application.
class TFrmYPZZCSQ : public TEABaseForm {
    Q_OBJECT
public:
    explicit TFrmYPZZCSQ(QWidget *parent = nullptr) : TEABaseForm(formType(FormKind::YPZZCSQ), parent) {}
};

// Packaging material re-registration application (no print hook).
class TYBCZZCSQB_Form : public TEABaseForm {
    Q_OBJECT
public:
    explicit TYBCZZCSQB_Form(QWidget *parent = nullptr) : TEABaseForm(formType(FormKind::YBCZZCSQB), parent) {}
};

// Creates a form of the given type (not yet shown).
TEABaseForm *CreateForm(FormKind kind, QWidget *parent = nullptr);

// The form type of a window, by testing its class against the six form
// classes in the order TFrmYPZCSQ, TFrmYPZCSQ_JK, TFrmYPBCSQ, TFrmYPBCSQ_JK,
// TFrmYPZZCSQ, TYBCZZCSQB_Form; false when it is none of them.
bool FormKindOf(const QObject *window, FormKind &kind);
