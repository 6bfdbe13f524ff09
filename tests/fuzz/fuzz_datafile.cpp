// libFuzzer target of data file loading. Every input is parsed as a
// configuration document; one that parses must serialise to bytes that parse
// and serialise identically (what Save writes, Open reads back). The input is
// then opened as a data file by the form whose type tag it carries (the
// domestic registration form otherwise), the way the Open command loads it:
// read from disk, type checked, relations and values applied to the
// controls; the controls are then collected back into the document.
#include "AppError.h"
#include "ConfigDocument.h"
#include "FormClasses.h"
#include "FuzzSupport.h"
#include "Helpers.h"
#include "TUIHelper.h"

#include <QEvent>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

QTemporaryDir *gDir = nullptr;
QPointer<TEABaseForm> gForms[kFormKindCount];

// The cached form of a kind, created again once a load has closed it.
TEABaseForm *formOf(FormKind kind)
{
    QPointer<TEABaseForm> &form = gForms[int(kind)];
    if (form && form->isClosed()) {
        delete form;
        form.clear();
    }
    if (!form)
        form = CreateForm(kind);
    return form;
}

FormKind kindOf(const ConfigDocument *doc)
{
    if (doc) {
        const QString tag = doc->section(ConfigSection::ConfigType).attributeText(QStringLiteral("value"));
        for (const FormType &type : formTypes()) {
            if (type.typeTag == tag && QFile::exists(ProgramDirectory() + type.configFileName))
                return type.kind;
        }
    }
    return FormKind::YPZCSQ;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    FuzzSupport::ensureApplication((*argv)[0]);
    FuzzSupport::installSilentDialogs();
    gDir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    std::unique_ptr<ConfigDocument> doc;
    try {
        doc = ConfigDocument::parse(bytes);
    } catch (const AppError &) {
    }
    if (doc) {
        try {
            const QByteArray saved = doc->serialize();
            const std::unique_ptr<ConfigDocument> reread = ConfigDocument::parse(saved);
            if (reread->serialize() != saved) {
                std::fprintf(stderr, "a saved document does not read back the same\n");
                std::abort();
            }
        } catch (const AppError &e) {
            std::fprintf(stderr, "a saved document does not read back: %s\n", e.what());
            std::abort();
        }
    }

    const QString path = gDir->filePath(QStringLiteral("fuzz.MRT"));
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size())
            std::abort();
    }
    TEABaseForm *form = formOf(kindOf(doc.get()));
    try {
        form->LoadDocument(path);
        if (!form->isClosed() && form->helper() && form->helper()->Document()) {
            form->helper()->CollectFromControls();
            (void)form->helper()->Document()->serialize();
        }
    } catch (const AppError &) {
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
