#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace vardex::testing {

// Runs `modal` (a dialog's exec(), a menu entry that opens a modal window)
// with `drive` working it from inside its loop. A window still modal at the
// deadline is closed and fails the test, so a stuck dialog cannot hang it.
inline void runDriven(const std::function<void()> &modal, const std::function<void()> &drive)
{
    bool timedOut = false;
    QTimer start, deadline;
    QObject::connect(&start, &QTimer::timeout, drive);
    QObject::connect(&deadline, &QTimer::timeout, [&] {
        timedOut = true;
        if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            dialog->QDialog::done(-1); // past a reject() that keeps it open
    });
    start.setSingleShot(true);
    start.start(0);
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
