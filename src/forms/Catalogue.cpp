#include "Catalogue.h"

QList<const CatalogueEntry *> Catalogue::entries() const
{
    QList<const CatalogueEntry *> out;
    for (const auto &page : pages)
        for (const auto &group : page.groups)
            for (const auto &block : group.blocks)
                for (const auto &row : block.rows)
                    for (const auto &entry : row.entries)
                        out.append(&entry);
    return out;
}

const CatalogueEntry *Catalogue::find(const QString &name) const
{
    for (const CatalogueEntry *e : entries())
        if (!e->name.isEmpty() && e->name.compare(name, Qt::CaseInsensitive) == 0)
            return e;
    return nullptr;
}

QList<const CatalogueEntry *> Catalogue::attachedMemos() const
{
    QList<const CatalogueEntry *> out;
    for (const CatalogueEntry *e : entries())
        if (e->attach)
            out.append(e);
    return out;
}

QHash<QString, QString> Catalogue::headings() const
{
    QHash<QString, QString> out;
    for (const CatalogueEntry *e : entries())
        if (!e->heading.isEmpty())
            out.insert(e->name.toLower(), e->heading);
    return out;
}
