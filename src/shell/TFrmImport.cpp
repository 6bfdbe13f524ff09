#include "TFrmImport.h"

#include "DataImport.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { ColCaption, ColCurrent, ColIncoming, ColNote };
constexpr int kFieldRole = Qt::UserRole;
constexpr int kIndexRole = Qt::UserRole + 1;
constexpr qsizetype kShown = 36;

// A value shortened for the table; the whole value is the cell's tool tip.
QString shortened(const QString &value)
{
    QString line = value;
    line.replace(QLatin1String("\r\n"), QStringLiteral(" ↵ "));
    line.replace(QLatin1Char('\n'), QStringLiteral(" ↵ "));
    return line.size() > kShown ? line.left(kShown - 1) + QStringLiteral("…") : line;
}

QString tip(const QString &value)
{
    return value.size() > 2000 ? value.left(2000) + QStringLiteral("…") : value;
}

} // namespace

TFrmImport::TFrmImport(const DataImport &import, const QString &formTitle, QWidget *parent)
    : QDialog(parent), FImport(import)
{
    setObjectName(QStringLiteral("FrmImport"));
    setWindowTitle(QStringLiteral("导入数据"));
    resize(980, 640);

    auto *layout = new QVBoxLayout(this);
    const QString code = import.sourceCheckCode();
    auto *head = new QLabel(
        QStringLiteral("从文件“%1”（%2%3）导入到本表（%4）。\n"
                       "已勾选的是本表为空、文件中有内容的项目；勾选的项目导入后替换本表现在的内容。数据核对码不导入。")
            .arg(QFileInfo(import.path()).fileName(), import.sourceType().title,
                 code.isEmpty() ? QString() : QStringLiteral("，数据核对码：") + code, formTitle),
        this);
    head->setObjectName(QStringLiteral("lblSource"));
    head->setWordWrap(true);
    head->setToolTip(QDir::toNativeSeparators(import.path()));
    layout->addWidget(head);

    FOnlyFilled = new QCheckBox(QStringLiteral("只列出文件中有内容的项目"), this);
    FOnlyFilled->setObjectName(QStringLiteral("ckbOnlyFilled"));
    FOnlyFilled->setChecked(true);
    connect(FOnlyFilled, &QCheckBox::toggled, this, [this] { applyFilter(); });
    layout->addWidget(FOnlyFilled);

    FTree = new QTreeWidget(this);
    FTree->setObjectName(QStringLiteral("FieldTree"));
    FTree->setColumnCount(4);
    FTree->setHeaderLabels({QStringLiteral("项目"), QStringLiteral("本表现在的内容"), QStringLiteral("文件中的内容"),
                            QStringLiteral("说明")});
    FTree->setUniformRowHeights(true);
    FTree->setAlternatingRowColors(true);
    FTree->header()->setStretchLastSection(true);
    layout->addWidget(FTree, 1);

    auto *buttons = new QHBoxLayout;
    auto *proposed = new QPushButton(QStringLiteral("勾选本表为空的项目"), this);
    proposed->setObjectName(QStringLiteral("btnProposed"));
    connect(proposed, &QPushButton::clicked, this, [this] { checkProposed(); });
    auto *all = new QPushButton(QStringLiteral("全部勾选"), this);
    all->setObjectName(QStringLiteral("btnAll"));
    connect(all, &QPushButton::clicked, this, [this] { checkAll(true); });
    auto *none = new QPushButton(QStringLiteral("全部不选"), this);
    none->setObjectName(QStringLiteral("btnNone"));
    connect(none, &QPushButton::clicked, this, [this] { checkAll(false); });
    FCount = new QLabel(this);
    FCount->setObjectName(QStringLiteral("lblCount"));
    buttons->addWidget(proposed);
    buttons->addWidget(all);
    buttons->addWidget(none);
    buttons->addSpacing(16);
    buttons->addWidget(FCount, 1);
    auto *box = new QDialogButtonBox(this);
    QPushButton *ok = box->addButton(QStringLiteral("导入"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("btnImport"));
    QPushButton *cancel = box->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    buttons->addWidget(box);
    layout->addLayout(buttons);

    build();
    connect(FTree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *, int column) {
        if (column == ColCaption)
            refresh();
    });
    refresh();
    applyFilter();
    FTree->expandAll();
    FTree->setColumnWidth(ColCaption, 330);
    FTree->setColumnWidth(ColCurrent, 210);
    FTree->setColumnWidth(ColIncoming, 210);
}

