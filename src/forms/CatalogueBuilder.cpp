#include "CatalogueBuilder.h"

#include "ControlAdapter.h"
#include "DatePicker.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using Kind = CatalogueEntry::Kind;

// Widths by kind, in pixels, where the catalogue gives none.
constexpr int kGapComboWidth = 64;
constexpr int kComboWidth = 140;
constexpr int kDateWidth = 130;
constexpr int kMemoHeight = 64;

class Builder {
public:
    explicit Builder(QTabWidget *pages) : FPages(pages) {}

    void buildPage(const CataloguePage &page)
    {
        auto *sheet = new QWidget;
        sheet->setObjectName(page.name);
        auto *sheetLayout = new QVBoxLayout(sheet);
        sheetLayout->setContentsMargins(0, 0, 0, 0);
        auto *scroll = new QScrollArea(sheet);
        scroll->setObjectName(page.name + QStringLiteral("Scroll"));
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        sheetLayout->addWidget(scroll);
        auto *content = new QWidget;
        content->setObjectName(page.name + QStringLiteral("Content"));
        auto *column = new QVBoxLayout(content);
        column->setContentsMargins(8, 8, 8, 8);
        column->setSpacing(8);
        for (const CatalogueGroup &group : page.groups)
            column->addWidget(buildGroup(group, content));
        column->addStretch(1);
        scroll->setWidget(content);
        FPages->addTab(sheet, page.caption);
    }

private:
    QWidget *buildGroup(const CatalogueGroup &group, QWidget *parent)
    {
        QWidget *box;
        if (group.name.isEmpty()) {
            box = new QWidget(parent);
        } else {
            auto *g = new QGroupBox(group.caption, parent);
            g->setObjectName(group.name);
            box = g;
        }
        auto *layout = new QVBoxLayout(box);
        layout->setSpacing(5);
        if (group.name.isEmpty())
            layout->setContentsMargins(4, 0, 4, 0);
        for (const CatalogueBlock &block : group.blocks) {
            if (block.grid)
                layout->addLayout(buildGrid(block, box));
            else
                for (const CatalogueRow &row : block.rows)
                    layout->addLayout(buildRow(row, box));
        }
        return box;
    }

    QLayout *buildRow(const CatalogueRow &row, QWidget *parent)
    {
        auto *layout = new QHBoxLayout;
        layout->setSpacing(4);
        bool expands = false;
        for (qsizetype i = 0; i < row.entries.size(); ++i) {
            const CatalogueEntry &e = row.entries[i];
            // Details that stand in the blank runs of their button's caption
            // go between the parts of that caption: the button's own detail
            // in the first run, the gap entries after it in the next runs.
            if (e.kind == Kind::Radio || e.kind == Kind::Check) {
                const CatalogueEntry *next = i + 1 < row.entries.size() ? &row.entries[i + 1] : nullptr;
                if (next && next->gap && next->detailOf == e.name) {
                    qsizetype taken = 1;
                    while (i + 1 + taken < row.entries.size() && row.entries[i + 1 + taken].gap &&
                           row.entries[i + 1 + taken].kind != Kind::Radio &&
                           row.entries[i + 1 + taken].kind != Kind::Check)
                        ++taken;
                    const QStringList parts = splitAtGaps(e.caption, taken);
                    taken = parts.size() - 1;
                    layout->addWidget(makeButton(e, parent, parts.first()));
                    for (qsizetype k = 1; k <= taken; ++k) {
                        const CatalogueEntry &detail = row.entries[i + k];
                        expands |= addControl(layout, detail, parent);
                        if (!parts[k].isEmpty())
                            layout->addWidget(makeLabel(parts[k], parent, detail.hidden));
                    }
                    i += taken;
                    continue;
                }
            }
            expands |= addControl(layout, e, parent);
        }
        if (!expands)
            layout->addStretch(1);
        return layout;
    }

    QLayout *buildGrid(const CatalogueBlock &block, QWidget *parent)
    {
        auto *grid = new QGridLayout;
        grid->setHorizontalSpacing(4);
        grid->setVerticalSpacing(3);
        int columns = 0;
        for (int r = 0; r < block.rows.size(); ++r) {
            const auto &entries = block.rows[r].entries;
            for (int c = 0; c < entries.size(); ++c) {
                auto *cell = new QHBoxLayout;
                cell->setSpacing(4);
                if (!addControl(cell, entries[c], parent) && entries[c].kind != Kind::Label)
                    cell->addStretch(1);
                grid->addLayout(cell, r, c);
            }
            columns = std::max(columns, int(entries.size()));
        }
        for (int c = 0; c < columns; ++c)
            grid->setColumnStretch(c, 1);
        return grid;
    }

