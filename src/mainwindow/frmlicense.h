#pragma once
// The terms window shown once, on the first run.

#include <QDialog>

namespace tintwell {

class frmLicense : public QDialog
{
    Q_OBJECT
public:
    explicit frmLicense(QWidget *parent = nullptr);
    static QString agreementText();

protected:
    void showEvent(QShowEvent *event) override;
};

} // namespace tintwell
