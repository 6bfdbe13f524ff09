// Tests of the codec library: Base64, code page, check code, program
// directory, SplitBySeparator, the disable/enable rules on every control kind,
// and the file dialogs' filters.
#include "Base64.h"
#include "CodePage.h"
#include "CommandGuard.h"
#include "AppError.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "Helpers.h"
#include "Platform.h"
#include "QtDialogs.h"
#include "ScriptedDialogs.h"
#include "TestMain.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <unistd.h>

class TestCodec : public QObject {
    Q_OBJECT
private slots:
    void encodeLengths_data();
    void encodeLengths();
    void decodeCodes_data();
    void decodeCodes();
    void roundTripRandomBytes();
    void valueAndCharTables();
    void codePage();
    void checkCode();
    void programDirectory();
    void programFolderTakesFiles_data();
    void programFolderTakesFiles();
    void splitBySeparator_data();
    void splitBySeparator();
    void splitAppends();
    void disableEnableEveryKind();
    void disableCheckedRadioInExclusiveGroup();
    void commandGuardShowsError();
    void fileFilters_data();
    void fileFilters();
    void datePickerTyping_data();
    void datePickerTyping();
};

void TestCodec::encodeLengths_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("0 bytes") << QByteArray() << QByteArray();
    QTest::newRow("1 byte") << QByteArray("M") << QByteArray("TQ==");
    QTest::newRow("2 bytes") << QByteArray("Ma") << QByteArray("TWE=");
    QTest::newRow("3 bytes") << QByteArray("Man") << QByteArray("TWFu");
    QTest::newRow("high bytes") << QByteArray("\xff\xfe\x00", 3) << QByteArray("//4A");
    QTest::newRow("rfc foobar") << QByteArray("foobar") << QByteArray("Zm9vYmFy");
}

void TestCodec::encodeLengths()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArray, expected);
    TBase64 codec;
    QVERIFY(codec.strict());
    QByteArray out("garbage");
    QCOMPARE(codec.Encode(input, out), 0);
    QCOMPARE(out, expected);
    QCOMPARE(out.size(), (input.size() + 2) / 3 * 4);
    QCOMPARE(Base64EncodeString(input), expected);
}

void TestCodec::decodeCodes_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << QByteArray() << 0 << QByteArray();
    QTest::newRow("clean") << QByteArray("Zm9vYmFy") << 0 << QByteArray("foobar");
    QTest::newRow("foreign characters filtered")
        << QByteArray("Zm9v\r\n Ym-F*y\t") << 0 << QByteArray("foobar");
    QTest::newRow("padding one") << QByteArray("TWE=") << 0 << QByteArray("Ma");
    QTest::newRow("padding two") << QByteArray("TQ==") << 0 << QByteArray("M");
    QTest::newRow("filtered length 5") << QByteArray("TWFu T") << 3 << QByteArray();
    QTest::newRow("== in the middle") << QByteArray("TWFuTQ==TWFu") << 4 << QByteArray("ManM");
    QTest::newRow("= fourth in the middle") << QByteArray("TWE=TWFu") << 4 << QByteArray("Ma");
    QTest::newRow("=x at the end") << QByteArray("TWFuTQ=u") << 5 << QByteArray("ManM");
    QTest::newRow("= first in group") << QByteArray("=WFu") << 2 << QByteArray();
    QTest::newRow("= second in group") << QByteArray("TWFuT===") << 2 << QByteArray("Man");
}

void TestCodec::decodeCodes()
{
    QFETCH(QByteArray, input);
    QFETCH(int, code);
    QFETCH(QByteArray, bytes);
    TBase64 codec;
    QByteArray out("garbage");
    QCOMPARE(codec.Decode(input, out), code);
    QCOMPARE(out, bytes);
    QCOMPARE(Base64DecodeString(input), bytes);
}