    // Adds the entry (with its label and "followed by" text); true when it
    // takes the row's spare width.
    bool addControl(QBoxLayout *layout, const CatalogueEntry &e, QWidget *parent)
    {
        if (e.kind == Kind::Label) {
            layout->addWidget(makeLabel(e.caption, parent, e.hidden));
            return false;
        }
        if (e.kind == Kind::Memo) {
            // A memo's label stands on the line above it.
            auto *column = new QVBoxLayout;
            column->setSpacing(2);
            if (!e.label.isEmpty())
                column->addWidget(makeLabel(e.label, parent, e.hidden));
            column->addWidget(makeMemo(e, parent));
            layout->addLayout(column, 1);
            return true;
        }
        QLabel *label = e.label.isEmpty() ? nullptr : makeLabel(e.label, parent, e.hidden);
        if (label)
            layout->addWidget(label);
        QWidget *w = nullptr;
        bool expands = false;
        switch (e.kind) {
        case Kind::Edit: {
            auto *edit = new QLineEdit(parent);
            edit->setReadOnly(e.readOnly);
            // Values of any length are typed, pasted and loaded whole.
            edit->setMaxLength(Controls::kNoLengthLimit);
            if (e.skyBlue)
                Controls::setBackground(edit, CatalogueBuilder::skyBlue());
            if (e.redText) {
                QPalette pal = edit->palette();
                pal.setColor(QPalette::Text, Qt::red);
                edit->setPalette(pal);
            }
            expands = e.width == 0;
            w = edit;
            break;
        }
        case Kind::Combo: {
            auto *combo = new QComboBox(parent);
            combo->setEditable(false);
            combo->setMinimumContentsLength(2);
            combo->setFixedWidth(e.width ? e.width : (e.gap ? kGapComboWidth : kComboWidth));
            w = combo;
            break;
        }
        case Kind::Date: {
            auto *picker = new DatePicker(parent);
            picker->setShowCheckBox(e.dateMode != CatalogueEntry::DateMode::NoCheckBox);
            picker->setHasDate(e.dateMode != CatalogueEntry::DateMode::Cleared);
            picker->setFixedWidth(e.width ? e.width : kDateWidth);
            w = picker;
            break;
        }
        case Kind::Check:
        case Kind::Radio:
            w = makeButton(e, parent, e.caption);
            break;
        case Kind::Label:
        case Kind::Memo:
            break;
        }
        w->setObjectName(e.name);
        if (e.width && e.kind == Kind::Edit)
            w->setFixedWidth(e.width);
        if (label)
            label->setBuddy(w);
        if (e.hidden)
            w->setVisible(false);
        layout->addWidget(w, expands ? 1 : 0);
        if (!e.after.isEmpty())
            layout->addWidget(makeLabel(e.after, parent, e.hidden));
        return expands;
    }

    QWidget *makeButton(const CatalogueEntry &e, QWidget *parent, const QString &text)
    {
        QAbstractButton *b;
        if (e.kind == Kind::Radio) {
            auto *radio = new QRadioButton(text, parent);
            panel(e.panel)->addButton(radio);
            b = radio;
        } else {
            b = new QCheckBox(text, parent);
        }
        b->setObjectName(e.name);
        b->setProperty("caption", e.caption);
        if (e.initiallyOn)
            b->setChecked(true);
        if (e.hidden)
            b->setVisible(false);
        return b;
    }

    QPlainTextEdit *makeMemo(const CatalogueEntry &e, QWidget *parent)
    {
        auto *memo = new QPlainTextEdit(parent);
        memo->setObjectName(e.name);
        memo->setVerticalScrollBarPolicy(e.vscroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
        memo->setTabChangesFocus(true);
        if (!e.lines.isEmpty())
            memo->setPlainText(e.lines.join(QLatin1Char('\n')));
        if (e.noBorder)
            memo->setFrameShape(QFrame::NoFrame);
        if (e.buttonFace)
            Controls::setBackground(memo, Controls::buttonFaceColour());
        if (e.readOnly)
            memo->setReadOnly(true);
        memo->setMinimumHeight(e.height ? e.height : kMemoHeight);
        if (e.height)
            memo->setFixedHeight(e.height);
        if (e.hidden)
            memo->setVisible(false);
        return memo;
    }

    QLabel *makeLabel(const QString &text, QWidget *parent, bool hidden)
    {
        auto *label = new QLabel(text, parent);
        label->setTextFormat(Qt::PlainText);
        if (hidden)
            label->setVisible(false);
        return label;
    }

    QButtonGroup *panel(const QString &name)
    {
        QButtonGroup *&group = FPanels[name];
        if (!group) {
            group = new QButtonGroup(FPages);
            group->setObjectName(name);
            group->setExclusive(true);
        }
        return group;
    }

    // The caption cut at its first `most` blank runs (two or more blanks):
    // the text before the first run, then the text after each run up to the
    // next cut; the last part keeps any further runs.
    static QStringList splitAtGaps(const QString &caption, qsizetype most)
    {
        static const QRegularExpression gap(QStringLiteral("[ \\x{3000}]{2,}"));
        QStringList parts;
        qsizetype from = 0;
        auto it = gap.globalMatch(caption);
        while (parts.size() < most && it.hasNext()) {
            const auto m = it.next();
            parts << caption.mid(from, m.capturedStart() - from);
            from = m.capturedEnd();
        }
        parts << caption.mid(from);
        return parts;
    }

    QTabWidget *FPages;
    QHash<QString, QButtonGroup *> FPanels;
};

} // namespace

namespace CatalogueBuilder {

QTabWidget *build(const Catalogue &catalogue, QWidget *parent)
{
    auto *pages = new QTabWidget(parent);
    pages->setObjectName(QStringLiteral("PageControl1"));
    Builder builder(pages);
    for (const CataloguePage &page : catalogue.pages)
        builder.buildPage(page);
    return pages;
}

QColor skyBlue()
{
    return QColor(0xA6, 0xCA, 0xF0);
}

} // namespace CatalogueBuilder
