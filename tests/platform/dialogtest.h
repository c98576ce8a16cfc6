#pragma once
// Runs an action on the next modal dialog once it is up, then lets exec() go on.
//
// A file dialog fills its folder view from another thread, so an accept() that
// comes first can be refused and leave the dialog open: the action is repeated
// while the dialog stays up. Nothing waits for ever: past the deadline the test
// fails with a message, and a dialog still open is rejected so exec() returns.

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace tintwell::test {

template<typename Dialog>
void whenModalShows(std::function<void(Dialog &)> action, int deadlineMs = 30000)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    const QDeadlineTimer deadline(deadlineMs);
    QObject::connect(timer, &QTimer::timeout, [timer, action, deadline, deadlineMs] {
        auto finish = [timer] {
            timer->stop();
            timer->deleteLater();
        };
        QPointer<Dialog> d = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (deadline.hasExpired()) {
            if (d) {
                ADD_FAILURE() << "the dialog \"" << d->windowTitle().toStdString()
                              << "\" was still open " << deadlineMs << " ms after the test began waiting";
                d->reject();
            } else {
                ADD_FAILURE() << "no modal dialog appeared within " << deadlineMs << " ms";
            }
            finish();
            return;
        }
        if (!d)
            return;
        action(*d);
        if (!d || !d->isVisible())
            finish();
    });
    timer->start();
}

} // namespace tintwell::test
