// End-to-end checks that hold for every form type whose catalogue,
// configuration document and print template are in place: the document
// binds the whole catalogue, every control survives save and reopen with
// every button of every panel and a crash through the recovery copy, the
// template holds its value objects in their stored order, printing puts the
// check code on every sheet and long texts on the attachment page, and a
// form filled with realistic maximal values prints every value whole inside
// its box; importing an earlier data file of the same or another type fills
// the form as opening that file would. The submission check finds problems in
// a blank form and none in the realistic one, makes what a button enables
// required exactly while the button is on, takes the user to a problem's
// control on another page, and Print asks first when there are problems.
#include "AppError.h"
#include "CatalogueParser.h"
#include "CheckPanel.h"
#include "CodePage.h"
#include "ConfigDocument.h"
#include "ControlAdapter.h"
#include "DataImport.h"
#include "DatePicker.h"
#include "FormClasses.h"
#include "FormDriver.h"
#include "PrintFixture.h"
#include "RecoveryCopy.h"
#include "Base64.h"
#include "Helpers.h"
#include "ScriptedDialogs.h"
#include "SharedFields.h"
#include "TFrmImport.h"
#include "TFrmMain.h"
#include "TestDocuments.h"
#include "TUIHelper.h"
#include "TestMain.h"
#include "TfrMemoLayout.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrRenderer.h"
#include "TfrReport.h"
#include "ValueRules.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QTreeWidget>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>
#include <algorithm>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/resource.h>

Q_DECLARE_METATYPE(FormKind)

namespace {

// The form types whose three files exist.
QList<FormKind> completeTypes()
{
    QList<FormKind> out;
    for (const FormType &t : formTypes())
        if (QFile::exists(t.catalogue) && QFile::exists(t.reportTemplate) &&
            QFile::exists(ProgramDirectory() + t.configFileName))
            out << t.kind;
    return out;
}

void addTypeRows()
{
    QTest::addColumn<FormKind>("kind");
    for (FormKind kind : completeTypes())
        QTest::newRow(formType(kind).className) << kind;
}

// The print hook's entries of each form type: the memo and its heading, in
// the order the hook takes them.
struct HookEntry {
    QString memo;
    QString heading;
};

QList<HookEntry> hookEntries(FormKind kind)
{
    const QList<HookEntry> registration{
        {QStringLiteral("edtHXCF"), QStringLiteral("15.处方内药物活性成份或者中药药味(均含处方量)：")},
        {QStringLiteral("edtCFFL"), QStringLiteral("16.处方内辅料(含处方量)：")},
        {QStringLiteral("edtSYZ"), QStringLiteral("20.主要适应症或者功能主治：")},
        {QStringLiteral("edtGYTJ"), QStringLiteral("21.给药途径及特殊用法：")},
    };
    const QList<HookEntry> supplementary{
        {QStringLiteral("edtCFNFL"), QStringLiteral("15.处方内辅料(含处方量)：")},
        {QStringLiteral("memSYZ"), QStringLiteral("18.主要适应症或者功能主治：")},
    };
    switch (kind) {
    case FormKind::YPZCSQ:
    case FormKind::YPZCSQ_JK:
        return registration;
    case FormKind::YPBCSQ:
    case FormKind::YPBCSQ_JK:
        return supplementary;
    case FormKind::YPZZCSQ:
        return {{QStringLiteral("edtSYZ"), QStringLiteral("12.主要适应症或者功能主治：")}};
    case FormKind::YBCZZCSQB:
        break;
    }
    return {};
}

// Value objects of the templates by form class and page, from data/TemplateValueObjects.txt.
QMap<QString, QList<QStringList>> storedOrder()
{
    QMap<QString, QList<QStringList>> out;
    QFile f(QStringLiteral(DZSB_E2E_DATA "/TemplateValueObjects.txt"));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read TemplateValueObjects.txt");
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString cls = words.takeFirst();
        const int page = words.takeFirst().toInt();
        auto &pages = out[cls];
        while (pages.size() <= page)
            pages.append(QStringList());
        pages[page] = words;
    }
    return out;
}

// The heading of every field by form class, from data/FieldHeadings.txt.
QHash<QString, QString> expectedHeadings(const QString &formClass)
{
    QHash<QString, QString> out;
    QFile f(QStringLiteral(DZSB_E2E_DATA "/FieldHeadings.txt"));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read FieldHeadings.txt");
    for (const QString &line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(QLatin1Char(' '));
        if (words.size() >= 3 && words[0] == formClass)
            out.insert(words[1], words.mid(2).join(QLatin1Char(' ')));
    }
    return out;
}

bool isValueObject(const TfrView *v)
{
    return !v->Name.startsWith(QLatin1String("Memo")) && !v->Name.startsWith(QLatin1String("Line"));
}

QString chinese(int count)
{
    QString s;
    for (int i = 0; i < count; ++i)
        s += QChar(0x836F + i % 7);
    return s;
}

// Everything but blanks and line breaks: what wrapping may not change.
QString inked(QString text)
{
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    return text;
}

bool fitsOnSheet(const TfrPreparedObject &o)
{
    const TfrMeasure measure = TfrMemoLayout::WithCharSpacing(
        TfrRenderer::measureFor(TfrRenderer::reportFont(o.fontName, o.fontSize, o.fontStyle)), o.charSpacing);
    const TfrMemoBox box{o.x, o.y, o.dx, o.dy, o.gapx, o.gapy, TfrMemoLayout::FontHeight(o.fontSize),
                         o.lineSpacing, o.alignment};
    return TfrMemoLayout::FitsBox(o.lines, box, measure);
}

// Why an object does not fit, for the failure message: its widest line and lines.
QString misfit(const TfrPreparedObject &o)
{
    const TfrMeasure measure = TfrMemoLayout::WithCharSpacing(
        TfrRenderer::measureFor(TfrRenderer::reportFont(o.fontName, o.fontSize, o.fontStyle)), o.charSpacing);
    double widest = 0;
    for (const TfrTextLine &l : o.lines)
        widest = qMax(widest, measure(l.text));
    return QStringLiteral("%1 lines, widest %2, box %3×%4 gap %5/%6")
        .arg(o.lines.size()).arg(widest, 0, 'f', 1).arg(o.dx).arg(o.dy).arg(o.gapx).arg(o.gapy);
}

QString joined(const TfrPreparedObject &o)
{
    QString s;
    for (const TfrTextLine &l : o.lines)
        s += l.text;
    return s;
}

// What is wrong with the footer lines of the printed sheets: every sheet,
// the attachment's included, carries the form's title, its own number p, the
// number N of sheets printed ("第p页　共N页") and the check code at its lower
// right, as the first sheet does.
QStringList footerFaults(const QList<TfrSheet> &sheets, const QString &code)
{
    QStringList faults;
    QString title;
    for (int s = 0; s < sheets.size(); ++s) {
        const QString numbers = QStringLiteral("　第%1页　共%2页　　数据核对码：").arg(s + 1).arg(sheets.size());
        QStringList footers, codes;
        for (const TfrPreparedObject &o : sheets[s].objects) {
            const QString text = joined(o);
            if (text.endsWith(QStringLiteral("数据核对码：")))
                footers << text;
            else if (o.y >= 990 && o.x > 560 && !text.isEmpty())
                codes << text;
        }
        if (s == 0 && footers.size() == 1 && footers[0].endsWith(numbers))
            title = footers[0].chopped(numbers.size());
        if (footers != QStringList{title + numbers} || title.isEmpty())
            faults << QStringLiteral("sheet %1: footer %2").arg(s + 1).arg(footers.join(QLatin1Char('|')));
        if (codes != QStringList{code})
            faults << QStringLiteral("sheet %1: check code %2").arg(s + 1).arg(codes.join(QLatin1Char('|')));
    }
    return faults;
}

// The value of a control's field in the form's document (as the last save wrote it).
QString storedValue(TEABaseForm *form, const QString &name)
{
    ConfigDocument *doc = form->helper()->Document();
    for (const ConfigNode &item : doc->section(QStringLiteral("ui-data")).childElements())
        if (item.attributeText(QStringLiteral("name")).compare(name, Qt::CaseInsensitive) == 0)
            return doc->FieldValue(item.attributeText(QStringLiteral("Field")));
    return QString();
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The plain data items of a document whose controls the user can type into,
// as (control name, field name), with the kind of their catalogue entry.
struct TypedItem {
    QString name;
    QString field;
    CatalogueEntry::Kind kind;
};
QList<TypedItem> typedItems(const ConfigDocument &doc, const Catalogue &cat)
{
    QList<TypedItem> out;
    for (const ConfigNode &item : doc.section(QStringLiteral("ui-data")).childElements()) {
        const QString name = item.attributeText(QStringLiteral("name"));
        const CatalogueEntry *e = cat.find(name);
        if (e && !e->readOnly && item.hasAttribute(QStringLiteral("Field")))
            out.append({name, item.attributeText(QStringLiteral("Field")), e->kind});
    }
    return out;
}

// The first enabled, writable control of the kind T that the document binds
// as a plain item.
template <class T>
T *firstBound(TEABaseForm *form)
{
    for (const ConfigNode &item : form->helper()->Document()->section(QStringLiteral("ui-data")).childElements()) {
        const QString name = item.attributeText(QStringLiteral("name"));
        if (name.isEmpty() || name == QLatin1String("VerifyCode") || !item.hasAttribute(QStringLiteral("Field")))
            continue;
        T *control = form->findChild<T *>(name);
        if (control && control->isEnabled() && !control->isReadOnly())
            return control;
    }
    return nullptr;
}

// Saves the active form with the Save command; the file and the message.
QString saveWithCommand(TFrmMain &main, ScriptedDialogs &dlg, TEABaseForm *form)
{
    dlg.messages.clear();
    main.mdiArea()->setActiveSubWindow(form);
    main.action(QStringLiteral("mnuSaveNoExit"))->trigger();
    return form->DataFileName();
}

// Every problem names a control the user can fill: shown, enabled, on the
// page the problem names; and reads as the list shows it.
QStringList problemFaults(const TEABaseForm *form, const CheckResult &result)
{
    QStringList faults;
    for (const CheckProblem &p : result.problems) {
        auto *control = form->findChild<QWidget *>(p.control);
        const CatalogueEntry *entry = form->catalogue().find(p.control);
        if (!control || !entry || entry->hidden || !control->isEnabled())
            faults << QStringLiteral("not fillable: ") + p.text();
        else if (!form->pageControl()->widget(p.page)->isAncestorOf(control) ||
                 form->pageControl()->tabText(p.page) != p.pageCaption)
            faults << QStringLiteral("wrong page: ") + p.text();
        if (p.text() != p.pageCaption + QStringLiteral(" · ") + p.heading + QStringLiteral("：") + p.message ||
            p.heading.isEmpty() || p.message.isEmpty())
            faults << QStringLiteral("badly worded: ") + p.text();
    }
    return faults;
}

QString problemTexts(const CheckResult &result)
{
    QStringList texts;
    for (const CheckProblem &p : result.problems)
        texts << p.text() + QStringLiteral(" [") + p.control + QLatin1Char(']');
    return texts.join(QLatin1Char('\n'));
}

// The controls a relation node's controller enables, by the first node of its
// name (as the click handlers find it); and each dependent's controller.
QStringList dependentsOf(const TEABaseForm *form, const QString &controller)
{
    const ConfigDocument *doc = form->helper()->Document();
    const ConfigNode node = doc->findNamed(doc->section(ConfigSection::UiRelation), controller);
    QStringList out;
    if (node)
        for (const ConfigNode &child : node.childElements())
            if (child.hasAttribute(QStringLiteral("name")))
                out << child.attributeText(QStringLiteral("name"));
    return out;
}

QString controllerOf(const TEABaseForm *form, const QString &dependent)
{
    std::function<QString(const ConfigNode &)> search = [&](const ConfigNode &node) -> QString {
        for (const ConfigNode &child : node.childElements()) {
            if (child.attributeText(QStringLiteral("name")).compare(dependent, Qt::CaseInsensitive) == 0 &&
                node.hasAttribute(QStringLiteral("name")))
                return node.attributeText(QStringLiteral("name"));
            const QString found = search(child);
            if (!found.isEmpty())
                return found;
        }
        return QString();
    };
    return search(form->helper()->Document()->section(ConfigSection::UiRelation));
}

// Turns a button on as a user would, after the buttons that enable it.
void turnOn(TEABaseForm *form, const QString &name)
{
    auto *button = form->findChild<QAbstractButton *>(name);
    if (!button->isEnabled()) {
        const QString controller = controllerOf(form, name);
        if (!controller.isEmpty())
            turnOn(form, controller);
    }
    button->setChecked(true);
}

} // namespace

