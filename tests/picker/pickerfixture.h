#pragma once
// A picker panel with the Picker menu's items, reading the screen the test
// gives it and moving the pointer the test's way; its colours are collected.
#include "picker/pickerpanel.h"

#include "core/usermessages.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace tintwell::testing {

struct PickerFixture : ::testing::Test {
    RecordingMessages messages;
    std::unique_ptr<QWidget> frame;
    QMenu *menu = nullptr;
    std::array<QAction *, kSampleSizeCount> samples{};
    std::array<QAction *, kZoomCount> zooms{};
    std::unique_ptr<PickerPanel> panel;
    QList<std::int32_t> colours;

    virtual void pointTo(QPoint p) = 0;

    void build(ScreenGrabber &screen)
    {
        panel.reset();
        frame = std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint);
        frame->setGeometry(600, 400, 70, 121); // away from what the X11 tests show
        menu = new QMenu(frame.get());
        for (QAction *&a : samples)
            a = menu->addAction(QString());
        for (QAction *&a : zooms)
            a = menu->addAction(QString());
        panel = std::make_unique<PickerPanel>(frame.get(), menu, samples, zooms, screen, messages);
        colours.clear();
        QObject::connect(panel.get(), &PickerPanel::colorChosen, [this](std::int32_t c) { colours.append(c); });
        frame->show();
    }
    QWidget *zoom() const { return panel->picZoom(); }
    void press(Qt::MouseButton b) { QTest::mousePress(zoom(), b, {}, QPoint(5, 5)); }
    void release(Qt::MouseButton b) { QTest::mouseRelease(zoom(), b, {}, QPoint(5, 5)); }
    void click(QPoint p)
    {
        pointTo(p);
        press(Qt::LeftButton);
        release(Qt::LeftButton);
    }
    void moveTo(QPoint p, Qt::MouseButtons held)
    {
        pointTo(p);
        emit panel->picZoom()->moved(held);
    }
    // Left press at `from`, the right button as the anchor, a move to `to`.
    void startArea(QPoint from, QPoint to)
    {
        pointTo(from);
        press(Qt::LeftButton);
        press(Qt::RightButton);
        moveTo(to, Qt::LeftButton | Qt::RightButton);
    }
};

} // namespace tintwell::testing
