// The real program (real engines without sound output, its own windows and event loop, its
// services on the session bus) driven as a person would. Modes:
//   exit CLIP      Standard Mode, open the clip, and once it plays File > Exit and "Yes". Prints
//                  "playing" and then "yes" as it presses it.
//   names NAME...  started with names, as from a file manager; once an engine plays, prints
//                  "playing <engine> <file>" and ends.
//   serve          started without names; prints "ready", and once an engine plays a clip handed
//                  over by a later start, prints "playing <engine> <file>" and ends.
// The exit status is the program's.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <vector>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/ExitBox.h"
#include "app/Program.h"
#include "app/frmSplash.h"
#include "main_window/frmMain.h"
#include "media/MpvEngineFactory.h"
#include "media/RealAudioControl.h"
#include "media/WindowsMediaControl.h"
#include "support/TestApp.h"

namespace {

void say(const QString& line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Which engine plays what, once one does.
QString playing(frmMain& main)
{
    const WindowsMediaControl& wmp = *main.screenAndAudio;
    if (wmp.PlayState() == WindowsMediaControl::Playing && wmp.CurrentPosition() > 0.2)
        return QStringLiteral("windows-media ") + wmp.FileName();
    const RealAudioControl& real = *main.RealAudio1;
    if (real.GetCanPause() && real.GetPosition() > 200) return QStringLiteral("real ") + real.GetSource();
    return {};
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    program::prepare();
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) return 2;
    const QString mode = args.first();
    MpvEngineFactory engines(MpvOptions{QStringLiteral("null"), {}});
    RecordingMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    QTimer poll;
    // The names as the program reads them from its command line, bytes kept.
    std::vector<char*> programArgs{argv[0]};
    for (int i = 2; i < argc; ++i) programArgs.push_back(argv[i]);
    const QStringList names = mode == QLatin1String("names")
                                  ? command_line::parse(static_cast<int>(programArgs.size()), programArgs.data()).names
                                  : QStringList();
    return program::run(engines, messages, dialogs, names, [&](Application& app) {
        if (mode == QLatin1String("exit")) {
            dialogs.answers.push_back(args.value(1));
            frmSplash& splash = app.forms().get<frmSplash>();
            splash.Option1->setValue(true);
            splash.Command1->click();
            app.forms().get<frmMain>().mnufileopen->trigger();
        }
        if (mode == QLatin1String("serve")) say(QStringLiteral("ready"));
        QObject::connect(&poll, &QTimer::timeout, [&app, &poll, &messages, mode] {
            for (const auto& m : messages.shown) say(QStringLiteral("message ") + m.text);
            messages.shown.clear();
            if (!app.forms().isLoaded<frmMain>()) return;
            frmMain& main = app.forms().get<frmMain>();
            const QString what = playing(main);
            if (what.isEmpty()) return;
            poll.stop();
            say((QStringLiteral("playing ") + (mode == QLatin1String("exit") ? QString() : what)).trimmed());
            if (mode != QLatin1String("exit")) {
                app.endProgram();
                return;
            }
            main.mnufileExit->trigger();
            say(QStringLiteral("yes"));
            app.forms().get<ExitBox>().Command1->click();
        });
        poll.start(20);
    });
}
