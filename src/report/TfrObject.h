#pragma once
// TfrObject: base of pages and report objects. It carries the property-by-name
// interface through which the program and the template sources address any
// object: names match ignoring letter case, and an unknown name changes nothing.
#include <QString>
#include <QVariant>

class TfrObject {
public:
    virtual ~TfrObject();

    // Sets the property of that name; returns false when no such property exists.
    virtual bool SetPropertyByName(const QString &name, const QVariant &value) = 0;
    // Reads the property of that name; an invalid variant when no such property exists.
    virtual QVariant GetPropertyByName(const QString &name) const = 0;

    // Conversions of variant values as the engine reads them.
    // A flag: any non-zero number (or true) sets it.
    static bool variantFlag(const QVariant &value);
    // A number: the variant as an integer, 0 when it holds none.
    static qint32 variantInt(const QVariant &value);
};
