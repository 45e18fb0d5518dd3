#pragma once

#include <QStringList>
#include <functional>

#include "media/MediaSource.h"

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

// Builds the application on the engines and dialogs and runs until the program ends (Exit's
// "Yes", the login's Cancel, closing the main window). Without names it shows the start-up
// window; with names it enters Standard Mode at once and opens them (see openFromOutside). The
// program takes names handed over by a later start. `started` runs once the program is up.
// Returns the exit status.
int run(EngineFactory& engines, forms::MessageBoxes& messages, forms::FileDialogs& fileDialogs,
        const QStringList& names = {}, const std::function<void(Application&)>& started = {});

// Names from outside the windows (the command line, a later start): Standard Mode is entered
// as its Enter would, if the start-up window still shows; the main window opens the names and
// comes forward.
void openFromOutside(Application& app, const media_source::CheckedNames& names);

}  // namespace program
