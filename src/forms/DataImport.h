#pragma once
// DataImport: fills an open form from an earlier data file of any of the six
// types. It reads the file, pairs each field of the form with the file's
// field that holds the same item (SharedFields), shows both values as the
// forms display them, proposes the fields that are empty on the form and
// filled in the file, and applies the chosen ones through the form's own
// binding - controllers before the controls they enable, so that the
// relations act as on loading. The check code is never imported.
#include "ConfigNode.h"
#include "FormTypes.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

class ConfigDocument;
class QObject;
class TEABaseForm;
struct Catalogue;

struct ImportField {
    QString field;        // this form's field
    QString sourceField;  // the file's field that holds the same item
    QString page;         // this form's page caption, e.g. "第二页"
    QString item;         // the numbered item or group box it belongs to
    QString caption;      // its own caption on the form
    QString current;      // what the form shows now; empty when empty
    QString incoming;     // what the file holds, as its own form shows it
    QString note;         // why it cannot be imported, or what it waits for
    QString needs;        // the controllers it waits for while they are off
    bool group = false;    // a radio or check group (its caption is its item's)
    bool importable = false;
    bool proposed = false; // ticked when the dialog opens
};

class DataImport {
public:
    // Reads the data file at path for the form; AppError (Chinese) when the
    // file cannot be read or is no data file of the six types, or the form
    // holds no document.
    DataImport(TEABaseForm *form, const QString &path);
    ~DataImport();
    DataImport(const DataImport &) = delete;
    DataImport &operator=(const DataImport &) = delete;

    const QString &path() const { return FPath; }
    const FormType &sourceType() const { return *FSourceType; }
    // The check code stored in the file (shown, never imported).
    QString sourceCheckCode() const;

    // The fields the form shares with the file, in the form's order.
    const QList<ImportField> &fields() const { return FFields; }
    // True when field `index` could take its value after the fields in
    // `chosen` are applied: a relation may keep its control disabled until
    // its controller is chosen.
    bool available(int index, const QSet<int> &chosen) const;
    // Applies the chosen importable fields, controllers first; returns the
    // captions of those left out because a relation kept their controls
    // disabled. Marks the form modified when anything was applied.
    QStringList apply(const QSet<int> &chosen);

    // The stored value that would be applied for field `index` (tests).
    QString appliedValue(int index) const;

private:
    enum class Kind { None, Text, Memo, Combo, Check, Date, Radio, CheckGroup };
    struct Side;
    // A field of the file: its stored value and how its own form shows it.
    struct Incoming {
        Kind kind = Kind::None;
        QString stored;
        QString text;       // text kinds: the text (a memo's decoded)
        QString shown;      // as its form shows it; empty when it shows nothing
        QStringList keys;   // groups: the keys its form shows checked
        bool damaged = false;
    };
    struct Pairing {
        ConfigNode item;        // this form's data item
        Kind kind = Kind::None;
        QStringList controls;   // the item's controls (group: its buttons)
        QHash<QString, QString> keyOfControl; // group button -> key
        QString value;          // stored value to apply
        int order = 0;          // relation depth: controllers first
    };

    void pair(const Catalogue &target, const Catalogue &source);
    void readRelations(const ConfigDocument &doc);
    QString shownNow(const Pairing &p, const Side &target) const;
    Incoming readIncoming(const QString &field, const Side &source) const;
    // The value this form stores for the file's, or why there is none.
    void settle(Pairing &p, ImportField &f, const Incoming &in, const Side &target) const;
    Kind targetKind(const ConfigNode &item, QStringList &controls) const;
    bool controlOn(const QString &control, const QSet<int> &chosen, QSet<QString> &visiting) const;
    bool controlEnabled(const QString &control, const QSet<int> &chosen, QSet<QString> &visiting) const;
    QStringList switchedOn(int index) const;
    QObject *control(const QString &name) const;

    TEABaseForm *FForm;
    QString FPath;
    const FormType *FSourceType = nullptr;
    std::unique_ptr<ConfigDocument> FSource;
    QList<ImportField> FFields;
    QList<Pairing> FPairings;
    // Relations of the form: control -> its controllers; control -> depth.
    QHash<QString, QStringList> FControllers;
    QHash<QString, int> FDepth;
    // Control (case-folded) -> index of the field it belongs to.
    QHash<QString, int> FFieldOfControl;
};
