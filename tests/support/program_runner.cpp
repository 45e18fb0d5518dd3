// The real program (real engines without sound output, its own windows and event loop, its
// services on the session bus) driven as a person would. Modes:
//   exit CLIP      Standard Mode, open the clip, and once it plays File > Exit and "Yes". Prints
//                  "playing" and then "yes" as it presses it.
//   names NAME...  started with names, as from a file manager; once an engine plays, prints
//                  "playing <engine> <file>" and ends.
//   serve          started without names; prints "ready", and once an engine plays a clip handed
//                  over by a later start, prints "playing <engine> <file>" and ends.
//   steer NAME...  started with names; prints "playing <engine> <file>" each time another file
//                  plays, and takes a command a line from standard input, printing "done" after
//                  it: "full" (full screen), "window" (100%), "colour RRGGBB" (a colour of the
//                  player preferences applied), "text FILE" (the text viewer showing the file),
//                  "quit".
//   screenshots DIR CLIP
//                  started with the clip; once it plays, shows the remote, then the playlist and
//                  the clip properties, and saves pictures of the whole screen into DIR.
// The exit status is the program's.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>
#include <utility>
#include <vector>

#include "windows/Application.h"
#include "app/CommandLine.h"
#include "windows/ExitBox.h"
#include "app/Program.h"
#include "windows/frmSplash.h"
#include "main_window/Pro1.h"
#include "main_window/frmMain.h"
#include "playlist/Form2.h"
#include "remote/Player.h"
#include "richtext/RichTextBox.h"
#include "settings/Addit1.h"
#include "tools/Form3.h"
#include "media/MpvEngineFactory.h"
#include "media/RealAudioControl.h"
#include "media/WindowsMediaControl.h"
#include "support/EngineFixture.h"
#include "support/TestApp.h"
#include "media/VideoOutput.h"

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

// The part of the screen the program's windows cover (their frames included), once they have
// drawn themselves.
void saveScreen(const QString& path)
{
    QEventLoop wait;
    QTimer::singleShot(1200, &wait, &QEventLoop::quit);
    wait.exec();
    QRect used;
    for (const QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) used |= w->frameGeometry();
    QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = used.adjusted(-12, -12, 12, 12).intersected(screen->geometry());
    const QPixmap shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    if (!shot.save(path)) say(QStringLiteral("cannot save ") + path);
    else say(QStringLiteral("saved ") + path);
}

// The main window playing with its remote beside it, then the playlist and the clip properties.
void takeScreenshots(Application& app, const QString& folder)
{
    frmMain& main = app.forms().get<frmMain>();
    main.move(40, 40);
    main.mnuViewToolbar->trigger();
    Player& remote = app.forms().get<Player>();
    remote.move(main.frameGeometry().right() + 30, 40);
    saveScreen(QDir(folder).filePath(QStringLiteral("main-window-and-remote.png")));
    main.mnuviewplaylist->trigger();
    Form2& playlist = app.forms().get<Form2>();
    playlist.Command1->click();
    main.mnufileproperties->trigger();
    Pro1& properties = app.forms().get<Pro1>();
    properties.move(remote.frameGeometry().right() + 30, 40);
    playlist.move(40, std::max(main.frameGeometry().bottom(), properties.frameGeometry().bottom()) + 30);
    saveScreen(QDir(folder).filePath(QStringLiteral("playlist-and-clip-properties.png")));
}

// A command of steer mode.
void steer(Application& app, const QString& command)
{
    frmMain& main = app.forms().get<frmMain>();
    if (command == QLatin1String("full")) main.mnuviewfullscreen->trigger();
    if (command == QLatin1String("window")) main.mnuviewactual->trigger();
    if (command.startsWith(QLatin1String("colour "))) {
        const QColor wanted(QLatin1Char('#') + command.mid(7));
        Addit1& preferences = app.forms().get<Addit1>();
        for (int i = 0; i < preferences.Combo1->count(); ++i)
            if (const auto n = Addit1::colourOf(i); n && forms::toQColor(*n) == wanted) preferences.Combo1->setCurrentIndex(i);
        preferences.Command3->click();
        preferences.Command2->click();
    }
    if (command.startsWith(QLatin1String("text "))) {
        Form3& viewer = app.forms().get<Form3>();
        viewer.Show();
        viewer.RichTextBox1->LoadFile(command.mid(5), RichTextBox::FileKind::RtfOrText, [](const QString&) {});
        viewer.RichTextBox1->setFocus();
    }
    if (command == QLatin1String("quit")) app.endProgram();
}

}  // namespace

int main(int argc, char** argv)
{
    prepareOpenGl();
    QApplication qtApp(argc, argv);
    program::prepare();
    const QStringList args = QApplication::arguments().mid(1);
    if (args.isEmpty()) return 2;
    const QString mode = args.first();
    MpvEngineFactory engines(silentEngine());
    RecordingMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    QTimer poll;
    // The names as the program reads them from its command line, bytes kept.
    std::vector<char*> programArgs{argv[0]};
    for (int i = 2; i < argc; ++i) programArgs.push_back(argv[i]);
    const bool screenshots = mode == QLatin1String("screenshots");
    if (screenshots) programArgs.erase(programArgs.begin() + 1);  // the folder
    const bool steering = mode == QLatin1String("steer");
    const QStringList names = mode == QLatin1String("names") || screenshots || steering
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
        if (steering) {
            auto* input = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &poll);
            QObject::connect(input, &QSocketNotifier::activated, [&app, input] {
                char line[64];
                if (!std::fgets(line, sizeof line, stdin)) return input->setEnabled(false);
                steer(app, QString::fromLatin1(line).trimmed());
                say(QStringLiteral("done"));
            });
        }
        QObject::connect(&poll, &QTimer::timeout, [&app, &poll, &messages, mode, args, steering, said = QString()]() mutable {
            for (const auto& m : messages.shown) say(QStringLiteral("message ") + m.text);
            messages.shown.clear();
            if (!app.forms().isLoaded<frmMain>()) return;
            frmMain& main = app.forms().get<frmMain>();
            const QString what = playing(main);
            if (what.isEmpty()) return;
            if (steering) {
                if (what != std::exchange(said, what)) say(QStringLiteral("playing ") + what);
                return;
            }
            poll.stop();
            say((QStringLiteral("playing ") + (mode == QLatin1String("exit") ? QString() : what)).trimmed());
            if (mode == QLatin1String("screenshots")) {
                takeScreenshots(app, args.value(1));
                app.endProgram();
                return;
            }
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
