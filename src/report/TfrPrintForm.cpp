#include "TfrPrintForm.h"

#include "Dialogs.h"
#include "TfrPageRanges.h"
#include "TfrRenderer.h"
#include "TfrReport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const QString printCaption = QStringLiteral("打印");
}

QStringList TfrPrintForm::printerNames()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    names.append(virtualPrinterName());
    return names;
}

TfrPrintForm::TfrPrintForm(const TfrReport &report, int pageCount, int currentPage, QWidget *parent)
    : QDialog(parent), FPageCount(pageCount), FCurrentPage(currentPage)
{
    setWindowTitle(printCaption);
    auto *layout = new QVBoxLayout(this);

    auto *printerBox = new QGroupBox(QStringLiteral("打印机"), this);
    auto *printerRow = new QHBoxLayout(printerBox);
    printerRow->addWidget(new QLabel(QStringLiteral("名称："), printerBox));
    FPrinter = new QComboBox(printerBox);
    FPrinter->setObjectName(QStringLiteral("cbxPrinter"));
    FPrinter->addItems(printerNames());
    printerRow->addWidget(FPrinter, 1);
    FSetup = new QPushButton(QStringLiteral("属性..."), printerBox);
    FSetup->setObjectName(QStringLiteral("btnSetup"));
    FSetup->setToolTip(QStringLiteral("设置打印机的纸张和方向"));
    printerRow->addWidget(FSetup);
    layout->addWidget(printerBox);

    // The template's printer when it is installed and the template does not ask
    // for the default one; otherwise the system's default printer.
    QString chosen;
    if (!report.PrintToDefault && !report.PrinterName.isEmpty() &&
        QPrinterInfo::availablePrinterNames().contains(report.PrinterName))
        chosen = report.PrinterName;
    else
        chosen = QPrinterInfo::defaultPrinterName();
    const int index = FPrinter->findText(chosen);
    FPrinter->setCurrentIndex(index >= 0 ? index : FPrinter->count() - 1);

    auto *copiesBox = new QGroupBox(QStringLiteral("份数"), this);
    auto *copiesForm = new QFormLayout(copiesBox);
    FCopies = new QSpinBox(copiesBox);
    FCopies->setObjectName(QStringLiteral("spnCopies"));
    FCopies->setRange(1, 999);
    FCopies->setValue(qBound(1, report.DefaultCopies, 999));
    copiesForm->addRow(QStringLiteral("份数："), FCopies);
    FCollate = new QCheckBox(QStringLiteral("逐份打印"), copiesBox);
    FCollate->setObjectName(QStringLiteral("ckbCollate"));
    FCollate->setChecked(report.DefaultCollate);
    copiesForm->addRow(FCollate);
    layout->addWidget(copiesBox);

    auto *pagesBox = new QGroupBox(QStringLiteral("页码范围"), this);
    auto *pagesLayout = new QVBoxLayout(pagesBox);
    FAll = new QRadioButton(QStringLiteral("全部"), pagesBox);
    FAll->setObjectName(QStringLiteral("rbAll"));
    FAll->setChecked(true);
    FCurrent = new QRadioButton(QStringLiteral("当前页"), pagesBox);
    FCurrent->setObjectName(QStringLiteral("rbCurrent"));
    auto *rangeRow = new QHBoxLayout;
    FRange = new QRadioButton(QStringLiteral("页码："), pagesBox);
    FRange->setObjectName(QStringLiteral("rbRange"));
    FRangeText = new QLineEdit(pagesBox);
    FRangeText->setObjectName(QStringLiteral("edtRange"));
    FRangeText->setPlaceholderText(QStringLiteral("例如 1,3,5-12"));
    rangeRow->addWidget(FRange);
    rangeRow->addWidget(FRangeText, 1);
    pagesLayout->addWidget(FAll);
    pagesLayout->addWidget(FCurrent);
    pagesLayout->addLayout(rangeRow);
    pagesLayout->addWidget(new QLabel(QStringLiteral("输入页码或页码范围，用逗号分隔，例如 1,3,5-12"), pagesBox));
    layout->addWidget(pagesBox);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &TfrPrintForm::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(FSetup, &QPushButton::clicked, this, &TfrPrintForm::setUpPrinter);
    connect(FPrinter, &QComboBox::currentIndexChanged, this, &TfrPrintForm::updateState);
    connect(FCopies, &QSpinBox::valueChanged, this, &TfrPrintForm::updateState);
    connect(FRangeText, &QLineEdit::textEdited, this, [this] { FRange->setChecked(true); });
    updateState();
}