void TFrmImport::build()
{
    const QList<ImportField> &fields = FImport.fields();
    // An item with one field shows as that field's row; one with several
    // groups them under its caption.
    QHash<QString, int> perItem;
    for (const ImportField &f : fields)
        ++perItem[f.page + QLatin1Char('\n') + f.item];
    QHash<QString, QTreeWidgetItem *> pages;
    QHash<QString, QTreeWidgetItem *> items;
    FUpdating = true;
    for (int i = 0; i < fields.size(); ++i) {
        const ImportField &f = fields[i];
        QTreeWidgetItem *&page = pages[f.page];
        if (!page) {
            page = new QTreeWidgetItem(FTree, {f.page.isEmpty() ? QStringLiteral("（其他）") : f.page});
            page->setFirstColumnSpanned(true);
            QFont bold = page->font(ColCaption);
            bold.setBold(true);
            page->setFont(ColCaption, bold);
        }
        const QString itemKey = f.page + QLatin1Char('\n') + f.item;
        QTreeWidgetItem *parent = page;
        QString caption = f.caption;
        if (f.item.isEmpty()) {
            // Fields of no item stand on the page itself.
        } else if (perItem.value(itemKey) == 1) {
            // A numbered caption says what it is; another one needs its item.
            if (caption != f.item && !caption.front().isDigit())
                caption = f.item + QLatin1Char(' ') + caption;
        } else {
            QTreeWidgetItem *&item = items[itemKey];
            if (!item)
                item = new QTreeWidgetItem(page, {f.item});
            parent = item;
            // A group named by its item: the row is the item's choice.
            if (caption == f.item && f.group)
                caption = QStringLiteral("选择");
        }
        auto *row = new QTreeWidgetItem(parent, {caption, shortened(f.current), shortened(f.incoming), f.note});
        row->setData(ColCaption, kFieldRole, f.field);
        row->setData(ColCaption, kIndexRole, i);
        row->setToolTip(ColCaption, f.field == f.sourceField ? f.field : f.field + QStringLiteral(" ← ") + f.sourceField);
        row->setToolTip(ColCurrent, tip(f.current));
        row->setToolTip(ColIncoming, tip(f.incoming));
        row->setToolTip(ColNote, f.note);
        row->setCheckState(ColCaption, f.proposed ? Qt::Checked : Qt::Unchecked);
        if (!f.importable)
            row->setFlags(row->flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled));
        FRows.append(row);
    }
    FUpdating = false;
}

QTreeWidgetItem *TFrmImport::row(const QString &field) const
{
    for (QTreeWidgetItem *r : FRows)
        if (r->data(ColCaption, kFieldRole).toString() == field)
            return r;
    return nullptr;
}

QSet<int> TFrmImport::chosen() const
{
    QSet<int> out;
    for (int i = 0; i < FRows.size(); ++i)
        if (FRows[i]->checkState(ColCaption) == Qt::Checked && FImport.fields()[i].importable)
            out.insert(i);
    return out;
}

// A field whose controller is not chosen cannot be ticked; unticking a
// controller unticks what it enabled.
void TFrmImport::refresh()
{
    if (FUpdating)
        return;
    FUpdating = true;
    const QList<ImportField> &fields = FImport.fields();
    for (int round = 0; round < 8; ++round) {
        const QSet<int> now = chosen();
        bool changed = false;
        for (int i = 0; i < FRows.size(); ++i) {
            if (!fields[i].importable)
                continue;
            QTreeWidgetItem *r = FRows[i];
            const bool available = FImport.available(i, now);
            const Qt::ItemFlags flags = available ? r->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled
                                                  : r->flags() & ~(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
            if (flags != r->flags())
                r->setFlags(flags);
            if (!available && r->checkState(ColCaption) == Qt::Checked) {
                r->setCheckState(ColCaption, Qt::Unchecked);
                changed = true;
            }
            // A field waiting for its controller says so; once free, it
            // shows its own note.
            QString note = fields[i].note == fields[i].needs ? QString() : fields[i].note;
            if (!available && note.isEmpty())
                note = fields[i].needs.isEmpty() ? QStringLiteral("本表此项现在不可填写") : fields[i].needs;
            r->setText(ColNote, note);
            r->setToolTip(ColNote, note);
        }
        if (!changed)
            break;
    }
    FCount->setText(QStringLiteral("已勾选 %1 项，共 %2 项").arg(chosen().size()).arg(fields.size()));
    FUpdating = false;
}

void TFrmImport::applyFilter()
{
    const bool only = FOnlyFilled->isChecked();
    for (int i = 0; i < FRows.size(); ++i)
        FRows[i]->setHidden(only && FImport.fields()[i].incoming.isEmpty());
    // Items and pages show while one of their rows does.
    for (int p = 0; p < FTree->topLevelItemCount(); ++p) {
        QTreeWidgetItem *page = FTree->topLevelItem(p);
        bool pageShown = false;
        for (int g = 0; g < page->childCount(); ++g) {
            QTreeWidgetItem *child = page->child(g);
            if (child->childCount() > 0) {
                bool itemShown = false;
                for (int r = 0; r < child->childCount(); ++r)
                    itemShown |= !child->child(r)->isHidden();
                child->setHidden(!itemShown);
            }
            pageShown |= !child->isHidden();
        }
        page->setHidden(!pageShown);
    }
}

void TFrmImport::checkProposed()
{
    FUpdating = true;
    for (int i = 0; i < FRows.size(); ++i)
        FRows[i]->setCheckState(ColCaption, FImport.fields()[i].proposed ? Qt::Checked : Qt::Unchecked);
    FUpdating = false;
    refresh();
}

void TFrmImport::checkAll(bool on)
{
    // Ticking all goes round until the controllers' dependents are free too.
    for (int round = 0; round < 8; ++round) {
        FUpdating = true;
        bool changed = false;
        for (int i = 0; i < FRows.size(); ++i) {
            QTreeWidgetItem *r = FRows[i];
            const Qt::CheckState want = on && (r->flags() & Qt::ItemIsUserCheckable) ? Qt::Checked : Qt::Unchecked;
            if (r->checkState(ColCaption) != want) {
                r->setCheckState(ColCaption, want);
                changed = true;
            }
        }
        FUpdating = false;
        refresh();
        if (!changed || !on)
            break;
    }
}
