#pragma once
// The busy pointer for the length of a scope: a route search, a map read or
// written, an export. Restored however the scope ends, so that a failure
// thrown from the work never leaves the pointer busy.
#include <QCursor>
#include <QGuiApplication>

class BusyPointer {
public:
    BusyPointer() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QGuiApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};
