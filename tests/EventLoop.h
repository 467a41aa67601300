// Running the Qt event loop from tests (until a condition holds, or for a while) and sending it input.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <functional>

// Runs the event loop until done holds or ms have passed; true when done held.
inline bool PumpUntil(const std::function<bool()>& done, int ms = 2000)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs the event loop for ms.
inline void Pump(int ms)
{
    PumpUntil([] { return false; }, ms);
}

// A key press as the window system delivers it to the widget.
inline void SendKey(QWidget* w, int key, const QString& text = QString())
{
    QKeyEvent e(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(w, &e);
}

// Mouse input as the window system delivers it, at a point of the widget.
inline void SendMouse(QWidget* w, QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::NoButton)
{
    const QPointF local(x, y);
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent e(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}
