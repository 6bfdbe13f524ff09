#include "TfrPreviewForm.h"

#include "Dialogs.h"
#include "TfrFindDialog.h"
#include "TfrPreparedFile.h"
#include "TfrPrintForm.h"
#include "TfrRenderer.h"
#include "TfrReport.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString previewCaption = QStringLiteral("预览");

const double zoomFactors[] = {2.0, 1.5, 1.0, 0.75, 0.5, 0.25, 0.1};

} // namespace

QStringList TfrPreviewForm::zoomTexts()
{
    return {QStringLiteral("200%"), QStringLiteral("150%"), QStringLiteral("100%"), QStringLiteral("75%"),
            QStringLiteral("50%"),  QStringLiteral("25%"),  QStringLiteral("10%"),  QStringLiteral("页宽"),
            QStringLiteral("整页"), QStringLiteral("双页")};
}

TfrPreviewForm::TfrPreviewForm(TfrReport &report, QWidget *parent)
    : QDialog(parent), FReport(report), FSheets(report.PreparedSheets())
{
    setWindowTitle(report.Title().isEmpty() ? previewCaption : report.Title());
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(1000, 760);

    FPrinter = std::make_unique<QPrinter>(QPrinter::ScreenResolution);
    FPrinter->setFullPage(true);
    if (!FSheets.isEmpty())
        FPrinter->setPageLayout(TfrRenderer::pageLayoutOf(FSheets.first()));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(bar);

    const TfrPreviewButtons buttons = report.PreviewButtons();
    struct ButtonSpec {
        TfrPreviewButton bit;
        const char *name;
        const char *text;
        const char *hint;
        QStyle::StandardPixmap icon;
        void (TfrPreviewForm::*command)();
    };
    const ButtonSpec specs[] = {
        {pbZoom, "btnZoom", "放缩", "放缩", QStyle::SP_FileDialogContentsView, nullptr},
        {pbLoad, "btnLoad", "打开", "打开报表", QStyle::SP_DialogOpenButton, &TfrPreviewForm::openReport},
        {pbSave, "btnSave", "保存", "保存报表", QStyle::SP_DialogSaveButton, &TfrPreviewForm::saveReport},
        {pbPrint, "btnPrint", "打印", "打印报表", QStyle::SP_FileIcon, &TfrPreviewForm::printReport},
        {pbFind, "btnFind", "查找", "查找文本", QStyle::SP_FileDialogDetailedView, &TfrPreviewForm::findTextCommand},
        {pbHelp, "btnHelp", "帮助", "显示帮助", QStyle::SP_DialogHelpButton, &TfrPreviewForm::showHelp},
        {pbExit, "btnExit", "关闭", "关闭预览", QStyle::SP_DialogCloseButton, nullptr},
    };
    for (const ButtonSpec &entry : specs) {
        if (!(buttons & entry.bit))
            continue;
        auto *button = new QToolButton(bar);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setText(QString::fromUtf8(entry.text));
        button->setToolTip(QString::fromUtf8(entry.hint));
        button->setIcon(style()->standardIcon(entry.icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        if (entry.bit == pbZoom) {
            auto *menu = new QMenu(button);
            const QStringList texts = zoomTexts();
            for (int i = 0; i < texts.size(); ++i)
                menu->addAction(texts[i], this, [this, i] { setZoom(Zoom(i)); });
            button->setMenu(menu);
            button->setPopupMode(QToolButton::InstantPopup);
        } else if (entry.bit == pbExit) {
            connect(button, &QToolButton::clicked, this, &QDialog::reject);
        } else {
            connect(button, &QToolButton::clicked, this, entry.command);
        }
        bar->addWidget(button);
    }
    bar->addSeparator();
    auto *previous = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("上一页"));
    auto *next = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("下一页"));
    previous->setToolTip(QStringLiteral("上一页"));
    next->setToolTip(QStringLiteral("下一页"));
    connect(previous, &QAction::triggered, this, [this] { setCurrentSheet(currentSheet() - 1); });
    connect(next, &QAction::triggered, this, [this] { setCurrentSheet(currentSheet() + 1); });
    FStatus = new QLabel(bar);
    FStatus->setObjectName(QStringLiteral("lblPage"));
    FStatus->setContentsMargins(12, 0, 12, 0);
    bar->addWidget(FStatus);

    FView = new QPrintPreviewWidget(FPrinter.get(), this);
    FView->setObjectName(QStringLiteral("previewView"));
    layout->addWidget(FView, 1);
    connect(FView, &QPrintPreviewWidget::paintRequested, this, &TfrPreviewForm::paintPreview);
    connect(FView, &QPrintPreviewWidget::previewChanged, this, &TfrPreviewForm::updateStatus);

    switch (report.InitialZoom()) {
    case pzPageWidth:
        setZoom(PageWidth);
        break;
    case pzOnePage:
        setZoom(WholePage);
        break;
    case pzTwoPages:
        setZoom(TwoPages);
        break;
    default:
        setZoom(Zoom100);
        break;
    }
    FView->updatePreview();
    updateStatus();
}