class TestForms : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void configurationDocumentCoversTheCatalogue_data() { addTypeRows(); }
    void configurationDocumentCoversTheCatalogue();
    void everyControlSurvivesSaveAndOpen_data() { addTypeRows(); }
    void everyControlSurvivesSaveAndOpen();
    void everyControlSurvivesACrash_data() { addTypeRows(); }
    void everyControlSurvivesACrash();
    void everyFieldHasItsHeading_data() { addTypeRows(); }
    void everyFieldHasItsHeading();
    void templateHoldsEveryValueObject_data() { addTypeRows(); }
    void templateHoldsEveryValueObject();
    void emptyFormPrintsEverySheetTwice_data() { addTypeRows(); }
    void emptyFormPrintsEverySheetTwice();
    void longMemosMoveToTheAttachment_data() { addTypeRows(); }
    void longMemosMoveToTheAttachment();
    void realisticValuesPrintWhole_data() { addTypeRows(); }
    void realisticValuesPrintWhole();
    void untouchedValuesSaveByteForByte_data() { addTypeRows(); }
    void untouchedValuesSaveByteForByte();
    void datesAlikeUnderEveryLocale_data() { addTypeRows(); }
    void datesAlikeUnderEveryLocale();
    void everyCharacterSurvivesSaveAndOpen_data() { addTypeRows(); }
    void everyCharacterSurvivesSaveAndOpen();
    void filesOfEveryLabelSaveAndOpen_data();
    void filesOfEveryLabelSaveAndOpen();
    void printChangesNothingWhenItsSaveFails();
    void checkOfBlankAndRealisticForms_data() { addTypeRows(); }
    void checkOfBlankAndRealisticForms();
    void requirementsFollowTheRelations_data() { addTypeRows(); }
    void requirementsFollowTheRelations();
    void problemTakesYouToItsControl_data() { addTypeRows(); }
    void problemTakesYouToItsControl();
    void printAsksFirst_data() { addTypeRows(); }
    void printAsksFirst();
    void checkToolAgreesWithTheForm_data() { addTypeRows(); }
    void checkToolAgreesWithTheForm();
    void sharedFieldsAreFieldsOfTheirForms();
    void importOfItsOwnTypeShowsTheFile_data() { addTypeRows(); }
    void importOfItsOwnTypeShowsTheFile();
    void importAcrossTypes_data();
    void importAcrossTypes();
    void importKeepsRelationsAndCancelChangesNothing();
};

void TestForms::initTestCase()
{
    QVERIFY(completeTypes().contains(FormKind::YPZCSQ));
}

void TestForms::configurationDocumentCoversTheCatalogue()
{
    QFETCH(FormKind, kind);
    const FormType &type = formType(kind);
    QFile f(ProgramDirectory() + type.configFileName);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"GBK\"?>"));
    const auto doc = ConfigDocument::parse(bytes);
    QCOMPARE(doc->section(QStringLiteral("config-type")).attributeText(QStringLiteral("value")), type.typeTag);

    // Every item and group item names a control, and every data control is bound once.
    QStringList bound;
    QSet<QString> fields;
    for (const ConfigNode &item : doc->section(QStringLiteral("ui-data")).childElements()) {
        const QString itemType = item.attributeText(QStringLiteral("type"));
        QVERIFY2(item.hasAttribute(QStringLiteral("Field")), qPrintable(item.attributeText(QStringLiteral("name"))));
        fields.insert(item.attributeText(QStringLiteral("Field")));
        if (itemType == QLatin1String("RadioGroup") || itemType == QLatin1String("CheckGroup")) {
            QSet<QString> keys;
            for (const ConfigNode &child : item.childElements()) {
                const QString key = child.attributeText(QStringLiteral("key"));
                QVERIFY2(child.hasAttribute(QStringLiteral("key")) && !keys.contains(key),
                         qPrintable(child.attributeText(QStringLiteral("name"))));
                keys.insert(key);
                bound << child.attributeText(QStringLiteral("name"));
            }
        } else {
            bound << item.attributeText(QStringLiteral("name"));
        }
    }
    const Catalogue cat = CatalogueParser::load(type.catalogue);
    QSet<QString> controls;
    for (const CatalogueEntry *e : cat.entries())
        if (FormDriver::isDataControl(*e)) {
            QVERIFY2(!controls.contains(e->name), qPrintable(e->name));
            controls.insert(e->name);
        }
    QCOMPARE(bound.size(), QSet<QString>(bound.begin(), bound.end()).size());
    QCOMPARE(QSet<QString>(bound.begin(), bound.end()), controls);
    // Every field has its entry, and no two entries share a name.
    QSet<QString> entries;
    for (const ConfigNode &field : doc->section(QStringLiteral("data-fields")).childElements()) {
        const QString n = field.attributeText(QStringLiteral("name"));
        QVERIFY2(!entries.contains(n), qPrintable(n));
        entries.insert(n);
    }
    QCOMPARE(entries, fields);
    // Every relation names a control of the form; controllers are buttons the
    // user can switch (a hidden one, or one that starts on, could never
    // enable its dependents again).
    std::function<void(const ConfigNode &)> walk = [&](const ConfigNode &node) {
        for (const ConfigNode &child : node.childElements()) {
            const QString name = child.attributeText(QStringLiteral("name"));
            QVERIFY2(controls.contains(name), qPrintable(name));
            if (child.hasChildElements()) {
                QVERIFY(child.hasAttribute(QStringLiteral("type")));
                const auto *e = cat.find(name);
                QVERIFY2(e->kind == CatalogueEntry::Kind::Radio || e->kind == CatalogueEntry::Kind::Check,
                         qPrintable(name));
                QVERIFY2(!e->hidden && !e->initiallyOn, qPrintable(name));
            }
            walk(child);
        }
    };
    walk(doc->section(QStringLiteral("ui-relation")));
}

void TestForms::everyControlSurvivesSaveAndOpen()
{
    QFETCH(FormKind, kind);
    const FormType &type = formType(kind);
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.NewCommand(kind);
    const int rounds = FormDriver::buttonRounds(main.registered(kind));
    for (int round = 0; round < rounds; ++round) {
        if (round > 0)
            main.NewCommand(kind); // replaces the form after its close question
        QPointer<TEABaseForm> form = main.registered(kind);
        QVERIFY(form);
        FormDriver::fillEveryControl(form, round);
        const auto before = FormDriver::snapshot(form);
        int filled = 0;
        for (const QString &state : before)
            if (!state.endsWith(QLatin1String("disabled")) && state != QLatin1String("off") &&
                state != QLatin1String("text=") && state != QLatin1String("nodate"))
                ++filled;
        QVERIFY2(filled * 5 > before.size(), qPrintable(QStringLiteral("%1 of %2").arg(filled).arg(before.size())));
        const QString code = form->verifyCodeEdit()->text();

        dlg.messages.clear();
        main.mdiArea()->setActiveSubWindow(form);
        main.action(QStringLiteral("mnuSaveNoExit"))->trigger();
        const QString file = ProgramDirectory() + type.filePrefix + QStringLiteral("_") + code + QStringLiteral(".MRT");
        QCOMPARE(dlg.messages.size(), 1);
        QVERIFY(dlg.messages[0].text.startsWith(QStringLiteral("已成功生成备份文件:") + file +
                                                QStringLiteral("\r\n数据核对码为：") + code));
        dlg.answer({true});
        QVERIFY(form->AskClose());
        settle();
        QVERIFY(!form);

        dlg.messages.clear();
        dlg.openFiles.enqueue(file);
        main.OpenCommand(kind);
        TEABaseForm *reopened = main.registered(kind);
        QVERIFY(reopened);
        QVERIFY2(dlg.messages.isEmpty(), qPrintable(dlg.texts().join(QLatin1Char('|'))));
        QCOMPARE(reopened->windowTitle(), QStringLiteral("编辑") + type.title + QStringLiteral("[*]"));
        QVERIFY(!reopened->isModified()); // what loading put into the controls is no edit
        QCOMPARE(reopened->verifyCodeEdit()->text(), code);
        const auto after = FormDriver::snapshot(reopened);
        for (auto it = before.begin(); it != before.end(); ++it)
            QVERIFY2(after.value(it.key()) == it.value(),
                     qPrintable(QStringLiteral("round %1, %2: %3 became %4")
                                    .arg(round).arg(it.key(), it.value(), after.value(it.key()))));

        // The file is the configuration document with the values written in,
        // and a second save of the opened form writes the same bytes again.
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        f.close();
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"GBK\"?>"));
        QVERIFY(bytes.contains(("value=\"" + code + "\"").toLatin1()));
        reopened->SaveBackup();
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), bytes);
        f.close();
        QFile::remove(file);
        dlg.answer({true});
    }
}

