#pragma once

class QWidget;

namespace vardex {

// A window that is not a dialog has no default button: Enter in its grid or
// in one of its fields must not press a button the operator did not mean
// (the first button of a QDialog becomes its default when it is shown).
// Call once the window's buttons exist.
void makeButtonsPlain(QWidget *window);

} // namespace vardex
