#pragma once
// TfrPrintForm: the print dialog of the preview: the printer by name with its
// set-up, the number of copies with collation, and the pages to print (all,
// the current one, or numbers and ranges such as 1,3,5-12). The printer list
// ends with the virtual printer, which writes a PDF file the user chooses.
#include "TfrSheet.h"

#include <QDialog>
#include <QList>
#include <memory>

class QComboBox;
class QSpinBox;
class QCheckBox;
class QRadioButton;
class QLineEdit;
class QPushButton;
class QPrinter;
class TfrReport;

class TfrPrintForm : public QDialog {
    Q_OBJECT
public:
    TfrPrintForm(const TfrReport &report, int pageCount, int currentPage, QWidget *parent = nullptr);
    ~TfrPrintForm() override;

    static QString virtualPrinterName() { return QStringLiteral("虚拟打印机"); }
    // The installed printers followed by the virtual printer.
    static QStringList printerNames();

    QString printerName() const;
    bool isVirtualPrinter() const;
    int copies() const;
    bool collate() const;
    // The 0-based sheet indices chosen; ok is false for a bad page selection.
    QList<int> selectedSheets(bool *ok = nullptr) const;

    // Prints the chosen sheets as set in the dialog; reports failures to the user.
    bool printSheets(const QList<TfrSheet> &sheets);

    void accept() override;

private:
    void setUpPrinter();
    void updateState();

    int FPageCount;
    int FCurrentPage;
    QComboBox *FPrinter;
    QPushButton *FSetup;
    QSpinBox *FCopies;
    QCheckBox *FCollate;
    QRadioButton *FAll;
    QRadioButton *FCurrent;
    QRadioButton *FRange;
    QLineEdit *FRangeText;
    std::unique_ptr<QPrinter> FSetupPrinter;
    bool FUserLayout = false; // the set-up dialog was accepted for this printer
};