void TestForms::everyFieldHasItsHeading()
{
    QFETCH(FormKind, kind);
    const FormType &type = formType(kind);
    const QHash<QString, QString> expected = expectedHeadings(QLatin1String(type.className));
    // DZSB_WRITE_HEADINGS=<file> appends the headings as they are, in the file's format.
    QFile written(qEnvironmentVariable("DZSB_WRITE_HEADINGS"));
    if (!written.fileName().isEmpty())
        QVERIFY(written.open(QIODevice::Append));
    static const QRegularExpression controlName(QStringLiteral("(edt|dtp|cbx|mem|ckb|rdb|rgb)[A-Z]"));
    static const QRegularExpression itemNumber(QStringLiteral("^(\\d+)\\."));
    const Catalogue cat = CatalogueParser::load(type.catalogue);
    QStringList faults;
    QHash<QString, QString> seen;
    QSet<QString> fields;
    int lastItem = 0;
    for (const CatalogueEntry *e : cat.entries()) {
        if (!FormDriver::isDataControl(*e) || e->kind == CatalogueEntry::Kind::Check ||
            e->kind == CatalogueEntry::Kind::Radio)
            continue;
        fields.insert(e->name);
        const QString &h = e->heading;
        if (written.isOpen())
            written.write((QLatin1String(type.className) + QLatin1Char(' ') + e->name + QLatin1Char(' ') + h +
                           QLatin1Char('\n')).toUtf8());
        if (h != expected.value(e->name))
            faults << QStringLiteral("%1: \"%2\", not \"%3\"").arg(e->name, h, expected.value(e->name));
        // Each heading names one field, as the form shows it: no control names.
        if (seen.contains(h))
            faults << QStringLiteral("%1 and %2 both \"%3\"").arg(seen.value(h), e->name, h);
        seen.insert(h, e->name);
        if (!h.endsWith(QStringLiteral("：")) || h.size() < 3 || controlName.match(h).hasMatch())
            faults << QStringLiteral("%1: \"%2\"").arg(e->name, h);
        // The items are numbered in the order they stand on the form.
        const QRegularExpressionMatch m = itemNumber.match(h);
        if (m.hasMatch()) {
            const int n = m.captured(1).toInt();
            if (n < lastItem)
                faults << QStringLiteral("%1: item %2 after item %3").arg(e->name).arg(n).arg(lastItem);
            lastItem = n;
        }
    }
    for (auto it = expected.begin(); it != expected.end(); ++it)
        if (!fields.contains(it.key()))
            faults << QStringLiteral("%1 is no field of the form").arg(it.key());
    for (const QString &fault : faults)
        qWarning().noquote() << fault;
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 headings wrong").arg(faults.size())));
    QVERIFY(fields.size() > 50);
}

// A form filled in and never saved, whose program ends without closing it
// (killed, a power cut): the next start restores every control from the
// form's recovery copy, with its check code, as an edited form.
void TestForms::everyControlSurvivesACrash()
{
    QFETCH(FormKind, kind);
    const FormType &type = formType(kind);
    ScriptedDialogs dlg;
    QMap<QString, QString> before;
    QString code;
    {
        TFrmMain main;
        main.show();
        main.NewCommand(kind);
        TEABaseForm *form = main.registered(kind);
        QVERIFY(form);
        FormDriver::fillEveryControl(form, 0);
        QVERIFY(form->isModified());
        QVERIFY(form->WriteRecoveryCopy()); // as the user's last finished edit does
        before = FormDriver::snapshot(form);
        code = form->verifyCodeEdit()->text();
    } // gone without closing its form
    QVERIFY(!QDir(RecoveryCopy::folder()).entryList({QStringLiteral("*.MRT")}).isEmpty());

    TFrmMain main;
    main.show();
    main.OfferRecovery(); // 恢复 is the default
    QCOMPARE(dlg.messages.size(), 1);
    QVERIFY(dlg.messages[0].text.startsWith(QStringLiteral("发现上次未正常关闭时保存的“") + type.title));
    TEABaseForm *restored = main.registered(kind);
    QVERIFY(restored);
    QVERIFY(restored->isModified());
    QCOMPARE(restored->windowTitle(), QStringLiteral("编辑") + type.title + QStringLiteral("[*]"));
    QCOMPARE(restored->verifyCodeEdit()->text(), code);
    const auto after = FormDriver::snapshot(restored);
    for (auto it = before.begin(); it != before.end(); ++it)
        QVERIFY2(after.value(it.key()) == it.value(),
                 qPrintable(QStringLiteral("%1: %2 became %3").arg(it.key(), it.value(), after.value(it.key()))));
    dlg.answer({true});
    QVERIFY(restored->AskClose());
    settle();
    QCOMPARE(QDir(RecoveryCopy::folder()).entryList(QDir::Files), QStringList());
}

void TestForms::templateHoldsEveryValueObject()
{
    QFETCH(FormKind, kind);
    const FormType &type = formType(kind);
    const auto order = storedOrder().value(QLatin1String(type.className));
    QVERIFY(!order.isEmpty());
    std::unique_ptr<TEABaseForm> form(CreateForm(kind));
    TfrReport *report = form->report();
    QVERIFY(report);
    QVERIFY(report->StoreInDFM());
    QCOMPARE(report->InitialZoom(), int(pzDefault));
    QCOMPARE(int(report->PreviewButtons()), type.previewButtons);
    QCOMPARE(report->Pages().Count(), order.size());
    for (int p = 0; p < order.size(); ++p) {
        const TfrPage &page = report->Pages()[p];
        QCOMPARE(page.Name, p == 0 ? QString() : QStringLiteral("Page%1").arg(p));
        QCOMPARE(page.pgSize, 9);
        QCOMPARE(page.pgWidth, 2101);
        QCOMPARE(page.pgHeight, 2969);
        QCOMPARE(QList<int>({page.LeftMargin, page.TopMargin, page.RightMargin, page.BottomMargin}),
                 QList<int>({90, 79, 54, 54}));
        QStringList values;
        for (const TfrView *v : page.Objects()) {
            QVERIFY(v->ClassName() == QLatin1String("TfrMemoView") || v->ClassName() == QLatin1String("TfrLineView"));
            QCOMPARE(v->ObjectVersion, quint8(2));
            if (isValueObject(v))
                values << v->Name;
        }
        QCOMPARE(values, order[p]);
        // The page's check code object.
        const QString code = p == 0 ? QStringLiteral("VerifyCode") : QStringLiteral("VerifyCode%1").arg(p);
        QVERIFY2(order[p].contains(code), qPrintable(code));
    }
    for (int p = order.size(); p <= 5; ++p)
        QVERIFY(!report->FindObject(QStringLiteral("VerifyCode%1").arg(p)));
    for (const HookEntry &entry : hookEntries(kind))
        QVERIFY2(report->FindObject(entry.memo), qPrintable(entry.memo));
    // The paper form's code and a title on the first page, and no real agency.
    QString head;
    for (const TfrView *v : report->Pages()[0].Objects())
        head += v->Text() + QLatin1Char('\n');
    QVERIFY(head.contains(kind == FormKind::YBCZZCSQB ? QStringLiteral("040417") : QStringLiteral("021202")));
    QVERIFY(head.contains(QStringLiteral("药品监督管理部门")));
    QVERIFY(!head.contains(QStringLiteral("国家食品药品监督管理局")));
}

void TestForms::emptyFormPrintsEverySheetTwice()
{
    QFETCH(FormKind, kind);
    FormFixture f(kind);
    QVERIFY(f.form);
    const int pages = f.templatePages();
    for (int round = 0; round < 2; ++round) {
        const QString code = f.print();
        QCOMPARE(f.warnings(), QStringList());
        QCOMPARE(f.dlg.modalWindows, QStringList{QStringLiteral("预览")});
        QCOMPARE(f.sheets().size(), pages);
        QVERIFY(!f.attachmentPage());
        // The check code at the lower right of every sheet, and every text of
        // the empty form inside its box.
        QStringList cut;
        for (int s = 0; s < pages; ++s) {
            const QString name = s == 0 ? QStringLiteral("VerifyCode") : QStringLiteral("VerifyCode%1").arg(s);
            int found = 0;
            for (const TfrPreparedObject &o : f.sheets()[s].objects) {
                if (o.kind == TfrPreparedObject::Memo && !o.lines.isEmpty() && !fitsOnSheet(o))
                    cut << QStringLiteral("sheet %1: %2 \"%3\" (%4)").arg(s + 1).arg(o.name, joined(o), misfit(o));
                if (o.name == name) {
                    QCOMPARE(joined(o), code);
                    QVERIFY(o.x > 560 && o.y > 960);
                    ++found;
                }
            }
            QCOMPARE(found, 1);
        }
        for (const QString &fault : cut)
            qWarning().noquote() << fault;
        QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("%1 texts cut off").arg(cut.size())));
        QCOMPARE(footerFaults(f.sheets(), code), QStringList());
    }
}

