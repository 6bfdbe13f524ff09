#include "PrintedForm.h"

#include "Catalogue.h"
#include "CodePage.h"
#include "ControlAdapter.h"
#include "Dialogs.h"
#include "TUIHelper.h"
#include "TfrBandView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrPreparer.h"
#include "TfrReport.h"

#include <QRegularExpression>
#include <algorithm>

namespace {

const QString kCRLF = QStringLiteral("\r\n");
const QString kSeeAttachment = QStringLiteral("(见附页)");
const QString kAttachmentTitle = QStringLiteral("附页：");
const QString kReportObjectMissing = QStringLiteral("报表控件未找到！ ");
// Space left between the attachment text and the footer line.
constexpr int kFooterGap = 6;

bool isCheckCodeObject(const TfrView *view)
{
    static const QRegularExpression name(QStringLiteral("^VerifyCode\\d*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return name.match(view->Name).hasMatch();
}

// A memo with the place, frame, font and flags of another, and its text.
TfrMemoView *copyOf(const TfrMemoView &from, const QString &name)
{
    auto *m = new TfrMemoView;
    m->Name = name;
    m->SetBounds(from.x, from.y, from.dx, from.dy);
    m->Flags = from.Flags;
    m->FrameTyp = from.FrameTyp;
    m->FrameWidth = from.FrameWidth;
    m->FrameColor = from.FrameColor;
    m->FrameStyle = from.FrameStyle;
    m->FillColor = from.FillColor;
    m->gapx = from.gapx;
    m->gapy = from.gapy;
    m->FontName = from.FontName;
    m->FontSize = from.FontSize;
    m->FontStyle = from.FontStyle;
    m->FontColor = from.FontColor;
    m->Alignment = from.Alignment;
    m->LineSpacing = from.LineSpacing;
    m->CharacterSpacing = from.CharacterSpacing;
    m->Memo() = from.Memo();
    return m;
}

// The footer line of the template's last page: its check code object and the
// texts beside it on the same line.
struct FooterLine {
    const TfrMemoView *code = nullptr;
    QList<const TfrMemoView *> texts;
};

FooterLine footerLine(const TfrReport &report)
{
    FooterLine out;
    const TfrPages &pages = report.Pages();
    const TfrPage *last = nullptr;
    for (int i = 0; i < pages.Count(); ++i)
        if (pages[i].Name != PrintedForm::AttachmentPage && pages[i].PageType == 0)
            last = &pages[i];
    if (!last)
        return out;
    for (const TfrView *v : last->Objects())
        if (const auto *m = dynamic_cast<const TfrMemoView *>(v); m && isCheckCodeObject(m)) {
            out.code = m;
            break;
        }
    if (!out.code)
        return out;
    for (const TfrView *v : last->Objects()) {
        const auto *m = dynamic_cast<const TfrMemoView *>(v);
        const int middle = v->y + v->dy / 2;
        if (m && m != out.code && middle >= out.code->y && middle < out.code->y + out.code->dy &&
            v->x < out.code->x)
            out.texts.append(m);
    }
    return out;
}

} // namespace

const QString PrintedForm::AttachmentPage = QStringLiteral("newadd");

PrintedForm::PrintedForm(const Catalogue &catalogue, TfrReport &report) : FReport(report)
{
    FAttached = catalogue.attachedMemos();
    FHeadings = catalogue.headings();
}

void PrintedForm::Fill(TUIHelper &helper, const QString &checkCode, const Hook &hook)
{
    // The same values whatever called: those the form holds now.
    helper.CollectFromControls();
    helper.SetReport(&FReport);
    helper.FillReport();

    for (int i = 1; i <= 5; ++i)
        if (TfrView *object = FReport.FindObject(QStringLiteral("VerifyCode%1").arg(i))) {
            // A code such as "00000000" is no zero to hide.
            object->Flags &= ~flHideZeros;
            object->SetText(checkCode);
        }

    QString attachment;
    if (hook)
        hook(attachment);
    // Whatever would still be cut off in its box moves to the attachment too;
    // a form type that prints no attachment page names those items instead.
    const QList<TfrMemoView *> cut = Overflowing();
    if (hasAttachmentPage()) {
        for (TfrMemoView *memo : cut) {
            const QString text = memo->Text();
            memo->SetText(kSeeAttachment);
            AppendSection(attachment, FHeadings.value(memo->Name.toLower()), text);
        }
    } else if (!cut.isEmpty()) {
        QStringList names;
        for (const TfrMemoView *memo : cut)
            names << FHeadings.value(memo->Name.toLower());
        ShowWarning(QStringLiteral("下列填写内容超出打印位置，打印件上显示不全，请精简后重新打印：") + kCRLF +
                    names.join(kCRLF));
    }

    // Attachment pages left by an earlier print of this form go first.
    RemoveAttachmentPages(FReport);
    if (!attachment.isEmpty())
        AddAttachmentPage(FReport, attachment, checkCode);
}

void PrintedForm::MoveLongMemos(const TUIHelper *helper, TfrReport *report, QString &attachment) const
{
    attachment.clear();
    for (const CatalogueEntry *entry : FAttached) {
        QObject *memo = helper ? helper->FindControl(entry->name) : nullptr;
        const QString text = memo ? Controls::text(memo) : QString();
        if (CodePage::byteLength(text) <= LongTextBytes)
            continue;
        TfrView *object = report ? report->FindObject(entry->name) : nullptr;
        if (!object) {
            ShowWarning(kReportObjectMissing + entry->name);
            return;
        }
        object->SetText(kSeeAttachment);
        AppendSection(attachment, entry->heading, text);
    }
}

void PrintedForm::AppendSection(QString &attachment, const QString &heading, const QString &text)
{
    if (attachment.isEmpty())
        attachment = kAttachmentTitle + kCRLF + kCRLF;
    attachment += heading + kCRLF + kCRLF;
    attachment += text + kCRLF + kCRLF;
}

QList<TfrMemoView *> PrintedForm::Overflowing() const
{
    QList<TfrMemoView *> out;
    const TfrPreparer preparer(FReport);
    TfrPages &pages = FReport.Pages();
    for (int p = 0; p < pages.Count(); ++p) {
        if (pages[p].Name == AttachmentPage)
            continue;
        QList<TfrMemoView *> onPage;
        for (TfrView *view : pages[p].Objects()) {
            auto *memo = dynamic_cast<TfrMemoView *>(view);
            if (!memo || !FHeadings.contains(memo->Name.toLower()))
                continue;
            const QString text = memo->Text();
            if (!text.isEmpty() && text != kSeeAttachment && !preparer.Fits(*memo))
                onPage.append(memo);
        }
        // In reading order: the items as they stand on the sheet.
        std::stable_sort(onPage.begin(), onPage.end(), [](const TfrMemoView *a, const TfrMemoView *b) {
            return a->y != b->y ? a->y < b->y : a->x < b->x;
        });
        out += onPage;
    }
    return out;
}

void PrintedForm::RemoveAttachmentPages(TfrReport &report)
{
    TfrPages &pages = report.Pages();
    for (int i = pages.Count() - 1; i >= 0; --i)
        if (pages[i].Name == AttachmentPage)
            pages.Delete(i);
}

TfrPage &PrintedForm::AddAttachmentPage(TfrReport &report, const QString &text, const QString &checkCode)
{
    const FooterLine footer = footerLine(report);
    TfrPage &page = report.Pages().Add();
    page.LeftMargin = 90;
    page.TopMargin = 79;
    page.RightMargin = 54;
    page.BottomMargin = 54;
    page.Name = AttachmentPage;

    // A master data band of one record that may break over sheets and grows
    // with its memo.
    auto *band = new TfrBandView;
    band->SetBounds(90, 79, 0, 100);
    band->SetBandType(btMasterData);
    band->SetDataSource(QStringLiteral("1"));
    band->SetPropertyByName(QStringLiteral("BREAKED"), 8);
    band->SetPropertyByName(QStringLiteral("STRETCHED"), 1);
    page.Add(band);

    auto *memo = new TfrMemoView;
    memo->SetBounds(91, 80, 60, 90);
    memo->BandAlign = baWidth;
    memo->SetPropertyByName(QStringLiteral("Alignment"), 0);
    memo->SetPropertyByName(QStringLiteral("TEXTONLY"), 16);
    memo->SetPropertyByName(QStringLiteral("Font.Size"), 9);
    memo->SetPropertyByName(QStringLiteral("STRETCHED"), 1);
    // One memo line per line of the text, so that its empty lines stay.
    memo->SetText(text);
    page.Add(memo);

    // The footer line of the form's sheets on every sheet of the attachment:
    // a page footer band that ends the text above it, holding copies of the
    // line's texts (title, page number and count) and the check code.
    if (!footer.code)
        return page;
    // The band reaches down to the bottom margin, so that it prints where it
    // stands and its objects print at their places, as on the form's sheets.
    int top = footer.code->y;
    for (const TfrMemoView *m : footer.texts)
        top = qMin(top, m->y);
    const int bandTop = top - kFooterGap;
    auto *footerBand = new TfrBandView;
    footerBand->SetBounds(90, bandTop, 0, qMax(page.HeightUnits() - page.BottomMargin - bandTop, kFooterGap + 1));
    footerBand->SetBandType(btPageFooter);
    page.Add(footerBand);
    int n = 0;
    for (const TfrMemoView *m : footer.texts)
        page.Add(copyOf(*m, QStringLiteral("AttachmentFooter%1").arg(++n)));
    TfrMemoView *code = copyOf(*footer.code, QStringLiteral("AttachmentCode"));
    code->SetPropertyByName(QStringLiteral("TEXTONLY"), 16);
    code->Flags &= ~flHideZeros;
    code->SetText(checkCode);
    page.Add(code);
    return page;
}