TfrPreviewForm::~TfrPreviewForm() = default;

void TfrPreviewForm::paintPreview(QPrinter *printer)
{
    if (FSheets.isEmpty())
        return;
    QPainter painter;
    if (!painter.begin(printer))
        return;
    const double dpi = printer->logicalDpiX();
    // The preview shows every page on the first sheet's paper (its pages
    // cannot change paper while painting); another sheet is fitted to it.
    const QSizeF page = printer->pageLayout().fullRectPixels(int(dpi)).size().toSizeF();
    for (int i = 0; i < FSheets.size(); ++i) {
        if (i > 0)
            printer->newPage();
        TfrRenderer::drawSheetOnPage(painter, FSheets[i], dpi, page, true);
        if (i == FFoundSheet && FFoundObject >= 0 && FFoundObject < FSheets[i].objects.size()) {
            // Mark the object holding the found text.
            const TfrPreparedObject &o = FSheets[i].objects[FFoundObject];
            painter.save();
            const double scale = dpi / TfrRenderer::UnitsPerInch;
            painter.scale(scale, scale);
            painter.fillRect(QRectF(o.x, o.y, o.dx, o.dy), QColor(255, 220, 0, 90));
            painter.setPen(QPen(QColor(230, 120, 0), 1.5));
            painter.drawRect(QRectF(o.x, o.y, o.dx, o.dy));
            painter.restore();
        }
    }
    painter.end();
}

int TfrPreviewForm::currentSheet() const
{
    return FView->currentPage() - 1;
}

void TfrPreviewForm::setCurrentSheet(int index)
{
    if (index < 0 || index >= FSheets.size())
        return;
    FView->setCurrentPage(index + 1);
    updateStatus();
}

void TfrPreviewForm::setZoom(Zoom zoom)
{
    FZoom = zoom;
    switch (zoom) {
    case PageWidth:
        FView->setViewMode(QPrintPreviewWidget::SinglePageView);
        FView->fitToWidth();
        break;
    case WholePage:
        FView->setViewMode(QPrintPreviewWidget::SinglePageView);
        FView->fitInView();
        break;
    case TwoPages:
        FView->setViewMode(QPrintPreviewWidget::FacingPagesView);
        FView->fitInView();
        break;
    default:
        FView->setViewMode(QPrintPreviewWidget::SinglePageView);
        FView->setZoomMode(QPrintPreviewWidget::CustomZoom);
        FView->setZoomFactor(zoomFactors[zoom]);
        break;
    }
    updateStatus();
}

double TfrPreviewForm::zoomFactor() const
{
    return FView->zoomFactor();
}

void TfrPreviewForm::updateStatus()
{
    if (FSheets.isEmpty())
        FStatus->setText(QStringLiteral("没有可显示的页"));
    else
        FStatus->setText(QStringLiteral("第 %1 页，共 %2 页").arg(qMax(1, FView->currentPage())).arg(FSheets.size()));
}

void TfrPreviewForm::reloadView()
{
    FFoundSheet = FFoundObject = -1;
    FView->updatePreview();
    setCurrentSheet(0);
    updateStatus();
}