void TestForms::longMemosMoveToTheAttachment()
{
    QFETCH(FormKind, kind);
    FormFixture f(kind);
    QVERIFY(f.form);
    // The catalogue marks the memos of the hook, with their headings, in the hook's order.
    const QList<HookEntry> hook = hookEntries(kind);
    QStringList marked, specified;
    for (const CatalogueEntry *e : f.form->catalogue().attachedMemos())
        marked << e->name + QLatin1Char(' ') + e->heading;
    for (const HookEntry &entry : hook)
        specified << entry.memo + QLatin1Char(' ') + entry.heading;
    QCOMPARE(marked, specified);
    if (hook.isEmpty()) {
        // No attachment page however long the texts; what cannot print whole
        // is named. The texts are longer than a whole sheet holds.
        bool any = false;
        for (QPlainTextEdit *memo : f.form->findChildren<QPlainTextEdit *>())
            if (!memo->isReadOnly()) {
                memo->setEnabled(true);
                Controls::setText(memo, chinese(3000));
                any = true;
            }
        const QString code = f.print();
        QVERIFY(!f.attachmentPage());
        QCOMPARE(f.sheets().size(), f.templatePages());
        QCOMPARE(footerFaults(f.sheets(), code), QStringList());
        if (qEnvironmentVariableIsSet("DZSB_PRINT_DIR"))
            QVERIFY(f.form->report()->ExportPdf(qEnvironmentVariable("DZSB_PRINT_DIR") + QLatin1Char('/') +
                                                QLatin1String(formType(kind).className) + QStringLiteral("-long.pdf")));
        if (any) {
            QCOMPARE(f.warnings().size(), 1);
            QVERIFY(f.warnings()[0].startsWith(QStringLiteral("下列填写内容超出打印位置")));
        }
        return;
    }
    // Every hook memo over 70 bytes, filled in reverse order: sections in
    // table order. The last memo is long enough for the attachment to run
    // over several sheets; a bracketed text in it prints as it stands.
    QStringList expected{QStringLiteral("附页："), QString()};
    QStringList longLines;
    for (int i = 1; i <= 150; ++i)
        longLines << QStringLiteral("第%1行 [PAGE#] 处方说明").arg(i);
    auto memoText = [&](int i) {
        return i == hook.size() - 1 ? longLines : QStringList{chinese(36 + i), QStringLiteral("第二行")};
    };
    for (int i = hook.size() - 1; i >= 0; --i) {
        QWidget *memo = f.form->findChild<QWidget *>(hook[i].memo);
        QVERIFY2(memo, qPrintable(hook[i].memo));
        memo->setEnabled(true);
        Controls::setText(memo, memoText(i).join(QStringLiteral("\r\n")));
    }
    for (int i = 0; i < hook.size(); ++i)
        expected << hook[i].heading << QString() << memoText(i) << QString();
    const QString code = f.print();
    QCOMPARE(f.warnings(), QStringList());
    for (const HookEntry &entry : hook)
        QCOMPARE(f.form->report()->FindObject(entry.memo)->Text(), QStringLiteral("(见附页)"));
    const TfrPage *attachment = f.attachmentPage();
    QVERIFY(attachment);
    QCOMPARE(attachment->Objects()[1]->Memo(), expected);
    QVERIFY2(f.sheets().size() >= f.templatePages() + 2, qPrintable(QString::number(f.sheets().size())));
    QString printed;
    for (int s = f.templatePages(); s < f.sheets().size(); ++s)
        printed += f.sheets()[s].plainText();
    QVERIFY(printed.contains(hook.last().heading));
    QVERIFY(printed.contains(QStringLiteral("第150行 [PAGE#] 处方说明")));
    QCOMPARE(footerFaults(f.sheets(), code), QStringList());
    // DZSB_PRINT_DIR=<folder> keeps this print too, to look at.
    if (qEnvironmentVariableIsSet("DZSB_PRINT_DIR"))
        QVERIFY(f.form->report()->ExportPdf(qEnvironmentVariable("DZSB_PRINT_DIR") + QLatin1Char('/') +
                                            QLatin1String(formType(kind).className) +
                                            QStringLiteral("-long.pdf")));

    // Short again: in place, no attachment page.
    for (const HookEntry &entry : hook)
        Controls::setText(f.form->findChild<QWidget *>(entry.memo), QStringLiteral("短文本"));
    f.print();
    QVERIFY(!f.attachmentPage());
    QCOMPARE(f.sheets().size(), f.templatePages());
}

void TestForms::realisticValuesPrintWhole()
{
    QFETCH(FormKind, kind);
    const FormType &type = formType(kind);
    FormFixture f(kind);
    QVERIFY(f.form);
    FormDriver::fillRealistic(f.form);
    // A detail field is enabled only while its button is chosen: the fields
    // that the chosen buttons leave disabled get their values too, so that
    // every field of the form prints in this one check.
    const Catalogue cat = CatalogueParser::load(type.catalogue);
    QStringList textFields;
    for (const CatalogueEntry *e : cat.entries()) {
        QWidget *w = f.form->findChild<QWidget *>(e->name);
        const ControlKind k = Controls::kindOf(w);
        if (FormDriver::isDataControl(*e) && !e->readOnly && k != ControlKind::CheckBox &&
            k != ControlKind::RadioButton && k != ControlKind::Other) {
            w->setEnabled(true);
            textFields << e->name;
        }
    }
    FormDriver::fillRealistic(f.form);
    const QString code = f.print();
    QCOMPARE(f.warnings(), QStringList());
    QCOMPARE(footerFaults(f.sheets(), code), QStringList());
    // DZSB_PRINT_DIR=<folder> keeps the printed form as a PDF, to look at.
    if (qEnvironmentVariableIsSet("DZSB_PRINT_DIR"))
        QVERIFY(f.form->report()->ExportPdf(qEnvironmentVariable("DZSB_PRINT_DIR") + QLatin1Char('/') +
                                            QLatin1String(type.className) + QStringLiteral(".pdf")));

    const QList<HookEntry> hook = hookEntries(kind);
    QSet<QString> hookMemos;
    for (const HookEntry &entry : hook)
        hookMemos.insert(entry.memo);
    // The printed objects by name, over the template's sheets.
    QHash<QString, const TfrPreparedObject *> printed;
    for (int s = 0; s < f.templatePages(); ++s)
        for (const TfrPreparedObject &o : f.sheets()[s].objects)
            if (!o.name.isEmpty())
                printed.insert(o.name.toLower(), &o);
    QSet<QString> checked;
    QStringList faults;
    for (const CatalogueEntry *e : cat.entries()) {
        if (!FormDriver::isDataControl(*e))
            continue;
        QObject *control = f.form->helper()->FindControl(e->name);
        const ControlKind k = Controls::kindOf(control);
        if (k == ControlKind::CheckBox || k == ControlKind::RadioButton || k == ControlKind::Other)
            continue;
        const TfrPreparedObject *o = printed.value(e->name.toLower());
        if (!o)
            continue; // a control without a print object (checked by the document test)
        const QString value = k == ControlKind::Memo || k == ControlKind::Edit ? Controls::text(control)
                                                                                : storedValue(f.form, e->name);
        if (value.isEmpty())
            continue;
        checked.insert(e->name);
        const bool moved = hookMemos.contains(e->name) && CodePage::byteLength(value) > 70;
        const QString expected = moved ? QStringLiteral("(见附页)") : value;
        if (inked(joined(*o)) != inked(expected))
            faults << QStringLiteral("%1 prints \"%2\" for \"%3\"").arg(e->name, joined(*o), value);
        else if (!fitsOnSheet(*o))
            faults << QStringLiteral("%1 \"%2\" does not fit: %3").arg(e->name, value, misfit(*o));
    }
    for (const QString &fault : faults)
        qWarning().noquote() << fault;
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 values not printed whole").arg(faults.size())));
    for (const QString &name : textFields)
        QVERIFY2(checked.contains(name), qPrintable(name + QStringLiteral(" prints no value")));
    // The realistic texts all print in place: any attachment holds only the
    // hook's long memos.
    if (const TfrPage *attachment = f.attachmentPage()) {
        const QString text = attachment->Objects()[1]->Text();
        for (const QString &heading : text.split(QStringLiteral("\r\n")))
            if (heading.endsWith(QStringLiteral("：")) && heading != QStringLiteral("附页："))
                QVERIFY2(std::any_of(hook.begin(), hook.end(),
                                     [&](const HookEntry &h) { return h.heading == heading; }),
                         qPrintable(heading));
    }
}

// Values that no control shows exactly as stored - memo texts with lone LF
// or CR, paragraph and line separators, no-break spaces and U+FEFF; edit
// values over 32,767 characters or with line breaks - are written back byte
// for byte by an Open and Save without edits; what the user then types is
// saved as the control shows it.
void TestForms::untouchedValuesSaveByteForByte()
{
    QFETCH(FormKind, kind);
    const FormType &type = formType(kind);
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.NewCommand(kind);
    QPointer<TEABaseForm> form = main.registered(kind);
    QVERIFY(form);
    form->SaveBackup(); // a file as the program writes it
    const QString file = form->DataFileName();
    auto doc = ConfigDocument::parse(readAll(file));
    const Catalogue cat = CatalogueParser::load(type.catalogue);
    const QString longValue = QString(40000, u'药') + QStringLiteral("尾");
    int memos = 0, edits = 0;
    for (const TypedItem &item : typedItems(*doc, cat)) {
        if (item.kind == CatalogueEntry::Kind::Memo) {
            const QString text = u"第一行\n第二行\r第三行\u2028续\u2029第五行\u00A0空\u3000格\uFEFF尾\n"_qs + item.name;
            doc->SetFieldValue(item.field, QString::fromLatin1(Base64EncodeString(CodePage::fromUnicode(text))));
            ++memos;
        } else if (item.kind == CatalogueEntry::Kind::Edit) {
            doc->SetFieldValue(item.field, edits % 8 == 0 ? longValue + item.name
                                                          : u"\uFEFF甲\r\n乙\u00A0丙\u2028"_qs + item.name);
            ++edits;
        }
    }
    QVERIFY(edits > 0);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.MRT"));
    const QByteArray written = doc->serialize();
    {
        QFile f(source);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(written) == written.size());
    }
    dlg.answer({true});
    QVERIFY(form->AskClose());
    settle();

    dlg.messages.clear();
    dlg.openFiles.enqueue(source);
    main.OpenCommand(kind);
    TEABaseForm *reopened = main.registered(kind);
    QVERIFY(reopened);
    QVERIFY2(dlg.messages.isEmpty(), qPrintable(dlg.texts().join(QLatin1Char('|'))));
    reopened->SaveBackup();
    QCOMPARE(reopened->DataFileName(), file);
    QVERIFY(readAll(file) == written);

    // The user types at the end of the first enabled memo and long edit box.
    QStringList typed;
    for (const TypedItem &item : typedItems(*doc, cat)) {
        auto *w = qobject_cast<QWidget *>(reopened->helper()->FindControl(item.name));
        if (!w || !w->isEnabled())
            continue;
        if (auto *memo = qobject_cast<QPlainTextEdit *>(w); memo && !typed.contains(QStringLiteral("memo"))) {
            memo->setFocus();
            memo->moveCursor(QTextCursor::End);
            QTest::keyClicks(memo, "z");
            typed << QStringLiteral("memo");
            QCOMPARE(Controls::text(memo), u"第一行\r\n第二行\r\n第三行\u2028续\r\n第五行\u00A0空\u3000格\uFEFF尾\r\n"_qs + item.name + "z");
        } else if (auto *edit = qobject_cast<QLineEdit *>(w);
                   edit && edit->text().size() > 40000 && !typed.contains(QStringLiteral("edit"))) {
            edit->setFocus();
            edit->end(false);
            QTest::keyClicks(edit, "z");
            typed << QStringLiteral("edit");
            QVERIFY(edit->text() == longValue + item.name + "z");
        } else {
            continue;
        }
        dlg.choices.enqueue(1); // 覆盖原文件: the opened file takes the edit
        reopened->SaveBackup();
        const QString saved = ConfigDocument::parse(readAll(file))->FieldValue(item.field);
        QVERIFY2((item.kind == CatalogueEntry::Kind::Memo ? ValueRules::MemoFromValue(saved) : saved) == Controls::text(w),
                 qPrintable(item.name));
    }
    if (memos > 0)
        QVERIFY(typed.contains(QStringLiteral("memo")));
    QVERIFY(typed.contains(QStringLiteral("edit")));
    QFile::remove(file);
    dlg.answer({true});
}

