// What the engines cost, each figure against a bare libmpv client doing the same in the same run:
//   engine_bench open      opening a clip while a video is loaded (video, then an .mp3)
//   engine_bench enter     entering the main window: time and memory
//   engine_bench latency   how long a queued call waits on the UI thread while a video plays
//   engine_bench fullscreen CPU and frame-interval spread in full screen at 1080p
//   engine_bench cpu       playback CPU at 360p and 720p
//   engine_bench memory    peak memory idle and playing, and memory over 100 opens
//   engine_bench scan      fast-forward pictures a second on H.264 with sparse keyframes
//   engine_bench levers    what seek and decoding options give that scan
// With no argument every part runs. Figures are printed; nothing is asserted.
#include <QApplication>
#include <QCryptographicHash>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstring>
#include <mutex>
#include <set>
#include <signal.h>
#include <thread>

#include "BenchSupport.h"
#include "forms/Controls.h"
#include "media/VideoView.h"
#include "remote/Player.h"
#include "settings/Vid1.h"
#include "support/MediaClips.h"

using namespace bench;

namespace {

double median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<size_t>(p * v.size()))];
}

void ratioLine(const char* what, double ours, double anchor, const char* unit, const char* goal)
{
    std::printf("%-44s ours %8.2f %-4s anchor %8.2f %-4s ratio %5.2f   (goal: %s)\n", what, ours, unit, anchor, unit,
                anchor > 0 ? ours / anchor : 0.0, goal);
}

// Opening while a video is loaded: ours from Open to the open state, the anchor from loadfile
// to the answers about the loaded clip. Rounds alternate between the two; whichever is not being
// measured is paused, so neither waits for frames the other's loop is not drawing.
void openBench()
{
    const QString video = clips::h264Clip(640, 360, 50, 30);
    const QString other = clips::aviBars3s();
    const QString mp3 = clips::mp3Tone90s();
    Program p;
    p.enter();
    BareClient bare;
    std::vector<double> ours[2], anchor[2];
    const auto time = [](auto&& work) {
        QElapsedTimer t;
        t.start();
        work();
        return t.nsecsElapsed() / 1e6;
    };
    for (int round = 0; round < 12; ++round) {
        for (int kind = 0; kind < 2; ++kind) {
            const QString& next = kind == 1 ? mp3 : round % 2 ? other : video;
            p.open(video);
            spin(300);
            ours[kind].push_back(time([&] { p.open(next); }));
            p.screen().Pause();
            spin(100);
            mpv_set_property_string(bare.handle(), "pause", "no");
            bare.open(video.toUtf8().constData());
            bare.runUntil([] { return false; }, 300);
            anchor[kind].push_back(time([&] { bare.open(next.toUtf8().constData()); }));
            mpv_set_property_string(bare.handle(), "pause", "yes");
            bare.runUntil([] { return false; }, 100);
        }
    }
    ratioLine("open a video while a video is loaded", median(ours[0]), median(anchor[0]), "ms", "at most 1.5");
    ratioLine("open an .mp3 after a video", median(ours[1]), median(anchor[1]), "ms", "at most 1.5");
}

// Entering the main window from the start-up window and opening a first clip (the program
// starts its engine with that open), and what entering adds to memory. The anchor starts one
// bare libmpv client and opens the same clip.
void enterBench()
{
    const QString clip = clips::aviBars3s();
    Program p;
    p.app.forms().get<frmSplash>().Show();
    spin(300);
    const double before = residentMiB();
    QElapsedTimer t;
    t.start();
    p.enter();
    const double enterMs = t.nsecsElapsed() / 1e6;
    spin(500);
    const double added = residentMiB() - before;
    t.start();
    p.open(clip);
    const double openMs = t.nsecsElapsed() / 1e6;
    t.start();
    auto anchor = std::make_unique<BareClient>();
    anchor->open(clip.toUtf8().constData());
    const double anchorMs = t.nsecsElapsed() / 1e6;
    ratioLine("enter the main window and open a clip", enterMs + openMs, anchorMs, "ms",
              "at most 1.5; anchor: a bare client started and opening it");
    std::printf("%-44s %8.1f ms\n", "of which entering", enterMs);
    std::printf("%-44s %8.1f MiB   (goal: under 5 MiB)\n", "memory added by entering", added);
}

