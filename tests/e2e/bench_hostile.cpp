// bench_hostile: times opening hand-made data files of about 1 MB whose
// structure is built to be expensive (not a test). Each file is the domestic
// registration form's configuration document with one hostile part added:
//   deep        relation nodes nested 25,000 deep, all naming one check box
//   near-limit  relation chains nested just under the loader's depth limit
//   k-deps      a radio button with K dependents of one name, whose first
//               relation node has K children, opened with its sibling checked
//   attributes  one element with some 90,000 attributes
//   namespaces  elements nested 240 deep, each declaring 250 namespaces
//   no-key      a check group of 70,000 items without "key"
//   items       25,000 plain data items with their field entries
//   relations   25,000 top-level relation nodes
//   long-value  one memo value of 1 MB
//   radio-flip  a radio group whose 30,000 items alternate two buttons of one key
//   check-flip  15,000 plain items checking and unchecking one controller
//   fields      35,000 field entries no item binds
// Every file is opened in a child process (a crash or a hang ends only that
// child); the table gives the wall time of Open (create the form, Open), the
// number of message boxes shown, whether the file was refused, and the wall
// time of dzsbprint writing the PDF of the file.
// Usage: bench_hostile [case ...] [--timeout seconds] [--keep dir]
//        bench_hostile --open <file>   (the child: one Open, one result line)
// --keep writes the files into dir and keeps them (for a profiler).
#include "BenchMain.h"
#include "AppError.h"
#include "CodePage.h"
#include "FormClasses.h"
#include "ScriptedDialogs.h"
#include "TUIHelper.h"
#include "TestMain.h"
#include "TfrReportPreview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

constexpr qsizetype kTarget = 1000 * 1000;

QByteArray gbk(const char *utf8)
{
    return CodePage::fromUnicode(QString::fromUtf8(utf8));
}

// The shipped document with text inserted after the opening tag of a section
// (or before the closing tag of the root when section is empty).
QByteArray insert(const QByteArray &document, const QByteArray &section, const QByteArray &text)
{
    QByteArray out = document;
    if (section.isEmpty()) {
        out.insert(out.lastIndexOf("</"), text);
        return out;
    }
    const qsizetype at = out.indexOf("<" + section + ">");
    return at < 0 ? QByteArray() : out.insert(at + section.size() + 2, text);
}

// Repeats piece(i) until the text reaches about `size` bytes.
QByteArray repeatTo(qsizetype size, const std::function<QByteArray(int)> &piece)
{
    QByteArray out;
    out.reserve(size + 1024);
    for (int i = 0; out.size() < size; ++i)
        out += piece(i);
    return out;
}

struct Case {
    const char *name;
    const char *description;
    std::function<QByteArray(const QByteArray &)> make;
};