bool TfrPreviewForm::findText(const QString &text, bool caseSensitive)
{
    if (text.isEmpty() || FSheets.isEmpty())
        return false;
    const Qt::CaseSensitivity cs = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    // Continue after the last hit when the same text is searched again.
    int sheet = qMax(0, currentSheet());
    int object = 0;
    if (text == FLastFind && caseSensitive == FLastCase && FFoundSheet >= 0) {
        sheet = FFoundSheet;
        object = FFoundObject + 1;
    }
    FLastFind = text;
    FLastCase = caseSensitive;
    const int count = int(FSheets.size());
    for (int n = 0; n <= count; ++n) {
        const int s = (sheet + n) % count;
        const QList<TfrPreparedObject> &objects = FSheets[s].objects;
        for (int o = (n == 0 ? object : 0); o < objects.size(); ++o) {
            QStringList lines;
            for (const TfrTextLine &line : objects[o].lines)
                lines.append(line.text);
            if (lines.join(QString()).contains(text, cs) || lines.join(QLatin1Char(' ')).contains(text, cs)) {
                FFoundSheet = s;
                FFoundObject = o;
                FView->updatePreview();
                setCurrentSheet(s);
                return true;
            }
        }
    }
    FFoundSheet = FFoundObject = -1;
    FView->updatePreview();
    return false;
}

void TfrPreviewForm::findTextCommand()
{
    TfrFindDialog ask(this);
    ask.setText(FLastFind);
    if (dialogs().runModal(&ask) != QDialog::Accepted || ask.text().isEmpty())
        return;
    if (!findText(ask.text(), ask.caseSensitive()))
        dialogs().showMessage(QStringLiteral("查找文本"), QStringLiteral("未找到“%1”。").arg(ask.text()),
                              MessageKind::Information);
}

void TfrPreviewForm::openReport()
{
    FileRequest request;
    request.caption = QStringLiteral("打开报表");
    request.filter = TfrPreparedFile::fileFilter();
    request.defaultSuffix = QStringLiteral("frp");
    const QString file = dialogs().chooseOpenFile(request);
    if (file.isEmpty())
        return;
    TfrPreparedFile reader;
    QList<TfrSheet> sheets;
    if (!reader.open(file, sheets)) {
        dialogs().showMessage(QStringLiteral("错误"), reader.errorString(), MessageKind::Error);
        return;
    }
    FSheets = sheets;
    FReport.setPreparedSheets(sheets);
    reloadView();
}

void TfrPreviewForm::saveReport()
{
    FileRequest request;
    request.caption = QStringLiteral("保存报表");
    request.filter = TfrPreparedFile::fileFilter();
    request.fileName = QStringLiteral("报表.frp");
    request.defaultSuffix = QStringLiteral("frp");
    const QString file = dialogs().chooseSaveFile(request);
    if (file.isEmpty())
        return;
    TfrPreparedFile writer;
    if (!writer.save(file, FSheets))
        dialogs().showMessage(QStringLiteral("错误"), writer.errorString(), MessageKind::Error);
}

void TfrPreviewForm::printReport()
{
    if (FSheets.isEmpty()) {
        dialogs().showMessage(previewCaption, QStringLiteral("没有可打印的页。"), MessageKind::Information);
        return;
    }
    TfrPrintForm form(FReport, int(FSheets.size()), currentSheet(), this);
    if (dialogs().runModal(&form) == QDialog::Accepted)
        form.printSheets(FSheets);
}

void TfrPreviewForm::showHelp()
{
    dialogs().showMessage(
        QStringLiteral("帮助"),
        QStringLiteral("放缩：选择显示比例（200% 至 10%、页宽、整页、双页）。\n"
                       "打开报表、保存报表：打开或保存已生成的报表文件（*.frp）。\n"
                       "打印报表：选择打印机、份数和页码范围后打印；选择“虚拟打印机”时保存为 PDF 文件。\n"
                       "查找文本：在所有页中查找文字，再次查找时从上次找到处继续。\n"
                       "关闭预览：关闭本窗口（Esc 键）。"),
        MessageKind::Information);
}
