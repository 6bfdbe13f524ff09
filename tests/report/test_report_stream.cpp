// Tests of the template stream reader and writer: a stream assembled byte by
// byte from the format loads with every field in place and writes back
// identically; written streams round-trip; unsupported versions, add-in
// classes, truncated and corrupted streams fail as the engine's rules say; the
// ReportForm wrapper.
#include "ReportTestSupport.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"
#include "TfrBandView.h"
#include "TfrLineView.h"
#include "TfrMemoView.h"
#include "TfrPage.h"
#include "TfrPictureView.h"
#include "TfrReport.h"

#include <QtTest>

namespace {

void pageRecord(StreamBuilder &b, const QString &name, const QStringList *script)
{
    b.u8(255);
    if (script)
        b.i32(-1);
    b.i32(9).i32(2101).i32(2969).i32(90).i32(79).i32(54).i32(54).u8(0).i32(65535).u16(0).u16(1).i32(1).i32(0).u8(0)
        .str(name).u8(0).str(QString()).i32(0).i32(0).i32(0).i32(0).i32(0).u8(0);
    if (script)
        b.list(*script);
}

// The common part of an object record up to the class-specific data; returns
// the offset of its next-record field.
qint64 objectHead(StreamBuilder &b, int type, int page, const QString &name, int version, int sub, int x, int y,
                  int w, int h, int flags, int frame, qint64 frameWidth, const QString &format,
                  const QStringList &memo, int bandAlign)
{
    b.u8(type).u8(page);
    const qint64 next = b.pos();
    b.i32(0).str(name).u8(version).u8(sub).i32(x).i32(y).i32(w).i32(h).u16(flags).u16(frame).i32(frameWidth)
        .i32(0x0000FF).u16(1).i32(clNone).i32(0).str(format).list(memo).list({}).u16(1).u16(0).str(QStringLiteral("tag"))
        .i32(2).i32(1);
    if (version > 1)
        b.u8(bandAlign);
    return next;
}

void memoData(StreamBuilder &b, const QString &font, int size, int style, int alignment)
{
    b.str(font).i32(size).u16(style).i32(0x112233).i32(alignment).u16(134).raw(QByteArray("\1\2\3\4\5\6\7\x08\x09\x0A", 10))
        .str(QStringLiteral("[V] > 0")).i32(2).i32(1);
}

// The hand-made stream of the tests: two pages (the second with a script),
// memos of object version 2 and 1, a picture with data of its own, a band of
// version 2.1 with its master band, a line with a width in thousandths, and
// the empty data dictionary.
QByteArray handBuiltStream()
{
    StreamBuilder b;
    b.u8(24).u16(0).u16(0).str(QStringLiteral("虚拟打印机"));
    pageRecord(b, QString(), nullptr);
    const QStringList script{QStringLiteral("begin"), QStringLiteral("end")};
    pageRecord(b, QStringLiteral("Page1"), &script);

    qint64 next = objectHead(b, 0, 0, QStringLiteral("edtHXCF"), 2, 0, 100, 200, 300, 40, 0x53, 0x03, 2, QString(),
                             {QStringLiteral("第一行"), QStringLiteral("second [PAGE#]")}, 4);
    memoData(b, QStringLiteral("宋体"), 10, 2, 2 | 8);
    b.patch32(next, b.pos());

    next = objectHead(b, 1, 0, QStringLiteral("Picture1"), 2, 0, 10, 20, 30, 40, 0, 0, 1, QString(), {}, 0);
    b.raw(QByteArray("\x01\x02\x03", 3));
    b.patch32(next, b.pos());

    next = objectHead(b, 0, 0, QStringLiteral("Memo7"), 1, 0, 5, 6, 7, 8, 0x43, 0x0F, 1, QString(), {}, 0);
    memoData(b, QStringLiteral("黑体"), 16, 0, 0);
    b.patch32(next, b.pos());

    next = objectHead(b, 2, 1, QStringLiteral("MasterData1"), 2, 1, 90, 79, 0, 100, 0x39, 5, 1, QStringLiteral("1"), {},
                      0);
    b.str(QStringLiteral("Child1")).i32(2).i32(250).i32(30).i32(4).str(QStringLiteral("MasterBand"));
    b.patch32(next, b.pos());

    next = objectHead(b, 4, 1, QStringLiteral("Line1"), 2, 0, 96, 500, 604, 0, 0, 0x08, 1500, QString(), {}, 0);
    b.patch32(next, b.pos());

    b.u8(254).u16(0xFFFE).i32(0).i32(0).i32(0);
    return b.data();
}

} // namespace

