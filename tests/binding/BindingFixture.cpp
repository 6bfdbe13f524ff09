#include "BindingFixture.h"

#include "CommandGuard.h"
#include "ControlAdapter.h"
#include "DatePicker.h"
#include "TUIHelper.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <unistd.h>

namespace {

template <typename W>
W *add(QWidget *parent, const QString &name)
{
    auto *w = new W(parent);
    w->setObjectName(name);
    if (parent->layout())
        parent->layout()->addWidget(w);
    return w;
}

} // namespace

TestForm::TestForm()
{
    setObjectName(QStringLiteral("FrmTest"));
    new QVBoxLayout(this);
    for (const char *name : {"edtName", "edtDep1", "edtDep2", "edtSub"})
        add<QLineEdit>(this, QLatin1String(name));
    add<QPlainTextEdit>(this, QStringLiteral("memNote"));
    add<QComboBox>(this, QStringLiteral("cbxKind"));
    add<CountingCheckBox>(this, QStringLiteral("ckbUrgent"));
    add<CountingCheckBox>(this, QStringLiteral("ckbSubCtl"));
    auto *options = add<QWidget>(this, QStringLiteral("pnlOptions"));
    new QVBoxLayout(options);
    for (const char *name : {"ckbOptA", "ckbOptB", "ckbOptC"})
        add<QCheckBox>(options, QLatin1String(name));
    auto *panel = add<QWidget>(this, QStringLiteral("pnlSex"));
    new QVBoxLayout(panel);
    auto *group = new QButtonGroup(panel);
    group->setObjectName(QStringLiteral("pnlSex"));
    for (const char *name : {"rdbMale", "rdbFemale", "rdbOther"})
        group->addButton(add<CountingRadioButton>(panel, QLatin1String(name)));
    add<DatePicker>(this, QStringLiteral("dtpDate"));
    // A second widget of an existing name (other letter case), created later.
    add<QLineEdit>(this, QStringLiteral("EDTNAME"));
}

QObject *TestForm::control(const QString &name) const
{
    return findChild<QWidget *>(name);
}

void TestForm::closeEvent(QCloseEvent *event)
{
    ++closeCount;
    QWidget::closeEvent(event);
}

QString makeDocument(const QString &relations, const QString &items, const QString &fields,
                     const QString &typeTag)
{
    QString xml = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<config>\n"
                                 "<config-type value=\"%1\"/>\n").arg(typeTag);
    const std::pair<const char *, const QString *> sections[] = {
        {"ui-relation", &relations}, {"ui-data", &items}, {"data-fields", &fields}};
    for (const auto &[tag, content] : sections) {
        if (*content != QLatin1String("-"))
            xml += QStringLiteral("<%1>%2</%1>\n").arg(QLatin1String(tag), *content);
    }
    return xml + QStringLiteral("</config>\n");
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

QString describe(const QObject *control)
{
    switch (Controls::kindOf(control)) {
    case ControlKind::Edit:
    case ControlKind::Memo:
        return QStringLiteral("text=") + Controls::text(control);
    case ControlKind::CheckBox:
    case ControlKind::RadioButton:
        return Controls::isChecked(control) ? QStringLiteral("on") : QStringLiteral("off");
    case ControlKind::DatePicker: {
        auto *p = static_cast<const DatePicker *>(control);
        return p->hasDate() ? QStringLiteral("date=") + p->date().toString(Qt::ISODate)
                            : QStringLiteral("nodate");
    }
    case ControlKind::ComboBox: {
        auto *c = static_cast<const QComboBox *>(control);
        QStringList items;
        for (int i = 0; i < c->count(); ++i)
            items << c->itemText(i);
        return QStringLiteral("items=%1 sel=%2").arg(items.join(QLatin1Char('|')), c->currentText());
    }
    case ControlKind::Other:
        break;
    }
    return QStringLiteral("?");
}

void applyState(QObject *control, const QString &state)
{
    if (state.startsWith(QLatin1String("text=")))
        Controls::setText(control, state.mid(5));
    else if (state == QLatin1String("on") || state == QLatin1String("off"))
        Controls::setChecked(control, state == QLatin1String("on"));
    else if (state.startsWith(QLatin1String("date=")))
        static_cast<DatePicker *>(control)->setDate(QDate::fromString(state.mid(5), Qt::ISODate));
    else if (state == QLatin1String("nodate"))
        static_cast<DatePicker *>(control)->setHasDate(false);
    else if (state.startsWith(QLatin1String("sel=")))
        Controls::setSelectedIndex(control, Controls::findItem(control, state.mid(4)));
    else if (state.startsWith(QLatin1String("items="))) {
        const QStringList items = state.mid(6).split(QLatin1Char('|'));
        Controls::clearItems(control);
        for (const QString &item : items)
            Controls::addItem(control, item);
    }
}

bool loadDocument(TUIHelper &helper, const QTemporaryDir &dir, const QByteArray &xml,
                  const QString &typeTag)
{
    helper.FFileName = writeFile(dir, QStringLiteral("doc.xml"), xml);
    return RunGuarded([&] { helper.LoadConfig(typeTag); });
}

void asUnprivilegedUser(const std::function<void()> &code)
{
    struct Drop {
        // The real user changes too, since access() checks it; the saved
        // user stays root so that the privileges can be taken back.
        bool root = geteuid() == 0;
        Drop()
        {
            if (root && setresuid(65534, 65534, 0) != 0)
                qFatal("cannot drop privileges");
        }
        ~Drop()
        {
            if (root && setresuid(0, 0, 0) != 0)
                qFatal("cannot regain privileges");
        }
    } drop;
    code();
}
