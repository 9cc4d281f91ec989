// The wait cursor over the program's windows for the lifetime of the object, around work
// the user waits for (loading a list, collecting a font's characters).
#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace brindle {

class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace brindle