class TestReportStream : public QObject {
    Q_OBJECT
private slots:
    void handBuiltStreamLoadsEveryField();
    void handBuiltStreamWritesBackIdentically();
    void writtenStreamRoundTrips();
    void stringsInTheNationalCodePage();
    void longLinesAreKept();
    void refusedVersions_data();
    void refusedVersions();
    void damagedStreams_data();
    void damagedStreams();
    void everyTruncationFailsCleanly();
    void addInClassesAreNamed();
    void nextRecordPositionSkipsUnknownData();
    void endTagStopsReading();
    void reportFormWrapper();
    void reportFormWithBadLength();
};

void TestReportStream::handBuiltStreamLoadsEveryField()
{
    ScriptedDialogs dialogs;
    TfrReport report;
    QVERIFY2(report.LoadFromStream(handBuiltStream()), qPrintable(report.errorString()));
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(report.PrinterName, QStringLiteral("虚拟打印机"));
    QVERIFY(!report.PrintToDefault);
    QVERIFY(!report.DoublePass);
    QCOMPARE(report.Pages().Count(), 2);

    const TfrPage &first = report.Pages()[0];
    QCOMPARE(first.pgSize, 9);
    QCOMPARE(first.pgWidth, 2101);
    QCOMPARE(first.pgHeight, 2969);
    QCOMPARE(QList<int>({first.LeftMargin, first.TopMargin, first.RightMargin, first.BottomMargin}),
             QList<int>({90, 79, 54, 54}));
    QCOMPARE(first.pgOr, quint8(0));
    QCOMPARE(first.pgBin, 65535);
    QVERIFY(!first.PrintToPrevPage);
    QVERIFY(first.UseMargins);
    QCOMPARE(first.ColCount, 1);
    QCOMPARE(first.PageType, quint8(0));
    QVERIFY(first.Name.isEmpty());
    QVERIFY(!first.HasScript);
    QCOMPARE(first.Objects().size(), 3);

    const TfrPage &second = report.Pages()[1];
    QCOMPARE(second.Name, QStringLiteral("Page1"));
    QVERIFY(second.HasScript);
    QCOMPARE(second.pgSize, 9);
    QCOMPARE(second.Script, QStringList({"begin", "end"}));
    QCOMPARE(second.Objects().size(), 2);

    auto *memo = dynamic_cast<TfrMemoView *>(first.Objects()[0]);
    QVERIFY(memo);
    QCOMPARE(memo->Name, QStringLiteral("edtHXCF"));
    QCOMPARE(QList<int>({memo->x, memo->y, memo->dx, memo->dy}), QList<int>({100, 200, 300, 40}));
    QCOMPARE(memo->Flags, quint16(0x53));
    QCOMPARE(memo->FrameTyp, quint16(0x03));
    QCOMPARE(memo->FrameWidth, 2.0);
    QCOMPARE(memo->FrameColor, 0xFF);
    QCOMPARE(memo->FrameStyle, quint16(1));
    QCOMPARE(memo->FillColor, clNone);
    QCOMPARE(memo->Memo(), QStringList({"第一行", "second [PAGE#]"}));
    QVERIFY(memo->Script.isEmpty());
    QVERIFY(memo->Visible);
    QCOMPARE(memo->Tag, QStringLiteral("tag"));
    QCOMPARE(memo->gapx, 2);
    QCOMPARE(memo->gapy, 1);
    QCOMPARE(memo->BandAlign, quint8(baWidth));
    QCOMPARE(memo->FontName, QStringLiteral("宋体"));
    QCOMPARE(memo->FontSize, 10);
    QCOMPARE(memo->FontStyle, quint16(fsBold));
    QCOMPARE(memo->FontColor, 0x112233);
    QCOMPARE(memo->Alignment, 10);
    QCOMPARE(memo->Charset, quint16(134));
    QCOMPARE(memo->Highlight, QByteArray("\1\2\3\4\5\6\7\x08\x09\x0A", 10));
    QCOMPARE(memo->HighlightStr, QStringLiteral("[V] > 0"));
    QCOMPARE(memo->LineSpacing, 2);
    QCOMPARE(memo->CharacterSpacing, 1);
    QVERIFY(memo->ClassTail.isEmpty());

    auto *picture = dynamic_cast<TfrPictureView *>(first.Objects()[1]);
    QVERIFY(picture);
    QCOMPARE(picture->ClassTail, QByteArray("\x01\x02\x03", 3));

    auto *old = dynamic_cast<TfrMemoView *>(first.Objects()[2]);
    QVERIFY(old);
    QCOMPARE(old->ObjectVersion, quint8(1));
    QCOMPARE(old->BandAlign, quint8(0));
    QCOMPARE(old->FontName, QStringLiteral("黑体"));
    QCOMPARE(old->FontSize, 16);

    auto *band = dynamic_cast<TfrBandView *>(second.Objects()[0]);
    QVERIFY(band);
    QCOMPARE(band->BandType(), int(btMasterData));
    QCOMPARE(band->DataSource(), QStringLiteral("1"));
    QCOMPARE(band->Flags, quint16(0x39));
    QCOMPARE(band->ChildBand, QStringLiteral("Child1"));
    QCOMPARE(band->Columns, 2);
    QCOMPARE(band->ColumnWidth, 250);
    QCOMPARE(band->ColumnGap, 30);
    QCOMPARE(band->NewColumnAfter, 4);
    QCOMPARE(band->Master, QStringLiteral("MasterBand"));

    auto *line = dynamic_cast<TfrLineView *>(second.Objects()[1]);
    QVERIFY(line);
    QCOMPARE(line->FrameWidth, 1.5);
    QCOMPARE(line->dx, 604);
    QCOMPARE(report.DictionaryMarker, qint16(-2));
    QCOMPARE(report.FindObject(QStringLiteral("line1")), line);
}