// Queued calls posted from another thread every 5 ms: how long each waits for the UI thread,
// with nothing open and while a 25 fps video plays.
std::vector<double> queuedCallWaits(int ms)
{
    std::vector<double> waits;
    std::mutex lock;
    std::atomic<bool> running{true};
    QObject receiver;
    std::thread poster([&] {
        while (running) {
            QElapsedTimer posted;
            posted.start();
            QMetaObject::invokeMethod(&receiver, [&lock, &waits, posted] {
                std::lock_guard<std::mutex> g(lock);
                waits.push_back(posted.nsecsElapsed() / 1e6);
            }, Qt::QueuedConnection);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    spin(ms);
    running = false;
    poster.join();
    spin(50);
    std::lock_guard<std::mutex> g(lock);
    return waits;
}

// Which renderer the program's engines draw with here.
void printRenderer()
{
    const bool gpu = resolveVideoOutput(bench::videoOutput) == VideoOutput::Gpu;
    std::printf("  renderer                                   %s (OpenGL here: %s)\n", gpu ? "gpu" : "software",
                openGlRenderer().isEmpty() ? "none" : qPrintable(openGlRenderer()));
}

// CPU per second of the mpv player showing the clip full screen with its GPU output, for about
// as long (its start-up included), or a negative number without the player.
double mpvPlayerCpu(const QString& clip, int ms)
{
    QProcess mpv;
    const double before = cpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer t;
    t.start();
    mpv.start(QStringLiteral("mpv"), {"--no-config", "--vo=gpu", "--hwdec=auto-safe", "--fs", "--ao=null",
                                      "--really-quiet", QStringLiteral("--length=%1").arg(ms / 1000.0), clip});
    if (!mpv.waitForStarted() || !mpv.waitForFinished(ms + 20000)) return -1;
    return (cpuSeconds(RUSAGE_CHILDREN) - before) / (t.nsecsElapsed() / 1e9);
}

void latencyBench()
{
    printRenderer();
    Program p;
    p.enter();
    p.app.forms().get<frmMain>().show();
    const std::vector<double> idle = queuedCallWaits(2000);
    p.open(clips::h264Clip(640, 360, 50, 30));
    const std::vector<double> playing = queuedCallWaits(4000);
    ratioLine("queued call wait, median, video playing", median(playing), median(idle), "ms",
              "under 2 ms; anchor: nothing open");
    ratioLine("queued call wait, 95th percentile", percentile(playing, 0.95), percentile(idle, 0.95), "ms", "-");
    // Full screen at 1080p (run on a screen of at least 1920x1080): the frames are drawn and
    // shown on a thread of their own, so a call waits on the UI thread about as long as when
    // idle. Playing 1080p loads the machine, which alone lengthens the wake-ups: the second
    // anchor is our UI thread idle while the mpv player plays the same clip full screen beside
    // it (stopped with SIGSTOP in the other rounds). Rounds alternate, so that drift in the
    // machine's wake-up times (large in a virtual machine) falls on every side alike.
    const QString big = clips::h264Clip(1920, 1080, 50, 30);
    p.open(big);
    p.screen().setDisplaySize(WindowsMediaControl::SizeFullScreen);
    QProcess mpv;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        mpv.start(QStringLiteral("mpv"), {"--no-config", "--vo=x11", "--fs", "--ao=null", "--really-quiet", "--loop", big});
    const bool beside = mpv.waitForStarted();
    const auto signalMpv = [&](int signal) {
        // Never pid 0 (a player that has ended): that would signal this process group.
        if (mpv.state() == QProcess::Running && mpv.processId() > 0) ::kill(static_cast<pid_t>(mpv.processId()), signal);
    };
    signalMpv(SIGSTOP);
    spin(500);
    std::vector<double> paused, full, besideMpv;
    const auto measure = [](std::vector<double>& into) {
        spin(300);
        const std::vector<double> waits = queuedCallWaits(1000);
        into.insert(into.end(), waits.begin(), waits.end());
    };
    for (int round = 0; round < 4; ++round) {
        p.screen().Pause();
        measure(paused);
        p.screen().Play();
        measure(full);
        p.screen().Pause();
        signalMpv(SIGCONT);
        if (beside) measure(besideMpv);
        signalMpv(SIGSTOP);
    }
    signalMpv(SIGCONT);
    mpv.kill();
    mpv.waitForFinished();
    std::printf("  full screen frames drawn (device pixels)   %dx%d\n", p.screen().view().frameSize().width(),
                p.screen().view().frameSize().height());
    ratioLine("queued call wait, 95th pct, 1080p full screen", percentile(full, 0.95), percentile(paused, 0.95), "ms",
              "at most 1.5; anchor: paused");
    if (beside)
        ratioLine("the same; anchor mpv --vo=x11 playing it", percentile(full, 0.95), percentile(besideMpv, 0.95), "ms",
                  "at most 1.5; anchor: paused, mpv playing it beside");
}

// Full screen at 1080p: CPU and the spread of the intervals between frames shown, ours against
// the bare client drawing the whole screen the same way (run with QT_QPA_PLATFORM=xcb on a
// screen of 1920x1080: the offscreen platform's screen is smaller).
void fullScreenBench()
{
    printRenderer();
    const QString clip = clips::h264Clip(1920, 1080, 50, 30);
    const auto spread = [](const std::vector<qint64>& at) {
        std::vector<double> gaps;
        for (size_t i = 1; i < at.size(); ++i) gaps.push_back((at[i] - at[i - 1]) / 1e6);
        double mean = 0, sq = 0;
        for (double g : gaps) mean += g / gaps.size();
        for (double g : gaps) sq += (g - mean) * (g - mean) / gaps.size();
        return std::sqrt(sq);
    };
    QElapsedTimer clock;
    clock.start();
    double ourCpu = 0, anchorCpu = 0;
    std::vector<qint64> ours, anchor;
    QSize ourFrame;
    {
        Program p;
        p.enter();
        p.app.forms().get<frmMain>().show();
        p.open(clip);
        p.screen().setDisplaySize(WindowsMediaControl::SizeFullScreen);
        spin(1000);
        QObject::connect(&p.screen().view(), &VideoView::frameShown, [&] { ours.push_back(clock.nsecsElapsed()); });
        ourCpu = cpuShareDuring([&] { spin(4000); });
        ourFrame = p.screen().view().frameSize();
    }
    if (resolveVideoOutput(bench::videoOutput) == VideoOutput::Gpu) {
        std::printf("  frames shown in 4 s                        ours %zu at %dx%d\n", ours.size(), ourFrame.width(),
                    ourFrame.height());
        // The anchor is the mpv player with its GPU output (its start-up included).
        ratioLine("full-screen CPU, GPU; anchor mpv --vo=gpu", ourCpu * 100, mpvPlayerCpu(clip, 4000) * 100, "%", "-");
        return;
    }
    {
        BareClient bare;
        bare.coverTheScreen();
        bare.drawAsTheControl(QSize(1920, 1080), WindowsMediaControl::SizeFullScreen);
        bare.open(clip.toUtf8().constData());
        bare.runUntil([] { return false; }, 1000);
        bare.onFrame = [&] { anchor.push_back(clock.nsecsElapsed()); };
        anchorCpu = cpuShareDuring([&] { bare.runUntil([] { return false; }, 4000); });
    }
    std::printf("  frames shown in 4 s                        ours %zu at %dx%d, anchor %zu\n", ours.size(), ourFrame.width(),
                ourFrame.height(), anchor.size());
    ratioLine("full-screen CPU at 1080p (% of a core)", ourCpu * 100, anchorCpu * 100, "%", "-");
    ratioLine("full-screen frame interval spread (sd)", spread(ours), spread(anchor), "ms", "at most 1.2");
}

// Peak signal-to-noise ratio of one picture against another of the same size, in dB (RGB).
double psnr(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull()) return 0;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) sum += d * d;
        }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse > 0 ? 10 * std::log10(255.0 * 255.0 / mse) : 99;
}

