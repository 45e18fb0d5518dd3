// Memory over rounds of the windows that play: after 10 rounds to warm up, 100 more should add
// under 10 MiB. A DVD round: the DVD window opened on a disc, sought three times, unloaded. A
// mixed round, while a clip plays in the main window: a DVD round, then the CD player on a disc
// image, then the playlist with a row added and removed, each window unloaded again. The anchor:
// a bare libmpv client created, playing the disc, sought three times and destroyed, each round.
//   rounds_bench [rounds]   (100 by default)
#include <cstdio>
#include <cstdlib>

#include "BenchSupport.h"
#include "app/Program.h"
#include "media/MMControl.h"
#include "playlist/Form2.h"
#include "support/MediaClips.h"
#include "tools/CDPlayer.h"
#include "tools/frmDVD.h"

namespace {

constexpr int kWarmUp = 10;

// Unloads the window and destroys it, as the program's event loop does once the handler ends.
void unloadAndWait(forms::Form& form)
{
    form.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void dvdRound(Application& app, const QString& disc)
{
    frmDVD& dvd = app.forms().get<frmDVD>();
    dvd.Show();
    WindowsMediaControl& player = *dvd.MediaPlayer1;
    player.Open(disc);
    if (!bench::spinUntil([&] { return player.OpenState() == WindowsMediaControl::OpenOpen; })) {
        std::fprintf(stderr, "the disc did not open\n");
        std::exit(1);
    }
    for (double at : {1.0, 2.5, 0.5}) {
        player.setCurrentPosition(at);
        bench::spin(150);
    }
    unloadAndWait(dvd);
}

void cdRound(Application& app)
{
    CDPlayer& cd = app.forms().get<CDPlayer>();
    bench::spinUntil([&] { return cd.MMControl1->Tracks() > 0 || !cd.MMControl1->ErrorMessage().isEmpty(); });
    cd.MMControl1->setCommand(QStringLiteral("Play"));
    bench::spin(300);
    unloadAndWait(cd);
}

void playlistRound(Application& app, const QString& clip)
{
    Form2& list = app.forms().get<Form2>();
    list.Show();
    list.addRows({clip});
    list.Command2->click();  // Remove
    unloadAndWait(list);
}

// Resident memory after the warm-up and after the rounds, and the growth.
template <class Round>
void measure(const char* what, int rounds, Round round)
{
    for (int i = 0; i < kWarmUp; ++i) round();
    const double warm = bench::residentMiB();
    for (int i = 0; i < rounds; ++i) round();
    const double after = bench::residentMiB();

    std::printf("%-62s %7.1f MiB after %d rounds, %7.1f MiB after %d more: %+6.1f MiB (goal under +10)\n", what, warm, kWarmUp,
                after, rounds, after - warm);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    const auto qtApp = bench::startQt(argc, argv);
    program::prepare();  // the program's memory settings, for the anchor too
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 100;
    const QString disc = clips::dvdDisc4s();
    const QString clip = clips::scanClip60s();

    measure("anchor: bare libmpv client playing the disc, three seeks", rounds, [&] {
        bench::BareClient client;
        mpv_set_property_string(client.handle(), "dvd-device",
                                QFileInfo(disc).absolutePath().toLocal8Bit().constData());
        client.open("dvd://");
        for (const char* at : {"1", "2.5", "0.5"}) {
            client.command({"seek", at, "absolute+exact"});
            client.runUntil([] { return false; }, 150);
        }
    });

    MpvOptions options{QStringLiteral("null"), {}};
    options.cdDevice = clips::cdImage3Tracks();
    bench::Program program(options);
    program.enter();
    Application& app = program.app;
    measure("DVD window: open the disc, three seeks, unload", rounds, [&] { dvdRound(app, disc); });

    WindowsMediaControl& screen = *app.forms().get<frmMain>().screenAndAudio;
    screen.Open(clip);
    bench::spinUntil([&] { return screen.OpenState() == WindowsMediaControl::OpenOpen; });
    measure("while a clip plays: DVD, CD player and playlist rounds", rounds, [&] {
        if (screen.PlayState() != WindowsMediaControl::Playing) screen.Play();
        dvdRound(app, disc);
        cdRound(app);
        playlistRound(app, clip);
    });
    return 0;
}