void TestReportStream::handBuiltStreamWritesBackIdentically()
{
    ScriptedDialogs dialogs;
    TfrReport report;
    const QByteArray stream = handBuiltStream();
    QVERIFY(report.LoadFromStream(stream));
    const QByteArray written = report.SaveToStream();
    QCOMPARE(written.size(), stream.size());
    QCOMPARE(written.toHex(), stream.toHex());
}

void TestReportStream::writtenStreamRoundTrips()
{
    ScriptedDialogs dialogs;
    TfrReport report;
    report.PrinterName = QStringLiteral("Office");
    report.PrintToDefault = true;
    TfrPage &page = report.Pages().Add();
    page.pgOr = 1;
    page.Name = QStringLiteral("页一");
    auto *memo = new TfrMemoView;
    memo->Name = QStringLiteral("memSYZ");
    memo->SetText(QStringLiteral("一\r\n\r\nlast € 𠀀"));
    memo->FrameWidth = 0.25;
    memo->Visible = false;
    page.Add(memo);
    auto *empty = new TfrMemoView;
    page.Add(empty);
    TfrPage &attachment = report.Pages().Add();
    attachment.Script = QStringList{QStringLiteral("x := 1;")};
    auto *band = new TfrBandView;
    band->SetBandType(btMasterData);
    band->ObjectSubVersion = 1;
    band->Master = QStringLiteral("m");
    attachment.Add(band);
    attachment.Add(new TfrLineView);
    attachment.Add(new TfrPictureView);

    const QByteArray first = report.SaveToStream();
    TfrReport again;
    QVERIFY(again.LoadFromStream(first));
    const QByteArray second = again.SaveToStream();
    QCOMPARE(second.toHex(), first.toHex());
    QCOMPARE(again.Pages()[0].pgOr, quint8(1));
    QCOMPARE(again.Pages()[0].Name, QStringLiteral("页一"));
    QCOMPARE(again.Pages()[0].Objects()[0]->Memo(), QStringList({"一", "", "last € 𠀀"}));
    QCOMPARE(again.Pages()[0].Objects()[0]->FrameWidth, 0.25);
    QVERIFY(!again.Pages()[0].Objects()[0]->Visible);
    QVERIFY(again.Pages()[1].HasScript);
    QCOMPARE(dynamic_cast<TfrBandView *>(again.Pages()[1].Objects()[0])->Master, QStringLiteral("m"));
    QVERIFY(again.PrintToDefault);
    QVERIFY(dialogs.messages.isEmpty());
}

