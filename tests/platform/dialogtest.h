#pragma once
// Runs an action on the next modal dialog once it is up. Nothing waits for ever: when no
// dialog comes up, or it is still open after the action (an accept() it refused), the test
// fails with a message at the deadline and the dialog is rejected, so exec() returns.

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
    QObject::connect(timer, &QTimer::timeout, [timer, action, deadline, deadlineMs, acted = QPointer<Dialog>(),
                                               seen = false]() mutable {
        const auto finish = [timer] { timer->stop(); timer->deleteLater(); };
        if (!seen) {
            auto *d = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!d) {
                if (deadline.hasExpired()) {
                    ADD_FAILURE() << "no modal dialog appeared within " << deadlineMs << " ms";
                    finish();
                }
                return;
            }
            seen = true;
            acted = d;
            action(*d);
        }
        if (!acted || !acted->isVisible()) {
            finish();
        } else if (deadline.hasExpired()) {
            ADD_FAILURE() << "the dialog \"" << acted->windowTitle().toStdString() << "\" was still open "
                          << deadlineMs << " ms after the test's action";
            acted->reject();
            finish();
        }
    });
    timer->start();
}

} // namespace tintwell::test
