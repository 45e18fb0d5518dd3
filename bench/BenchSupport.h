#pragma once

// What the benchmarks share: the program on its real engines without dialogs, a bare libmpv
// client as the anchor every figure is compared with, and ways to read time and memory.
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <QEventLoop>
#include <QMetaObject>
#include <QTimer>
#include <atomic>
#include <clocale>
#include <cstdio>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <ctime>
#include <unistd.h>
#include <vector>

#include <mpv/client.h>
#include <mpv/render.h>

#include "windows/Application.h"
#include "windows/frmSplash.h"
#include "forms/Controls.h"
#include "forms/Dialogs.h"
#include "main_window/frmMain.h"
#include "media/MpvEngineFactory.h"
#include "media/MpvWindowsMediaControl.h"
#include "media/VideoView.h"
#include "media/VideoOutput.h"

namespace bench {

// Qt as every benchmark runs it: offscreen unless a platform is chosen, numbers read with '.'
// (libmpv needs it), the windows' design font.
inline std::unique_ptr<QApplication> startQt(int& argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareOpenGl();
    auto app = std::make_unique<QApplication>(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    forms::useDesignFont();
    return app;
}

class SilentMessages : public forms::MessageBoxes {
public:
    void show(QWidget*, const QString& text, const QString&) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    void tell(QWidget* owner, const QString& text, const QString& title) override { show(owner, text, title); }
};

class NoDialogs : public forms::FileDialogs {
public:
    forms::FileDialogResult run(QWidget*, const forms::FileDialogRequest&) override { return {}; }
};

// Runs the event loop for the time given (sleeping while there is nothing to do).
inline void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Runs the event loop until the condition holds; false at the deadline. The condition is
// tested after each batch of events, and the thread sleeps in between, as the program's own
// loop does (processEvents with a time limit would spin instead).
inline bool spinUntil(const std::function<bool()>& condition, int timeoutMs = 15000)
{
    QElapsedTimer t;
    t.start();
    QTimer deadline;
    deadline.start(timeoutMs);
    while (!condition()) {
        if (t.elapsed() > timeoutMs) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Resident memory now, and at its peak, in MiB.
inline double residentMiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}
// From the kernel's high-water mark of this process image (getrusage's figure would include
// the parent's when started by fork and exec).
inline double peakResidentMiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            double kib = 0;
            status >> kib;
            return kib / 1024.0;
        }
        status.ignore(4096, '\n');
    }
    return 0;
}
// CPU time of what getrusage reports on (RUSAGE_SELF: the whole process; RUSAGE_CHILDREN: its
// children that ended), in seconds.
inline double cpuSeconds(int who = RUSAGE_SELF)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The share of a core the process used while the work ran (1: a whole core).
inline double cpuShareDuring(const std::function<void()>& work)
{
    const double c0 = cpuSeconds();
    QElapsedTimer t;
    t.start();
    work();
    return (cpuSeconds() - c0) / (t.nsecsElapsed() / 1e9);
}

// CPU time the calling thread has used, in seconds.
inline double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// The renderer the program's engines use: "gpu", "software" or "auto" after the part's name.
inline VideoOutput videoOutput = VideoOutput::Automatic;

// Engines without sound output, drawing with that renderer.
inline MpvOptions silentEngines()
{
    MpvOptions options{QStringLiteral("null"), {}};
    options.videoOutput = videoOutput;
    return options;
}

// The program on its real engines (no sound output unless told otherwise), entered in Standard
// Mode.
struct Program {
    explicit Program(MpvOptions options = silentEngines()) : engines(std::move(options)) {}
    MpvEngineFactory engines;
    SilentMessages messages;
    NoDialogs dialogs;
    Application app{engines, messages, dialogs};

    void enter()
    {
        frmSplash& splash = app.forms().get<frmSplash>();
        splash.Option1->setValue(true);
        splash.Command1->click();
    }
    MpvWindowsMediaControl& screen()
    {
        return static_cast<MpvWindowsMediaControl&>(*app.forms().get<frmMain>().screenAndAudio);
    }
    bool open(const QString& file)
    {
        screen().Open(file);
        return spinUntil([&] { return screen().OpenState() != WindowsMediaControl::OpenOpening; }) &&
               screen().OpenState() == WindowsMediaControl::OpenOpen;
    }
};

// The anchor: a bare libmpv client with a software render context, drawing what it plays into
// a window of the control's size (313 x 265) the way a minimal embedding would: frames come at
// their display time and are drawn at once. Its events are read on the calling thread, which
// also runs the window's painting.
class BareClient {
    class View : public QWidget {
    public:
        explicit View(const QImage& image) : image_(image) { resize(313, 265); }
        QPoint at;  // where the frame lies, in widget pixels

    protected:
        void paintEvent(QPaintEvent*) override { QPainter(this).drawImage(at, image_); }