TfrPrintForm::~TfrPrintForm() = default;

QString TfrPrintForm::printerName() const
{
    return FPrinter->currentText();
}

bool TfrPrintForm::isVirtualPrinter() const
{
    return FPrinter->currentIndex() == FPrinter->count() - 1;
}

int TfrPrintForm::copies() const
{
    return FCopies->value();
}

bool TfrPrintForm::collate() const
{
    return FCollate->isChecked();
}

QList<int> TfrPrintForm::selectedSheets(bool *ok) const
{
    QList<int> result;
    if (ok)
        *ok = true;
    if (FCurrent->isChecked()) {
        if (FCurrentPage >= 0 && FCurrentPage < FPageCount)
            result.append(FCurrentPage);
    } else if (FRange->isChecked()) {
        bool parsed = false;
        for (int page : TfrPageRanges::Parse(FRangeText->text(), FPageCount, &parsed))
            result.append(page - 1);
        if (ok)
            *ok = parsed;
    } else {
        for (int i = 0; i < FPageCount; ++i)
            result.append(i);
    }
    return result;
}

void TfrPrintForm::accept()
{
    bool ok = false;
    const QList<int> sheets = selectedSheets(&ok);
    if (!ok) {
        dialogs().showMessage(printCaption, QStringLiteral("页码范围不正确，请输入页码或页码范围，例如 1,3,5-12。"),
                              MessageKind::Warning);
        return;
    }
    if (sheets.isEmpty()) {
        dialogs().showMessage(printCaption, QStringLiteral("所选范围内没有可打印的页。"), MessageKind::Warning);
        return;
    }
    QDialog::accept();
}

void TfrPrintForm::updateState()
{
    FSetup->setEnabled(!isVirtualPrinter());
    FCollate->setEnabled(FCopies->value() > 1);
    if (!FSetupPrinter || FSetupPrinter->printerName() != printerName()) {
        FSetupPrinter.reset();
        FUserLayout = false;
    }
}

void TfrPrintForm::setUpPrinter()
{
    if (isVirtualPrinter())
        return;
    if (!FSetupPrinter) {
        FSetupPrinter = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(printerName()), QPrinter::HighResolution);
    }
    QPageSetupDialog setup(FSetupPrinter.get(), this);
    setup.setWindowTitle(QStringLiteral("打印机设置"));
    if (dialogs().runModal(&setup) == QDialog::Accepted)
        FUserLayout = true;
}

bool TfrPrintForm::printSheets(const QList<TfrSheet> &sheets)
{
    bool ok = false;
    const QList<int> chosen = selectedSheets(&ok);
    if (!ok || chosen.isEmpty())
        return false;
    if (isVirtualPrinter()) {
        FileRequest request;
        request.caption = QStringLiteral("虚拟打印机：保存为 PDF 文件");
        request.filter = QStringLiteral("PDF 文件 (*.pdf)|*.pdf");
        request.fileName = QStringLiteral("报表.pdf");
        request.defaultSuffix = QStringLiteral("pdf");
        const QString file = dialogs().chooseSaveFile(request);
        if (file.isEmpty())
            return false;
        QString error;
        if (!TfrRenderer::writePdf(sheets, chosen, file, &error, copies(), collate())) {
            dialogs().showMessage(QStringLiteral("错误"), error, MessageKind::Error);
            return false;
        }
        return true;
    }
    QPrinter printer(QPrinterInfo::printerInfo(printerName()), QPrinter::HighResolution);
    // The paper and orientation the user chose in 属性... hold for every
    // sheet; without that choice each sheet prints on its own paper.
    const bool userLayout = FSetupPrinter && FUserLayout;
    if (userLayout)
        printer.setPageLayout(FSetupPrinter->pageLayout());
    printer.setFullPage(true);
    printer.setDocName(QStringLiteral("电子申报"));
    if (!printer.isValid() ||
        !TfrRenderer::paintSheets(printer, sheets, chosen, copies(), collate(), userLayout)) {
        dialogs().showMessage(QStringLiteral("错误"), QStringLiteral("无法打印到打印机“%1”。").arg(printerName()),
                              MessageKind::Error);
        return false;
    }
    return true;
}
