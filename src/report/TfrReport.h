#pragma once
// TfrReport: the report component of a form. It owns the template pages, reads
// and writes them as template streams (bare, or wrapped as the ReportForm
// property), finds objects by name, prepares printable sheets from the
// template without changing it, writes them to PDF and shows the preview.
#include "TfrPages.h"
#include "TfrSheet.h"
#include "frTypes.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

class TfrView;

class TfrReport : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool StoreInDFM READ StoreInDFM WRITE setStoreInDFM)
    Q_PROPERTY(int InitialZoom READ InitialZoom WRITE setInitialZoom)
    Q_PROPERTY(int PreviewButtons READ previewButtonBits WRITE setPreviewButtonBits)
    Q_PROPERTY(QByteArray ReportForm READ reportForm WRITE setReportForm)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)

public:
    explicit TfrReport(QObject *parent = nullptr);
    ~TfrReport() override;

    TfrPages &Pages() { return FPages; }
    const TfrPages &Pages() const { return FPages; }

    // The first object over the pages in order, each page's objects in order,
    // whose name equals the given one ignoring case; nullptr when none.
    TfrView *FindObject(const QString &name) const;

    // Bare template stream. Loading clears the pages first; on failure it shows
    // the engine's message box and leaves the report as the failure rules say
    // (empty for an unsupported version, else one empty page). Returns success.
    bool LoadFromStream(const QByteArray &stream);
    QByteArray SaveToStream() const;
    // Why the last load failed (empty after a successful one).
    QString errorString() const { return FError; }

    // The ReportForm property: Int32 marker 24, Int32 length (with StoreInDFM)
    // and the template stream.
    QByteArray reportForm() const;
    void setReportForm(const QByteArray &bytes);

    // Published properties.
    bool StoreInDFM() const { return FStoreInDFM; }
    void setStoreInDFM(bool v) { FStoreInDFM = v; }
    int InitialZoom() const { return FInitialZoom; }
    void setInitialZoom(int v) { FInitialZoom = v; }
    TfrPreviewButtons PreviewButtons() const { return FPreviewButtons; }
    void setPreviewButtons(TfrPreviewButtons v) { FPreviewButtons = v; }
    int previewButtonBits() const { return int(FPreviewButtons); }
    void setPreviewButtonBits(int v) { FPreviewButtons = TfrPreviewButtons(v & frAllPreviewButtons); }
    QString Title() const { return FTitle; }
    void setTitle(const QString &v) { FTitle = v; }

    // Other settings of a report, with their defaults.
    bool ShowProgress = true;
    bool ModalPreview = true;
    bool ModifyPrepared = true;
    int DefaultCopies = 1;
    bool DefaultCollate = true;

    // Template stream header fields.
    bool PrintToDefault = false;
    bool DoublePass = false;
    QString PrinterName;
    qint16 DictionaryMarker = -2;
    // Whether the stream closes with the end-of-records tag.
    bool EndTag = false;

    // Prepares the sheets from the template; the template is left unchanged.
    bool PrepareReport();
    const QList<TfrSheet> &PreparedSheets() const { return FSheets; }
    void setPreparedSheets(const QList<TfrSheet> &sheets) { FSheets = sheets; }
    // The moment that [DATE] and [TIME] print; the current time when invalid.
    void setPrepareDateTime(const QDateTime &moment) { FMoment = moment; }
    QDateTime prepareDateTime() const { return FMoment; }
    // Writes the prepared sheets to a PDF file; false with errorString() on failure.
    bool ExportPdf(const QString &fileName);

    // Prepares the report and runs the modal preview window; returns when it
    // closes. Defined in the preview library (dzsb_report).
    void ShowPreview();

private:
    TfrPages FPages;
    bool FStoreInDFM = false;
    int FInitialZoom = pzDefault;
    TfrPreviewButtons FPreviewButtons = TfrPreviewButtons(frAllPreviewButtons);
    QString FTitle;
    QString FError;
    QList<TfrSheet> FSheets;
    QDateTime FMoment;
};
