#include "BindingMessages.h"

namespace {

const QChar kQuote(u'"');
const QString kCrLf = QStringLiteral("\r\n");

QString quoted(const QString &text)
{
    return kQuote + text + kQuote;
}

// The first `shown` names joined by "、", an empty one written as "（空）",
// and "等n项" when there are more than those.
QString nameList(const QStringList &names, qsizetype shown, qsizetype total, const QString &unit)
{
    QStringList parts;
    for (const QString &name : names.mid(0, shown))
        parts.append(name.isEmpty() ? QStringLiteral("（空）") : name);
    QString text = parts.join(QStringLiteral("、"));
    if (total > parts.size())
        text += QStringLiteral("等%1%2").arg(total).arg(unit);
    return text;
}

} // namespace

namespace BindingMessages {

QString MissingControl(const QString &formName, const QString &controlName)
{
    return QStringLiteral("窗体") + formName + QStringLiteral("里没有名字为") + controlName
        + QStringLiteral("的控件，请检查");
}

QString RadioNotInData(const QString &controlName)
{
    return QStringLiteral("ui-data内无控件") + quoted(controlName);
}

namespace {

// What to check: the item's caption on the form, else the field.
QString itemToCheck(const QString &field, const QString &caption)
{
    return caption.isEmpty() ? QStringLiteral("字段:") + quoted(field)
                             : QStringLiteral("“") + caption + QStringLiteral("”");
}

const QString kDateKept = QStringLiteral("在您修改这个日期之前，保存时原样保留文件中的内容。");

} // namespace

QString BadDate(const QString &value, const QString &field, const QString &caption)
{
    return QStringLiteral("日期:") + quoted(value) + QStringLiteral("的日期格式不对，请检查")
        + itemToCheck(field, caption) + QStringLiteral("，") + kCrLf + kDateKept;
}

QString ChoiceNotInList(const QString &value, const QString &field, const QString &caption)
{
    return QStringLiteral("选项:") + quoted(value) + QStringLiteral("不在下拉列表中，请检查") + itemToCheck(field, caption)
        + QStringLiteral("，") + kCrLf + QStringLiteral("在您从列表中选择之前，保存时原样保留文件中的内容。");
}

QString DateOutOfRange(const QString &value, const QString &field, const QString &caption)
{
    return QStringLiteral("日期:") + quoted(value)
        + QStringLiteral("超出了日期框能显示的范围（公元100年至9999年），请检查") + itemToCheck(field, caption)
        + QStringLiteral("，") + kCrLf + kDateKept;
}

QString BadBoolean(const QString &field, const QString &value)
{
    return QStringLiteral("Field") + quoted(field) + QStringLiteral("的值:") + quoted(value)
        + QStringLiteral("不是布尔型格式，") + kCrLf + QStringLiteral("正确格式应为：0, -1");
}

QString ItemWithoutKey(const QString &itemName)
{
    return QStringLiteral("CheckBoxItem:") + quoted(itemName) + QStringLiteral("没有Key。");
}

QString NotADropDown(const QString &controlName)
{
    return controlName + QStringLiteral("不是一个TComboBox");
}

QString FieldNotFound(const QString &field)
{
    return QStringLiteral("Field未找到！ ") + field;
}

QString NoUiData()
{
    return QStringLiteral("无法找到") + quoted(QStringLiteral("ui-data"))
        + QStringLiteral("元素，请检查xml文件，或者可能未装载xml文件。");
}

QString NoDataFields()
{
    return QStringLiteral("无法找到") + quoted(QStringLiteral("data-fields"))
        + QStringLiteral("元素，文件中没有保存填写内容的位置，请检查xml文件。");
}

QString DamagedMemos(const QStringList &names)
{
    QStringList controlNames = names;
    controlNames.removeDuplicates();
    return QStringLiteral("下列文本框在文件中保存的内容已损坏（不是有效的Base64编码），无法完整显示：") + kCrLf
        + nameList(controlNames, 10, controlNames.size(), QStringLiteral("个文本框")) + kCrLf
        + QStringLiteral("保存时将原样保留这些内容，除非您修改了相应的文本框。");
}

QString Repeated(const QString &first, qsizetype count, const QStringList &names, qsizetype distinct)
{
    return first + kCrLf + kCrLf
        + QStringLiteral("（同类提示共%1条，不再逐条显示；涉及：%2。）")
              .arg(count)
              .arg(nameList(names, names.size(), distinct, QStringLiteral("项")));
}

QString NothingLoaded()
{
    return QStringLiteral("本表没有成功装载的文件，无法保存或打印。请关闭本表后重新新建或打开文件。");
}

QString RadioItemMissing(const QString &controlName)
{
    return controlName;
}

QString BadFileName()
{
    return QStringLiteral("配置文件名不正确，请检查！");
}

QString NoTypeField()
{
    return QStringLiteral("文件没有类型字段，请检查！");
}

QString TypeMismatch()
{
    return QStringLiteral("该文件类型不匹配，凭重新选取");
}

} // namespace BindingMessages
