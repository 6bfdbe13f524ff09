#include "TfrRenderer.h"

#include "Helpers.h"
#include "FileErrors.h"

#include <QBuffer>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <memory>

namespace {

// The program's own print faces (built beside the program into "fonts") and
// the faces that the templates name, mapped onto them. A CJK face is the
// last resort of every family, so that no text falls back to whatever other
// fonts a machine happens to have. Each CJK face has an Extra face behind it
// with the characters whose glyphs it shares with others (tools/fonts): every
// glyph printed stands for one character, and the PDF's text layer reads as
// the characters printed.
const char *const kSerif = "DZSB Serif";
const char *const kSans = "DZSB Sans";
const char *const kArial = "DZSB Arial";
const char *const kSerifExtra = "DZSB Serif Extra";
const char *const kSansExtra = "DZSB Sans Extra";

bool gOwnFaces = false;
QStringList gSerif, gSans; // a CJK face with its Extra face

} // namespace

void InstallReportFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QDir dir(ProgramDirectory() + QStringLiteral("fonts"));
    int loaded = 0;
    for (const QString &file : dir.entryList({QStringLiteral("*.otf"), QStringLiteral("*.ttf")}, QDir::Files, QDir::Name))
        loaded += QFontDatabase::addApplicationFont(dir.filePath(file)) >= 0;
    gOwnFaces = loaded > 0 && QFontDatabase::hasFamily(QString::fromLatin1(kSerif)) &&
                QFontDatabase::hasFamily(QString::fromLatin1(kSans)) && QFontDatabase::hasFamily(QString::fromLatin1(kArial));
    // Without the program's faces (an incomplete installation), the installed
    // Noto CJK faces stand in.
    gSerif = QStringList{gOwnFaces ? QString::fromLatin1(kSerif) : QStringLiteral("Noto Serif CJK SC")};
    gSans = QStringList{gOwnFaces ? QString::fromLatin1(kSans) : QStringLiteral("Noto Sans CJK SC")};
    if (gOwnFaces && QFontDatabase::hasFamily(QString::fromLatin1(kSerifExtra)))
        gSerif << QString::fromLatin1(kSerifExtra);
    if (gOwnFaces && QFontDatabase::hasFamily(QString::fromLatin1(kSansExtra)))
        gSans << QString::fromLatin1(kSansExtra);
    const QString arial = gOwnFaces ? QString::fromLatin1(kArial) : QStringLiteral("Liberation Sans");
    const struct {
        const char *family;
        QStringList substitutes;
    } table[] = {
        {"宋体", gSerif}, {"SimSun", gSerif}, {"新宋体", gSerif}, {"仿宋", gSerif}, {"楷体", gSerif},
        {"黑体", gSans},  {"SimHei", gSans},  {"Arial", QStringList{arial} + gSans}, {"Helvetica", QStringList{arial} + gSans},
    };
    for (const auto &entry : table)
        QFont::insertSubstitutions(QString::fromUtf8(entry.family), entry.substitutes);
}

