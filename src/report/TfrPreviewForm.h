#pragma once
// TfrPreviewForm: the modal preview window ("预览") of a prepared report. Its
// tool bar shows the buttons the report selects: zoom (200% down to 10%, page
// width, whole page, two pages), open and save a prepared report in the
// engine's own file, print through the print dialog, find text across sheets,
// help and close. The sheets are drawn by QPrintPreviewWidget.
#include "TfrSheet.h"

#include <QDialog>
#include <QList>
#include <memory>

class QPrintPreviewWidget;
class QPrinter;
class QToolButton;
class QLabel;
class TfrReport;

class TfrPreviewForm : public QDialog {
    Q_OBJECT
public:
    // Zoom choices of the zoom button, in menu order.
    enum Zoom { Zoom200, Zoom150, Zoom100, Zoom75, Zoom50, Zoom25, Zoom10, PageWidth, WholePage, TwoPages };

    explicit TfrPreviewForm(TfrReport &report, QWidget *parent = nullptr);
    ~TfrPreviewForm() override;

    static QStringList zoomTexts();

    const QList<TfrSheet> &sheets() const { return FSheets; }
    int currentSheet() const;   // 0-based
    void setCurrentSheet(int index);
    void setZoom(Zoom zoom);
    Zoom zoom() const { return FZoom; }
    double zoomFactor() const;

    // Finds the text from the sheet after the last find (or the current one),
    // over all sheets; true when found, with the place in foundSheet/foundObject.
    bool findText(const QString &text, bool caseSensitive);
    int foundSheet() const { return FFoundSheet; }
    int foundObject() const { return FFoundObject; }

    // The tool bar commands.
    void openReport();
    void saveReport();
    void printReport();
    void findTextCommand();
    void showHelp();

private:
    void paintPreview(QPrinter *printer);
    void updateStatus();
    void reloadView();

    TfrReport &FReport;
    QList<TfrSheet> FSheets;
    std::unique_ptr<QPrinter> FPrinter;
    QPrintPreviewWidget *FView = nullptr;
    QLabel *FStatus = nullptr;
    Zoom FZoom = Zoom100;
    QString FLastFind;
    bool FLastCase = false;
    int FFoundSheet = -1;
    int FFoundObject = -1;
};
