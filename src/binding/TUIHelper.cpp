#include "TUIHelper.h"

#include "AppError.h"
#include "BindingMessages.h"
#include "ControlAdapter.h"
#include "DataFile.h"
#include "Dialogs.h"
#include "Helpers.h"
#include "ValueRules.h"

#include <QFileInfo>
#include <QWidget>

TUIHelper::TUIHelper(QWidget *form) : QObject(form), FForm(form) {}

TUIHelper::~TUIHelper() = default;

QString TUIHelper::NewCheckCode()
{
    return ::NewCheckCode();
}

QString TUIHelper::ProgramDirectory()
{
    return ::ProgramDirectory();
}

QObject *TUIHelper::FindControl(const QString &name) const
{
    if (!FIndexed) {
        FIndexed = true;
        // Pre-order over the form's widgets, which is their creation order for
        // forms built top-down. The inner parts of a control (the line edit of
        // a date edit, a memo's viewport) are not controls of the form.
        QList<QObject *> pending(FForm->children().rbegin(), FForm->children().rend());
        while (!pending.isEmpty()) {
            QObject *object = pending.takeLast();
            auto *widget = qobject_cast<QWidget *>(object);
            if (!widget)
                continue;
            const QString key = widget->objectName().toCaseFolded();
            if (!key.isEmpty() && !FControls.contains(key))
                FControls.insert(key, widget);
            if (Controls::kindOf(widget) == ControlKind::Other) {
                const QObjectList &kids = widget->children();
                for (auto it = kids.rbegin(); it != kids.rend(); ++it)
                    pending.append(*it);
            }
        }
    }
    return FControls.value(name.toCaseFolded()).data();
}

QObject *TUIHelper::RequireControl(const QString &name) const
{
    QObject *control = FindControl(name);
    if (!control)
        throw AppError(BindingMessages::MissingControl(FForm->objectName(), name));
    return control;
}

ConfigNode TUIHelper::Section(const QString &tag) const
{
    return FDoc ? FDoc->section(tag) : ConfigNode();
}

ConfigNode TUIHelper::FindNamedNode(const QString &section, const QString &name) const
{
    return FDoc ? FDoc->findNamed(Section(section), name) : ConfigNode();
}

// ---------------------------------------------------------------------------
// Loading and saving

void TUIHelper::LoadConfig(const QString &typeTag)
{
    FConfigType = typeTag;
    const QFileInfo info(FFileName);
    if (!ValueRules::IsNonBlank(FFileName) || !info.isFile()) {
        ShowWarning(BindingMessages::BadFileName());
        FForm->close();
        return;
    }
    FDoc.reset();
    // The file's bytes are let go as soon as the tree is built.
    FDoc = ConfigDocument::parse(DataFile::Read(FFileName));
    // A document that fails a check is not kept: nothing can be saved or
    // printed from it later.
    try {
        if (!CheckConfigType()) {
            ShowWarning(BindingMessages::TypeMismatch());
            FForm->close();
            return;
        }
        CheckStructure();
    } catch (...) {
        FDoc.reset();
        throw;
    }
    ApplyToControls();
}

void TUIHelper::CheckStructure() const
{
    // Without these sections no value could be shown or kept; one message
    // says so instead of one per control.
    if (!Section(ConfigSection::UiData))
        throw AppError(BindingMessages::NoUiData());
    if (!Section(ConfigSection::DataFields))
        throw AppError(BindingMessages::NoDataFields());
}

bool TUIHelper::CheckConfigType()
{
    const ConfigNode type = Section(ConfigSection::ConfigType);
    if (!type)
        throw AppError(BindingMessages::NoTypeField());
    return type.attributeText(QStringLiteral("value")) == FConfigType;
}

void TUIHelper::SaveToFile(const QString &path)
{
    CollectFromControls();
    const QByteArray bytes = FDoc->serialize();
    // A file larger than the reader accepts could never be opened again.
    if (bytes.size() > DataFile::MaxDocumentSize)
        throw AppError(QStringLiteral("填写的内容过多，文件将超过%1 MB，保存后无法再次打开。文件未被保存。")
                           .arg(DataFile::MaxDocumentSize / (1024 * 1024)));
    DataFile::Write(path, bytes);
}

QByteArray TUIHelper::CollectedDocument()
{
    FQuiet = true;
    try {
        CollectFromControls();
    } catch (...) {
        FQuiet = false;
        throw;
    }
    FQuiet = false;
    return FDoc->serialize();
}

// ---------------------------------------------------------------------------
// Document to controls

void TUIHelper::ApplyToControls()
{
    for (const ConfigNode &node : Section(ConfigSection::UiRelation).childElements())
        ApplyRelation(node);
    FKeptMemos.clear();
    FDamagedMemos.clear();
    for (const ConfigNode &item : Section(ConfigSection::UiData).childElements())
        BindItem(item);
    if (!FDamagedMemos.isEmpty())
        ShowWarning(BindingMessages::DamagedMemos(FDamagedMemos));
}

void TUIHelper::CollectFromControls()
{
    const ConfigNode data = Section(ConfigSection::UiData);
    if (!data)
        throw AppError(BindingMessages::NoUiData());
    if (!Section(ConfigSection::DataFields))
        throw AppError(BindingMessages::NoDataFields());
    for (const ConfigNode &item : data.childElements())
        CollectItem(item);
}