namespace TfrRenderer {

namespace {

Qt::PenStyle penStyle(quint16 style)
{
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                          Qt::DashDotDotLine};
    return style < 5 ? styles[style] : Qt::SolidLine;
}

// With hairlines on (the screen preview, which is scaled after painting), a
// rule of one unit or less is drawn one device pixel wide at any zoom, so
// that no table rule or border fades away on a reduced page.
QPen framePen(const TfrPreparedObject &o, bool hairlines)
{
    QColor color = frColor(o.frameColor);
    if (color.alpha() == 0)
        color = Qt::black;
    const double width = qBound(0.3, o.frameWidth, 100.0);
    QPen pen(color, width, penStyle(o.frameStyle));
    pen.setCapStyle(Qt::SquareCap);
    if (hairlines && width <= 1.0) {
        pen.setWidthF(1.0);
        pen.setCosmetic(true);
    }
    return pen;
}

void drawFill(QPainter &painter, const TfrPreparedObject &o)
{
    const QColor fill = frColor(o.fillColor);
    if (fill.alpha() != 0)
        painter.fillRect(QRectF(o.x, o.y, o.dx, o.dy), fill);
}

void drawFrame(QPainter &painter, const TfrPreparedObject &o, bool hairlines)
{
    if (!(o.frameTyp & 0x0F))
        return;
    painter.setPen(framePen(o, hairlines));
    const double l = o.x, t = o.y, r = double(o.x) + o.dx, b = double(o.y) + o.dy;
    if (o.frameTyp & frbRight)
        painter.drawLine(QPointF(r, t), QPointF(r, b));
    if (o.frameTyp & frbBottom)
        painter.drawLine(QPointF(l, b), QPointF(r, b));
    if (o.frameTyp & frbLeft)
        painter.drawLine(QPointF(l, t), QPointF(l, b));
    if (o.frameTyp & frbTop)
        painter.drawLine(QPointF(l, t), QPointF(r, t));
}

void drawText(QPainter &painter, const TfrPreparedObject &o)
{
    if (o.lines.isEmpty())
        return;
    const QFont font = reportFont(o.fontName, o.fontSize, o.fontStyle);
    const TfrMeasure measure = TfrMemoLayout::WithCharSpacing(measureFor(font), o.charSpacing);
    QFont drawFont = font;
    if (o.charSpacing != 0)
        drawFont.setLetterSpacing(QFont::AbsoluteSpacing, o.charSpacing);
    QColor color = frColor(o.fontColor);
    if (color.alpha() == 0)
        color = Qt::black;

    painter.save();
    TfrMemoBox box{o.x, o.y, o.dx, o.dy, o.gapx, o.gapy, TfrMemoLayout::FontHeight(o.fontSize), o.lineSpacing,
                   o.alignment};
    if (o.alignment & frtaVertical) {
        // Vertical text: the font turned a quarter, the gaps exchanged.
        painter.translate(double(o.x) + o.dx, o.y);
        painter.rotate(90);
        box = TfrMemoBox{0, 0, o.dy, o.dx, o.gapy, o.gapx, box.fontHeight, o.lineSpacing, o.alignment};
    }
    painter.setClipRect(TfrMemoLayout::ClipRect(box), Qt::IntersectClip);
    painter.setPen(color);
    // The baseline sits at most 0.88 em below the line top: the top of the
    // ideographic em box. The Noto CJK faces report a much taller ascent (1.16
    // em), which would push Chinese text down out of boxes sized for 宋体.
    const double ascent = qMin(QFontMetricsF(drawFont).ascent(), 0.88 * box.fontHeight);
    const int step = TfrMemoLayout::LineStep(box.fontHeight, box.lineSpacing);
    for (const TfrPlacedLine &line : TfrMemoLayout::PlaceLines(o.lines, box, measure)) {
        QFont lineFont = drawFont;
        if (line.blankExtra > 0)
            lineFont.setWordSpacing(line.blankExtra);
        painter.setFont(lineFont);
        painter.drawText(QPointF(line.x, line.y + ascent), line.text);
        if (o.flags & flUnderlines) {
            const double uy = double(line.y) + step - 1;
            painter.drawLine(QPointF(box.left, uy), QPointF(double(box.left) + box.width, uy));
        }
    }
    painter.restore();
}

} // namespace

QPageLayout pageLayoutOf(const TfrSheet &sheet)
{
    const bool landscape = sheet.orientation == 1;
    QPageSize size;
    const QPageSize a4(QPageSize::A4);
    const QSizeF mm(sheet.paperWidth / 10.0, sheet.paperHeight / 10.0);
    if (sheet.paperSize == 9 && qAbs(mm.width() - 210) < 1 && qAbs(mm.height() - 297) < 1)
        size = a4;
    else if (mm.width() >= 10 && mm.height() >= 10 && mm.width() < 10000 && mm.height() < 10000)
        size = QPageSize(mm, QPageSize::Millimeter, QString(), QPageSize::ExactMatch);
    else
        size = a4;
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

QFont reportFont(const QString &name, int sizePoints, quint16 style)
{
    InstallReportFonts(); // once; every measuring and drawing uses the same faces
    QFont font(name.isEmpty() ? QStringLiteral("Arial") : name);
    // A face the templates do not know prints in the program's serif face,
    // and characters a face lacks come from the program's CJK faces.
    if (gOwnFaces) {
        const QString face = name.isEmpty() ? QStringLiteral("Arial") : name;
        QStringList families = QFont::substitutes(face);
        if (families.isEmpty())
            families << face;
        families << gSerif << gSans;
        families.removeDuplicates();
        font.setFamilies(families);
    }
    font.setPixelSize(qBound(1, TfrMemoLayout::FontHeight(sizePoints), 2000));
    font.setItalic(style & fsItalic);
    font.setBold(style & fsBold);
    font.setUnderline(style & fsUnderline);
    font.setStrikeOut(style & fsStrikeOut);
    font.setHintingPreference(QFont::PreferNoHinting);
    // Simple scripts print without shaping, so that measured and drawn widths agree.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

TfrMeasure measureFor(const QFont &font)
{
    // Report fonts are drawn without shaping (no kerning, no ligatures), so a
    // text is exactly as wide as the sum of its characters: each character is
    // measured once, and measuring a line costs a lookup per character.
    auto widths = std::make_shared<QHash<char32_t, double>>();
    const QFontMetricsF metrics(font);
    return [metrics, widths](const QString &text) {
        double w = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            char32_t key = text[i].unicode();
            qsizetype len = 1;
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
                key = QChar::surrogateToUcs4(text[i], text[i + 1]);
                len = 2;
            }
            auto it = widths->constFind(key);
            if (it == widths->constEnd())
                it = widths->insert(key, len == 1 ? metrics.horizontalAdvance(text[i])
                                                  : metrics.horizontalAdvance(text.mid(i, 2)));
            w += *it;
            i += len - 1;
        }
        return w;
    };
}

