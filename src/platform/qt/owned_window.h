// Windows owned by the main window that stay open beside it (the IC editor, the IC library, the
// logic analyser's windows): the window system keeps them above their owner, and they show wholly
// on the screen that shows the owner.
#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace kardo {

// The window type an owned window is made with: a dialog-type window with its owner as parent,
// which the window system keeps above the owner (on X11 it is marked transient for it).
inline constexpr Qt::WindowType kOwnedWindowType = Qt::Dialog;

// frame moved inside area where it reaches out of it; a frame larger than area is cut down to it.
QRect FitInside(const QRect& frame, const QRect& area);

// Keeps window, an owned window, wholly on the screen that shows its owner: each time it is shown
// or resized its frame is moved inside that screen's available area (a stored or chosen place that
// no longer fits moves in). Shown for the first time without a place of its own, it is centred
// over its owner. The watcher belongs to window.
void KeepOnOwnerScreen(QWidget& window);

// Moves window inside its owner's screen now, as KeepOnOwnerScreen does when it is shown.
void FitOnOwnerScreen(QWidget& window);

// The frame margins of window; before the window system has framed it, those of its owner.
QMargins FrameMarginsOf(const QWidget& window);

// The width a title bar needs to show caption whole: the text in the title bar's bold font, the
// window's icon and its three keys.
int CaptionWidth(const QWidget& window);

} // namespace kardo