// Full screen from a 720p clip on a 1920x1080 screen (QT_QPA_PLATFORM=xcb): the software
// renderer's scalers, the CPU of 4 s of playing against the quality of one frame (a PSNR against
// the default scaler's picture of it). The bare client with each scaler, one after the other.
void scalerBench()
{
    const QString clip = clips::h264Clip(1280, 720, 50, 30);
    const std::pair<const char*, std::vector<std::pair<const char*, const char*>>> scalers[] = {
        {"zimg lanczos (the default)", {}},
        {"zimg spline16", {{"zimg-scaler", "spline16"}}},
        {"zimg bicubic", {{"zimg-scaler", "bicubic"}}},
        {"zimg bilinear", {{"zimg-scaler", "bilinear"}}},
        {"swscale fast-bilinear", {{"sws-allow-zimg", "no"}, {"sws-scaler", "fast-bilinear"}}},
    };
    QImage reference;
    double base = 0;
    for (const auto& [name, options] : scalers) {
        BareClient bare;
        for (const auto& [option, value] : options) mpv_set_property_string(bare.handle(), option, value);
        bare.coverTheScreen();
        bare.drawAsTheControl(QSize(1280, 720), WindowsMediaControl::SizeFullScreen);
        bare.open(clip.toUtf8().constData());
        bare.runUntil([] { return false; }, 1000);
        const double cpu = cpuShareDuring([&] { bare.runUntil([] { return false; }, 4000); }) * 100;
        bare.command({"set", "pause", "yes"});
        bare.command({"seek", "10", "absolute+exact"});
        bare.runUntil([] { return false; }, 1500);
        const QImage frame = bare.image().copy();
        if (reference.isNull()) {
            reference = frame;
            base = cpu;
        }
        std::printf("%-28s CPU %6.2f %% of a core (ratio %4.2f)   PSNR %5.1f dB\n", name, cpu, cpu / base,
                    psnr(frame, reference));
    }
}

