#include "PrintOverflow.h"

#include "Catalogue.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrPreparer.h"
#include "TfrReport.h"

#include <QRegularExpression>
#include <algorithm>

namespace PrintOverflow {

namespace {

const QString kCRLF = QStringLiteral("\r\n");
const QString kSeeAttachment = QStringLiteral("(见附页)");
const QString kFullColon = QStringLiteral("：");

// A caption without leading punctuation, blanks and its closing colon.
QString bare(QString text)
{
    text = text.trimmed();
    while (!text.isEmpty() && QStringLiteral("，、,").contains(text.front()))
        text.remove(0, 1);
    while (!text.isEmpty() && (text.back() == QChar(0xFF1A) || text.back() == QLatin1Char(':') || text.back().isSpace()))
        text.chop(1);
    // Blank runs that leave room for a detail control on the form.
    text.replace(QRegularExpression(QStringLiteral("\\s{2,}")), QStringLiteral(" "));
    return text;
}

bool numbered(const QString &text)
{
    return !text.isEmpty() && text.front().isDigit();
}

} // namespace

QHash<QString, QString> Headings(const Catalogue &catalogue)
{
    QHash<QString, QString> out;
    for (const CataloguePage &page : catalogue.pages)
        for (const CatalogueGroup &group : page.groups) {
            // The numbered item (or the group) that the following entries
            // belong to: set by fixed texts and button captions such as
            // "28.机构1（国内药品生产企业）：" or "12.制剂："; a field's own
            // numbered caption names that field alone.
            QString item = bare(group.caption);
            for (const CatalogueBlock &block : group.blocks) {
                // A grid whose first row holds only fixed texts has column
                // heads: a field of the grid without a caption is named by
                // its line and its column's head ("第5行 受理号").
                QStringList heads;
                if (block.grid && !block.rows.isEmpty() &&
                    std::all_of(block.rows.first().entries.begin(), block.rows.first().entries.end(),
                                [](const CatalogueEntry &e) { return e.kind == CatalogueEntry::Kind::Label; }))
                    for (const CatalogueEntry &e : block.rows.first().entries)
                        heads << bare(e.caption);
                for (qsizetype r = 0; r < block.rows.size(); ++r) {
                    const CatalogueRow &row = block.rows[r];
                    QString lastCaption; // of the row, for a field without one of its own
                    for (qsizetype c = 0; c < row.entries.size(); ++c) {
                        const CatalogueEntry &e = row.entries[c];
                        QString own = bare(e.label.isEmpty() ? e.caption : e.label);
                        if (own.isEmpty() && r > 0 && c < heads.size() && !heads[c].isEmpty())
                            own = QStringLiteral("第%1行 ").arg(r) + heads[c];
                        // Marks of check boxes and radio buttons are one character,
                        // and a read-only memo on button face is fixed text.
                        const bool fixedText = e.kind == CatalogueEntry::Kind::Memo && e.readOnly && e.buttonFace;
                        const bool holdsText = e.kind != CatalogueEntry::Kind::Check &&
                                               e.kind != CatalogueEntry::Kind::Radio &&
                                               e.kind != CatalogueEntry::Kind::Label && !fixedText;
                        if (!e.name.isEmpty() && holdsText) {
                            if (own.isEmpty())
                                own = lastCaption;
                            QString heading;
                            if (numbered(own) || item.isEmpty())
                                heading = own.isEmpty() ? e.name : own;
                            else
                                heading = (own.isEmpty() || own == item) ? item : item + QLatin1Char(' ') + own;
                            out.insert(e.name.toLower(), heading + kFullColon);
                        } else if (numbered(own)) {
                            item = own;
                        }
                        if (!own.isEmpty())
                            lastCaption = own;
                    }
                }
            }
        }
    return out;
}

QList<TfrMemoView *> Overflowing(TfrReport &report, const QHash<QString, QString> &headings, const QString &skipPage)
{
    QList<TfrMemoView *> out;
    const TfrPreparer preparer(report);
    TfrPages &pages = report.Pages();
    for (int p = 0; p < pages.Count(); ++p) {
        if (pages[p].Name == skipPage)
            continue;
        QList<TfrMemoView *> onPage;
        for (TfrView *view : pages[p].Objects()) {
            auto *memo = dynamic_cast<TfrMemoView *>(view);
            if (!memo || !headings.contains(memo->Name.toLower()))
                continue;
            const QString text = memo->Text();
            if (!text.isEmpty() && text != kSeeAttachment && !preparer.Fits(*memo))
                onPage.append(memo);
        }
        // In reading order: the items as they stand on the sheet.
        std::stable_sort(onPage.begin(), onPage.end(), [](const TfrMemoView *a, const TfrMemoView *b) {
            return a->y != b->y ? a->y < b->y : a->x < b->x;
        });
        out += onPage;
    }
    return out;
}

void MoveToAttachment(TfrReport &report, const QHash<QString, QString> &headings, QString &attachment,
                      const QString &skipPage)
{
    for (TfrMemoView *memo : Overflowing(report, headings, skipPage)) {
        const QString text = memo->Text();
        memo->SetText(kSeeAttachment);
        if (attachment.isEmpty())
            attachment = QStringLiteral("附页：") + kCRLF + kCRLF;
        attachment += headings.value(memo->Name.toLower()) + kCRLF + kCRLF;
        attachment += text + kCRLF + kCRLF;
    }
}

} // namespace PrintOverflow
