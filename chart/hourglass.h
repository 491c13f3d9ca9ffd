// The hourglass pointer while Kavora reads or draws, as a scope guard: however the work
// ends, a thrown failure included, the pointer the user had comes back.
#pragma once

#include <QGuiApplication>

class Hourglass {
public:
    Hourglass() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Hourglass() { QGuiApplication::restoreOverrideCursor(); }
    Hourglass(const Hourglass &) = delete;
    Hourglass &operator=(const Hourglass &) = delete;
};
