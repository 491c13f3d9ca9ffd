// The hourglass pointer while Kavora reads or draws, as a scope guard: however the work
// ends, a thrown failure included, the pointer the user had comes back.
#pragma once

#include <QGuiApplication>

class PointerOverride {
public:
    explicit PointerOverride(Qt::CursorShape shape) { QGuiApplication::setOverrideCursor(shape); }
    ~PointerOverride() { QGuiApplication::restoreOverrideCursor(); }
    PointerOverride(const PointerOverride &) = delete;
    PointerOverride &operator=(const PointerOverride &) = delete;
};

class Hourglass : public PointerOverride {
public:
    Hourglass() : PointerOverride(Qt::WaitCursor) {}
};

// The normal pointer over an hourglass for a while: a message that waits for the user
// while a reader is under way waits with the pointer the user expects, and the hourglass
// comes back when it closes.
class NormalPointer : public PointerOverride {
public:
    NormalPointer() : PointerOverride(Qt::ArrowCursor) {}
};
