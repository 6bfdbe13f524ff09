#pragma once
// TfrPage: one template page: paper, margins, name and the report objects it
// owns, in stream order and then in the order added.
#include "TfrObject.h"

#include <QList>
#include <QString>
#include <QStringList>

class TfrView;

// The paper that new pages get: the default printer's, as found when the
// engine started; A4 when there is none.
struct TfrPaper {
    qint32 size = 9;       // system paper code
    qint32 width = 2100;   // tenths of a millimetre
    qint32 height = 2970;
};
TfrPaper frDefaultPaper();
void frSetDefaultPaper(const TfrPaper &paper);

class TfrPage : public TfrObject {
public:
    TfrPage();
    ~TfrPage() override;
    TfrPage(const TfrPage &) = delete;
    TfrPage &operator=(const TfrPage &) = delete;

    bool SetPropertyByName(const QString &name, const QVariant &value) override;
    QVariant GetPropertyByName(const QString &name) const override;

    const QList<TfrView *> &Objects() const { return FObjects; }
    // Appends an object; the page owns it from then on.
    void Add(TfrView *object);
    // Removes and destroys the object at that index.
    void Delete(int index);
    void Clear();

    // Page size in report units, turned for landscape.
    int WidthUnits() const;
    int HeightUnits() const;

    // Stored fields.
    qint32 pgSize = 9;
    qint32 pgWidth = 2100;
    qint32 pgHeight = 2970;
    qint32 LeftMargin = 0, TopMargin = 0, RightMargin = 0, BottomMargin = 0;
    quint8 pgOr = 0; // 0 portrait, 1 landscape
    qint32 pgBin = 65535;
    bool PrintToPrevPage = false;
    bool UseMargins = true;
    qint32 ColCount = 1;
    qint32 ColGap = 0;
    quint8 PageType = 0; // 0 report page, 1 dialog page
    QString Name;
    // Dialog pages only.
    quint8 BorderStyle = 0;
    QString Caption;
    qint32 Color = 0;
    qint32 DialogLeft = 0, DialogTop = 0, DialogWidth = 0, DialogHeight = 0;
    quint8 Position = 0;
    // The page script; stored (after a paper size of -1) when present.
    bool HasScript = false;
    QStringList Script;

private:
    QList<TfrView *> FObjects;
};
