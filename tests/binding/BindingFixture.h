#pragma once
// A small application form for the binding tests: named edit boxes, a memo,
// a drop-down list, check boxes, radio buttons in a panel with its
// QButtonGroup, and a date picker; plus document builders and a loader that
// runs TUIHelper::LoadConfig on a temporary file.
#include <QCheckBox>
#include <QRadioButton>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>

class QObject;
class TUIHelper;

inline const QString kTestType = QStringLiteral("测试申请");

// A check box / radio button that can tell how many slots listen to toggled.
class CountingCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;
    int toggledReceivers() const { return receivers(SIGNAL(toggled(bool))); }
};
class CountingRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;
    int toggledReceivers() const { return receivers(SIGNAL(toggled(bool))); }
};

class TestForm : public QWidget {
public:
    TestForm();
    int closeCount = 0;
    QObject *control(const QString &name) const;

protected:
    void closeEvent(QCloseEvent *event) override;
};

// A UTF-8 document with the given type tag and section contents; a section
// whose content is "-" is left out.
QString makeDocument(const QString &relations, const QString &items, const QString &fields,
                     const QString &typeTag = kTestType);

// Writes bytes into dir and returns the path.
QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes);

// One control's state as short text: "text=…", "on"/"off", "date=yyyy-MM-dd"
// or "nodate", "sel=…" for a drop-down list ("items=a|b sel=b").
QString describe(const QObject *control);
// Sets a state written as describe() writes it ("text=…", "on", "off",
// "date=…", "nodate").
void applyState(QObject *control, const QString &state);

// Runs LoadConfig(kTestType) on a file holding xml, from within the command
// guard, as the program's commands do. Returns false when an error was raised.
bool loadDocument(TUIHelper &helper, const QTemporaryDir &dir, const QByteArray &xml,
                  const QString &typeTag = kTestType);

// Runs code with the user id of an ordinary user when the tests run as root,
// so that file permissions apply (the groups stay as they are).
void asUnprivilegedUser(const std::function<void()> &code);