void TestReportStream::stringsInTheNationalCodePage()
{
    TfrReport report;
    TfrPage &page = report.Pages().Add();
    auto *memo = new TfrMemoView;
    memo->Name = QStringLiteral("药品");
    page.Add(memo);
    const QByteArray stream = report.SaveToStream();
    // 药品 in GB18030, preceded by its byte length 4 and followed by a 0.
    QVERIFY(stream.contains(QByteArray::fromHex("0400d2a9c6b700")));
}

void TestReportStream::longLinesAreKept()
{
    // A line longer than a string length can give is stored as several lines.
    TfrReport report;
    TfrPage &page = report.Pages().Add();
    auto *memo = new TfrMemoView;
    const QString longLine = QString(40000, QChar(0x836F)); // 80000 bytes
    memo->AddLine(longLine);
    page.Add(memo);
    TfrReport again;
    QVERIFY(again.LoadFromStream(report.SaveToStream()));
    const QStringList lines = again.Pages()[0].Objects()[0]->Memo();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.join(QString()), longLine);
}

void TestReportStream::refusedVersions_data()
{
    QTest::addColumn<int>("version");
    QTest::newRow("25") << 25;
    QTest::newRow("255") << 255;
    QTest::newRow("23") << 23;
    QTest::newRow("21") << 21;
    QTest::newRow("below 21 counts as 21") << 0;
}

void TestReportStream::refusedVersions()
{
    QFETCH(int, version);
    ScriptedDialogs dialogs;
    TfrReport report;
    report.Pages().Add();
    QByteArray stream = handBuiltStream();
    stream[0] = char(version);
    QVERIFY(!report.LoadFromStream(stream));
    QCOMPARE(report.Pages().Count(), 0);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].caption, QStringLiteral("错误"));
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("不支持的FRF格式"));
    QCOMPARE(dialogs.messages[0].kind, MessageKind::Error);
    QVERIFY(!report.errorString().isEmpty());
}

