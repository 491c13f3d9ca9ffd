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

// The normal pointer over an hourglass for a while, as a scope guard: a message that waits
// for the user while a reader is under way waits with the pointer the user expects, and
// the hourglass comes back when it closes.
class NormalPointer {
public:
    NormalPointer() { QGuiApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalPointer() { QGuiApplication::restoreOverrideCursor(); }
    NormalPointer(const NormalPointer &) = delete;
    NormalPointer &operator=(const NormalPointer &) = delete;
};