// A file written under the Chinese, the American English or the C locale
// opens under each of them with the same dates, dates before 1752 included;
// dates are stored and printed as yyyy/M/d under each. A stored date that
// cannot be read is named by its item's caption and saved unchanged.
void TestForms::datesAlikeUnderEveryLocale()
{
    QFETCH(FormKind, kind);
    const FormType &type = formType(kind);
    struct PinnedLocale {
        ~PinnedLocale() { QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China)); }
    } pinned;
    const QList<QLocale> locales{QLocale(QLocale::Chinese, QLocale::China),
                                 QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()};
    const QList<QDate> dates{QDate(1996, 12, 17), QDate(1700, 1, 2), QDate(2011, 6, 28),
                             QDate(100, 1, 1), QDate(9999, 12, 31), QDate(2026, 12, 28)};
    const Catalogue cat = CatalogueParser::load(type.catalogue);
    QStringList pickers; // the date pickers with a field
    for (const CatalogueEntry *e : cat.entries())
        if (e->kind == CatalogueEntry::Kind::Date)
            pickers << e->name;
    if (pickers.isEmpty())
        QSKIP("no date picker on this form");
    auto expected = [&](int i) { return dates[i % dates.size()]; };

    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    QTemporaryDir dir;
    for (const QLocale &writer : locales) {
        QLocale::setDefault(writer);
        main.NewCommand(kind);
        QPointer<TEABaseForm> form = main.registered(kind);
        QVERIFY(form);
        for (int i = 0; i < pickers.size(); ++i)
            form->findChild<DatePicker *>(pickers[i])->setDate(expected(i));
        form->SaveBackup();
        const QString file = dir.filePath(writer.name() + QStringLiteral(".MRT"));
        QVERIFY(QFile::rename(form->DataFileName(), file));
        const auto written = ConfigDocument::parse(readAll(file));
        for (const TypedItem &item : typedItems(*written, cat))
            if (item.kind == CatalogueEntry::Kind::Date)
                QCOMPARE(written->FieldValue(item.field), ValueRules::FromDate(expected(pickers.indexOf(item.name))));
        dlg.answer({true});
        QVERIFY(form->AskClose());
        settle();

        for (const QLocale &reader : locales) {
            QLocale::setDefault(reader);
            dlg.messages.clear();
            dlg.openFiles.enqueue(file);
            main.OpenCommand(kind);
            TEABaseForm *opened = main.registered(kind);
            QVERIFY(opened);
            QVERIFY2(dlg.messages.isEmpty(), qPrintable(dlg.texts().join(QLatin1Char('|'))));
            // Printed under each locale (from one writer's file: what prints is what the file holds).
            const bool print = writer == locales[0];
            if (print)
                opened->FillPrintedForm();
            for (int i = 0; i < pickers.size(); ++i) {
                auto *picker = opened->findChild<DatePicker *>(pickers[i]);
                const QString where = writer.name() + QStringLiteral(" -> ") + reader.name() + QLatin1Char(' ') + pickers[i];
                QVERIFY2(picker->hasDate() && picker->date() == expected(i), qPrintable(where));
                const QString shown = ValueRules::FromDate(expected(i));
                QVERIFY2(picker->dateEdit()->text() == shown, qPrintable(where + QStringLiteral(" shows ") + picker->dateEdit()->text()));
                if (TfrView *object = print ? opened->report()->FindObject(pickers[i]) : nullptr)
                    QVERIFY2(object->Text() == shown, qPrintable(where + QStringLiteral(" prints ") + object->Text()));
            }
            dlg.answer({true});
            QVERIFY(opened->AskClose());
            settle();
        }
    }

    // A date no locale reads: the message names the item as the form shows
    // it, the picker holds no date, and the text is saved as it was.
    QLocale::setDefault(locales[1]);
    const QString file = dir.filePath(QStringLiteral("zh_CN.MRT"));
    auto doc = ConfigDocument::parse(readAll(file));
    QString field;
    for (const TypedItem &item : typedItems(*doc, cat))
        if (item.name == pickers[0])
            field = item.field;
    doc->SetFieldValue(field, QStringLiteral("28.06.2011"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(doc->serialize());
    }
    dlg.messages.clear();
    dlg.openFiles.enqueue(file);
    main.OpenCommand(kind);
    TEABaseForm *opened = main.registered(kind);
    QVERIFY(opened);
    QString caption = cat.headings().value(pickers[0].toLower());
    caption.chop(1); // its closing colon
    QCOMPARE(dlg.texts(), QStringList{QStringLiteral("日期:\"28.06.2011\"的日期格式不对，请检查“") + caption +
                                      QStringLiteral("”，\r\n在您修改这个日期之前，保存时原样保留文件中的内容。")});
    QVERIFY(!caption.isEmpty() && !caption.contains(pickers[0]));
    QVERIFY(!opened->findChild<DatePicker *>(pickers[0])->hasDate());
    opened->SaveBackup();
    QCOMPARE(ConfigDocument::parse(readAll(opened->DataFileName()))->FieldValue(field), QStringLiteral("28.06.2011"));
    QFile::remove(opened->DataFileName());
    dlg.answer({true});
}

void TestForms::everyCharacterSurvivesSaveAndOpen()
{
    // Every GBK character, the euro sign first (code page 936's byte 0x80),
    // and characters outside GBK (an emoji, a CJK extension B ideograph), in
    // an edit box and in a memo, survive Save and Open.
    QFETCH(FormKind, kind);
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    main.NewCommand(kind);
    QPointer<TEABaseForm> form = main.registered(kind);
    QVERIFY(form);
    auto *edit = firstBound<QLineEdit>(form);
    auto *memo = firstBound<QPlainTextEdit>(form);
    QVERIFY(edit && memo);
    const QString editName = edit->objectName(), memoName = memo->objectName();
    const QString text = QStringLiteral("€") + TestDocuments::gbkCharacters() + QStringLiteral("\U0001F600\U00020000€");
    QCOMPARE(text.size(), 1 + 21886 + 4 + 1);
    edit->setText(text);
    memo->setPlainText(text);
    QCOMPARE(edit->text(), text);
    const QString file = saveWithCommand(main, dlg, form);
    const auto removeFile = qScopeGuard([&] { QFile::remove(file); });
    QCOMPARE(dlg.messages.size(), 1);
    QVERIFY2(dlg.messages[0].text.startsWith(QStringLiteral("已成功生成备份文件:") + file), qPrintable(dlg.messages[0].text));
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    f.close();
    // The euro sign is GBK's byte, in the value and in the memo's bytes too;
    // the characters GBK lacks are character references.
    QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"GBK\"?>"));
    QVERIFY(bytes.contains("value=\"\x80!&quot;#$%&amp;'()*+"));
    QVERIFY(bytes.contains("&#128512;&#131072;\x80\""));
    const QByteArray memoBytes = Base64DecodeString(storedValue(form, memoName).toLatin1());
    QVERIFY(memoBytes.startsWith("\x80!\"#$"));
    QVERIFY(memoBytes.endsWith("\x80"));

    dlg.answer({true});
    QVERIFY(form->AskClose());
    settle();
    dlg.messages.clear();
    dlg.openFiles.enqueue(file);
    main.OpenCommand(kind);
    TEABaseForm *reopened = main.registered(kind);
    QVERIFY(reopened);
    QVERIFY2(dlg.messages.isEmpty(), qPrintable(dlg.texts().join(QLatin1Char('|'))));
    QCOMPARE(reopened->findChild<QLineEdit *>(editName)->text(), text);
    QCOMPARE(reopened->findChild<QPlainTextEdit *>(memoName)->toPlainText(), text);
    dlg.answer({true});
}

void TestForms::filesOfEveryLabelSaveAndOpen_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("written"); // the label of the saved file
    for (const char *own : {"GBK", "gb2312", "X-GBK", "GB_2312-80", "CHINESE", "CP936", "GB18030", "UTF-8"})
        QTest::newRow(own) << QString::fromLatin1(own) << QString::fromLatin1(own);
    // Stateful encodings: what their converters write does not read back.
    for (const char *stateful : {"HZ-GB-2312", "UTF-7", "ISO-2022-KR"})
        QTest::newRow(stateful) << QString::fromLatin1(stateful) << QStringLiteral("GBK");
}

