#pragma once
// TFrmImport: the 导入数据 dialog. It lists the fields that the open form
// shares with the chosen data file, grouped by page and item, with the
// form's value and the file's side by side; the fields proposed for import
// (empty here, filled there) start ticked. A field that a relation keeps
// disabled can be ticked only together with the controller that enables it.
#include <QDialog>
#include <QSet>

class DataImport;
class QCheckBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class TFrmImport : public QDialog {
    Q_OBJECT
public:
    TFrmImport(const DataImport &import, const QString &formTitle, QWidget *parent = nullptr);

    // The ticked fields (indices into the import's fields).
    QSet<int> chosen() const;
    QTreeWidget *tree() const { return FTree; }
    // The row of a field of the form, or nullptr.
    QTreeWidgetItem *row(const QString &field) const;

    // Ticks exactly the proposed fields / every available field / none.
    void checkProposed();
    void checkAll(bool on);

private:
    void build();
    void refresh();
    void applyFilter();

    const DataImport &FImport;
    QTreeWidget *FTree = nullptr;
    QCheckBox *FOnlyFilled = nullptr;
    QLabel *FCount = nullptr;
    QList<QTreeWidgetItem *> FRows; // by field index
    bool FUpdating = false;
};
