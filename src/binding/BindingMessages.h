#pragma once
// The texts that the binding shows or raises, each built from its fixed
// pieces, so that every caller produces the very same bytes.
#include <QString>
#include <QStringList>

namespace BindingMessages {

// "窗体" form "里没有名字为" control "的控件，请检查"
QString MissingControl(const QString &formName, const QString &controlName);
// ui-data内无控件"name"
QString RadioNotInData(const QString &controlName);
// 日期:"value"的日期格式不对，请检查“caption”，CR LF
// 在您修改这个日期之前，保存时原样保留文件中的内容。
// Without a caption the field is named: 请检查字段:"field"，
QString BadDate(const QString &value, const QString &field, const QString &caption = QString());
// A drop-down list's stored value that is none of its entries.
QString ChoiceNotInList(const QString &value, const QString &field, const QString &caption = QString());
// 日期:"value"超出了日期框能显示的范围（公元100年至9999年），请检查“caption”，CR LF
// 在您修改这个日期之前，保存时原样保留文件中的内容。
QString DateOutOfRange(const QString &value, const QString &field, const QString &caption = QString());
// Field"field"的值:"value"不是布尔型格式，CR LF 正确格式应为：0, -1
QString BadBoolean(const QString &field, const QString &value);
// CheckBoxItem:"name"没有Key。
QString ItemWithoutKey(const QString &itemName);
// name 不是一个TComboBox
QString NotADropDown(const QString &controlName);
// "Field未找到！ " field
QString FieldNotFound(const QString &field);
// 无法找到"ui-data"元素，请检查xml文件，或者可能未装载xml文件。
QString NoUiData();
// 文件中没有"data-fields"元素…
QString NoDataFields();
// Memos whose stored text is not valid Base64, by caption (or control
// name): the first few named, with how many there are.
QString DamagedMemos(const QStringList &controlNames);
// One message that occurred count times in a load (or save, fill, click):
// the first message, how often, and the first of the distinct names it
// concerned (distinct of them in all).
QString Repeated(const QString &first, qsizetype count, const QStringList &names, qsizetype distinct);
// Save or print after a load that failed.
QString NothingLoaded();
// the control name alone
QString RadioItemMissing(const QString &controlName);

// Loading.
QString BadFileName();     // 配置文件名不正确，请检查！
QString NoTypeField();     // 文件没有类型字段，请检查！
QString TypeMismatch();    // 该文件类型不匹配，凭重新选取

} // namespace BindingMessages
