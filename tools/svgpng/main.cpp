// svgpng: renders an SVG picture into square PNG files of the given sizes,
// for the program's icon in the desktop's icon theme.
//   svgpng <picture.svg> <out-prefix> <size>...   writes <out-prefix><size>.png
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <cstdio>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3) {
        std::fputs("用法：svgpng <图片.svg> <输出前缀> <尺寸>...\n", stderr);
        return 2;
    }
    for (const QString &arg : args.mid(2)) {
        bool ok = false;
        const int size = arg.toInt(&ok);
        if (!ok || size < 1 || size > 4096) {
            std::fprintf(stderr, "尺寸无效：%s\n", qPrintable(arg));
            return 2;
        }
        QImageReader reader(args[0], "svg");
        reader.setScaledSize(QSize(size, size));
        const QImage image = reader.read();
        const QString out = args[1] + arg + QStringLiteral(".png");
        if (image.isNull() || !image.save(out, "PNG")) {
            std::fprintf(stderr, "无法生成 %s：%s\n", qPrintable(out), qPrintable(reader.errorString()));
            return 1;
        }
    }
    return 0;
}