void TestCodec::roundTripRandomBytes()
{
    auto *rng = QRandomGenerator::global();
    for (int round = 0; round < 300; ++round) {
        QByteArray data(int(rng->bounded(0, 200)), Qt::Uninitialized);
        for (auto &c : data)
            c = char(rng->bounded(256));
        if (round % 3 == 0 && !data.isEmpty())
            data[0] = '\0';
        if (round % 5 == 0 && !data.isEmpty())
            data[data.size() - 1] = char(0xff);
        QCOMPARE(Base64DecodeString(Base64EncodeString(data)), data);
    }
    // Chinese text with line breaks through the code page, as memos are stored.
    const QString memo = QStringLiteral("第一行\r\n第二行：①\r\n");
    QCOMPARE(CodePage::toUnicode(Base64DecodeString(Base64EncodeString(CodePage::fromUnicode(memo)))),
             memo);
}

void TestCodec::valueAndCharTables()
{
    for (int v = 0; v < 64; ++v) {
        const auto c = TBase64::EncodeValue(v);
        QVERIFY(c.has_value());
        QCOMPARE(TBase64::DecodeChar(*c).value_or(-1), v);
    }
    QVERIFY(!TBase64::EncodeValue(64));
    QVERIFY(!TBase64::EncodeValue(255));
    QVERIFY(!TBase64::DecodeChar('='));
    QVERIFY(!TBase64::DecodeChar(' '));
    QCOMPARE(TBase64::FilterText("a=b c\n-d+/"), QByteArray("a=bcd+/"));
}

void TestCodec::codePage()
{
    // GBK bytes of the marks and a common character.
    QCOMPARE(CodePage::fromUnicode(QStringLiteral("●○■□")), QByteArray("\xA1\xF1\xA1\xF0\xA1\xF6\xA1\xF5"));
    QCOMPARE(CodePage::fromUnicode(QStringLiteral("中")), QByteArray("\xD6\xD0"));
    QCOMPARE(CodePage::toUnicode(QByteArray("\xD6\xD0\xCE\xC4")), QStringLiteral("中文"));
    QCOMPARE(CodePage::byteLength(QStringLiteral("药品a\r\n")), qsizetype(7));
    // A character outside GBK survives through GB18030.
    const QString rare = QString::fromUcs4(U"\U00020000");
    QCOMPARE(CodePage::toUnicode(CodePage::fromUnicode(rare)), rare);
    // A damaged byte sequence decodes around the fault.
    QCOMPARE(CodePage::toUnicode(QByteArray("A\xD6")), QStringLiteral("A\uFFFD"));
    // The euro sign is code page 936's single byte 0x80 both ways; GB18030's
    // own code for it reads as the euro sign too.
    QCOMPARE(CodePage::fromUnicode(QStringLiteral("€1€中€")), QByteArray("\x80" "1\x80\xD6\xD0\x80"));
    QCOMPARE(CodePage::toUnicode(QByteArray("\x80" "1\x80\xD6\xD0\x80")), QStringLiteral("€1€中€"));
    QCOMPARE(CodePage::toUnicode(QByteArray("\xA2\xE3")), QStringLiteral("€"));
    QCOMPARE(CodePage::byteLength(QStringLiteral("€")), qsizetype(1));
    // Strictly: the offset of the first byte that starts no character.
    QByteArray utf8;
    qsizetype bad = -1;
    QVERIFY(CodePage::toUtf8(QByteArray("x\x80\xD6\xD0"), 0, utf8, bad));
    QCOMPARE(QString::fromUtf8(utf8), QStringLiteral("x€中"));
    QVERIFY(!CodePage::toUtf8(QByteArray("ab\xD6\xD0\xFF\xFFz"), 1, utf8, bad));
    QCOMPARE(bad, qsizetype(4));
    QCOMPARE(QString::fromUtf8(utf8), QStringLiteral("b中"));
    QVERIFY(!CodePage::toUtf8(QByteArray("a\xD6"), 0, utf8, bad));
    QCOMPARE(bad, qsizetype(1));
}

void TestCodec::checkCode()
{
    static const QRegularExpression shape(QStringLiteral("^[0-9A-F]{8}$"));
    QSet<QString> seen;
    for (int i = 0; i < 1000; ++i) {
        const QString code = NewCheckCode();
        QVERIFY2(shape.match(code).hasMatch(), qPrintable(code));
        seen.insert(code);
    }
    QVERIFY(seen.size() >= 999);
}

