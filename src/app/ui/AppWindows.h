#pragma once

namespace vardex {

class Application;
class MainWindow;

// Tells the main window which window each menu entry opens.
void registerAppWindows(MainWindow &window, Application &app);

} // namespace vardex
