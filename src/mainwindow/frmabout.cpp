#include "mainwindow/frmabout.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace tintwell {

QPixmap programIcon(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colours[] = {QColor(230, 40, 40), QColor(40, 180, 60), QColor(40, 90, 230)};
    const double r = size * 0.3;
    const QPointF centres[] = {{size * 0.5, size * 0.33}, {size * 0.33, size * 0.63}, {size * 0.67, size * 0.63}};
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    for (int i = 0; i < 3; ++i) {
        p.setBrush(colours[i]);
        p.setPen(Qt::NoPen);
        p.drawEllipse(centres[i], r, r);
    }
    return pm;
}

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About Tintwell"));
    openUrl = [](const QUrl &url) { QDesktopServices::openUrl(url); };
    auto *grid = new QGridLayout(this);
    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("imgIcon"));
    icon->setPixmap(programIcon(32));
    grid->addWidget(icon, 0, 0, 4, 1, Qt::AlignTop);
    auto *name = new QLabel(QStringLiteral("Tintwell"), this);
    QFont big = name->font();
    big.setBold(true);
    big.setPixelSize(16);
    name->setFont(big);
    grid->addWidget(name, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Version 3.0"), this), 1, 1);
    auto *notice = new QLabel(QStringLiteral("Copyright (C) The Tintwell developers.\n"
                                             "Free software under the GNU General Public License,\n"
                                             "version 3 or any later version."), this);
    grid->addWidget(notice, 2, 1);
    const QString address = websiteUrl().toString();
    m_link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(address), this);
    m_link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    connect(m_link, &QLabel::linkActivated, this, [this](const QString &link) {
        if (openUrl)
            openUrl(QUrl(link));
    });
    grid->addWidget(m_link, 3, 1);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(ok, 4, 1, Qt::AlignRight);
}

} // namespace tintwell
