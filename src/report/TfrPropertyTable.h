#pragma once
// TfrPropertyTable: the property names of one object class with their setter
// and getter, looked up by upper-cased name. The classes build their tables
// from data (plain numeric fields, flag bits, strings) instead of code per name.
#include "TfrObject.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <functional>

template <typename T>
class TfrPropertyTable {
public:
    using Setter = std::function<void(T &, const QVariant &)>;
    using Getter = std::function<QVariant(const T &)>;

    void add(const char *name, Setter set, Getter get) { FEntries.insert(QString::fromLatin1(name), {std::move(set), std::move(get)}); }

    // A property that sets or clears one bit of a 16-bit flag field.
    void addFlag(const char *name, quint16 T::*field, quint16 bit)
    {
        add(name,
            [field, bit](T &o, const QVariant &v) {
                if (TfrObject::variantFlag(v))
                    o.*field |= bit;
                else
                    o.*field &= quint16(~bit);
            },
            [field, bit](const T &o) { return QVariant(bool(o.*field & bit)); });
    }
    // A property that holds a whole number (the variant taken as an integer).
    template <typename Int>
    void addInt(const char *name, Int T::*field)
    {
        add(name, [field](T &o, const QVariant &v) { o.*field = Int(TfrObject::variantInt(v)); },
            [field](const T &o) { return QVariant(qint64(o.*field)); });
    }
    void addString(const char *name, QString T::*field)
    {
        add(name, [field](T &o, const QVariant &v) { o.*field = v.toString(); },
            [field](const T &o) { return QVariant(o.*field); });
    }

    bool set(T &object, const QString &name, const QVariant &value) const
    {
        const auto it = FEntries.constFind(name.toUpper());
        if (it == FEntries.constEnd())
            return false;
        it->set(object, value);
        return true;
    }
    QVariant get(const T &object, const QString &name) const
    {
        const auto it = FEntries.constFind(name.toUpper());
        return it == FEntries.constEnd() ? QVariant() : it->get(object);
    }

private:
    struct Entry {
        Setter set;
        Getter get;
    };
    QHash<QString, Entry> FEntries;
};
