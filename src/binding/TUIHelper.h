#pragma once
// TUIHelper: the binding object of one open application form. It loads the
// form's configuration document or data file, applies the control relations
// of "ui-relation", writes every "ui-data" item's field value into its control
// or group, reads the controls back into "data-fields" and writes the data
// file. It is owned by its form (QObject parent) and holds the document.
// Controls are resolved by objectName among the form's widgets, ignoring
// letter case; the relation handlers run on the buttons' toggled signal, so a
// state set by the program acts exactly as a user's click.
#include "ConfigDocument.h"
#include "MessageBatch.h"

#include <QHash>
#include <QSet>
#include <QMetaObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QAbstractButton;
class QWidget;
class RelationWalk;
class TfrReport;

class TUIHelper : public QObject {
    Q_OBJECT
public:
    explicit TUIHelper(QWidget *form);
    ~TUIHelper() override;

    // The path of the document to load; the form sets it before LoadConfig.
    QString FFileName;
    // The type tag the loaded document must carry.
    QString FConfigType;
    // The form's report component, for the report filling (not owned).
    TfrReport *FReport = nullptr;

    // A document the caller has already read from path and parsed (the
    // command-line printer needs its type before it creates the form): the
    // next LoadConfig of that same path takes it instead of reading and
    // parsing the file a second time. Any other load drops it.
    static void HandOver(const QString &path, std::unique_ptr<ConfigDocument> document);

    // Loads FFileName, checks its type and applies it to the controls. A bad
    // path or a foreign type shows a message and closes the form; a file that
    // cannot be read, malformed XML or a missing type field raise AppError.
    void LoadConfig(const QString &typeTag);
    // True when "config-type" carries FConfigType exactly; AppError when the
    // document has no "config-type".
    bool CheckConfigType();
    // Relations first, then every data item's value into its control or group.
    void ApplyToControls();
    // Disables every editable control of the form whose value no data item
    // saves, so that nothing typed is dropped silently; the relations never
    // enable such a control again.
    void DisableUnboundControls();
    // Every bound control's value into "data-fields"; AppError when there is
    // no "ui-data" or a group names a missing control.
    void CollectFromControls();
    // Collects, then writes the whole document to path atomically.
    void SaveToFile(const QString &path);
    // Collects and returns the bytes SaveToFile would write, without any
    // message: a field the document lacks is skipped silently. For copies
    // kept while the user edits, where a message per edit would be a storm.
    QByteArray CollectedDocument();
    // Import from another data file: puts `value` (stored as this document
    // stores the item's field) into the data item's control or group exactly
    // as loading a document that holds it would, relation handlers included;
    // a check group then shows exactly the given keys. The document itself
    // changes only at the next save.
    void ApplyItemValue(const ConfigNode &item, const QString &value);

    // Report filling: the form hands over its report before every fill;
    // FillReport writes every data item's value into the report objects of
    // the same names; ShowReport prepares the report and shows its preview.
    void SetReport(TfrReport *report) { FReport = report; }
    void FillReport();
    void ShowReport();

    // How messages name the form's controls: each control's caption as the
    // form shows it, with its item's number ("23.专利 专利到期日期"), keyed
    // by control name in any letter case; a closing colon is left out. The
    // form hands them over before loading; a control without a caption is
    // named by its field or control name.
    void SetCaptions(const QHash<QString, QString> &captions);
    // The caption of a control, or the empty string when it has none.
    QString Caption(const QString &controlName) const;

    QObject *FindControl(const QString &name) const;   // nullptr if none
    QObject *RequireControl(const QString &name) const; // AppError if none

    // The loaded document; null before a load and after a refused one.
    ConfigDocument *Document() const { return FDoc.get(); }
    QWidget *Form() const { return FForm; }

    static QString NewCheckCode();
    static QString ProgramDirectory();

    // The per-item messages of a load, a save, a report fill or a click. One
    // message box per message, except within a batch (a load, a save, a
    // fill, a click's relations): there each kind is shown once at the end,
    // with how often it occurred and the first names it concerned.
    enum class Message {
        RadioNotInData,
        RadioItemMissing,
        ItemWithoutKey,
        NotADropDown,
        BadDate,
        DateOutOfRange,
        ChoiceNotInList,
        BadBoolean,
        FieldNotFound,
        ControlMissing,
        ReportObjectMissing,
    };
    void Warn(Message kind, const QString &name, const QString &text);

private:
    friend class RelationWalk;
    enum class Handler { CheckBox, RadioButton };

    static std::unique_ptr<ConfigDocument> TakeHandedOver(const QString &path);
    ConfigNode Section(const QString &tag) const;
    // AppError when "ui-data" or "data-fields" is missing.
    void CheckStructure() const;
    ConfigNode FindNamedNode(const QString &section, const QString &name) const;
    // Runs work as one batch of messages (see Warn).
    void Batched(const std::function<void()> &work);

    // Relations (the walk itself is RelationWalk).
    void InstallHandler(QObject *control, Handler handler);
    void RunHandler(void (RelationWalk::*handler)(QAbstractButton *), QAbstractButton *sender);

    // Binders (document to controls).
    // The value a binder shows for a field: the document's, or the one
    // being imported.
    QString BoundValue(const QString &field) const;
    QString ItemValue(const ConfigNode &item) const;
    void BindItem(const ConfigNode &item);
    void BindPlain(const ConfigNode &item);
    void BindRadioGroup(const ConfigNode &item);
    void BindCheckGroup(const ConfigNode &item);
    void BindComboBox(const ConfigNode &item);

    // Report filling, one per item type.
    void FillRadioMarks(const ConfigNode &item);
    void FillCheckMarks(const ConfigNode &item);
    void FillPlainItem(const ConfigNode &item);
    void FillMarks(const ConfigNode &item, const std::function<bool(const QString &)> &selected,
                   const QString &on, const QString &off);

    // Collectors (controls to document).
    void CollectItem(const ConfigNode &item);
    QString CollectRadioGroup(const ConfigNode &item) const;
    QString CollectCheckGroup(const ConfigNode &item) const;
    QString CollectPlain(const ConfigNode &item) const;

    QWidget *FForm;
    std::unique_ptr<ConfigDocument> FDoc;
    std::unique_ptr<RelationWalk> FRelations;
    MessageBatch FBatch;
    int FBatchDepth = 0;
    // Controls by case-folded objectName, first in the form's child order;
    // built at the first lookup.
    mutable QHash<QString, QPointer<QObject>> FControls;
    mutable bool FIndexed = false;
    // The one relation handler of each button, as the button's click handler.
    struct InstalledHandler {
        Handler kind;
        QMetaObject::Connection connection;
    };
    QHash<QObject *, InstalledHandler> FHandlers;
    // Memos whose stored value the memo cannot show as stored (not valid
    // Base64, or a text the memo rewrites): the stored value and the text
    // shown for it; saved unchanged while that text is unchanged.
    struct KeptMemo {
        QString stored;
        QString shown;
    };
    QHash<const QObject *, KeptMemo> FKeptMemos;
    // Drop-down lists whose stored value is none of their entries: the list
    // shows no entry and the stored value is saved unchanged until the user
    // chooses one.
    QHash<const QObject *, QString> FKeptChoices;
    // Controls disabled because nothing saves their value.
    QSet<const QObject *> FLocked;
    QStringList FDamagedMemos;
    // Captions by case-folded control name.
    QHash<QString, QString> FCaptions;
    // While true, collecting shows no message.
    bool FQuiet = false;
    // While ApplyItemValue runs: the value the binders show instead of the document's.
    const QString *FImportValue = nullptr;
};