// CPU while playing: the program's control at 100% against the bare client drawing the same
// part of the picture at the same size (in the screen's device pixels: run with
// QT_SCALE_FACTOR=2 for a double-density screen), each for a few seconds, one after the other.
void cpuBench()
{
    for (const auto& [w, h] : {std::pair{640, 360}, std::pair{1280, 720}}) {
        const QString clip = clips::h264Clip(w, h, 50, 30);
        double ours = 0, anchor = 0;
        QSize ourFrame, anchorFrame;
        for (int round = 0; round < 2; ++round) {
            {
                Program p;
                p.enter();
                p.app.forms().get<frmMain>().show();
                p.open(clip);
                spin(500);
                if (round == 0) ourFrame = p.screen().view().frameSize();
                ours += cpuShareDuring([&] { spin(4000); });
            }
            {
                BareClient bare;
                bare.drawAsTheControl(QSize(w, h), WindowsMediaControl::SizeOwn);
                bare.open(clip.toUtf8().constData());
                bare.runUntil([] { return false; }, 500);
                anchorFrame = bare.image().size();
                anchor += cpuShareDuring([&] { bare.runUntil([] { return false; }, 4000); });
            }
        }
        const std::string what = "playback CPU (% of a core), " + std::to_string(w) + "x" + std::to_string(h) + " at scale " +
                                 QString::number(qApp->devicePixelRatio()).toStdString();
        ratioLine(what.c_str(), ours * 50, anchor * 50, "%", "at most 1.1");
        std::printf("%-44s ours %dx%d, anchor %dx%d\n", "  frames drawn (device pixels)", ourFrame.width(), ourFrame.height(),
                    anchorFrame.width(), anchorFrame.height());
    }
}

// Memory is measured in processes of their own (this program run again with a part's name),
// which print their figures on their last line.
std::vector<double> childFigures(const char* part)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("child"), QString::fromLatin1(part)});
    child.waitForFinished(180000);
    std::vector<double> figures;
    const QString last = QString::fromUtf8(child.readAllStandardOutput()).trimmed().section(QLatin1Char('\n'), -1);
    for (const QString& f : last.split(QLatin1Char(' '), Qt::SkipEmptyParts)) figures.push_back(f.toDouble());
    figures.resize(2);
    return figures;
}

