// End-to-end checks that hold for every form type whose catalogue,
// configuration document and print template are in place: the document
// binds the whole catalogue, every control survives save and reopen with
// every button of every panel, the template holds its value objects in their
// stored order, printing puts the check code on every sheet and long texts on
// the attachment page, and a form filled with realistic maximal values prints
// every value whole inside its box; importing an earlier data file of the
// same or another type fills the form as opening that file would.
#include "AppError.h"
#include "CatalogueParser.h"
#include "CodePage.h"
#include "ConfigDocument.h"
#include "ControlAdapter.h"
#include "DataImport.h"
#include "FormClasses.h"
#include "FormDriver.h"
#include "PrintFixture.h"
#include "Helpers.h"
#include "ScriptedDialogs.h"
#include "SharedFields.h"
#include "TFrmImport.h"
#include "TFrmMain.h"
#include "TUIHelper.h"
#include "TestMain.h"
#include "TfrMemoLayout.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrRenderer.h"
#include "TfrReport.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QTreeWidget>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

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

// The value of a control's field in the form's document (as the last save wrote it).
QString storedValue(TEABaseForm *form, const QString &name)
{
    ConfigDocument *doc = form->helper()->Document();
    for (const ConfigNode &item : doc->section(QStringLiteral("ui-data")).childElements())
        if (item.attributeText(QStringLiteral("name")).compare(name, Qt::CaseInsensitive) == 0)
            return doc->FieldValue(item.attributeText(QStringLiteral("Field")));
    return QString();
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
    void templateHoldsEveryValueObject_data() { addTypeRows(); }
    void templateHoldsEveryValueObject();
    void emptyFormPrintsEverySheetTwice_data() { addTypeRows(); }
    void emptyFormPrintsEverySheetTwice();
    void longMemosMoveToTheAttachment_data() { addTypeRows(); }
    void longMemosMoveToTheAttachment();
    void realisticValuesPrintWhole_data() { addTypeRows(); }
    void realisticValuesPrintWhole();
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
        QCOMPARE(reopened->windowTitle(), QStringLiteral("编辑") + type.title);
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
    for (const HookEntry &entry : type.hookEntries)
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
    }
}

void TestForms::longMemosMoveToTheAttachment()
{
    QFETCH(FormKind, kind);
    const FormType &type = formType(kind);
    FormFixture f(kind);
    QVERIFY(f.form);
    if (!type.hasPrintHook) {
        // No attachment page however long the texts; what cannot print whole
        // is named. The texts are longer than a whole sheet holds.
        bool any = false;
        for (QPlainTextEdit *memo : f.form->findChildren<QPlainTextEdit *>())
            if (!memo->isReadOnly()) {
                memo->setEnabled(true);
                Controls::setText(memo, chinese(3000));
                any = true;
            }
        f.print();
        QVERIFY(!f.attachmentPage());
        QCOMPARE(f.sheets().size(), f.templatePages());
        if (any) {
            QCOMPARE(f.warnings().size(), 1);
            QVERIFY(f.warnings()[0].startsWith(QStringLiteral("下列填写内容超出打印位置")));
        }
        return;
    }
    // Every hook memo over 70 bytes, filled in reverse order: sections in table order.
    QStringList expected{QStringLiteral("附页："), QString()};
    for (int i = type.hookEntries.size() - 1; i >= 0; --i) {
        QWidget *memo = f.form->findChild<QWidget *>(type.hookEntries[i].memo);
        QVERIFY2(memo, qPrintable(type.hookEntries[i].memo));
        memo->setEnabled(true);
        Controls::setText(memo, chinese(36 + i) + QStringLiteral("\r\n第二行"));
    }
    for (int i = 0; i < type.hookEntries.size(); ++i)
        expected << type.hookEntries[i].heading << QString() << chinese(36 + i) << QStringLiteral("第二行") << QString();
    f.print();
    QCOMPARE(f.warnings(), QStringList());
    for (const HookEntry &entry : type.hookEntries)
        QCOMPARE(f.form->report()->FindObject(entry.memo)->Text(), QStringLiteral("(见附页)"));
    const TfrPage *attachment = f.attachmentPage();
    QVERIFY(attachment);
    QCOMPARE(attachment->Objects()[1]->Memo(), expected);
    QCOMPARE(f.sheets().size(), f.templatePages() + 1);
    QVERIFY(f.sheets().last().plainText().contains(type.hookEntries.last().heading));

    // Short again: in place, no attachment page.
    for (const HookEntry &entry : type.hookEntries)
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
    f.print();
    QCOMPARE(f.warnings(), QStringList());
    // DZSB_PRINT_DIR=<folder> keeps the printed form as a PDF, to look at.
    if (qEnvironmentVariableIsSet("DZSB_PRINT_DIR"))
        QVERIFY(f.form->report()->ExportPdf(qEnvironmentVariable("DZSB_PRINT_DIR") + QLatin1Char('/') +
                                            QLatin1String(type.className) + QStringLiteral(".pdf")));

    QSet<QString> hookMemos;
    for (const HookEntry &entry : type.hookEntries)
        hookMemos.insert(entry.memo);
    // The printed objects by name, over the template's sheets.
    QHash<QString, const TfrPreparedObject *> printed;
    for (int s = 0; s < f.templatePages(); ++s)
        for (const TfrPreparedObject &o : f.sheets()[s].objects)
            if (!o.name.isEmpty())
                printed.insert(o.name.toLower(), &o);
    int checked = 0;
    QStringList faults;
    const Catalogue cat = CatalogueParser::load(type.catalogue);
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
        ++checked;
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
    QVERIFY(checked > 20);
    // The realistic texts all print in place: any attachment holds only the
    // hook's long memos.
    if (const TfrPage *attachment = f.attachmentPage()) {
        const QString text = attachment->Objects()[1]->Text();
        for (const QString &heading : text.split(QStringLiteral("\r\n")))
            if (heading.endsWith(QStringLiteral("：")) && heading != QStringLiteral("附页："))
                QVERIFY2(std::any_of(type.hookEntries.begin(), type.hookEntries.end(),
                                     [&](const HookEntry &h) { return h.heading == heading; }),
                         qPrintable(heading));
    }
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
