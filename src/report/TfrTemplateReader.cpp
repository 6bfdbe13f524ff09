#include "TfrTemplateReader.h"

#include "TfrBandView.h"
#include "TfrByteReader.h"
#include "TfrLineView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrPictureView.h"
#include "TfrReport.h"
#include "TfrSubReportView.h"
#include "frTypes.h"

#include <memory>

namespace {

std::unique_ptr<TfrView> createView(quint8 type)
{
    switch (type) {
    case gtMemo:
        return std::make_unique<TfrMemoView>();
    case gtPicture:
        return std::make_unique<TfrPictureView>();
    case gtBand:
        return std::make_unique<TfrBandView>();
    case gtSubReport:
        return std::make_unique<TfrSubReportView>();
    case gtLine:
        return std::make_unique<TfrLineView>();
    default:
        return nullptr;
    }
}

// Frame width: 10 or less is whole units, a larger value thousandths.
double frameWidthFromStream(qint32 v)
{
    return v <= 10 ? double(v) : double(v) / 1000.0;
}

} // namespace

TfrTemplateReader::Result TfrTemplateReader::read(const QByteArray &stream, TfrReport &report)
{
    FError.clear();
    FUnknown.clear();
    TfrByteReader in(stream);
    if (stream.isEmpty()) {
        FError = QStringLiteral("模板数据为空");
        return Damaged;
    }
    int version = in.u8();
    if (version > 24) {
        FError = QStringLiteral("模板版本 %1 高于支持的版本 24").arg(version);
        return UnsupportedVersion;
    }
    if (version < 21) {
        // No version byte: the stream is of version 21 and this byte is its data.
        version = 21;
        in.seek(0);
    }
    if (version < 24) {
        FError = QStringLiteral("不支持模板版本 %1（只读取版本 24）").arg(version);
        return UnsupportedVersion;
    }
    report.PrintToDefault = in.boolean16();
    report.DoublePass = in.boolean16();
    report.PrinterName = in.string();
    report.EndTag = false;

    while (in.ok() && !in.atEnd()) {
        const qint64 recordStart = in.pos();
        const quint8 tag = in.u8();
        if (tag == frtPage) {
            readPage(in, report.Pages().Add());
        } else if (tag == frtDictionary) {
            report.DictionaryMarker = in.i16();
            const qint32 variables = in.i32();
            const qint32 aliases = in.i32();
            const qint32 sources = in.i32();
            if (in.ok() && (variables != 0 || aliases != 0 || sources != 0))
                in.fail(QStringLiteral("偏移 %1 处的数据字典不为空，无法读取").arg(recordStart));
        } else if (tag == frtEnd) {
            report.EndTag = true;
            break;
        } else if (tag <= gtLine || tag == gtAddIn) {
            if (!readObject(in, tag, report))
                break;
        } else {
            in.fail(QStringLiteral("偏移 %1 处的对象类型 %2 未知").arg(recordStart).arg(tag));
        }
    }
    if (!in.ok()) {
        FError = in.errorString();
        return Damaged;
    }
    if (!FUnknown.isEmpty()) {
        FError = QStringLiteral("模板含有未知的组件：%1").arg(FUnknown.join(QStringLiteral("，")));
        return UnknownClasses;
    }
    return Ok;
}

void TfrTemplateReader::readPage(TfrByteReader &in, TfrPage &page)
{
    qint32 size = in.i32();
    page.HasScript = size == -1;
    if (page.HasScript)
        size = in.i32();
    page.pgSize = size;
    page.pgWidth = in.i32();
    page.pgHeight = in.i32();
    page.LeftMargin = in.i32();
    page.TopMargin = in.i32();
    page.RightMargin = in.i32();
    page.BottomMargin = in.i32();
    page.pgOr = in.u8();
    page.pgBin = in.i32();
    page.PrintToPrevPage = in.boolean16();
    page.UseMargins = in.boolean16();
    page.ColCount = in.i32();
    page.ColGap = in.i32();
    page.PageType = in.u8();
    page.Name = in.string();
    page.BorderStyle = in.u8();
    page.Caption = in.string();
    page.Color = in.i32();
    page.DialogLeft = in.i32();
    page.DialogTop = in.i32();
    page.DialogWidth = in.i32();
    page.DialogHeight = in.i32();
    page.Position = in.u8();
    if (page.HasScript)
        page.Script = in.stringList();
}