void TestCodec::programDirectory()
{
    const QString dir = ProgramDirectory();
    QVERIFY(dir.endsWith(QDir::separator()));
    QVERIFY(QDir::isAbsolutePath(dir));
    QCOMPARE(QDir::cleanPath(dir + QStringLiteral("YPZCSQ.xml")),
             QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/YPZCSQ.xml")));
}

// Data files stay beside the program only where it may keep files: a
// folder made read-only is read-only for root too, and root keeps no files
// in another user's folder.
void TestCodec::programFolderTakesFiles_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("takes");
    QTest::newRow("own folder") << "own" << true;
    QTest::newRow("read-only folder") << "read-only" << false;
    QTest::newRow("another user's folder") << "foreign" << false;
    QTest::newRow("no such folder") << "missing" << false;
    QTest::newRow("a file") << "file" << false;
}

void TestCodec::programFolderTakesFiles()
{
    QFETCH(QString, folder);
    QFETCH(bool, takes);
    QTemporaryDir dir;
    const QString path = dir.filePath(folder);
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                              QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther;
    if (folder == QLatin1String("file")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (folder != QLatin1String("missing")) {
        QVERIFY(QDir().mkdir(path));
    }
    if (folder == QLatin1String("read-only"))
        QVERIFY(QFile::setPermissions(path, readOnly));
    if (folder == QLatin1String("foreign")) {
        if (::geteuid() != 0)
            QSKIP("only root can give a folder to another user");
        QCOMPARE(::chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    }
    QCOMPARE(Platform::keepsFilesIn(path), takes);
    QCOMPARE(Platform::keepsFilesIn(path + QLatin1Char('/')), takes);
    QFile::setPermissions(path, readOnly | QFileDevice::WriteOwner);
}

void TestCodec::splitBySeparator_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("separator");
    QTest::addColumn<QStringList>("items");
    const QString s = kMultiChoiceSeparator;
    QTest::newRow("three") << "X|$$|Y|$$|Z" << s << QStringList{"X", "Y", "Z"};
    QTest::newRow("trailing") << "X|$$|" << s << QStringList{"X", ""};
    QTest::newRow("leading") << "|$$|X" << s << QStringList{"", "X"};
    QTest::newRow("empty") << "" << s << QStringList{""};
    QTest::newRow("adjacent") << "X|$$||$$|Y" << s << QStringList{"X", "", "Y"};
    QTest::newRow("partial separator") << "X|$Y" << s << QStringList{"X|$Y"};
    QTest::newRow("only separator") << "|$$|" << s << QStringList{"", ""};
    QTest::newRow("empty separator") << "X|$$|Y" << "" << QStringList{"X|$$|Y"};
    QTest::newRow("case-sensitive") << "aXbxc" << "x" << QStringList{"aXb", "c"};
}

void TestCodec::splitBySeparator()
{
    QFETCH(QString, text);
    QFETCH(QString, separator);
    QFETCH(QStringList, items);
    QStringList list;
    SplitBySeparator(text, list, separator);
    QCOMPARE(list, items);
}

void TestCodec::splitAppends()
{
    QStringList list{"old"};
    SplitBySeparator(QStringLiteral("A|$$|B"), list, kMultiChoiceSeparator);
    QCOMPARE(list, (QStringList{"old", "A", "B"}));
}

void TestCodec::disableEnableEveryKind()
{
    QWidget form;
    auto *edit = new QLineEdit(QStringLiteral("文本"), &form);
    auto *memo = new QPlainTextEdit(QStringLiteral("多行\n文本"), &form);
    auto *combo = new QComboBox(&form);
    combo->addItems({QStringLiteral("1类"), QStringLiteral("2类")});
    combo->setCurrentIndex(1);
    auto *check = new QCheckBox(&form);
    check->setChecked(true);
    auto *radio = new QRadioButton(&form);
    radio->setChecked(true);
    auto *picker = new DatePicker(&form);
    picker->setDate(QDate(2026, 12, 8));
    auto *group = new QGroupBox(QStringLiteral("组"), &form);
    auto *label = new QLabel(QStringLiteral("标签"), &form);

    const QList<QWidget *> all{edit, memo, combo, check, radio, picker, group, label};
    QCOMPARE(Controls::kindOf(edit), ControlKind::Edit);
    QCOMPARE(Controls::kindOf(memo), ControlKind::Memo);
    QCOMPARE(Controls::kindOf(combo), ControlKind::ComboBox);
    QCOMPARE(Controls::kindOf(check), ControlKind::CheckBox);
    QCOMPARE(Controls::kindOf(radio), ControlKind::RadioButton);
    QCOMPARE(Controls::kindOf(picker), ControlKind::DatePicker);
    QCOMPARE(Controls::kindOf(group), ControlKind::Other);

    DisableControl(nullptr); // absent control: nothing happens
    for (QWidget *w : all)
        DisableControl(w);
    for (QWidget *w : all)
        QVERIFY(!w->isEnabled());
    QCOMPARE(edit->text(), QString());
    QCOMPARE(memo->toPlainText(), QString());
    QCOMPARE(Controls::background(edit), Controls::buttonFaceColour());
    QCOMPARE(Controls::background(memo), Controls::buttonFaceColour());
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(combo->count(), 2);
    QVERIFY(!check->isChecked());
    QVERIFY(!radio->isChecked());
    QVERIFY(!picker->hasDate());
    QCOMPARE(group->title(), QStringLiteral("组"));
    QCOMPARE(label->text(), QStringLiteral("标签"));

    for (QWidget *w : all)
        EnableControl(w);
    for (QWidget *w : all)
        QVERIFY(w->isEnabled());
    // Nothing that was cleared comes back; edit boxes turn to the window colour.
    QCOMPARE(edit->text(), QString());
    QCOMPARE(Controls::background(edit), Controls::windowColour());
    QCOMPARE(Controls::background(memo), Controls::windowColour());
    QCOMPARE(combo->currentIndex(), -1);
    QVERIFY(!check->isChecked());
    QVERIFY(!radio->isChecked());
    QVERIFY(!picker->hasDate());

    // A picker without a check box always holds a date.
    auto *fixed = new DatePicker(&form);
    fixed->setShowCheckBox(false);
    QVERIFY(fixed->hasDate());
    DisableControl(fixed);
    QVERIFY(fixed->hasDate());
    QVERIFY(!fixed->isEnabled());
}

void TestCodec::disableCheckedRadioInExclusiveGroup()
{
    QWidget panel;
    auto *a = new QRadioButton(QStringLiteral("甲"), &panel);
    auto *b = new QRadioButton(QStringLiteral("乙"), &panel);
    auto *group = new QButtonGroup(&panel);
    group->addButton(a);
    group->addButton(b);
    a->setChecked(true);
    DisableControl(a);
    QVERIFY(!a->isChecked());
    QVERIFY(!b->isChecked());
    QVERIFY(group->exclusive());
    // The group still excludes afterwards.
    EnableControl(a);
    b->setChecked(true);
    a->setChecked(true);
    QVERIFY(!b->isChecked());
}

void TestCodec::commandGuardShowsError()
{
    ScriptedDialogs dlg;
    bool after = false;
    QVERIFY(!RunGuarded([] { throw AppError(QStringLiteral("文件没有类型字段，请检查！")); }));
    QVERIFY(RunGuarded([&] { after = true; }));
    QVERIFY(after);
    QCOMPARE(dlg.messages.size(), 1);
    QCOMPARE(dlg.messages[0].text, QStringLiteral("文件没有类型字段，请检查！"));
    QCOMPARE(dlg.messages[0].kind, MessageKind::Error);
}

void TestCodec::fileFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("shown");
    // A description that shows its pattern keeps it once.
    QTest::newRow("data file") << "药品企业申请表报盘文件(*.MRT)|*.MRT" << "药品企业申请表报盘文件(*.MRT)";
    QTest::newRow("pdf, spaced") << "PDF 文件 (*.pdf)|*.pdf" << "PDF 文件 (*.pdf)";
    QTest::newRow("two patterns") << "图片(*.png;*.bmp)|*.png;*.bmp" << "图片(*.png;*.bmp)";
    // Otherwise the pattern is added, which is what Qt filters by.
    QTest::newRow("bare") << "报盘文件|*.MRT" << "报盘文件 (*.MRT)";
    QTest::newRow("other pattern shown") << "文件(*.txt)|*.MRT" << "文件(*.txt) (*.MRT)";
    QTest::newRow("two filters") << "报盘文件|*.MRT|所有文件(*.*)|*.*" << "报盘文件 (*.MRT);;所有文件(*.*)";
}

