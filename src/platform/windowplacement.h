#pragma once
// Stored window positions are those of the frame, as QWidget::pos() reads
// them. Before a window is shown on X11 its frame is not known, and a window
// manager may put the client, not the frame, at the position asked for: the
// window would then creep by its title bar on every start. This puts the
// frame there, correcting once when the window manager has framed it.

#include <QPoint>

class QWidget;

namespace tintwell {

void PlaceFrameAt(QWidget *window, QPoint framePos);

} // namespace tintwell
