#pragma once
// TFrmFileList: the 申请表一览 window. It lists the data files of a folder
// (the folder the program writes them to) with their form type, drug name,
// first applicant, check code and time saved, sortable by any column and
// narrowed by a text filter. Double-click or 打开 chooses a file to open
// into its form, 打印 one to print; the window then closes and the main
// window does it. An unreadable file is listed as "无法读取", the reason in
// its tool tip.
#include "DataFileList.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

class TFrmFileList : public QDialog {
    Q_OBJECT
public:
    enum class Action { None, Open, Print };

    explicit TFrmFileList(const QString &folder, QWidget *parent = nullptr);

    // What the user chose when the window was accepted.
    Action action() const { return FAction; }
    QString chosenPath() const { return FChosen; }

    // Reads the folder again.
    void refresh();

    QTableView *table() const { return FTable; }
    QLineEdit *filter() const { return FFilter; }
    const QList<DataFileEntry> &entries() const { return FEntries; }
    // Chooses the file shown in the view's row (as a double-click does).
    void choose(int row, Action action);

private:
    void fill();
    void updateButtons();
    int selectedRow() const;

    QString FFolder;
    QList<DataFileEntry> FEntries;
    QLabel *FFolderLabel = nullptr;
    QLineEdit *FFilter = nullptr;
    QTableView *FTable = nullptr;
    QStandardItemModel *FModel = nullptr;
    QSortFilterProxyModel *FProxy = nullptr;
    QPushButton *FOpen = nullptr;
    QPushButton *FPrint = nullptr;
    Action FAction = Action::None;
    QString FChosen;
};