void TestForms::filesOfEveryLabelSaveAndOpen()
{
    // A data file under another encoding label opens, and Save and Print
    // write files that open again with the same values, under the file's own
    // label where it can be written so, otherwise as GBK.
    QFETCH(QString, label);
    QFETCH(QString, written);
    const FormType &type = formType(FormKind::YPZCSQ);
    QFile config(ProgramDirectory() + type.configFileName);
    QVERIFY(config.open(QIODevice::ReadOnly));
    // The document as plain ASCII, which every one of these encodings reads
    // alike: every other character (and "+", "~" and "\\", which some of them
    // give a meaning) as a character reference.
    QString text = CodePage::toUnicode(config.readAll());
    text.replace(QStringLiteral("encoding=\"GBK\""), QStringLiteral("encoding=\"%1\"").arg(label));
    QByteArray ascii;
    for (const char32_t c : text.toUcs4()) {
        if (c < 0x7F && c != '+' && c != '~' && c != '\\')
            ascii += char(c);
        else
            ascii += "&#" + QByteArray::number(quint32(c)) + ';';
    }
    QTemporaryDir dir;
    const QString source = TestDocuments::write(dir, QStringLiteral("source.MRT"), ascii);

    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    dlg.openFiles.enqueue(source);
    main.OpenCommand(FormKind::YPZCSQ);
    QPointer<TEABaseForm> form = main.registered(FormKind::YPZCSQ);
    QVERIFY(form);
    QVERIFY2(dlg.messages.isEmpty(), qPrintable(dlg.texts().join(QLatin1Char('|'))));
    FormDriver::fillEveryControl(form);
    firstBound<QLineEdit>(form)->setText(QStringLiteral("注射用水€～／胶囊 <&\"> ~+\\ \U0001F600\U00020000"));
    const auto before = FormDriver::snapshot(form);

    const QStringList commands = {QStringLiteral("mnuSaveNoExit"), QStringLiteral("mnuReport")};
    for (const QString &command : commands) {
        dlg.messages.clear();
        main.mdiArea()->setActiveSubWindow(form);
        main.action(command)->trigger();
        dlg.dropPrintQuestion();
        const QString file = form->DataFileName();
        const auto removeFile = qScopeGuard([&] { QFile::remove(file); });
        QVERIFY2(!dlg.messages.isEmpty() && dlg.messages[0].text.startsWith(QStringLiteral("已成功生成")),
                 qPrintable(dlg.texts().join(QLatin1Char('|'))));
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY2(f.readLine().startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>").arg(written).toLatin1()),
                 qPrintable(command));
        f.close();

        // Opened beside the form, in a second main window.
        dlg.messages.clear();
        dlg.openFiles.enqueue(file);
        TFrmMain second;
        second.OpenCommand(FormKind::YPZCSQ);
        TEABaseForm *reopened = second.registered(FormKind::YPZCSQ);
        QVERIFY(reopened);
        QVERIFY2(dlg.messages.isEmpty(), qPrintable(dlg.texts().join(QLatin1Char('|'))));
        const auto after = FormDriver::snapshot(reopened);
        for (auto it = before.begin(); it != before.end(); ++it)
            if (it.key() != QLatin1String("VerifyCode"))
                QVERIFY2(after.value(it.key()) == it.value(),
                         qPrintable(QStringLiteral("%1, %2: %3 became %4").arg(command, it.key(), it.value(), after.value(it.key()))));
        QCOMPARE(reopened->verifyCodeEdit()->text(), form->verifyCodeEdit()->text());
        dlg.answer({true});
        QVERIFY(reopened->AskClose());
    }
    dlg.answer({true});
}

void TestForms::printChangesNothingWhenItsSaveFails()
{
    // Print saves the submission file under a new check code. When that save
    // fails, the form keeps its code, its document is as before, no file is
    // left and no preview opens; the next Print that can save goes through.
    FormFixture f(FormKind::YPZCSQ);
    QVERIFY(f.form);
    FormDriver::fillEveryControl(f.form);
    const QString code = f.form->verifyCodeEdit()->text();
    const QString stored = storedValue(f.form, QStringLiteral("VerifyCode"));
    const auto values = f.form->helper()->Document()->fieldValues();
    const QStringList filesBefore = QDir(ProgramDirectory()).entryList({QStringLiteral("*.MRT")}, QDir::Files);

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096; // smaller than any data file
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    f.dlg.messages.clear();
    f.main.action(QStringLiteral("mnuReport"))->trigger();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    f.dlg.dropPrintQuestion();

    QCOMPARE(f.dlg.messages.size(), 1);
    QVERIFY2(f.dlg.messages[0].text.startsWith(QStringLiteral("无法保存文件")), qPrintable(f.dlg.messages[0].text));
    QVERIFY(f.dlg.modalWindows.isEmpty());
    QCOMPARE(f.form->verifyCodeEdit()->text(), code);
    QCOMPARE(storedValue(f.form, QStringLiteral("VerifyCode")), stored);
    QVERIFY(f.form->helper()->Document()->fieldValues() == values);
    QCOMPARE(QDir(ProgramDirectory()).entryList({QStringLiteral("*.MRT")}, QDir::Files), filesBefore);

    f.dlg.messages.clear();
    f.main.action(QStringLiteral("mnuReport"))->trigger();
    f.dlg.dropPrintQuestion();
    f.files << f.form->DataFileName();
    QVERIFY2(f.dlg.messages.size() == 1 && f.dlg.messages[0].text.startsWith(QStringLiteral("已成功生成报盘文件:")),
             qPrintable(f.dlg.texts().join(QLatin1Char('|'))));
    QVERIFY(f.form->verifyCodeEdit()->text() != code);
    QVERIFY(QFile::exists(f.form->DataFileName()));
}

// A blank form has problems, each at a control the user can fill; a form
// filled with the realistic values has none.
void TestForms::checkOfBlankAndRealisticForms()
{
    QFETCH(FormKind, kind);
    FormFixture f(kind);
    QVERIFY(f.form);
    const CheckResult blank = f.form->CheckFilling();
    QVERIFY(!blank.problems.isEmpty());
    QCOMPARE(blank.met, 0);
    QCOMPARE(blank.required, int(blank.problems.size())); // nothing filled, nothing malformed
    QCOMPARE(problemFaults(f.form, blank), QStringList());
    // In the order of the form: page by page.
    for (qsizetype i = 1; i < blank.problems.size(); ++i)
        QVERIFY(blank.problems[i - 1].page <= blank.problems[i].page);

    FormDriver::fillRealistic(f.form);
    const CheckResult realistic = f.form->CheckFilling();
    QVERIFY2(realistic.problems.isEmpty(), qPrintable(problemTexts(realistic)));
    QCOMPARE(realistic.met, realistic.required);
    // The buttons chosen brought in their details.
    QVERIFY(realistic.required > blank.required);
}

// While a button that enables controls is on, each of them is required
// (unless the catalogue marks it optional): a text filled, a radio dependent's
// panel chosen, one of its check boxes ticked. Off, none of them is.
void TestForms::requirementsFollowTheRelations()
{
    QFETCH(FormKind, kind);
    FormFixture f(kind);
    QVERIFY(f.form);
    const Catalogue &cat = f.form->catalogue();
    int controllers = 0;
    for (const CatalogueEntry *e : cat.entries()) {
        if ((e->kind != CatalogueEntry::Kind::Check && e->kind != CatalogueEntry::Kind::Radio) || e->hidden)
            continue;
        // What must be filled while the button is on.
        QStringList texts, boxes;
        QSet<QString> panels;
        for (const QString &name : dependentsOf(f.form, e->name)) {
            const CatalogueEntry *d = cat.find(name);
            if (!d || d->optional || d->hidden)
                continue;
            if (d->kind == CatalogueEntry::Kind::Radio)
                panels.insert(d->panel);
            else if (d->kind == CatalogueEntry::Kind::Check)
                boxes << d->name;
            else if (d->kind != CatalogueEntry::Kind::Label)
                texts << d->name;
        }
        if (texts.isEmpty() && boxes.isEmpty() && panels.isEmpty())
            continue;
        ++controllers;
        const QString what = formType(kind).className + QStringLiteral(" ") + e->name;

        FormDriver::fillRealistic(f.form);
        turnOn(f.form, e->name);
        QSet<QString> cleared; // every control the button enables, emptied
        for (const QString &name : texts) {
            QWidget *w = f.form->findChild<QWidget *>(name);
            switch (Controls::kindOf(w)) {
            case ControlKind::Edit:
            case ControlKind::Memo:
                Controls::setText(w, QString());
                break;
            case ControlKind::ComboBox:
                Controls::setSelectedIndex(w, -1);
                break;
            case ControlKind::DatePicker:
                // A picker without a check box always holds a date.
                if (!static_cast<DatePicker *>(w)->showCheckBox())
                    continue;
                static_cast<DatePicker *>(w)->setHasDate(false);
                break;
            default:
                QFAIL(qPrintable(what + QStringLiteral(": ") + name));
            }
            cleared.insert(name);
        }
        for (const QString &name : boxes)
            Controls::setChecked(f.form->findChild<QWidget *>(name), false);
        for (const CatalogueEntry *b : cat.entries())
            if (b->kind == CatalogueEntry::Kind::Radio && panels.contains(b->panel))
                Controls::setChecked(f.form->findChild<QWidget *>(b->name), false);

        const CheckResult on = f.form->CheckFilling();
        QCOMPARE(problemFaults(f.form, on), QStringList());
        QSet<QString> found;
        for (const CheckProblem &p : on.problems)
            found.insert(p.control + QLatin1Char('|') + p.message);
        for (const QString &name : cleared)
            QVERIFY2(found.contains(name + QStringLiteral("|必须填写")) || found.contains(name + QStringLiteral("|必须选择一项")),
                     qPrintable(what + QStringLiteral(" on, ") + name + QStringLiteral(" not required:\n") +
                                problemTexts(on)));
        if (!boxes.isEmpty())
            QVERIFY2(found.contains(boxes.first() + QStringLiteral("|至少选择一项")),
                     qPrintable(what + QStringLiteral(" on, no box required:\n") + problemTexts(on)));
        for (const QString &panel : panels) {
            const bool chosen = std::any_of(on.problems.begin(), on.problems.end(), [&](const CheckProblem &p) {
                const CatalogueEntry *b = cat.find(p.control);
                return p.message == QStringLiteral("必须选择一项") && b && b->panel == panel;
            });
            QVERIFY2(chosen, qPrintable(what + QStringLiteral(" on, no choice required in ") + panel));
        }

        // Off: the check box cleared, or another button of the panel chosen.
        if (e->kind == CatalogueEntry::Kind::Check) {
            Controls::setChecked(f.form->findChild<QWidget *>(e->name), false);
        } else {
            const CatalogueEntry *other = nullptr;
            for (const CatalogueEntry *b : cat.entries())
                if (b->kind == CatalogueEntry::Kind::Radio && b->panel == e->panel && b != e && !b->hidden) {
                    other = b;
                    break;
                }
            if (!other)
                continue;
            f.form->findChild<QAbstractButton *>(other->name)->setChecked(true);
        }
        const CheckResult off = f.form->CheckFilling();
        QCOMPARE(problemFaults(f.form, off), QStringList());
        for (const CheckProblem &p : off.problems) {
            const CatalogueEntry *at = cat.find(p.control);
            QVERIFY2(!texts.contains(p.control) && !boxes.contains(p.control) && !(at && panels.contains(at->panel)),
                     qPrintable(what + QStringLiteral(" off, still required: ") + p.text()));
        }
    }
    QVERIFY(controllers > 0);
}

