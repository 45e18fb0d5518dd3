#include <QApplication>
#include <QDBusConnection>
#include <cstdio>

#include "app/CommandLine.h"
#include "app/Program.h"
#include "desktop/SingleInstance.h"
#include "forms/Dialogs.h"
#include "media/MpvEngineFactory.h"
#include "media/VideoOutput.h"

int main(int argc, char** argv)
{
    const command_line::Parsed arguments = command_line::parse(argc, argv);
    if (arguments.exit) return arguments.status;
    // Qt reads its own options (-platform, -style, ...) only before "--": what follows are names.
    int qtArgc = command_line::qtArgumentCount(argc, argv);
    prepareOpenGl();
    QApplication qtApp(qtArgc, argv);
    program::prepare();
    // A start with names while the program runs hands them over and ends, saying why when one
    // of them cannot be played.
    if (!arguments.names.isEmpty()) {
        const SingleInstance::HandOver handed = SingleInstance::handOver(QDBusConnection::sessionBus(), arguments.names);
        if (handed.taken) {
            if (handed.refusal.isEmpty()) return 0;
            std::fprintf(stderr, "%s\n", handed.refusal.toLocal8Bit().constData());
            return 1;
        }
    }
    MpvOptions engineOptions;
    engineOptions.videoOutput = arguments.videoOutput;
    MpvEngineFactory engines(engineOptions);
    forms::QtMessageBoxes messages;
    forms::QtFileDialogs fileDialogs;
    return program::run(engines, messages, fileDialogs, arguments.names);
}