void TfrTemplateReader::readCommon(TfrByteReader &in, TfrView &view)
{
    view.Name = in.string();
    view.ObjectVersion = in.u8();
    view.ObjectSubVersion = in.u8();
    view.x = in.i32();
    view.y = in.i32();
    view.dx = in.i32();
    view.dy = in.i32();
    view.Flags = in.u16();
    view.FrameTyp = in.u16();
    view.FrameWidth = frameWidthFromStream(in.i32());
    view.FrameColor = in.i32();
    view.FrameStyle = in.u16();
    view.FillColor = in.i32();
    view.Format = in.i32();
    view.FormatStr = in.string();
    view.Memo() = in.stringList();
    view.Script = in.stringList();
    view.Visible = in.boolean16();
    view.Restrictions = in.u16();
    view.Tag = in.string();
    view.gapx = in.i32();
    view.gapy = in.i32();
    if (view.ObjectVersion > 1)
        view.BandAlign = in.u8();
}

bool TfrTemplateReader::readObject(TfrByteReader &in, quint8 type, TfrReport &report)
{
    const qint64 recordStart = in.pos() - 1;
    QString className;
    if (type == gtAddIn)
        className = in.string();
    const quint8 pageIndex = in.u8();
    const qint32 next = in.i32();
    if (!in.ok())
        return false;
    if (next != 0 && (next <= recordStart || next > in.size())) {
        in.fail(QStringLiteral("偏移 %1 处对象的下一记录位置 %2 无效").arg(recordStart).arg(next));
        return false;
    }
    if (pageIndex >= report.Pages().Count()) {
        in.fail(QStringLiteral("偏移 %1 处的对象属于不存在的第 %2 页").arg(recordStart).arg(pageIndex + 1));
        return false;
    }

    if (type == gtAddIn) {
        // No add-in classes are plugged into this engine: note the class and
        // skip the record by its next-record position.
        if (!FUnknown.contains(className))
            FUnknown.append(className);
        if (next == 0) {
            in.fail(QStringLiteral("偏移 %1 处的组件 %2 无法跳过").arg(recordStart).arg(className));
            return false;
        }
        return in.seek(next);
    }

    std::unique_ptr<TfrView> view = createView(type);
    readCommon(in, *view);
    if (auto *memo = dynamic_cast<TfrMemoView *>(view.get())) {
        memo->FontName = in.string();
        memo->FontSize = in.i32();
        memo->FontStyle = in.u16();
        memo->FontColor = in.i32();
        memo->Alignment = in.i32();
        memo->Charset = in.u16();
        memo->Highlight = in.bytes(10);
        memo->HighlightStr = in.string();
        memo->LineSpacing = in.i32();
        memo->CharacterSpacing = in.i32();
    } else if (auto *band = dynamic_cast<TfrBandView *>(view.get())) {
        band->ChildBand = in.string();
        band->Columns = in.i32();
        band->ColumnWidth = in.i32();
        band->ColumnGap = in.i32();
        band->NewColumnAfter = in.i32();
        if (band->ObjectVersion * 10 + band->ObjectSubVersion > 20)
            band->Master = in.string();
    }
    if (!in.ok())
        return false;
    if (next != 0) {
        if (next < in.pos()) {
            in.fail(QStringLiteral("偏移 %1 处对象的下一记录位置 %2 落在对象数据之内").arg(recordStart).arg(next));
            return false;
        }
        view->ClassTail = in.bytes(next - in.pos());
    }
    if (!in.ok())
        return false;
    report.Pages()[pageIndex].Add(view.release());
    return true;
}
