#include "platform/ui/PlainButtons.h"

#include <QPushButton>

namespace vardex {

void makeButtonsPlain(QWidget *window)
{
    for (QPushButton *button : window->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

} // namespace vardex
