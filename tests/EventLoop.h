// Running the Qt event loop from tests: until a condition holds, or for a while.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

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
