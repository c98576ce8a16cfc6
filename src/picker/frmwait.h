#pragma once
// "Sampling Colors..." while a large area is averaged.

#include <QWidget>

class QLabel;

namespace tintwell {

class frmWait : public QWidget
{
    Q_OBJECT
public:
    explicit frmWait(QWidget *parent = nullptr);
    QLabel *lblPercent() const { return m_percent; }
    void setProgress(const QString &text);

signals:
    void progressShown(const QString &text);

private:
    QLabel *m_percent;
};

} // namespace tintwell
