#include "TfrReport.h"

#include "Dialogs.h"
#include "TfrByteReader.h"
#include "TfrByteWriter.h"
#include "TfrPage.h"
#include "TfrPreparer.h"
#include "TfrRenderer.h"
#include "TfrTemplateReader.h"
#include "TfrTemplateWriter.h"
#include "TfrView.h"

namespace {

const QString errorCaption = QStringLiteral("错误");
const QString unsupportedText = QStringLiteral("不支持的FRF格式");

// The engine's own text for add-in objects of unknown classes.
QString nonPluggedText(const QStringList &classes)
{
    QString text = QStringLiteral("Report contains the following non-plugged components:\r");
    for (const QString &name : classes)
        text += name + QLatin1Char('\r');
    text += QStringLiteral("You must include these components into your project.");
    return text;
}

} // namespace

TfrReport::TfrReport(QObject *parent) : QObject(parent) {}

TfrReport::~TfrReport() = default;

TfrView *TfrReport::FindObject(const QString &name) const
{
    for (int p = 0; p < FPages.Count(); ++p)
        for (TfrView *view : FPages[p].Objects())
            if (view->Name.compare(name, Qt::CaseInsensitive) == 0)
                return view;
    return nullptr;
}

bool TfrReport::LoadFromStream(const QByteArray &stream)
{
    FPages.Clear();
    TfrTemplateReader reader;
    const TfrTemplateReader::Result result = reader.read(stream, *this);
    FError = reader.errorString();
    switch (result) {
    case TfrTemplateReader::Ok:
        return true;
    case TfrTemplateReader::UnsupportedVersion:
        FPages.Clear();
        dialogs().showMessage(errorCaption, unsupportedText, MessageKind::Error);
        return false;
    case TfrTemplateReader::UnknownClasses:
        FPages.Clear();
        FPages.Add();
        dialogs().showMessage(errorCaption, nonPluggedText(reader.unknownClasses()), MessageKind::Error);
        return false;
    case TfrTemplateReader::Damaged:
        break;
    }
    FPages.Clear();
    FPages.Add();
    dialogs().showMessage(errorCaption, unsupportedText, MessageKind::Error);
    return false;
}

QByteArray TfrReport::SaveToStream() const
{
    return TfrTemplateWriter().write(*this);
}

QByteArray TfrReport::reportForm() const
{
    const QByteArray stream = SaveToStream();
    TfrByteWriter out;
    out.i32(frCurrentVersion);
    if (FStoreInDFM)
        out.i32(qint32(stream.size()));
    out.bytes(stream);
    return out.data();
}

void TfrReport::setReportForm(const QByteArray &bytes)
{
    TfrByteReader in(bytes);
    in.i32(); // marker, ignored
    const qint64 rest = bytes.size() - 8;
    const qint32 length = in.i32();
    QByteArray stream;
    if (in.ok() && length == rest) {
        stream = bytes.mid(8);
    } else if (FStoreInDFM) {
        if (!in.ok() || length < 0 || length > rest) {
            FPages.Clear();
            FPages.Add();
            FError = QStringLiteral("ReportForm 数据的长度 %1 与实际不符").arg(length);
            dialogs().showMessage(errorCaption, unsupportedText, MessageKind::Error);
            return;
        }
        stream = bytes.mid(8, length);
    } else {
        stream = bytes.mid(4);
    }
    LoadFromStream(stream);
}

bool TfrReport::PrepareReport()
{
    TfrPreparer preparer(*this);
    preparer.setMoment(FMoment.isValid() ? FMoment : QDateTime::currentDateTime());
    FSheets = preparer.prepare();
    FError = preparer.errorString();
    return !FSheets.isEmpty();
}

bool TfrReport::ExportPdf(const QString &fileName)
{
    QList<int> all;
    for (int i = 0; i < FSheets.size(); ++i)
        all.append(i);
    QString error;
    const bool ok = TfrRenderer::writePdf(FSheets, all, fileName, &error);
    if (!ok)
        FError = error;
    return ok;
}
