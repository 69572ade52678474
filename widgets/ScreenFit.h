#pragma once

#include <QMargins>
#include <QRect>

class QVBoxLayout;
class QWidget;

// Keeps top-level windows wholly on the screen's available area (the screen
// less its panels): title bar, borders and all.
namespace ScreenFit {

// The window's frame around its client area: what the window manager reports
// once the window is framed, else a typical title bar and border.
QMargins frameMargins(const QWidget* window);

// The available area of the screen the window is on (or of the primary one).
QRect availableArea(const QWidget* window);

// The available area of the screen holding `point`, else as above.
QRect availableAreaAt(const QPoint& point, const QWidget* window);

// The frame `wanted` moved onto `room`, and made smaller where it is larger.
QRect fitFrame(QRect wanted, const QRect& room);

// Moves the window so that its frame, wanted with its top left corner at
// `frameTopLeft`, lies within the available area; a window larger than the
// area shrinks to it (never below its minimum size).
void place(QWidget* window, const QPoint& frameTopLeft);

// Whether the window's frame lies wholly within the available area.
bool onScreen(const QWidget* window);

// Fills `owner` with a frameless scroll area and returns the layout of the
// body it scrolls: what does not fit a lower or narrower window scrolls
// within it instead of making the window larger than the screen.
QVBoxLayout* scrollingLayout(QWidget* owner);

// As place(), centring the frame on the available area.
void centre(QWidget* window);

} // namespace ScreenFit