QList<Case> cases()
{
    // A check box that controls an edit box, and the radio panel of 制剂/非制剂.
    static const QByteArray box = "ckbFJSQQT";
    return {
        {"shipped", "原样的配置文件（对照）", [](const QByteArray &doc) { return doc; }},
        {"deep", "关联节点嵌套 25,000 层", [](const QByteArray &doc) {
             QByteArray text;
             for (int i = 0; i < 25000; ++i)
                 text += "<r type=\"c\" name=\"" + box + "\">";
             text += "<r name=\"edtFJSQQT\"/>";
             for (int i = 0; i < 25000; ++i)
                 text += "</r>";
             return insert(doc, "ui-relation", text);
         }},
        {"near-limit", "关联链嵌套 240 层，重复至 1 MB", [](const QByteArray &doc) {
             return insert(doc, "ui-relation", repeatTo(kTarget, [](int) {
                               QByteArray chain;
                               for (int i = 0; i < 240; ++i)
                                   chain += "<r type=\"c\" name=\"" + box + "\"><r name=\"edtFJSQQT\"/>";
                               for (int i = 0; i < 240; ++i)
                                   chain += "</r>";
                               return chain;
                           }));
         }},
        {"k-deps", "单选钮的 K 个同名依赖，首个节点有 K 个子节点", [](const QByteArray &doc) {
             const int k = int(kTarget / 44);
             QByteArray text = "<r type=\"r\" name=\"rdbZJF\"><r type=\"c\" name=\"" + box + "\">";
             for (int i = 0; i < k; ++i)
                 text += "<r name=\"edtFJSQQT\"/>";
             text += "</r>";
             for (int i = 1; i < k; ++i)
                 text += "<r name=\"" + box + "\"/>";
             text += "</r>";
             QByteArray out = insert(doc, "ui-relation", text);
             return out.replace("<field name=\"ZJ\" value=\"\"/>", "<field name=\"ZJ\" value=\"" + gbk("制剂") + "\"/>");
         }},
        {"attributes", "一个元素带 90,000 个属性", [](const QByteArray &doc) {
             return insert(doc, "data-fields", "<field name=\"many\"" + repeatTo(kTarget, [](int i) {
                                                   return " a" + QByteArray::number(i) + "=\"x\"";
                                               }) + "/>");
         }},
        {"namespaces", "嵌套 240 层，每层声明 250 个命名空间", [](const QByteArray &doc) {
             QByteArray text;
             for (int level = 0; level < 240 && text.size() < kTarget - 40000; ++level) {
                 text += "<n";
                 for (int i = 0; i < 250; ++i)
                     text += " xmlns:p" + QByteArray::number(i) + "=\"u" + QByteArray::number(level) + "\"";
                 text += ">";
             }
             const int levels = int(text.count("<n"));
             text += "<p0:x";
             for (int i = 0; i < 250; ++i)
                 text += " p" + QByteArray::number(i) + ":a=\"x\"";
             text += "/>";
             for (int i = 0; i < levels; ++i)
                 text += "</n>";
             return insert(doc, "data-fields", text);
         }},
        {"no-key", "复选组 70,000 项没有 key", [](const QByteArray &doc) {
             return insert(doc, "ui-data", "<g type=\"CheckGroup\" name=\"grpMany\" Field=\"many\">"
                                               + repeatTo(kTarget, [](int i) {
                                                     return "<i name=\"c" + QByteArray::number(i % 1000) + "\"/>";
                                                 }) + "</g>");
         }},
        {"items", "25,000 个数据项及其字段", [](const QByteArray &doc) {
             QByteArray items, fields;
             for (int i = 0; items.size() + fields.size() < kTarget; ++i) {
                 const QByteArray n = QByteArray::number(i);
                 items += "<i type=\"Edit\" name=\"edtFJSQQT\" Field=\"x" + n + "\"/>";
                 fields += "<f name=\"x" + n + "\" value=\"v" + n + "\"/>";
             }
             return insert(insert(doc, "ui-data", items), "data-fields", fields);
         }},
        {"relations", "25,000 个顶层关联节点", [](const QByteArray &doc) {
             return insert(doc, "ui-relation", repeatTo(kTarget, [](int) {
                               return "<r type=\"c\" name=\"" + box + "\"><r name=\"edtFJSQQT\"/></r>";
                           }));
         }},
        {"long-value", "一个 1 MB 的备注值", [](const QByteArray &doc) {
             QByteArray out = doc;
             const QByteArray value = QByteArray(kTarget * 3 / 4, 'A').toBase64();
             return out.replace("<field name=\"edtQTSM\" value=\"\"/>",
                                "<field name=\"edtQTSM\" value=\"" + value + "\"/>");
         }},
        {"radio-flip", "单选组 30,000 项交替选中两个按钮", [](const QByteArray &doc) {
             return insert(insert(doc, "ui-data", "<g type=\"RadioGroup\" name=\"grpFlip\" Field=\"flip\">"
                                                      + repeatTo(kTarget, [](int i) {
                                                            return QByteArray(i % 2 ? "<i key=\"v\" name=\"rdbZJT\"/>"
                                                                                    : "<i key=\"v\" name=\"rdbZJF\"/>");
                                                        }) + "</g>"),
                           "data-fields", "<f name=\"flip\" value=\"v\"/>");
         }},
        {"check-flip", "15,000 个数据项反复勾选、取消同一复选框", [](const QByteArray &doc) {
             QByteArray items, fields;
             for (int i = 0; items.size() + fields.size() < kTarget; ++i) {
                 const QByteArray n = QByteArray::number(i);
                 items += "<i type=\"CheckBox\" name=\"" + box + "\" Field=\"t" + n + "\"/>";
                 fields += "<f name=\"t" + n + "\" value=\"" + (i % 2 ? "0" : "1") + "\"/>";
             }
             return insert(insert(doc, "ui-data", items), "data-fields", fields);
         }},
        {"fields", "35,000 个无人绑定的字段", [](const QByteArray &doc) {
             return insert(doc, "data-fields", repeatTo(kTarget, [](int i) {
                               return "<f name=\"extra" + QByteArray::number(i) + "\" value=\"" + QByteArray(12, 'x')
                                   + "\"/>";
                           }));
         }},
    };
}

