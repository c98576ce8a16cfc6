#include "picker/frmwait.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tintwell {

frmWait::frmWait(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      m_percent(new QLabel(QStringLiteral("100% Done"), this))
{
    setWindowTitle(QStringLiteral("Sampling Colors..."));
    setWindowModality(Qt::NonModal);
    m_percent->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_percent);
    setFixedSize(200, 60);
}

void frmWait::setProgress(const QString &text)
{
    m_percent->setText(text);
    emit progressShown(text);
}

} // namespace tintwell
