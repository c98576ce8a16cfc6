#pragma once
// The About box.

#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;

namespace tintwell {

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);
    static QUrl websiteUrl() { return QUrl(QStringLiteral("https://tintwell.example.org/")); }
    QLabel *lblWebsiteLink() const { return m_link; }
    // Opens the web page; QDesktopServices unless a test puts its own here.
    std::function<void(const QUrl &)> openUrl;

private:
    QLabel *m_link = nullptr;
};

// The program's icon, drawn rather than loaded so it scales to any size.
QPixmap programIcon(int size);

} // namespace tintwell
