// dzsbprint: prints a data file (or a new, empty form of a given type) to a
// PDF file without a window - the file is loaded into its form and the
// report filled from the form exactly as the Print command fills it, but no
// check code is made and no file is saved. For archiving and batch printing.
// Whatever keeps the sheets from showing the file whole (a message while
// loading or filling, a value the form does not take, a report cut short)
// makes the exit code 3. With --check it prints nothing but checks the
// file's entries as the 检查填写 command does: one line per problem, exit
// code 4 when there are any.
#include "AppError.h"
#include "CodePage.h"
#include "ConfigDocument.h"
#include "DataFile.h"
#include "FileErrors.h"
#include "Dialogs.h"
#include "FormClasses.h"
#include "Helpers.h"
#include "TUIHelper.h"
#include "ValueRules.h"
#include "TfrReportPreview.h"
#include "TfrReport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <cstdio>

namespace {

// Messages go to the standard error stream and warnings are counted;
// questions are answered with OK.
class ConsoleDialogs : public Dialogs {
public:
    int warnings = 0;
    void showMessage(const QString &caption, const QString &text, MessageKind kind) override
    {
        std::fprintf(stderr, "%s：%s\n", qPrintable(caption), qPrintable(text));
        if (kind == MessageKind::Warning || kind == MessageKind::Error)
            ++warnings;
    }
    bool confirm(const QString &, const QString &) override { return true; }
    QString chooseOpenFile(const FileRequest &) override { return {}; }
    QString chooseSaveFile(const FileRequest &) override { return {}; }
    int runModal(QDialog *) override { return 0; }
};

const char kUsage[] =
    "用法：\n"
    "  dzsbprint <数据文件.MRT> <输出.pdf>\n"
    "      按数据文件的类型打开它，像“打印”命令那样填好报表，写成 PDF 文件。\n"
    "  dzsbprint --new <类型> <输出.pdf>\n"
    "      打印一张新的空白申请表。\n"
    "  dzsbprint --check <数据文件.MRT>\n"
    "      像“检查填写”命令那样检查数据文件的填写内容，每处问题一行：\n"
    "      页、项目、控件名、问题，以制表符分隔。\n"
    "类型：YPZCSQ、YPZCSQ_JK、YPBCSQ、YPBCSQ_JK、YPZZCSQ、YBCZZCSQB（配置文件名）。\n"
    "输出只写成新文件或替换普通文件：输入的数据文件本身、符号链接、设备、命名管道和以“-”开头的名字都不予写出。\n"
    "退出码：0 已写出（--check：没有发现填写问题）；1 失败；2 用法错误；3 已写出，但报表不完整（原因见提示）；\n"
    "        4 --check 发现填写问题。\n"
    "文件名中的数据核对码与文件中保存的不同时另有提示。\n";

// Exit codes.
constexpr int exitFailed = 1;
constexpr int exitUsage = 2;
constexpr int exitIncomplete = 3;
constexpr int exitProblems = 4;

const FormType *typeByName(const QString &name)
{
    for (const FormType &t : formTypes())
        if (QFileInfo(t.configFileName).completeBaseName().compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

// The form type the data file carries. The parsed document is handed over
// to the form's load, so the file is read and parsed once.
const FormType *typeOfFile(const QString &path)
{
    auto doc = ConfigDocument::parse(DataFile::Read(path));
    const ConfigNode type = doc->section(ConfigSection::ConfigType);
    const QString tag = type ? type.attributeText(QStringLiteral("value")) : QString();
    for (const FormType &t : formTypes()) {
        if (t.typeTag == tag) {
            TUIHelper::HandOver(path, std::move(doc));
            return &t;
        }
    }
    throw AppError(QStringLiteral("无法识别文件的申请表类型：") + path);
}

// The values of the document's data fields, by field name.
QHash<QString, QString> fieldValues(const TEABaseForm &form)
{
    QHash<QString, QString> out;
    if (const ConfigDocument *doc = form.helper() ? form.helper()->Document() : nullptr)
        for (const ConfigNode &field : doc->section(ConfigSection::DataFields).childElements())
            out.insert(field.attributeText(QStringLiteral("name")), field.attributeText(QStringLiteral("value")));
    return out;
}

// The fields the file holds a value for that the form did not take (a date
// it cannot read, an entry its drop-down list lacks): after the form's
// values were collected they are empty. Each named by its heading.
QStringList refusedValues(const TEABaseForm &form, const QHash<QString, QString> &stored)
{
    const QHash<QString, QString> printed = fieldValues(form);
    QStringList out;
    const ConfigDocument *doc = form.helper()->Document();
    for (const ConfigNode &item : doc->section(ConfigSection::UiData).childElements()) {
        const QString field = item.attributeText(QStringLiteral("Field"));
        if (!ValueRules::IsNonBlank(stored.value(field)) || ValueRules::IsNonBlank(printed.value(field)))
            continue;
        // A radio or check group by its first button.
        QString name = item.attributeText(QStringLiteral("name"));
        const QString type = item.attributeText(QStringLiteral("type"));
        if ((type == QLatin1String("RadioGroup") || type == QLatin1String("CheckGroup")) && item.hasChildElements())
            name = item.childElements().first().attributeText(QStringLiteral("name"));
        const CatalogueEntry *entry = form.catalogue().find(name);
        QString heading = entry ? (entry->heading.isEmpty() ? entry->caption : entry->heading) : name;
        if (!heading.endsWith(QStringLiteral("：")))
            heading += QStringLiteral("：");
        out << heading + stored.value(field);
    }
    return out;
}

// The check code in a data file's name ("注册_1A2B3C4D.MRT"); empty when the
// name carries none.
QString codeInFileName(const QString &path)
{
    const QString code = QFileInfo(path).completeBaseName().section(QLatin1Char('_'), -1);
    return IsCheckCode(code) ? code.toUpper() : QString();
}

// The offscreen platform reports every window operation it cannot do; those
// lines say nothing to the user of a tool without windows.
void quietMessages(QtMsgType type, const QMessageLogContext &, const QString &msg)
{
    if (msg.startsWith(QLatin1String("This plugin does not support")) ||
        msg.startsWith(QLatin1String("QStandardPaths:")))
        return;
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(msg));
}

// --check: the file opened into its form and its entries checked; each
// problem on a line of its own (page, item, control, problem).
int checkFile(const QString &path)
{
    const QString reason = FileErrors::unreadableReason(path);
    if (!reason.isEmpty()) {
        std::fprintf(stderr, "无法读取文件“%s”：%s。\n", qPrintable(QDir::toNativeSeparators(path)),
                     qPrintable(reason));
        return exitFailed;
    }
    try {
        const FormType *type = typeOfFile(path);
        QPointer<TEABaseForm> form = CreateForm(type->kind);
        form->OpenDocument(QFileInfo(path).absoluteFilePath());
        if (!form || form->isClosed())
            return exitFailed; // the loader has said why
        const CheckResult result = form->CheckFilling();
        for (const CheckProblem &p : result.problems)
            std::fprintf(stdout, "%s\t%s\t%s\t%s\n", qPrintable(p.pageCaption), qPrintable(p.heading),
                         qPrintable(p.control), qPrintable(p.message));
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n",
                     qPrintable(result.problems.isEmpty()
                                    ? QStringLiteral("没有发现填写问题（已填 %1/%2 项）。").arg(result.met).arg(result.required)
                                    : QStringLiteral("共 %1 处填写问题（已填 %2/%3 项）。")
                                          .arg(result.problems.size())
                                          .arg(result.met)
                                          .arg(result.required)));
        delete form;
        return result.problems.isEmpty() ? 0 : exitProblems;
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return exitFailed;
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    ConsoleDialogs console;
    setDialogs(&console);
    InitReportEngine();

    const QStringList args = app.arguments().mid(1);
    const bool isNew = args.value(0) == QLatin1String("--new");
    if (args.value(0) == QLatin1String("--check")) {
        if (args.size() != 2) {
            std::fputs(kUsage, stderr);
            return exitUsage;
        }
        return checkFile(args[1]);
    }
    if (args.size() != (isNew ? 3 : 2)) {
        std::fputs(kUsage, stderr);
        return exitUsage;
    }
    const QString output = args.last();
    // "--new YPZCSQ --help" would otherwise write a file named "--help".
    if (output.startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "输出文件名“%s”以“-”开头，像是一个选项，未写出任何文件；如确要用这个文件名，请写作“./%s”。\n",
                     qPrintable(output), qPrintable(output));
        return exitFailed;
    }
    if (!isNew) {
        const QString reason = FileErrors::unreadableReason(args[0]);
        if (!reason.isEmpty()) {
            std::fprintf(stderr, "无法读取文件“%s”：%s。\n", qPrintable(QDir::toNativeSeparators(args[0])),
                         qPrintable(reason));
            return exitFailed;
        }
        if (FileErrors::sameFile(args[0], output)) {
            std::fprintf(stderr, "输出文件“%s”就是输入的数据文件，不能用 PDF 覆盖它；未写出任何文件。\n",
                         qPrintable(QDir::toNativeSeparators(output)));
            return exitFailed;
        }
    }
    // Only a regular file is written (a device or a named pipe given as the
    // output is not replaced); refused before any work is done.
    if (const QString refused = FileErrors::unwritableReason(output); !refused.isEmpty()) {
        std::fprintf(stderr, "无法写入文件“%s”：%s。\n", qPrintable(QDir::toNativeSeparators(output)),
                     qPrintable(refused));
        return exitFailed;
    }
    try {
        const FormType *type = isNew ? typeByName(args[1]) : typeOfFile(args[0]);
        if (!type) {
            std::fprintf(stderr, "未知的类型：%s\n", qPrintable(args[1]));
            return exitUsage;
        }
        QPointer<TEABaseForm> form = CreateForm(type->kind);
        if (isNew) {
            form->NewDocument();
            // A blank form belongs to no data file: it prints no check code
            // at all rather than one that matches nothing.
            if (form)
                form->verifyCodeEdit()->clear();
        } else
            form->OpenDocument(QFileInfo(args[0]).absoluteFilePath());
        if (!form || form->isClosed())
            return exitFailed; // the loader has said why
        // The paper and the file are matched by the code: a file renamed to
        // another code prints the code it holds, and says so.
        const QString named = isNew ? QString() : codeInFileName(args[0]);
        const QString held = form->verifyCodeEdit()->text();
        if (!named.isEmpty() && named.compare(held, Qt::CaseInsensitive) != 0)
            std::fprintf(stderr, "%s\n",
                         qPrintable(held.isEmpty()
                                        ? QStringLiteral("注意：文件名中的数据核对码为 %1，文件中没有保存数据核对码，打印件上没有数据核对码。").arg(named)
                                        : QStringLiteral("注意：文件名中的数据核对码 %1 与文件中保存的数据核对码 %2 不同，打印件上是 %2。")
                                              .arg(named, held)));
        // Filled as Print fills: the values as the form holds them.
        const QHash<QString, QString> stored = fieldValues(*form);
        form->FillPrintedForm();
        const QStringList refused = refusedValues(*form, stored);
        if (!refused.isEmpty())
            std::fprintf(stderr, "%s\n",
                         qPrintable(QStringLiteral("文件中的下列内容申请表不能接受，未打印：\n") + refused.join(QLatin1Char('\n'))));
        TfrReport *report = form->report();
        const bool prepared = report->PrepareReport();
        // A report cut short (too many pages, objects or text) still prints
        // what was prepared, but says so and does not report success.
        const QString incomplete = report->errorString();
        if (!prepared || !report->ExportPdf(output)) {
            std::fprintf(stderr, "无法生成 PDF 文件：%s\n",
                         qPrintable(report->errorString().isEmpty() ? QStringLiteral("报表没有可输出的页")
                                                                    : report->errorString()));
            return exitFailed;
        }
        const QString code = form->verifyCodeEdit()->text();
        std::fprintf(stdout, "已写出 %s（%lld 页，%s）\n", qPrintable(output),
                     qlonglong(report->PreparedSheets().size()),
                     qPrintable(code.isEmpty() ? QStringLiteral("空白表，无数据核对码")
                                               : QStringLiteral("数据核对码 ") + code));
        delete form;
        if (!incomplete.isEmpty()) {
            std::fprintf(stderr, "警告：%s；PDF 文件不完整。\n", qPrintable(incomplete));
            return exitIncomplete;
        }
        if (console.warnings > 0 || !refused.isEmpty()) {
            std::fprintf(stderr, "警告：打印件没有完整反映文件的内容（原因见上面的提示）；PDF 文件不完整。\n");
            return exitIncomplete;
        }
    } catch (const AppError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return exitFailed;
    }
    return 0;
}
