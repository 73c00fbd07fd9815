#pragma once

#include <QApplication>
#include <QKeyEvent>

namespace vardex::testing {

// Presses and releases `key` in `widget` as the operator would: a key the
// widget does not take goes on to its parents and its window.
inline void pressKey(QWidget *widget, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

} // namespace vardex::testing
