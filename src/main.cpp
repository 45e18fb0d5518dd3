#include <QApplication>

#include "app/Program.h"
#include "forms/Dialogs.h"
#include "media/MpvEngineFactory.h"

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    program::prepare();
    MpvEngineFactory engines;
    forms::QtMessageBoxes messages;
    forms::QtFileDialogs fileDialogs;
    return program::run(engines, messages, fileDialogs);
}