// A line of the panel takes the user to its control: the page switched, the
// control scrolled into view, focused and marked for a moment.
void TestForms::problemTakesYouToItsControl()
{
    QFETCH(FormKind, kind);
    FormFixture f(kind);
    QVERIFY(f.form);
    f.form->pageControl()->setCurrentIndex(0);
    const CheckResult result = f.form->CheckFilling();
    // The last problem is on a later page.
    QVERIFY(!result.problems.isEmpty() && result.problems.last().page > 0);
    const CheckProblem &problem = result.problems.last();

    f.main.action(QStringLiteral("mnuCheck"))->trigger();
    QListWidget *list = f.main.checkPanel()->list();
    QVERIFY(list->isVisible());
    QCOMPARE(list->count(), result.problems.size());
    QCOMPARE(list->item(list->count() - 1)->text(), problem.text());
    list->setFocus();
    list->setCurrentRow(list->count() - 1);
    QTest::keyClick(list, Qt::Key_Return);

    QCOMPARE(f.form->pageControl()->currentIndex(), problem.page);
    auto *control = f.form->findChild<QWidget *>(problem.control);
    QVERIFY(control && control->isVisible());
    QCOMPARE(control->window()->focusWidget(), control);
    QScrollArea *scroll = nullptr;
    for (QWidget *p = control->parentWidget(); p && !scroll; p = p->parentWidget())
        scroll = qobject_cast<QScrollArea *>(p);
    QVERIFY(scroll);
    const QRect shown(control->mapTo(scroll->viewport(), QPoint(0, 0)), control->size());
    QVERIFY2(scroll->viewport()->rect().contains(shown), qPrintable(problem.text()));
    QPointer<QFrame> mark = control->parentWidget()->findChild<QFrame *>(QStringLiteral("CheckMark"),
                                                                          Qt::FindDirectChildrenOnly);
    QVERIFY(mark && mark->isVisible());
    QVERIFY(mark->geometry().contains(control->geometry()));

    // A line on the first page, by double-click: back to it, the mark moves.
    const int first = 0;
    QCOMPARE(result.problems[first].page, 0);
    list->scrollToItem(list->item(first));
    QCoreApplication::processEvents();
    const QRect line = list->visualItemRect(list->item(first));
    // A double-click: its first click, then the second (which QTest sends
    // for widgets as the double-click event alone).
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, line.center());
    QCOMPARE(f.form->pageControl()->currentIndex(), 0);
    auto *firstControl = f.form->findChild<QWidget *>(result.problems[first].control);
    QCOMPARE(firstControl->window()->focusWidget(), firstControl);
    QVERIFY(!mark);
    // The mark goes by itself (once is enough to wait for).
    if (kind == FormKind::YPZCSQ) {
        QPointer<QFrame> second =
            firstControl->parentWidget()->findChild<QFrame *>(QStringLiteral("CheckMark"), Qt::FindDirectChildrenOnly);
        QVERIFY(second);
        QTRY_VERIFY_WITH_TIMEOUT(!second, 5000);
    }
}

// With problems Print asks first: 返回修改 writes nothing, makes no check code
// and shows the problems; 打印 prints. Without problems it asks nothing.
void TestForms::printAsksFirst()
{
    QFETCH(FormKind, kind);
    FormFixture f(kind);
    QVERIFY(f.form);
    QSignalSpy requested(f.form, &TEABaseForm::problemsRequested);
    const QString code = f.form->verifyCodeEdit()->text();
    const QString file = f.form->DataFileName();
    const QStringList filesBefore = QDir(ProgramDirectory()).entryList({QStringLiteral("*.MRT")}, QDir::Files);
    const qsizetype problems = f.form->CheckFilling().problems.size();
    QVERIFY(problems > 0);

    f.dlg.choices.enqueue(-1); // 返回修改
    f.form->SubmitAndPrint();
    QCOMPARE(f.dlg.messages.size(), 1);
    QVERIFY(f.dlg.messages[0].question);
    QCOMPARE(f.dlg.messages[0].text, QStringLiteral("本表有 %1 处填写问题，仍要打印吗？").arg(problems));
    QCOMPARE(f.dlg.messages[0].buttons, (QStringList{QStringLiteral("打印"), QStringLiteral("返回修改")}));
    QCOMPARE(f.form->verifyCodeEdit()->text(), code);
    QVERIFY(!QFile::exists(file));
    QCOMPARE(QDir(ProgramDirectory()).entryList({QStringLiteral("*.MRT")}, QDir::Files), filesBefore);
    QVERIFY(f.dlg.modalWindows.isEmpty());
    QCOMPARE(requested.count(), 1);
    QVERIFY(f.main.checkPanel()->isVisible());
    QCOMPARE(f.main.checkPanel()->list()->count(), problems);

    f.dlg.messages.clear();
    f.dlg.choices.enqueue(0); // 打印
    f.form->SubmitAndPrint();
    f.files << f.form->DataFileName();
    QCOMPARE(f.dlg.messages.size(), 2);
    QVERIFY(f.dlg.messages[0].question);
    QVERIFY(f.dlg.messages[1].text.startsWith(QStringLiteral("已成功生成报盘文件:")));
    QVERIFY(f.form->verifyCodeEdit()->text() != code);
    QVERIFY(QFile::exists(f.form->DataFileName()));
    QCOMPARE(f.dlg.modalWindows.size(), 1); // the preview
    QCOMPARE(requested.count(), 1);

    FormDriver::fillRealistic(f.form);
    f.dlg.messages.clear();
    f.form->SubmitAndPrint();
    f.files << f.form->DataFileName();
    QCOMPARE(f.dlg.messages.size(), 1);
    QVERIFY(f.dlg.messages[0].text.startsWith(QStringLiteral("已成功生成报盘文件:")));
}

// dzsbprint --check finds in a saved file what the form finds: the blank
// form's problems line by line (exit code 4), none in the realistic one (0).
void TestForms::checkToolAgreesWithTheForm()
{
    QFETCH(FormKind, kind);
    FormFixture f(kind);
    QVERIFY(f.form);
    auto runCheck = [&](QString &out) {
        f.form->SaveBackup();
        f.files << f.form->DataFileName();
        QProcess tool;
        tool.start(QCoreApplication::applicationDirPath() + QStringLiteral("/dzsbprint"),
                   {QStringLiteral("--check"), f.form->DataFileName()});
        if (!tool.waitForFinished(60000))
            return -1;
        out = QString::fromUtf8(tool.readAllStandardOutput());
        return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
    };
    QString out;
    QCOMPARE(runCheck(out), 4);
    QStringList expected;
    for (const CheckProblem &p : f.form->CheckFilling().problems)
        expected << QStringList{p.pageCaption, p.heading, p.control, p.message}.join(QLatin1Char('\t'));
    QCOMPARE(out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);

    FormDriver::fillRealistic(f.form);
    QCOMPARE(runCheck(out), 0);
    QCOMPARE(out, QString());
}

namespace {

// A form of the kind filled by `fill` and saved as a backup; its data file.
QString savedFile(TFrmMain &main, ScriptedDialogs &dlg, FormKind kind, const std::function<void(TEABaseForm *)> &fill)
{
    main.NewCommand(kind);
    TEABaseForm *form = main.registered(kind);
    fill(form);
    form->SaveBackup();
    const QString file = form->DataFileName();
    dlg.answer({true});
    form->AskClose();
    settle();
    dlg.messages.clear();
    return file;
}

// Runs 导入数据 on the active form with the file; `answer` handles the dialog.
void runImport(TFrmMain &main, ScriptedDialogs &dlg, const QString &file,
               const std::function<int(TFrmImport *)> &answer)
{
    dlg.openFiles.enqueue(file);
    dlg.modalHandlers.enqueue([answer](QDialog *w) {
        auto *d = qobject_cast<TFrmImport *>(w);
        return d ? answer(d) : int(QDialog::Rejected);
    });
    main.action(QStringLiteral("mnuImport"))->trigger();
}

QWidget *control(TEABaseForm *form, const QString &name)
{
    return qobject_cast<QWidget *>(form->helper()->FindControl(name));
}

} // namespace

// Every field the table of shared fields names is a field of that form, and
// fields that correspond between two forms are filled in alike: text with
// text, a check box with a check box, a date with a date, a group with a group.
void TestForms::sharedFieldsAreFieldsOfTheirForms()
{
    // Field -> how it is filled in ("text", "check", "date", "RadioGroup", "CheckGroup").
    QMap<FormKind, QHash<QString, QString>> fills;
    for (FormKind kind : completeTypes()) {
        QFile f(ProgramDirectory() + formType(kind).configFileName);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const auto doc = ConfigDocument::parse(f.readAll());
        const ConfigNode fields = doc->section(QStringLiteral("data-fields"));
        const QStringList listed = SharedFields::listedFields(kind);
        QVERIFY(listed.size() > 20);
        for (const QString &field : listed)
            QVERIFY2(doc->findNamed(fields, field), qPrintable(formType(kind).menuCaption + QLatin1Char(' ') + field));
        const Catalogue cat = CatalogueParser::load(formType(kind).catalogue);
        for (const ConfigNode &item : doc->section(QStringLiteral("ui-data")).childElements()) {
            const QString type = item.attributeText(QStringLiteral("type"));
            QString fill = type;
            if (type != QLatin1String("RadioGroup") && type != QLatin1String("CheckGroup")) {
                const CatalogueEntry *e = cat.find(item.attributeText(QStringLiteral("name")));
                QVERIFY(e);
                fill = e->kind == CatalogueEntry::Kind::Check ? QStringLiteral("check")
                       : e->kind == CatalogueEntry::Kind::Date ? QStringLiteral("date")
                                                               : QStringLiteral("text");
            }
            fills[kind].insert(item.attributeText(QStringLiteral("Field")), fill);
        }
    }
    int pairs = 0;
    for (FormKind target : completeTypes())
        for (FormKind source : completeTypes())
            for (auto it = fills[target].cbegin(); it != fills[target].cend(); ++it) {
                const QString other = SharedFields::counterpart(target, it.key(), source);
                if (other.isEmpty() || !fills[source].contains(other))
                    continue;
                ++pairs;
                QVERIFY2(fills[source].value(other) == it.value(),
                         qPrintable(QStringLiteral("%1 %2 (%3) ~ %4 %5 (%6)")
                                        .arg(formType(target).menuCaption, it.key(), it.value(),
                                             formType(source).menuCaption, other, fills[source].value(other))));
            }
    QVERIFY(pairs > 1000);
    // A damaged table is refused with its line.
    for (const QString &bad : {QStringLiteral("forms YPZCSQ YPBCSQ\na edtX\n"),
                               QStringLiteral("forms YPZCSQ YPXX\n"),
                               QStringLiteral("forms YPZCSQ YPBCSQ\na edtX edtY\nb edtX edtZ\n")}) {
        bool refused = false;
        try {
            SharedFields::check(bad);
        } catch (const AppError &e) {
            refused = e.message().startsWith(QStringLiteral("共用字段表第"));
        }
        QVERIFY2(refused, qPrintable(bad));
    }
}

