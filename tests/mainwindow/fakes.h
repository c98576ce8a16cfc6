#pragma once
// Hand-driven stand-ins for the repeat timer and the pointer.
#include "mainwindow/sliderrow.h"

namespace tintwell::testing {

class FakeTimer : public RepeatTimer
{
public:
    void start() override { active = true; ++starts; }
    void stop() override { active = false; }
    bool isActive() const override { return active; }
    void setInterval(int ms) override { ms_ = ms; }
    int interval() const override { return ms_; }
    void fire() { if (onTimeout) onTimeout(); }

    bool active = false;
    int starts = 0;
    int ms_ = 0;
};

class FakePointer : public PointerState
{
public:
    Qt::MouseButtons buttons() const override { return held; }
    QPoint globalPos() const override { return pos; }
    Qt::MouseButtons held = Qt::LeftButton;
    QPoint pos;
};

} // namespace tintwell::testing
