#include "TFrmKVAbout.h"

#include "CentreOnScreen.h"
#include "TFrmMain.h"

#include <QFrame>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

TFrmKVAbout::TFrmKVAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmKVAbout"));
    setWindowTitle(QStringLiteral("关于..."));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(317, 293);
    CentreOnScreen(this);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setGeometry(8, 8, 301, 249);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setLineWidth(1);

    auto *image = new QLabel(panel);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(8, 8, 69, 233);
    image->setPixmap(picture());

    auto place = [panel](const QString &name, const QString &text, int x, int y, int w, int h) {
        auto *label = new QLabel(text, panel);
        label->setObjectName(name);
        label->setGeometry(x, y, w, h);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    };
    QFont song(QStringLiteral("宋体"));
    song.setPixelSize(16);
    place(QStringLiteral("Label1"), QStringLiteral("谢谢使用本软件!"), 113, 64, 180, 24)->setFont(song);
    QLabel *slogan = place(QStringLiteral("Label2"), QStringLiteral("规范填报　准确高效"), 96, 96, 200, 20);
    slogan->setStyleSheet(QStringLiteral("color: blue;"));
    QLabel *maker = place(QStringLiteral("Label3"),
                          QStringLiteral("电子申报软件开发组\n新版本发布：") + TFrmMain::updateSite() +
                              QStringLiteral("网站"),
                          92, 128, 200, 60);
    maker->setStyleSheet(QStringLiteral("color: blue;"));
    song.setPixelSize(12);
    maker->setFont(song);
    // The support lines are one line each: the panel leaves no room for a
    // second one. No telephone number or mailbox is invented here: support
    // comes from whoever hands the program out.
    place(QStringLiteral("Label4"), QStringLiteral("技术支持：请与本软件的发放单位联系"), 84, 204, 213, 18);
    place(QStringLiteral("Label5"), QString(), 84, 220, 213, 22);

    auto *close = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                  QStringLiteral("关闭(&O)"), this);
    close->setObjectName(QStringLiteral("BitBtn1"));
    close->setGeometry(124, 265, 75, 25);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

// A vertical banner of our own: a blue gradient with the product's name.
QPixmap TFrmKVAbout::picture()
{
    QPixmap pm(69, 233);
    QPainter p(&pm);
    QLinearGradient g(0, 0, 0, 233);
    g.setColorAt(0, QColor(0x1d, 0x4e, 0x89));
    g.setColorAt(1, QColor(0x6f, 0xa8, 0xdc));
    p.fillRect(pm.rect(), g);
    p.setPen(Qt::white);
    QFont f(QStringLiteral("黑体"));
    f.setPixelSize(26);
    f.setBold(true);
    p.setFont(f);
    const QString name = QStringLiteral("电子申报");
    for (int i = 0; i < name.size(); ++i)
        p.drawText(QRect(0, 30 + i * 44, 69, 40), Qt::AlignCenter, name.mid(i, 1));
    return pm;
}