// Importing every field of a file into a new form of its type shows exactly
// what opening the file shows, relations included; the check code stays.
void TestForms::importOfItsOwnTypeShowsTheFile()
{
    QFETCH(FormKind, kind);
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    const QString file = savedFile(main, dlg, kind, [](TEABaseForm *f) { FormDriver::fillEveryControl(f, 0); });
    dlg.openFiles.enqueue(file);
    main.OpenCommand(kind);
    const auto expected = FormDriver::snapshot(main.registered(kind));

    dlg.answer({true});
    main.NewCommand(kind);
    TEABaseForm *form = main.registered(kind);
    QVERIFY(form && !form->isWindowModified());
    const QString code = form->verifyCodeEdit()->text();
    dlg.messages.clear();
    int offered = 0;
    runImport(main, dlg, file, [&](TFrmImport *d) {
        d->checkAll(true);
        offered = d->chosen().size();
        return int(QDialog::Accepted);
    });
    QVERIFY2(dlg.messages.isEmpty(), qPrintable(dlg.texts().join(QLatin1Char('|'))));
    QVERIFY(offered > 20);
    QVERIFY(form->isWindowModified());
    QCOMPARE(form->verifyCodeEdit()->text(), code);
    const auto after = FormDriver::snapshot(form);
    for (auto it = expected.begin(); it != expected.end(); ++it)
        if (it.key() != QLatin1String("VerifyCode"))
            QVERIFY2(after.value(it.key()) == it.value(),
                     qPrintable(QStringLiteral("%1: %2 instead of %3").arg(it.key(), after.value(it.key()), it.value())));
    QFile::remove(file);
}

void TestForms::importAcrossTypes_data()
{
    QTest::addColumn<FormKind>("kind");
    QTest::addColumn<QString>("agent");      // the agent's name field on that form
    QTest::addColumn<QString>("indication"); // the indications memo; empty: none
    QTest::addColumn<bool>("drug");          // takes the drug's name
    QTest::newRow("supplementary") << FormKind::YPBCSQ << "edtDLJG" << "memSYZ" << true;
    QTest::newRow("supplementary import") << FormKind::YPBCSQ_JK << "edtDLJG" << "memSYZ" << true;
    QTest::newRow("re-registration") << FormKind::YPZZCSQ << "edtJG4MC" << "edtSYZ" << true;
    QTest::newRow("packaging material") << FormKind::YBCZZCSQB << "edtJG4MC" << "" << false;
}

// The applicant, the agent and the drug of a registration file fill a form
// of another type, each in the field that holds it there; the agent's
// fields open because the agent's choice is imported first.
void TestForms::importAcrossTypes()
{
    QFETCH(FormKind, kind);
    QFETCH(QString, agent);
    QFETCH(QString, indication);
    QFETCH(bool, drug);
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    const QString applicantName = QStringLiteral("甲药业股份有限公司");
    const QString agentName = QStringLiteral("乙医药注册代理有限公司");
    const QString drugName = QStringLiteral("注射用盐酸某某霉素");
    const QString indications = QStringLiteral("用于敏感菌所致的感染：\r\n一、呼吸道感染；二、泌尿道感染。");
    const QString file = savedFile(main, dlg, FormKind::YPZCSQ, [&](TEABaseForm *f) {
        FormDriver::fillRealistic(f);
        Controls::setText(control(f, QStringLiteral("edtJG1MC")), applicantName);
        Controls::setText(control(f, QStringLiteral("edtDLMC")), agentName);
        Controls::setText(control(f, QStringLiteral("edtYPTYMC")), drugName);
        Controls::setText(control(f, QStringLiteral("edtSYZ")), indications);
    });

    main.NewCommand(kind);
    TEABaseForm *form = main.registered(kind);
    QVERIFY(!control(form, agent)->isEnabled());
    QString shownAgent;
    Qt::CheckState agentTicked = Qt::Unchecked;
    runImport(main, dlg, file, [&](TFrmImport *d) {
        if (QTreeWidgetItem *row = d->row(agent)) {
            shownAgent = row->text(2);
            agentTicked = row->checkState(0);
        }
        return int(QDialog::Accepted);
    });
    QVERIFY2(dlg.messages.isEmpty(), qPrintable(dlg.texts().join(QLatin1Char('|'))));
    QCOMPARE(shownAgent, agentName);
    QCOMPARE(agentTicked, Qt::Checked);
    QCOMPARE(Controls::text(control(form, QStringLiteral("edtJG1MC"))), applicantName);
    QCOMPARE(Controls::text(control(form, agent)), agentName);
    QVERIFY(control(form, agent)->isEnabled());
    QCOMPARE(Controls::text(control(form, QStringLiteral("edtYPTYMC"))), drug ? drugName : QString());
    if (!indication.isEmpty())
        QCOMPARE(Controls::text(control(form, indication)), indications);
    QVERIFY(form->verifyCodeEdit()->text() != QFileInfo(file).completeBaseName().section(QLatin1Char('_'), 1));
    QVERIFY(form->isWindowModified());

    // Saved and read back like any typed value.
    form->SaveBackup();
    const QString saved = form->DataFileName();
    QFile f(saved);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const auto doc = ConfigDocument::parse(f.readAll());
    QCOMPARE(doc->FieldValue(agent), agentName);
    QCOMPARE(doc->FieldValue(QStringLiteral("edtJG1MC")), applicantName);
    QFile::remove(saved);
    QFile::remove(file);
}

// Cancel changes nothing; a field whose controller is not imported stays
// disabled and empty; files that are no data files are refused with a message.
void TestForms::importKeepsRelationsAndCancelChangesNothing()
{
    ScriptedDialogs dlg;
    TFrmMain main;
    main.show();
    const QString file = savedFile(main, dlg, FormKind::YPZCSQ, [](TEABaseForm *f) { FormDriver::fillRealistic(f); });
    main.NewCommand(FormKind::YPZZCSQ);
    TEABaseForm *form = main.registered(FormKind::YPZZCSQ);
    const auto before = FormDriver::snapshot(form);

    // Cancel.
    bool shown = false;
    runImport(main, dlg, file, [&](TFrmImport *d) {
        shown = d->chosen().size() > 10;
        return int(QDialog::Rejected);
    });
    QVERIFY(shown);
    QVERIFY(dlg.messages.isEmpty());
    QCOMPARE(FormDriver::snapshot(form), before);
    QVERIFY(!form->isWindowModified());

    // The agent's choice unticked: its name cannot stay ticked.
    bool nameFreed = true;
    runImport(main, dlg, file, [&](TFrmImport *d) {
        QTreeWidgetItem *choice = d->row(QStringLiteral("JG4"));
        QTreeWidgetItem *name = d->row(QStringLiteral("edtJG4MC"));
        if (!choice || !name || name->checkState(0) != Qt::Checked)
            return int(QDialog::Rejected);
        choice->setCheckState(0, Qt::Unchecked);
        nameFreed = name->checkState(0) == Qt::Checked || (name->flags() & Qt::ItemIsUserCheckable);
        return int(QDialog::Accepted);
    });
    QVERIFY(!nameFreed);
    QVERIFY(dlg.messages.isEmpty());
    QVERIFY(form->isWindowModified());
    QVERIFY(!Controls::text(control(form, QStringLiteral("edtJG1MC"))).isEmpty());
    QVERIFY(Controls::text(control(form, QStringLiteral("edtJG4MC"))).isEmpty());
    QVERIFY(!control(form, QStringLiteral("edtJG4MC"))->isEnabled());

    // Chosen without its controller: left out and named.
    DataImport import(form, file);
    int name = -1;
    for (int i = 0; i < import.fields().size(); ++i)
        if (import.fields()[i].field == QLatin1String("edtJG4DM"))
            name = i;
    QVERIFY(name >= 0);
    QVERIFY(!import.available(name, {name}));
    QCOMPARE(import.apply({name}).size(), 1);
    QVERIFY(Controls::text(control(form, QStringLiteral("edtJG4DM"))).isEmpty());

    // A foreign XML document and a damaged file: a message, no dialog.
    QTemporaryDir dir;
    const QString foreign = dir.filePath(QStringLiteral("foreign.MRT"));
    const QString damaged = dir.filePath(QStringLiteral("damaged.MRT"));
    for (const auto &[path, bytes] : {std::pair{foreign, QByteArray("<?xml version=\"1.0\"?><a><config-type value=\"x\"/></a>")},
                                      std::pair{damaged, QByteArray("<?xml version=\"1.0\"?><a><config-type")}}) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    const auto kept = FormDriver::snapshot(form);
    for (const QString &path : {foreign, damaged}) {
        dlg.messages.clear();
        dlg.modalWindows.clear();
        dlg.openFiles.enqueue(path);
        main.action(QStringLiteral("mnuImport"))->trigger();
        QCOMPARE(dlg.messages.size(), 1);
        QVERIFY(dlg.modalWindows.isEmpty());
    }
    QVERIFY(dlg.messages[0].text.contains(QStringLiteral("XML")));
    QCOMPARE(FormDriver::snapshot(form), kept);
    dlg.modalHandlers.clear();
    QFile::remove(file);
}

DZSB_TEST_MAIN(TestForms)
#include "test_forms.moc"
