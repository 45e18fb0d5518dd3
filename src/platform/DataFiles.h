#pragma once

#include <QString>

// Files the program ships: found beside the installed program (../share/zelplayer), or in the
// build folder's data/ when it runs from there.
namespace platform {

// The shipped file's path, or an empty text when it is not there.
QString dataFile(const QString& name);

// The fixed Windows paths the windows name ("C:\WINDOWS\media\The Microsoft Sound.wav" for the
// About sound, "C:\WINDOWS\default.wav" for the Real open) are the shipped sounds; any other
// name is returned as it is.
QString resolveFixedFile(const QString& name);

}  // namespace platform