    private:
        const QImage& image_;
    };

public:
    explicit BareClient(std::initializer_list<std::pair<const char*, const char*>> extraOptions = {})
    {
        handle_ = mpv_create();
        for (const auto& [name, value] : {std::pair{"config", "no"}, {"terminal", "no"}, {"vo", "libmpv"},
                                          {"ao", "null"}, {"idle", "yes"}, {"keep-open", "yes"}, {"hwdec", "no"},
                                          {"video-timing-offset", "0"}})
            mpv_set_option_string(handle_, name, value);
        for (const auto& [name, value] : extraOptions) mpv_set_option_string(handle_, name, value);
        mpv_initialize(handle_);
        const char* sw = MPV_RENDER_API_TYPE_SW;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(sw)}, {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv_render_context_create(&render_, handle_, params);
        mpv_render_context_set_update_callback(
            render_,
            [](void* self) {
                auto* client = static_cast<BareClient*>(self);
                client->update_ = true;
                mpv_wakeup(client->handle_);
            },
            this);
        view_ = std::make_unique<View>(image_);
        view_->show();
        image_ = QImage(view_->size() * view_->devicePixelRatioF(), QImage::Format_RGB32);
        image_.fill(Qt::black);
        image_.setDevicePixelRatio(view_->devicePixelRatioF());
    }
    ~BareClient()
    {
        mpv_render_context_set_update_callback(render_, nullptr, nullptr);
        mpv_render_context_free(render_);
        mpv_terminate_destroy(handle_);
    }
    mpv_handle* handle() const { return handle_; }
    const QImage& image() const { return image_; }
    // The view covers the screen, as the control's full-screen window does.
    void coverTheScreen()
    {
        view_->setGeometry(view_->screen()->geometry());
        view_->showFullScreen();
        spin(300);
    }

    // Draws only the part of a picture of that size that a control of the view's size shows at
    // the display size, in the screen's device pixels: the work the program's control does. (By
    // default the whole picture is scaled into the view.)
    void drawAsTheControl(QSize picture, int displaySize)
    {
        const qreal ratio = view_->devicePixelRatioF();
        const QRect drawnLogical = pictureRect(displaySize, picture, view_->size());
        const QRect drawn(QPoint(qRound(drawnLogical.left() * ratio), qRound(drawnLogical.top() * ratio)),
                          QSize(qRound(drawnLogical.width() * ratio), qRound(drawnLogical.height() * ratio)));
        const QRect visible = renderedRect(picture, drawn, drawn.intersected(QRect(QPoint(0, 0), view_->size() * ratio)));
        const PicturePlacement placement = picturePlacement(picture, drawn, visible);
        for (const auto& [name, value] : {std::pair{"video-unscaled", "yes"}, {"video-align-x", "-1"}, {"video-align-y", "-1"}})
            mpv_set_property_string(handle_, name, value);
        for (const auto& [name, value] : {std::pair{"video-scale-x", placement.scaleX}, {"video-scale-y", placement.scaleY},
                                          {"video-pan-x", placement.panX}, {"video-pan-y", placement.panY}}) {
            double v = value;
            mpv_set_property(handle_, name, MPV_FORMAT_DOUBLE, &v);
        }
        image_ = QImage(visible.size(), QImage::Format_RGB32);
        image_.fill(Qt::black);
        image_.setDevicePixelRatio(ratio);
        view_->at = QPoint(qRound(visible.left() / ratio), qRound(visible.top() / ratio));
    }

    void command(std::initializer_list<const char*> args, uint64_t replyId = 0)
    {
        std::vector<const char*> argv(args);
        argv.push_back(nullptr);
        mpv_command_async(handle_, replyId, argv.data());
    }

    // Reads events (each given to onEvent) and draws due frames until done() holds or the
    // deadline passes; false at the deadline. It sleeps until the engine has something for it
    // (or 10 ms have passed, for done() and the window).
    bool runUntil(const std::function<bool()>& done, int timeoutMs = 15000,
                  const std::function<void(const mpv_event&)>& onEvent = {})
    {
        QElapsedTimer t;
        t.start();
        while (!done()) {
            if (t.elapsed() > timeoutMs) return false;
            const mpv_event* e = mpv_wait_event(handle_, 0.010);
            if (e->event_id != MPV_EVENT_NONE && onEvent) onEvent(*e);
            if (update_.exchange(false) && (mpv_render_context_update(render_) & MPV_RENDER_UPDATE_FRAME)) draw();
            QCoreApplication::processEvents();
        }
        return true;
    }
    long framesDrawn() const { return frames_; }
    std::function<void()> onFrame;

    // Loads the file and asks what the program asks of a clip that has loaded; true once the
    // answers are in.
    bool open(const char* file)
    {
        command({"loadfile", file, "replace"});
        bool loaded = false;
        int answers = 0;
        return runUntil([&] { return answers == 4; }, 15000, [&](const mpv_event& e) {
            if (e.event_id == MPV_EVENT_FILE_LOADED && !loaded) {
                loaded = true;
                for (const char* p : {"duration", "track-list", "metadata", "file-size"})
                    mpv_get_property_async(handle_, 7, p, MPV_FORMAT_NODE);
            }
            if (e.event_id == MPV_EVENT_GET_PROPERTY_REPLY && e.reply_userdata == 7) ++answers;
        });
    }

private:
    void draw()
    {
        int size[2] = {image_.width(), image_.height()};
        size_t stride = static_cast<size_t>(image_.bytesPerLine());
        const char* format = "bgra";  // opaque, as the program renders it
        int block = 0;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                     {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>(format)},
                                     {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                     {MPV_RENDER_PARAM_SW_POINTER, image_.bits()},
                                     {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        if (mpv_render_context_render(render_, params) >= 0) {
            ++frames_;
            view_->update();
            if (onFrame) onFrame();
        }
    }

    mpv_handle* handle_ = nullptr;
    mpv_render_context* render_ = nullptr;
    std::atomic<bool> update_{false};
    QImage image_;
    std::unique_ptr<View> view_;
    long frames_ = 0;
};

}  // namespace bench
