#pragma once

#include <functional>

class Application;
class EngineFactory;
namespace forms {
class FileDialogs;
class MessageBoxes;
}  // namespace forms

// The program's run, shared by main() and the test that drives the real program.
namespace program {

// What the program needs of the Qt application before any window: its name and version, the C
// numeric locale libmpv needs, the design font; and closing the last window does not end it.
void prepare();

// Builds the application on the engines and dialogs, shows the start-up window and runs until
// the program ends (Exit's "Yes", the login's Cancel, closing the main window). `started` runs
// once the start-up window is up. Returns the exit status.
int run(EngineFactory& engines, forms::MessageBoxes& messages, forms::FileDialogs& fileDialogs,
        const std::function<void(Application&)>& started = {});

}  // namespace program
