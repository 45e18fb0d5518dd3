#pragma once

#include <QStringList>

#include "media/VideoOutput.h"

// The program's arguments, read before anything needs a display: --help and --version print and
// end, an unknown option prints the usage to standard error and ends with status 2, and every
// other argument is a name to open: a file (its bytes kept, made absolute so another program
// can open it too) or an address.
namespace command_line {

struct Parsed {
    bool exit = false;  // print and end, with the status
    int status = 0;
    QStringList names;
    VideoOutput videoOutput = VideoOutput::Automatic;
};

Parsed parse(int argc, char** argv);

// How many of the arguments Qt may read: those before "--".
int qtArgumentCount(int argc, char** argv);

}  // namespace command_line
