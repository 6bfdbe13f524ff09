// frftool: the report engine's developer tool. It renders a template stream to
// PDF (and one PNG per sheet), dumps a stream's pages and objects as text, and
// writes a sample template.
#include "Dialogs.h"
#include "SampleTemplate.h"
#include "TfrBandView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrRenderer.h"
#include "TfrReport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

namespace {

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

// Messages of the engine go to the terminal instead of message boxes.
class ConsoleDialogs : public Dialogs {
public:
    void showMessage(const QString &caption, const QString &text, MessageKind) override
    {
        QString shown = text;
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        err() << caption << "：" << shown << Qt::endl;
    }
    bool confirm(const QString &, const QString &) override { return false; }
    QString chooseOpenFile(const FileRequest &) override { return {}; }
    QString chooseSaveFile(const FileRequest &) override { return {}; }
    int runModal(QDialog *) override { return 0; }
};

const char usage[] =
    "用法：\n"
    "  frftool dump [--form] <模板文件>\n"
    "      列出模板的页和对象。\n"
    "  frftool pdf [--form] <模板文件> <输出.pdf> [--png <目录>] [--dpi <分辨率>]\n"
    "      生成报表并写成 PDF 文件；给出 --png 时每页另存一个 PNG 图片（默认 96 dpi）。\n"
    "  frftool sample [--form] <输出模板文件>\n"
    "      写出一个示例模板（宋体、黑体、边框、各种对齐方式）。\n"
    "选项 --form 表示文件是 ReportForm 属性的内容（标记、长度和模板流），否则是模板流本身。\n";

int fail(const QString &message)
{
    err() << message << Qt::endl;
    return 1;
}

bool load(TfrReport &report, const QString &file, bool form, QString *error)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法打开文件“%1”：%2").arg(file, f.errorString());
        return false;
    }
    const QByteArray bytes = f.readAll();
    if (form) {
        report.setStoreInDFM(true);
        report.setReportForm(bytes);
        if (!report.errorString().isEmpty()) {
            *error = QStringLiteral("模板“%1”无法读取：%2").arg(file, report.errorString());
            return false;
        }
        return true;
    }
    if (!report.LoadFromStream(bytes)) {
        *error = QStringLiteral("模板“%1”无法读取：%2").arg(file, report.errorString());
        return false;
    }
    return true;
}

QString quoted(const QString &s)
{
    QString q = s;
    q.replace(QLatin1String("\r\n"), QLatin1String("\\n")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
    if (q.size() > 60)
        q = q.left(60) + QStringLiteral("…");
    return QLatin1Char('"') + q + QLatin1Char('"');
}

void dump(const TfrReport &report)
{
    out() << "打印机：" << quoted(report.PrinterName) << "  默认打印机：" << (report.PrintToDefault ? "是" : "否")
          << "  两遍：" << (report.DoublePass ? "是" : "否") << Qt::endl;
    for (int p = 0; p < report.Pages().Count(); ++p) {
        const TfrPage &page = report.Pages()[p];
        out() << "第 " << p + 1 << " 页 " << quoted(page.Name) << "  纸张 " << page.pgSize << " " << page.pgWidth << "×"
              << page.pgHeight << (page.pgOr ? " 横向" : " 纵向") << "  边距 " << page.LeftMargin << ","
              << page.TopMargin << "," << page.RightMargin << "," << page.BottomMargin << "  对象 "
              << page.Objects().size() << Qt::endl;
        for (const TfrView *v : page.Objects()) {
            out() << "  " << v->ClassName() << " " << quoted(v->Name) << " (" << v->x << "," << v->y << "," << v->dx
                  << "," << v->dy << ") 标志 0x" << QString::number(v->Flags, 16) << " 边框 0x"
                  << QString::number(v->FrameTyp, 16);
            if (const auto *m = dynamic_cast<const TfrMemoView *>(v))
                out() << " 字体 " << m->FontName << " " << m->FontSize << " 对齐 " << m->Alignment;
            if (const auto *b = dynamic_cast<const TfrBandView *>(v))
                out() << " 类型 " << b->BandType() << " 数据源 " << quoted(b->DataSource());
            out() << " 文本 " << quoted(v->Text()) << Qt::endl;
        }
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    InstallReportFonts();
    ConsoleDialogs console;
    setDialogs(&console);

    QStringList args = app.arguments().mid(1);
    const bool form = args.removeAll(QStringLiteral("--form")) > 0;
    QString pngDir;
    double dpi = 96;
    for (int i = 0; i < args.size();) {
        if (args[i] == QLatin1String("--png") && i + 1 < args.size()) {
            pngDir = args[i + 1];
            args.remove(i, 2);
        } else if (args[i] == QLatin1String("--dpi") && i + 1 < args.size()) {
            bool ok = false;
            dpi = args[i + 1].toDouble(&ok);
            if (!ok || dpi < 10 || dpi > 1200)
                return fail(QStringLiteral("分辨率必须是 10 到 1200 之间的数"));
            args.remove(i, 2);
        } else {
            ++i;
        }
    }
    if (args.isEmpty())
        return fail(QString::fromUtf8(usage));
    const QString command = args.takeFirst();
    TfrReport report;
    QString error;

    if (command == QLatin1String("dump") && args.size() == 1) {
        if (!load(report, args[0], form, &error))
            return fail(error);
        dump(report);
        return 0;
    }
    if (command == QLatin1String("pdf") && args.size() == 2) {
        if (!load(report, args[0], form, &error))
            return fail(error);
        report.PrepareReport();
        if (!report.errorString().isEmpty())
            err() << report.errorString() << Qt::endl;
        if (report.PreparedSheets().isEmpty())
            return fail(QStringLiteral("模板没有可打印的页"));
        if (!report.ExportPdf(args[1]))
            return fail(report.errorString());
        out() << "已写出 " << args[1] << "，共 " << report.PreparedSheets().size() << " 页" << Qt::endl;
        if (!pngDir.isEmpty()) {
            if (!QDir().mkpath(pngDir))
                return fail(QStringLiteral("无法创建目录“%1”").arg(pngDir));
            for (int i = 0; i < report.PreparedSheets().size(); ++i) {
                const QString file = QDir(pngDir).filePath(QStringLiteral("sheet-%1.png").arg(i + 1, 3, 10, QLatin1Char('0')));
                if (!TfrRenderer::renderImage(report.PreparedSheets()[i], dpi).save(file))
                    return fail(QStringLiteral("无法写入文件“%1”").arg(file));
                out() << "已写出 " << file << Qt::endl;
            }
        }
        return 0;
    }
    if (command == QLatin1String("sample") && args.size() == 1) {
        BuildSampleTemplate(report);
        QFile f(args[0]);
        const QByteArray bytes = form ? report.reportForm() : report.SaveToStream();
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return fail(QStringLiteral("无法写入文件“%1”：%2").arg(args[0], f.errorString()));
        out() << "已写出示例模板 " << args[0] << Qt::endl;
        return 0;
    }
    return fail(QString::fromUtf8(usage));
}
