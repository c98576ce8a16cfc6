#pragma once
// Runs an action on the next modal dialog once it is up, then lets exec() go on.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace tintwell::test {

template<typename Dialog>
void whenModalShows(std::function<void(Dialog &)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto *d = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(*d);
        }
    });
    timer->start();
}

} // namespace tintwell::test