// The child: opens the file once and prints "<ms> <messages> <opened 0/1>".
int openOnce(const QString &path)
{
    ScriptedDialogs dialogs;
    QElapsedTimer t;
    t.start();
    const double c0 = cpuMs();
    QPointer<TEABaseForm> form = new TFrmYPZCSQ;
    bool failed = false;
    try {
        form->OpenDocument(path);
    } catch (const AppError &) {
        failed = true;
    }
    const double ms = t.nsecsElapsed() / 1e6;
    const double cpu = cpuMs() - c0;
    const bool opened = !failed && form && !form->isClosed() && form->helper() && form->helper()->Document();
    int errors = 0;
    for (const RecordedMessage &m : dialogs.messages)
        errors += m.kind == MessageKind::Error ? 1 : 0;
    std::printf("%.0f/%.0f %lld %d %d\n", ms, cpu, qlonglong(dialogs.messages.size()), opened ? 1 : 0, errors);
    std::fflush(stdout);
    delete form;
    return 0;
}

struct Run {
    QString result; // "crash", "timeout" or the child's output
    double ms = 0;
};

Run runChild(const QString &program, const QStringList &args, int timeoutSeconds)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    QElapsedTimer t;
    t.start();
    child.start(program, args);
    Run run;
    if (!child.waitForFinished(timeoutSeconds * 1000)) {
        child.kill();
        child.waitForFinished();
        run.result = QStringLiteral("timeout");
    } else if (child.exitStatus() != QProcess::NormalExit) {
        run.result = QStringLiteral("crash");
    } else {
        run.result = QString::fromUtf8(child.readAllStandardOutput()).trimmed();
        if (run.result.isEmpty())
            run.result = QStringLiteral("exit %1").arg(child.exitCode());
    }
    run.ms = t.nsecsElapsed() / 1e6;
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    BenchApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.value(0) == QLatin1String("--open") && args.size() == 2)
        return openOnce(args[1]);

    int timeout = 120;
    if (const qsizetype at = args.indexOf(QStringLiteral("--timeout")); at >= 0 && at + 1 < args.size()) {
        timeout = qMax(1, args[at + 1].toInt());
        args.remove(at, 2);
    }
    QFile shipped(QCoreApplication::applicationDirPath() + QStringLiteral("/YPZCSQ.xml"));
    if (!shipped.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no YPZCSQ.xml beside the program\n");
        return 1;
    }
    const QByteArray document = shipped.readAll();
    QString keep;
    if (const qsizetype at = args.indexOf(QStringLiteral("--keep")); at >= 0 && at + 1 < args.size()) {
        keep = args[at + 1];
        args.remove(at, 2);
        QDir().mkpath(keep);
    }
    QTemporaryDir temporary;
    const QDir dir(keep.isEmpty() ? temporary.path() : keep);
    const QString self = QCoreApplication::applicationFilePath();
    const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/dzsbprint");
    std::printf("%-11s %9s %11s %9s %8s %11s  %s\n", "case", "size KB", "open ms", "messages", "opened",
                "dzsbprint", "structure");
    std::printf("%-11s %9s %11s %9s %8s %11s\n", "", "", "(wall/CPU)", "", "", "ms (wall)");
    for (const Case &c : cases()) {
        if (!args.isEmpty() && !args.contains(QLatin1String(c.name)))
            continue;
        const QByteArray bytes = c.make(document);
        const QString path = dir.filePath(QLatin1String(c.name) + QStringLiteral(".MRT"));
        QFile out(path);
        if (bytes.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        out.close();
        const Run open = runChild(self, {QStringLiteral("--open"), path}, timeout);
        const QStringList parts = open.result.split(QLatin1Char(' '));
        const Run print = runChild(tool, {path, dir.filePath(QStringLiteral("out.pdf"))}, timeout);
        const QString printText = print.result == QLatin1String("timeout") || print.result == QLatin1String("crash")
            ? print.result
            : QString::number(print.ms, 'f', 0);
        if (parts.size() == 4) {
            std::printf("%-11s %9.0f %11s %9s %8s %11s  %s\n", c.name, bytes.size() / 1024.0, qPrintable(parts[0]),
                        qPrintable(parts[1]), parts[2] == QLatin1String("1") ? "yes" : "refused",
                        qPrintable(printText), c.description);
        } else {
            std::printf("%-11s %9.0f %11s %9s %8s %11s  %s\n", c.name, bytes.size() / 1024.0,
                        qPrintable(open.result == QLatin1String("timeout")
                                       ? QStringLiteral(">%1").arg(timeout * 1000)
                                       : open.result),
                        "-", "-", qPrintable(printText), c.description);
        }
        std::fflush(stdout);
    }
    return 0;
}
