#include <QApplication>
#include <QDBusConnection>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "desktop/SingleInstance.h"
#include "forms/Dialogs.h"
#include "media/MpvEngineFactory.h"

int main(int argc, char** argv)
{
    const command_line::Parsed arguments = command_line::parse(argc, argv);
    if (arguments.exit) return arguments.status;
    QApplication qtApp(argc, argv);
    program::prepare();
    // A start with names while the program runs hands them over and ends.
    if (!arguments.names.isEmpty() && SingleInstance::handOver(QDBusConnection::sessionBus(), arguments.names)) return 0;
    MpvEngineFactory engines;
    forms::QtMessageBoxes messages;
    forms::QtFileDialogs fileDialogs;
    return program::run(engines, messages, fileDialogs, arguments.names);
}
