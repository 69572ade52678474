#include "widgets/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QWidget>

namespace ScreenFit {

namespace {

// Before the window manager has framed a window its frame is unknown; these
// are a common title bar and border.
const QMargins kTypicalFrame(4, 28, 4, 4);

} // namespace

QMargins frameMargins(const QWidget* window) {
    const QRect frame = window->frameGeometry();
    const QRect client = window->geometry();
    const QMargins known(client.left() - frame.left(), client.top() - frame.top(),
                         frame.right() - client.right(), frame.bottom() - client.bottom());
    return window->isVisible() && known.top() > 0 ? known : kTypicalFrame;
}

QRect availableArea(const QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QRect availableAreaAt(const QPoint& point, const QWidget* window) {
    const QScreen* screen = QGuiApplication::screenAt(point);
    return screen ? screen->availableGeometry() : availableArea(window);
}

QRect fitFrame(QRect wanted, const QRect& room) {
    if (room.isEmpty())
        return wanted;
    wanted.setWidth(qMin(wanted.width(), room.width()));
    wanted.setHeight(qMin(wanted.height(), room.height()));
    wanted.moveLeft(qBound(room.left(), wanted.left(), room.right() + 1 - wanted.width()));
    wanted.moveTop(qBound(room.top(), wanted.top(), room.bottom() + 1 - wanted.height()));
    return wanted;
}

void place(QWidget* window, const QPoint& frameTopLeft) {
    const QMargins margins = frameMargins(window);
    const QRect wanted(frameTopLeft, window->size().grownBy(margins));
    const QRect frame = fitFrame(wanted, availableAreaAt(wanted.center(), window));
    window->resize(frame.size().shrunkBy(margins).expandedTo(window->minimumSize()));
    window->move(frame.topLeft()); // a window's position is its frame's
}

void centre(QWidget* window) {
    QRect frame(QPoint(0, 0), window->size().grownBy(frameMargins(window)));
    frame.moveCenter(availableArea(window).center());
    place(window, frame.topLeft());
}

bool onScreen(const QWidget* window) {
    const QRect room = availableArea(window);
    return room.isEmpty() || room.contains(window->geometry().marginsAdded(frameMargins(window)));
}

QVBoxLayout* scrollingLayout(QWidget* owner) {
    auto* scroll = new QScrollArea(owner);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* body = new QWidget(scroll);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    scroll->setWidget(body);
    auto* whole = new QVBoxLayout(owner);
    whole->setContentsMargins(0, 0, 0, 0);
    whole->addWidget(scroll);
    return layout;
}

} // namespace ScreenFit
