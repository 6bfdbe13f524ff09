#include "TFrmFileList.h"

#include "Dialogs.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum Column { ColType, ColDrug, ColApplicant, ColCode, ColSaved, ColFile, ColumnCount };
constexpr int kEntryRole = Qt::UserRole + 1;
const QString kUnreadable = QStringLiteral("无法读取");

} // namespace

TFrmFileList::TFrmFileList(const QString &folder, QWidget *parent) : QDialog(parent), FFolder(folder)
{
    setObjectName(QStringLiteral("FrmFileList"));
    setWindowTitle(QStringLiteral("申请表一览"));
    resize(1120, 600);

    auto *layout = new QVBoxLayout(this);
    FFolderLabel = new QLabel(this);
    FFolderLabel->setObjectName(QStringLiteral("lblFolder"));
    FFolderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(FFolderLabel);

    auto *filterRow = new QHBoxLayout;
    auto *filterLabel = new QLabel(QStringLiteral("筛选："), this);
    FFilter = new QLineEdit(this);
    FFilter->setObjectName(QStringLiteral("edtFilter"));
    FFilter->setPlaceholderText(QStringLiteral("输入药品名称、申请人、数据核对码、表格类型或文件名中的文字"));
    FFilter->setClearButtonEnabled(true);
    filterLabel->setBuddy(FFilter);
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(FFilter, 1);
    layout->addLayout(filterRow);

    FModel = new QStandardItemModel(0, ColumnCount, this);
    FModel->setHorizontalHeaderLabels({QStringLiteral("表格类型"), QStringLiteral("药品名称"), QStringLiteral("第一申请人"),
                                       QStringLiteral("数据核对码"), QStringLiteral("保存时间"), QStringLiteral("文件名")});
    FProxy = new QSortFilterProxyModel(this);
    FProxy->setSourceModel(FModel);
    FProxy->setFilterKeyColumn(-1);
    FProxy->setFilterCaseSensitivity(Qt::CaseInsensitive);
    FProxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    FProxy->setSortLocaleAware(true);
    connect(FFilter, &QLineEdit::textChanged, FProxy, &QSortFilterProxyModel::setFilterFixedString);

    FTable = new QTableView(this);
    FTable->setObjectName(QStringLiteral("FileTable"));
    FTable->setModel(FProxy);
    FTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    FTable->setSelectionMode(QAbstractItemView::SingleSelection);
    FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FTable->setSortingEnabled(true);
    FTable->setAlternatingRowColors(true);
    FTable->setWordWrap(false);
    FTable->verticalHeader()->setVisible(false);
    FTable->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    FTable->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(FTable, 1);
    connect(FTable, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { choose(index.row(), Action::Open); });

    auto *buttons = new QHBoxLayout;
    FOpen = new QPushButton(QStringLiteral("打开"), this);
    FOpen->setObjectName(QStringLiteral("btnOpen"));
    FOpen->setToolTip(QStringLiteral("在其申请表中打开所选文件"));
    FPrint = new QPushButton(QStringLiteral("打印"), this);
    FPrint->setObjectName(QStringLiteral("btnPrint"));
    FPrint->setToolTip(QStringLiteral("在其申请表中打开所选文件并按文件中的数据核对码打印"));
    auto *again = new QPushButton(QStringLiteral("刷新"), this);
    again->setObjectName(QStringLiteral("btnRefresh"));
    auto *close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("btnClose"));
    buttons->addWidget(FOpen);
    buttons->addWidget(FPrint);
    buttons->addWidget(again);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(FOpen, &QPushButton::clicked, this, [this] { choose(selectedRow(), Action::Open); });
    connect(FPrint, &QPushButton::clicked, this, [this] { choose(selectedRow(), Action::Print); });
    connect(again, &QPushButton::clicked, this, [this] { refresh(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(FTable->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { updateButtons(); });

    refresh();
    FTable->sortByColumn(ColSaved, Qt::DescendingOrder);
    FTable->setColumnWidth(ColType, 170);
    FTable->setColumnWidth(ColDrug, 200);
    FTable->setColumnWidth(ColApplicant, 250);
    FTable->setColumnWidth(ColCode, 80);
    FTable->setColumnWidth(ColSaved, 130);
    // Enter opens the selected file, the newest at first.
    FOpen->setDefault(true);
    if (FProxy->rowCount() > 0)
        FTable->selectRow(0);
}

void TFrmFileList::refresh()
{
    FEntries = DataFileList::scan(FFolder);
    fill();
}

void TFrmFileList::fill()
{
    FModel->removeRows(0, FModel->rowCount());
    int unreadable = 0;
    const QColor grey = palette().color(QPalette::Disabled, QPalette::Text);
    for (int i = 0; i < FEntries.size(); ++i) {
        const DataFileEntry &e = FEntries[i];
        QList<QStandardItem *> row;
        row << new QStandardItem(e.readable ? e.type->title : kUnreadable) << new QStandardItem(e.drug)
            << new QStandardItem(e.applicant) << new QStandardItem(e.checkCode)
            << new QStandardItem(e.saved.toString(QStringLiteral("yyyy-MM-dd HH:mm")))
            << new QStandardItem(e.fileName);
        const QString tip = e.readable ? QDir::toNativeSeparators(e.path)
                                       : QDir::toNativeSeparators(e.path) + QStringLiteral("\n") + kUnreadable +
                                             QStringLiteral("：") + e.error;
        for (QStandardItem *item : row) {
            item->setData(i, kEntryRole);
            item->setToolTip(tip);
            if (!e.readable)
                item->setForeground(grey);
        }
        unreadable += !e.readable;
        FModel->appendRow(row);
    }
    QString text = QStringLiteral("文件夹：%1　共 %2 个数据文件").arg(QDir::toNativeSeparators(FFolder)).arg(FEntries.size());
    if (unreadable > 0)
        text += QStringLiteral("，其中 %1 个无法读取").arg(unreadable);
    FFolderLabel->setText(text);
    updateButtons();
}

int TFrmFileList::selectedRow() const
{
    const QModelIndexList rows = FTable->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void TFrmFileList::updateButtons()
{
    const int row = selectedRow();
    const int entry = row < 0 ? -1 : FProxy->index(row, 0).data(kEntryRole).toInt();
    const bool readable = entry >= 0 && FEntries[entry].readable;
    FOpen->setEnabled(readable);
    FPrint->setEnabled(readable);
}

void TFrmFileList::choose(int row, Action action)
{
    if (row < 0 || row >= FProxy->rowCount())
        return;
    const DataFileEntry &e = FEntries[FProxy->index(row, 0).data(kEntryRole).toInt()];
    if (!e.readable) {
        ShowWarning(QStringLiteral("文件“%1”无法读取：%2。").arg(QDir::toNativeSeparators(e.path), e.error));
        return;
    }
    FAction = action;
    FChosen = e.path;
    accept();
}
