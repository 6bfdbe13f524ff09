#pragma once
// The control-kind adapter: maps the six control kinds of the forms onto Qt
// widgets (edit -> QLineEdit, memo -> QPlainTextEdit, drop-down list ->
// QComboBox, check box -> QCheckBox, radio button -> QRadioButton, date
// picker -> DatePicker). The binding, the control helpers and the report
// filling speak only to these functions.
#include <QColor>
#include <QString>
#include <limits>

class QObject;
class QWidget;

enum class ControlKind { Other, Edit, Memo, ComboBox, CheckBox, RadioButton, DatePicker };

namespace Controls {

ControlKind kindOf(const QObject *control);

// Edit, memo, drop-down list: the text (a list's selected entry text).
QString text(const QObject *control);
// Edit and memo: replaces the text. An edit box whose maximum length is
// shorter than the text takes any length from then on, so that nothing is cut.
void setText(QObject *control, const QString &text);

// The maximum length of edit boxes that take any text (QLineEdit's default
// of 32,767 characters would cut longer values without a word).
inline constexpr int kNoLengthLimit = std::numeric_limits<int>::max();

// Check box and radio button.
bool isChecked(const QObject *control);
// Unchecking a radio button also works when it is the checked one of an
// exclusive group (exclusivity is switched off around the call).
void setChecked(QObject *control, bool checked);

// Drop-down list.
void clearItems(QObject *control);
void addItem(QObject *control, const QString &item);
int findItem(const QObject *control, const QString &item); // ignores letter case; -1 if none
void setSelectedIndex(QObject *control, int index);
int selectedIndex(const QObject *control);

// Background of an edit box or memo.
void setBackground(QWidget *control, const QColor &colour);
QColor background(const QWidget *control);

// The system's button-face and window colours.
QColor buttonFaceColour();
QColor windowColour();

} // namespace Controls