int memoryChild(const char* part)
{
    const QString clip = clips::h264Clip(640, 360, 50, 30);
    const QString other = clips::aviBars3s();
    const bool ours = std::strncmp(part, "ours", 4) == 0;
    const bool play = std::strstr(part, "play") != nullptr;
    const bool opens = std::strstr(part, "opens") != nullptr;
    QWidget window;  // both kinds show a window of the main window's size
    window.resize(313, 300);
    window.show();
    std::unique_ptr<Program> program;
    std::unique_ptr<BareClient> bare;
    if (ours) {
        program = std::make_unique<Program>();
        program->enter();
        program->app.forms().get<frmMain>().show();
    } else {
        bare = std::make_unique<BareClient>();
    }
    const auto open = [&](const QString& file) {
        if (ours) program->open(file);
        else bare->open(file.toUtf8().constData());
    };
    const auto run = [&](int ms) {
        if (ours) spin(ms);
        else bare->runUntil([] { return false; }, ms);
    };
    if (opens) {
        // Resident memory after the 1st and the 10th open against after the 100th.
        double after1 = 0, after10 = 0;
        for (int i = 1; i <= 100; ++i) {
            open(i % 2 ? clip : other);
            run(50);
            if (i == 1) after1 = residentMiB();
            if (i == 10) after10 = residentMiB();
        }
        run(300);
        std::printf("%.1f %.1f\n", residentMiB() - after1, residentMiB() - after10);
        return 0;
    }
    if (play) open(clip);
    run(play ? 4000 : 1500);
    std::printf("%.1f\n", peakResidentMiB());
    return 0;
}

void memoryBench()
{
    ratioLine("peak memory, main window, nothing open", childFigures("ours-idle")[0], childFigures("bare-idle")[0],
              "MiB", "at most 1.1");
    ratioLine("peak memory, playing 360p", childFigures("ours-play")[0], childFigures("bare-play")[0], "MiB",
              "at most 1.1");
    const std::vector<double> ours = childFigures("ours-opens"), anchor = childFigures("bare-opens");
    ratioLine("memory growth, 1st to 100th open", ours[0], anchor[0], "MiB", "within 10 MiB of flat");
    ratioLine("memory growth, 10th to 100th open", ours[1], anchor[1], "MiB", "within 10 MiB of flat");
}

QByteArray pictureHash(const QImage& img)
{
    return QCryptographicHash::hash(QByteArrayView(reinterpret_cast<const char*>(img.constBits()), img.sizeInBytes()),
                                    QCryptographicHash::Md5);
}

constexpr int kScanMs = 4000;

// The anchor's scan: a target moving 0.1 s every 10 ms (ten times real time), one exact seek in
// flight, the newest target sent when a seek is done. Distinct pictures drawn a second.
double bareScan(const QString& clip, std::initializer_list<std::pair<const char*, const char*>> options = {})
{
    BareClient bare(options);
    bare.open(clip.toUtf8().constData());
    mpv_set_property_string(bare.handle(), "pause", "yes");
    std::set<QByteArray> pictures;
    bare.onFrame = [&] { pictures.insert(pictureHash(bare.image())); };
    double target = 1.0, sent = -1;
    bool inFlight = false;
    const auto seek = [&] {
        const QByteArray at = QByteArray::number(target, 'f', 3);
        bare.command({"seek", at.constData(), "absolute+exact"});
        sent = target;
        inFlight = true;
    };
    QElapsedTimer t;
    t.start();
    long ticks = 0;
    bare.runUntil([&] {
        // Every 10 ms tick due by now moves the target 0.1 s on, as the remote's timer does.
        const long due = t.elapsed() / 10;
        if (due > ticks) {
            target += 0.1 * static_cast<double>(due - ticks);
            ticks = due;
            if (!inFlight) seek();
        }
        return t.elapsed() >= kScanMs;
    }, kScanMs + 1000, [&](const mpv_event& e) {
        if (e.event_id != MPV_EVENT_PLAYBACK_RESTART) return;
        inFlight = false;
        if (target != sent) seek();
    });
    return pictures.size() / (t.nsecsElapsed() / 1e9);
}