void TestReportStream::damagedStreams_data()
{
    QTest::addColumn<QByteArray>("stream");
    const QByteArray good = handBuiltStream();
    StreamBuilder header;
    header.u8(24).u16(0).u16(0).str(QString());
    const QByteArray head = header.data();
    StreamBuilder onePage;
    onePage.raw(head);
    pageRecord(onePage, QString(), nullptr);
    const QByteArray page = onePage.data();

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("object type 11") << page + QByteArray(1, char(11));
    QTest::newRow("object type 7") << page + QByteArray(1, char(7));
    {
        StreamBuilder b;
        b.raw(page);
        objectHead(b, 0, 3, QStringLiteral("x"), 2, 0, 0, 0, 1, 1, 0, 0, 1, QString(), {}, 0);
        memoData(b, QStringLiteral("Arial"), 10, 0, 0);
        QTest::newRow("page index beyond the pages") << b.data();
    }
    {
        StreamBuilder b;
        b.raw(page);
        objectHead(b, 0, 0, QStringLiteral("x"), 2, 0, 0, 0, 1, 1, 0, 0, 1, QString(), {}, 0);
        QTest::newRow("object without its memo data") << b.data();
    }
    {
        StreamBuilder b;
        b.raw(page);
        const qint64 next = objectHead(b, 0, 0, QStringLiteral("x"), 2, 0, 0, 0, 1, 1, 0, 0, 1, QString(), {}, 0);
        memoData(b, QStringLiteral("Arial"), 10, 0, 0);
        b.patch32(next, 5);
        QTest::newRow("next position backwards") << b.data();
        b.patch32(next, b.pos() - 3);
        QTest::newRow("next position inside the object") << b.data();
        b.patch32(next, b.pos() + 100);
        QTest::newRow("next position beyond the end") << b.data();
        b.patch32(next, -7);
        QTest::newRow("negative next position") << b.data();
    }
    {
        StreamBuilder b;
        b.raw(page).u8(254).u16(0xFFFE).i32(1).i32(0).i32(0);
        QTest::newRow("data dictionary with variables") << b.data();
    }
    {
        StreamBuilder b;
        b.raw(head).u8(255).i32(9).u16(0xFFFF);
        QTest::newRow("page record cut short") << b.data();
    }
    {
        StreamBuilder b;
        b.u16(0xFFFF).u8(0);
        // A printer name claiming 65535 bytes.
        QTest::newRow("string longer than the stream") << (QByteArray(1, char(24)) + QByteArray(4, '\0') + b.data());
    }
    QTest::newRow("truncated inside the dictionary") << good.left(good.size() - 5);
}

void TestReportStream::damagedStreams()
{
    QFETCH(QByteArray, stream);
    ScriptedDialogs dialogs;
    TfrReport report;
    report.Pages().Add().Add(new TfrMemoView);
    QVERIFY(!report.LoadFromStream(stream));
    // Pages cleared, one new empty page, the engine's message.
    QCOMPARE(report.Pages().Count(), 1);
    QVERIFY(report.Pages()[0].Objects().isEmpty());
    QVERIFY(report.Pages()[0].Name.isEmpty());
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].caption, QStringLiteral("错误"));
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("不支持的FRF格式"));
    QVERIFY2(!report.errorString().isEmpty(), "the reader tells why");
}

void TestReportStream::everyTruncationFailsCleanly()
{
    // Cut at every length: either the records read so far end exactly at a
    // record boundary (and load), or the load fails by the rules.
    ScriptedDialogs dialogs;
    const QByteArray stream = handBuiltStream();
    int loaded = 0;
    for (qsizetype n = 0; n < stream.size(); ++n) {
        dialogs.clear();
        TfrReport report;
        if (report.LoadFromStream(stream.left(n))) {
            ++loaded;
            QVERIFY(dialogs.messages.isEmpty());
        } else {
            QCOMPARE(report.Pages().Count(), 1);
            QCOMPARE(dialogs.messages.size(), 1);
        }
    }
    // Record boundaries: after the header, both pages and the five objects.
    QCOMPARE(loaded, 8);
}

void TestReportStream::addInClassesAreNamed()
{
    ScriptedDialogs dialogs;
    StreamBuilder b;
    b.u8(24).u16(0).u16(0).str(QString());
    pageRecord(b, QString(), nullptr);
    for (const char *cls : {"TfrCheckBoxView", "TfrBarCodeView", "TfrCheckBoxView"}) {
        b.u8(10).str(QString::fromLatin1(cls)).u8(0);
        const qint64 next = b.pos();
        b.i32(0).raw(QByteArray(30, 'z'));
        b.patch32(next, b.pos());
    }
    b.u8(254).u16(0xFFFE).i32(0).i32(0).i32(0);
    TfrReport report;
    QVERIFY(!report.LoadFromStream(b.data()));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].caption, QStringLiteral("错误"));
    QCOMPARE(dialogs.messages[0].text,
             QStringLiteral("Report contains the following non-plugged components:\r"
                            "TfrCheckBoxView\rTfrBarCodeView\r"
                            "You must include these components into your project."));
    QCOMPARE(report.Pages().Count(), 1);
    QVERIFY(report.Pages()[0].Objects().isEmpty());
}

