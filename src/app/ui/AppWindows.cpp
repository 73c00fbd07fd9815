#include "app/ui/AppWindows.h"

#include "app/Application.h"
#include "app/ui/MainWindow.h"

namespace vardex {

void registerAppWindows(MainWindow &window, Application &app)
{
    (void)window;
    (void)app;
}

} // namespace vardex