// Fast forward at Single Speed (0.1 s of clip a 10 ms tick): ours through the remote's tick,
// the anchor with the same loop on a bare client. Distinct pictures a second, and the scan rate.
void scanBench()
{
    for (int gop : {50, 250}) {
        const QString clip = clips::h264Clip(640, 360, gop, 60);
        double ours = 0, anchor = 0, scan = 0, uiShare = 0;
        for (int round = 0; round < 2; ++round) {
            Program p;
            p.enter();
            p.open(clip);
            MpvWindowsMediaControl& screen = p.screen();
            Player& remote = p.app.forms().get<Player>();
            p.app.forms().get<Vid1>().Option12->setValue(true);
            screen.setCurrentPosition(1.0);
            spin(300);
            std::set<QByteArray> pictures;
            QObject::connect(&screen.view(), &VideoView::frameShown, [&] { pictures.insert(pictureHash(screen.view().image())); });
            QTimer tick;
            tick.setTimerType(Qt::PreciseTimer);
            QObject::connect(&tick, &QTimer::timeout, [&] { remote.Ff_Timer(); });
            const double start = screen.CurrentPosition();
            const double uiStart = threadCpuSeconds();
            QElapsedTimer t;
            t.start();
            tick.start(10);
            spin(kScanMs);
            tick.stop();
            const double s = t.nsecsElapsed() / 1e9;
            uiShare += (threadCpuSeconds() - uiStart) / s / 2;
            ours += pictures.size() / s / 2;
            scan += (screen.CurrentPosition() - start) / s / 2;
            anchor += bareScan(clip) / 2;
        }
        const std::string what = "fast-forward pictures/s, keyframe every " + std::to_string(gop);
        ratioLine(what.c_str(), ours, anchor, "/s", "at least 0.9");
        std::printf("%-44s %8.2f x real time   (goal: within 5%% of 10)\n", "  scan rate", scan);
        std::printf("%-44s %8.1f %% of a core\n", "  UI thread while scanning", uiShare * 100);
    }
}

// What the engine's seek and decoding options give the anchor's scan on sparse keyframes.
void leverBench()
{
    const QString clip = clips::h264Clip(640, 360, 250, 60);
    const double base = bareScan(clip);
    std::printf("%-44s %8.2f /s\n", "scan, keyframe every 250, defaults", base);
    const std::pair<const char*, std::pair<const char*, const char*>> levers[] = {
        {"hr-seek-framedrop=no", {"hr-seek-framedrop", "no"}},
        {"vd-lavc-threads=1", {"vd-lavc-threads", "1"}},
        {"vd-lavc-threads=2", {"vd-lavc-threads", "2"}},
        {"framedrop=decoder+vo", {"framedrop", "decoder+vo"}},
        {"vd-lavc-skiploopfilter=all", {"vd-lavc-skiploopfilter", "all"}},
        {"vd-lavc-fast=yes", {"vd-lavc-fast", "yes"}},
        {"demuxer-max-back-bytes=0", {"demuxer-max-back-bytes", "0"}},
    };
    for (const auto& [name, option] : levers) {
        const double rate = bareScan(clip, {option});
        std::printf("%-44s %8.2f /s   ratio %5.2f\n", name, rate, rate / base);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const auto qtApp = bench::startQt(argc, argv);
    const std::string part = argc > 1 ? argv[1] : "";
    if (argc > 2) bench::videoOutput = videoOutputNamed(QString::fromLocal8Bit(argv[2])).value_or(VideoOutput::Automatic);
    if (part == "child" && argc > 2) return memoryChild(argv[2]);
    const std::pair<const char*, void (*)()> parts[] = {{"enter", enterBench}, {"open", openBench},
                                                        {"latency", latencyBench}, {"fullscreen", fullScreenBench}, {"scalers", scalerBench}, {"cpu", cpuBench},
                                                        {"memory", memoryBench}, {"scan", scanBench},
                                                        {"levers", leverBench}};
    bool ran = false;
    for (const auto& [name, run] : parts) {
        if (!part.empty() && part != name) continue;
        run();
        std::fflush(stdout);
        ran = true;
    }
    if (!ran) std::fprintf(stderr, "unknown part %s\n", part.c_str());
    return ran ? 0 : 2;
}