void TestReportStream::nextRecordPositionSkipsUnknownData()
{
    // A memo followed by data this engine does not know: the next-record
    // position leads past it, and the bytes come back when written.
    ScriptedDialogs dialogs;
    StreamBuilder b;
    b.u8(24).u16(0).u16(0).str(QString());
    pageRecord(b, QString(), nullptr);
    const qint64 next = objectHead(b, 0, 0, QStringLiteral("m"), 2, 0, 1, 2, 3, 4, 0x43, 0, 1, QString(), {}, 0);
    memoData(b, QStringLiteral("Arial"), 10, 0, 0);
    b.raw(QByteArray("future", 6));
    b.patch32(next, b.pos());
    b.u8(254).u16(0xFFFE).i32(0).i32(0).i32(0);
    TfrReport report;
    QVERIFY(report.LoadFromStream(b.data()));
    QCOMPARE(report.Pages()[0].Objects()[0]->ClassTail, QByteArray("future"));
    QCOMPARE(report.SaveToStream().toHex(), b.data().toHex());
}

void TestReportStream::endTagStopsReading()
{
    ScriptedDialogs dialogs;
    StreamBuilder b;
    b.u8(24).u16(0).u16(0).str(QString());
    pageRecord(b, QStringLiteral("A"), nullptr);
    b.u8(253);
    pageRecord(b, QStringLiteral("after the end"), nullptr);
    TfrReport report;
    QVERIFY(report.LoadFromStream(b.data()));
    QCOMPARE(report.Pages().Count(), 1);
    QVERIFY(report.EndTag);
}

void TestReportStream::reportFormWrapper()
{
    ScriptedDialogs dialogs;
    TfrReport report;
    report.setStoreInDFM(true);
    QVERIFY(report.LoadFromStream(handBuiltStream()));
    const QByteArray form = report.reportForm();
    const QByteArray stream = report.SaveToStream();
    StreamBuilder expected;
    expected.i32(24).i32(stream.size()).raw(stream);
    QCOMPARE(form.toHex(), expected.data().toHex());

    TfrReport loaded;
    loaded.setStoreInDFM(true);
    loaded.setReportForm(form);
    QCOMPARE(loaded.SaveToStream().toHex(), stream.toHex());
    // The marker is read and ignored.
    QByteArray otherMarker = form;
    otherMarker[0] = 7;
    TfrReport again;
    again.setStoreInDFM(true);
    again.setReportForm(otherMarker);
    QCOMPARE(again.Pages().Count(), 2);
    // Through Qt's property system, as a form's stored properties are applied.
    TfrReport byProperty;
    QVERIFY(byProperty.setProperty("StoreInDFM", true));
    QVERIFY(byProperty.setProperty("ReportForm", form));
    QCOMPARE(byProperty.Pages().Count(), 2);
    QCOMPARE(byProperty.property("ReportForm").toByteArray().toHex(), form.toHex());
    QVERIFY(dialogs.messages.isEmpty());
}

void TestReportStream::reportFormWithBadLength()
{
    ScriptedDialogs dialogs;
    StreamBuilder b;
    b.i32(24).i32(100000).raw(handBuiltStream());
    TfrReport report;
    report.setStoreInDFM(true);
    report.setReportForm(b.data());
    QCOMPARE(report.Pages().Count(), 1);
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("不支持的FRF格式"));
    dialogs.clear();
    report.setReportForm(QByteArray("\x18\0", 2));
    QCOMPARE(dialogs.messages.size(), 1);
}

DZSB_TEST_MAIN(TestReportStream)
#include "test_report_stream.moc"
