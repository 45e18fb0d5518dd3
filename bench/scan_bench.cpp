// Fast-forward scan on the real engine: how fast the clip position moves against the nominal
// rate (0.1 s of clip per 10 ms tick at Single Speed is ten times real time), how many distinct
// pictures the control shows per second while scanning, and what one tick costs the UI thread.
#include <QApplication>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <set>

#include "BenchSupport.h"
#include "windows/Application.h"
#include "windows/frmSplash.h"
#include "forms/Controls.h"
#include "main_window/frmMain.h"
#include "media/MpvEngineFactory.h"
#include "media/MpvWindowsMediaControl.h"
#include "media/VideoView.h"
#include "media/WindowsMediaControl.h"
#include "remote/Player.h"
#include "settings/Vid1.h"
#include "support/MediaClips.h"

using bench::spin;

int main(int argc, char** argv)
{
    const auto qtApp = bench::startQt(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;

    bench::Program program;
    program.enter();
    Application& app = program.app;
    auto& screen = program.screen();

    screen.Open(clips::scanClip60s());
    QElapsedTimer wait;
    wait.start();
    while (screen.OpenState() != WindowsMediaControl::OpenOpen && wait.elapsed() < 15000) spin(10);
    if (screen.OpenState() != WindowsMediaControl::OpenOpen) {
        std::fprintf(stderr, "the clip did not open\n");
        return 1;
    }
    spin(300);

    Player& remote = app.forms().get<Player>();
    app.forms().get<Vid1>().Option12->setValue(true);  // Single Speed
    screen.setCurrentPosition(1.0);
    spin(200);

    // The remote's own tick, driven by a 10 ms timer exactly like its Ff timer, timed around it.
    std::set<QByteArray> pictures;
    long framesShown = 0;
    QObject::connect(&screen.view(), &VideoView::frameShown, [&] {
        ++framesShown;
        const QImage& img = screen.view().image();
        pictures.insert(QCryptographicHash::hash(
            QByteArrayView(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes()), QCryptographicHash::Md5));
    });
    long ticks = 0;
    qint64 tickNs = 0, worstTickNs = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(10);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        QElapsedTimer t;
        t.start();
        remote.Ff_Timer();
        const qint64 ns = t.nsecsElapsed();
        tickNs += ns;
        worstTickNs = std::max(worstTickNs, ns);
        ++ticks;
    });
    const double start = screen.CurrentPosition();
    QElapsedTimer wall;
    wall.start();
    tick.start();
    spin(seconds * 1000);
    tick.stop();
    const double elapsed = wall.nsecsElapsed() / 1e9;
    const double advanced = screen.CurrentPosition() - start;

    std::printf("scan rate: %.2f x real time (nominal 10; %.2f s of clip in %.2f s)\n", advanced / elapsed, advanced,
                elapsed);
    std::printf("distinct pictures shown per second while scanning: %.1f (%ld frames drawn)\n",
                pictures.size() / elapsed, framesShown);
    std::printf("ticks per second: %.1f; UI time per tick: mean %.3f ms, worst %.3f ms\n", ticks / elapsed,
                tickNs / 1e6 / std::max(1L, ticks), worstTickNs / 1e6);
    return 0;
}
