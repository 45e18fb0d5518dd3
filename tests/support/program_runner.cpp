// The real program (real engines without sound output, its own windows and event loop) driven
// as a person would: Standard Mode, open the clip given as the argument, and once it plays,
// File > Exit and "Yes". Prints "playing" and then "yes" as it presses it; the exit status is
// the program's.
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "app/Application.h"
#include "app/ExitBox.h"
#include "app/Program.h"
#include "app/frmSplash.h"
#include "main_window/frmMain.h"
#include "media/MpvEngineFactory.h"
#include "media/WindowsMediaControl.h"
#include "support/TestApp.h"

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    program::prepare();
    if (argc < 2) return 2;
    MpvEngineFactory engines(MpvOptions{QStringLiteral("null"), {}});
    RecordingMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    dialogs.answers.push_back(QString::fromLocal8Bit(argv[1]));
    QTimer poll;
    return program::run(engines, messages, dialogs, [&](Application& app) {
        frmSplash& splash = app.forms().get<frmSplash>();
        splash.Option1->setValue(true);
        splash.Command1->click();
        frmMain& main = app.forms().get<frmMain>();
        main.mnufileopen->trigger();
        QObject::connect(&poll, &QTimer::timeout, [&app, &poll] {
            frmMain& main = app.forms().get<frmMain>();
            if (main.screenAndAudio->PlayState() != WindowsMediaControl::Playing ||
                main.screenAndAudio->CurrentPosition() < 0.5)
                return;
            poll.stop();
            std::printf("playing\n");
            main.mnufileExit->trigger();
            std::printf("yes\n");
            std::fflush(stdout);
            app.forms().get<ExitBox>().Command1->click();
        });
        poll.start(20);
    });
}