void drawSheet(QPainter &painter, const TfrSheet &sheet, bool hairlines)
{
    painter.save();
    // Hairlines are drawn solid, not smoothed into two grey pixel rows.
    painter.setRenderHint(QPainter::Antialiasing, !hairlines);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const TfrPreparedObject &o : sheet.objects) {
        switch (o.kind) {
        case TfrPreparedObject::Memo:
            drawFill(painter, o);
            drawText(painter, o);
            drawFrame(painter, o, hairlines);
            break;
        case TfrPreparedObject::Line:
            painter.setPen(framePen(o, hairlines));
            painter.drawLine(QPointF(o.x, o.y), QPointF(double(o.x) + o.dx, double(o.y) + o.dy));
            break;
        case TfrPreparedObject::Box:
            drawFill(painter, o);
            drawFrame(painter, o, hairlines);
            break;
        }
    }
    painter.restore();
}

void drawSheetAt(QPainter &painter, const TfrSheet &sheet, double dpi, bool hairlines)
{
    painter.save();
    const double scale = dpi / UnitsPerInch;
    painter.scale(scale, scale);
    drawSheet(painter, sheet, hairlines);
    painter.restore();
}

void drawSheetOnPage(QPainter &painter, const TfrSheet &sheet, double dpi, const QSizeF &page, bool hairlines)
{
    const double scale = dpi / UnitsPerInch;
    const QSizeF natural(sheet.width * scale, sheet.height * scale);
    // A sheet that fits its paper (within rounding) prints at its own size;
    // a larger one shrinks to the paper, centred, rather than being cut off.
    if (natural.width() <= page.width() * 1.005 && natural.height() <= page.height() * 1.005) {
        drawSheetAt(painter, sheet, dpi, hairlines);
        return;
    }
    const double fit = qMin(page.width() / natural.width(), page.height() / natural.height());
    painter.save();
    painter.translate((page.width() - natural.width() * fit) / 2, (page.height() - natural.height() * fit) / 2);
    painter.scale(fit, fit);
    drawSheetAt(painter, sheet, dpi, hairlines);
    painter.restore();
}

bool paintSheets(QPagedPaintDevice &device, const QList<TfrSheet> &sheets, const QList<int> &indices, int copies,
                 bool collate, bool keepDeviceLayout)
{
    QList<int> order;
    copies = qBound(1, copies, 999);
    if (collate) {
        for (int c = 0; c < copies; ++c)
            order += indices;
    } else {
        for (int i : indices)
            for (int c = 0; c < copies; ++c)
                order.append(i);
    }
    order.removeIf([&](int i) { return i < 0 || i >= sheets.size(); });
    if (order.isEmpty())
        return false;
    if (!keepDeviceLayout)
        device.setPageLayout(pageLayoutOf(sheets[order.first()]));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double dpi = device.logicalDpiX();
    auto pageSize = [&] { return device.pageLayout().fullRectPixels(int(dpi)).size().toSizeF(); };
    for (qsizetype n = 0; n < order.size(); ++n) {
        if (n > 0) {
            // Another paper between pages where the device allows it (PDF and
            // the system's print engines); otherwise the sheet is fitted to
            // the paper in use.
            const QPageLayout layout = pageLayoutOf(sheets[order[n]]);
            if (!keepDeviceLayout && !device.pageLayout().isEquivalentTo(layout))
                device.setPageLayout(layout);
            device.newPage();
        }
        drawSheetOnPage(painter, sheets[order[n]], dpi, pageSize());
    }
    return painter.end();
}

bool writePdf(const QList<TfrSheet> &sheets, const QList<int> &indices, const QString &fileName, QString *error,
              int copies, bool collate)
{
    auto failed = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (indices.isEmpty())
        return failed(QStringLiteral("没有可输出的页"));
    const QString refused = FileErrors::unwritableReason(fileName);
    if (!refused.isEmpty())
        return failed(QStringLiteral("无法写入文件“%1”：%2").arg(fileName, refused));
    // Written to memory first and then saved atomically, so a failed write
    // never leaves a half-written file behind.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral("电子申报"));
        if (!paintSheets(writer, sheets, indices, copies, collate))
            return failed(QStringLiteral("无法生成 PDF 数据"));
    }
    if (pdf.isEmpty())
        return failed(QStringLiteral("无法生成 PDF 数据"));
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size() || !file.commit())
        return failed(QStringLiteral("无法写入文件“%1”：%2")
                          .arg(fileName, FileErrors::writeReason(fileName, file.error())));
    return true;
}

QImage renderImage(const TfrSheet &sheet, double dpi)
{
    const double scale = dpi / UnitsPerInch;
    // Bounded before the conversion, so that no size converts out of range.
    const QSize size(int(qBound(1.0, sheet.width * scale + 0.5, 20000.0)),
                     int(qBound(1.0, sheet.height * scale + 0.5, 20000.0)));
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(int(dpi / 0.0254));
    image.setDotsPerMeterY(int(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    drawSheetAt(painter, sheet, dpi, false);
    return image;
}

} // namespace TfrRenderer