void TestCodec::fileFilters()
{
    QFETCH(QString, filter);
    QFETCH(QString, shown);
    QCOMPARE(QtDialogs::qtFilter(filter), shown);
}

void TestCodec::datePickerTyping_data()
{
    QTest::addColumn<QString>("focus"); // "tab", "backtab", or a click into "year", "month" or "day"
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("expected");

    // The picker shows 2025/3/28 before the typing.
    for (const char *focus : {"tab", "year"}) {
        auto row = [&](const char *typed, const QDate &date) {
            QTest::addRow("%s: %s", focus, typed) << QString::fromLatin1(focus) << QString::fromUtf8(typed) << date;
        };
        row("1996/12/17", QDate(1996, 12, 17));
        row("2011/6/28", QDate(2011, 6, 28));
        row("1996/1/5", QDate(1996, 1, 5));
        row("1996/01/05", QDate(1996, 1, 5));
        row("1996-1-5", QDate(1996, 1, 5));
        row("1996.10.15", QDate(1996, 10, 15));
        row("1996年12月17日", QDate(1996, 12, 17));
        row("1996／12／17", QDate(1996, 12, 17));
        row("19961217", QDate(1996, 12, 17));
        row("1996", QDate(1996, 3, 28));
        row("1700/1/2", QDate(1700, 1, 2));
    }
    QTest::newRow("backtab: 1996/12/17") << "backtab" << "1996/12/17" << QDate(1996, 12, 17);
    QTest::newRow("month: 7") << "month" << "7" << QDate(2025, 7, 28);
    QTest::newRow("month: 11/3") << "month" << "11/3" << QDate(2025, 11, 3);
    QTest::newRow("day: 5") << "day" << "5" << QDate(2025, 3, 5);
    QTest::newRow("day: 17") << "day" << "17" << QDate(2025, 3, 17);
}

