#include "TUIHelper.h"

#include "AppError.h"
#include "BindingMessages.h"
#include "ControlAdapter.h"
#include "DataFile.h"
#include "Dialogs.h"
#include "Helpers.h"
#include "RelationWalk.h"
#include "ValueRules.h"

#include <QFileInfo>
#include <QWidget>

TUIHelper::TUIHelper(QWidget *form)
    : QObject(form), FForm(form), FRelations(std::make_unique<RelationWalk>(*this))
{
}

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

void TUIHelper::SetCaptions(const QHash<QString, QString> &captions)
{
    FCaptions.clear();
    for (auto it = captions.cbegin(); it != captions.cend(); ++it) {
        QString caption = it.value().trimmed();
        while (caption.endsWith(QChar(0xFF1A)) || caption.endsWith(QLatin1Char(':')))
            caption.chop(1);
        if (!caption.isEmpty())
            FCaptions.insert(it.key().toCaseFolded(), caption);
    }
}

QString TUIHelper::Caption(const QString &controlName) const
{
    return FCaptions.value(controlName.toCaseFolded());
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

namespace {
struct HandedOver {
    QString path;
    std::unique_ptr<ConfigDocument> document;
};
HandedOver &handedOver()
{
    static HandedOver held;
    return held;
}
} // namespace

void TUIHelper::HandOver(const QString &path, std::unique_ptr<ConfigDocument> document)
{
    handedOver() = {QFileInfo(path).absoluteFilePath(), std::move(document)};
}

std::unique_ptr<ConfigDocument> TUIHelper::TakeHandedOver(const QString &path)
{
    HandedOver held = std::move(handedOver());
    handedOver() = {};
    if (held.document && held.path == QFileInfo(path).absoluteFilePath())
        return std::move(held.document);
    return nullptr;
}

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
    FRelations->Reset();
    std::unique_ptr<ConfigDocument> handedOver = TakeHandedOver(FFileName);
    // The file's bytes are let go as soon as the tree is built.
    FDoc = handedOver ? std::move(handedOver) : ConfigDocument::parse(DataFile::Read(FFileName));
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
    FKeptMemos.clear();
    FKeptChoices.clear();
    FDamagedMemos.clear();
    Batched([this] {
        for (const ConfigNode &node : Section(ConfigSection::UiRelation).childElements())
            FRelations->ApplyRelation(node);
        for (const ConfigNode &item : Section(ConfigSection::UiData).childElements())
            BindItem(item);
    });
    if (!FDamagedMemos.isEmpty()) {
        QStringList named;
        for (const QString &name : std::as_const(FDamagedMemos)) {
            const QString caption = Caption(name);
            named << (caption.isEmpty() ? name : caption);
        }
        ShowWarning(BindingMessages::DamagedMemos(named));
    }
}

void TUIHelper::CollectFromControls()
{
    const ConfigNode data = Section(ConfigSection::UiData);
    if (!data)
        throw AppError(BindingMessages::NoUiData());
    if (!Section(ConfigSection::DataFields))
        throw AppError(BindingMessages::NoDataFields());
    Batched([&] {
        for (const ConfigNode &item : data.childElements())
            CollectItem(item);
    });
}

// ---------------------------------------------------------------------------
// Messages

void TUIHelper::Warn(Message kind, const QString &name, const QString &text)
{
    if (FBatchDepth > 0)
        FBatch.add(int(kind), name, text);
    else
        ShowWarning(text);
}

void TUIHelper::Batched(const std::function<void()> &work)
{
    ++FBatchDepth;
    auto show = [this] {
        if (--FBatchDepth > 0)
            return;
        for (const QString &text : FBatch.take())
            ShowWarning(text);
    };
    try {
        work();
    } catch (...) {
        // What was found before the error is shown before the error is.
        show();
        throw;
    }
    show();
}
