#include "mainwindow/frmlicense.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace tintwell {

frmLicense::frmLicense(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("License Agreement"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("Tintwell is free software. Please read the terms under which "
                                            "you may use, share and change it:"), this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto *text = new QPlainTextEdit(agreementText(), this);
    text->setReadOnly(true);
    text->setMinimumSize(420, 240);
    layout->addWidget(text);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignRight);
}

QString frmLicense::agreementText()
{
    return QStringLiteral(
        "Tintwell, a colour-selection tool\n"
        "Copyright (C) The Tintwell developers\n"
        "\n"
        "This program is free software: you can redistribute it and/or modify it under the "
        "terms of the GNU General Public License as published by the Free Software Foundation, "
        "either version 3 of the License, or (at your option) any later version.\n"
        "\n"
        "This program is distributed in the hope that it will be useful, but WITHOUT ANY "
        "WARRANTY; without even the implied warranty of MERCHANTABILITY or FITNESS FOR A "
        "PARTICULAR PURPOSE. See the GNU General Public License for more details.\n"
        "\n"
        "You should have received a copy of the GNU General Public License along with this "
        "program. If not, see <https://www.gnu.org/licenses/>.\n"
        "\n"
        "In short, the GNU GPL version 3 lets you:\n"
        "  - run the program for any purpose;\n"
        "  - study how it works and change it;\n"
        "  - give copies to others, changed or not,\n"
        "provided that copies you pass on carry the same licence and their complete source "
        "code, and that you keep the copyright and licence notices intact. The full text of "
        "the licence governs; this summary does not replace it.\n");
}

void frmLicense::showEvent(QShowEvent *event)
{
    // It comes before the main window is placed, so centre it on the screen.
    QDialog::showEvent(event);
    if (const QScreen *s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace tintwell
