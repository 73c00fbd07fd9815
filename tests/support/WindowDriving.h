#pragma once

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

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

// Runs `modal` (a dialog's exec(), a menu entry that opens a modal window)
// with `drive` working it from inside its loop. A window still modal at the
// deadline is closed and fails the test, so a stuck dialog cannot hang it.
inline void runDriven(const std::function<void()> &modal, const std::function<void()> &drive)
{
    bool timedOut = false;
    QTimer deadline;
    QTimer::singleShot(0, &deadline, drive);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        timedOut = true;
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->QDialog::done(-1); // past a reject() that keeps it open
    });
    deadline.setSingleShot(true);
    deadline.start(10000);
    modal();
    EXPECT_FALSE(timedOut) << "the modal window did not close";
}

// The dialog's exec() driven by `drive`; its result, -1 after the deadline.
inline int execDriven(QDialog &dialog, const std::function<void()> &drive)
{
    int result = -1;
    runDriven([&] { result = dialog.exec(); }, drive);
    return result;
}

} // namespace vardex::testing