// A date typed in one go into a focused picker gives that date, whether the
// picker got the focus by the keyboard or by a click into one of its parts.
void TestCodec::datePickerTyping()
{
    QFETCH(QString, focus);
    QFETCH(QString, typed);
    QFETCH(QDate, expected);

    QWidget form;
    auto *before = new QLineEdit(&form);
    auto *picker = new DatePicker(&form);
    auto *after = new QLineEdit(&form);
    after->setGeometry(0, 60, 100, 20);
    picker->setGeometry(0, 30, 160, 26);
    picker->setDate(QDate(2025, 3, 28));
    form.resize(200, 90);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *line = picker->dateEdit()->findChild<QLineEdit *>();
    QVERIFY(line);
    QCOMPARE(line->text(), QStringLiteral("2025/3/28"));
    before->setFocus();
    if (focus == QLatin1String("tab")) {
        QTest::keyClick(before, Qt::Key_Tab);
    } else if (focus == QLatin1String("backtab")) {
        after->setFocus();
        QTest::keyClick(after, Qt::Key_Backtab, Qt::ShiftModifier);
    } else {
        // A click at the middle of the part, where a user would click.
        const int part = focus == QLatin1String("year") ? 2 : focus == QLatin1String("month") ? 5 : 8;
        int x = 0;
        while (x < line->width() && line->cursorPositionAt(QPoint(x, line->height() / 2)) < part)
            ++x;
        QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(x, line->height() / 2));
    }
    QCOMPARE(QApplication::focusWidget(), picker->dateEdit());
    // As a keyboard types them; characters beyond ASCII as an input method sends them.
    for (const QChar c : typed) {
        if (c.unicode() < 0x80)
            QTest::keyClick(QApplication::focusWidget(), char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    QCOMPARE(picker->date(), expected);
    QVERIFY(picker->hasDate());
}

DZSB_TEST_MAIN(TestCodec)
#include "test_codec.moc"
