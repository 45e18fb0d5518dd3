#pragma once

#include <QByteArray>
#include <QImage>
#include <QObject>
#include <QString>
#include <QVariant>
#include <atomic>
#include <initializer_list>
#include <memory>
#include <thread>
#include <string>
#include <variant>
#include <vector>

#include "media/FrameRenderer.h"
#include "media/VideoOutput.h"

#include <mpv/client.h>
#include <mpv/render.h>

// How an engine instance is built. The program uses the defaults; tests build engines without
// sound output (audioOutput "null") or writing it to a file (audioOutput "pcm").
struct MpvOptions {
    QString audioOutput;  // empty: the system's default output
    QString audioFile;    // with audioOutput "pcm": where the samples go
    int openDeadlineSeconds = 30;  // an open that has not ended by then fails
    QString cdDevice = QStringLiteral("/dev/cdrom");  // the drive (or a CUE disc image) CDs are read from
    VideoOutput videoOutput = VideoOutput::Automatic;
};

// Receives an engine's events on the UI thread, one at a time, never inside a call into the
// session.
class MpvListener {
public:
    virtual ~MpvListener() = default;
    virtual void mpvEvent(const mpv_event& event) = 0;
    // A frame has been drawn for the size asked for (setRenderTarget): take it (takeFrame).
    virtual void mpvFrameReady() = 0;
};

// One libmpv instance with a render context (software, or OpenGL on the GPU). libmpv's threads
// only post a wakeup; the queued call drains the event queue on the UI thread. The UI thread
// makes no call that waits on the core and none into the renderer: commands and property writes
// are asynchronous, reads are observed, and frames are drawn at their display time on a thread
// of their own (FrameRenderer), then taken by the UI thread.
//
// The core is created on first use (the first command, read or started playback), so a window
// that hosts an engine it never plays costs nothing. Observations, hooks and property values
// given before that are kept and handed to the core when it starts.
class MpvSession : public QObject {
    Q_OBJECT
public:
    MpvSession(const MpvOptions& options, MpvListener& listener, QObject* parent = nullptr);
    ~MpvSession() override;

    void command(std::initializer_list<QByteArray> args, uint64_t replyId = 0);
    // Stops what plays; without a core there is nothing to stop.
    void stop();
    void setFlag(const char* name, bool value);
    void setDouble(const char* name, double value, uint64_t replyId = 0);
    void setString(const char* name, const QByteArray& value, uint64_t replyId = 0);
    void getNode(const char* name, uint64_t replyId);
    void observe(const char* name, mpv_format format, uint64_t id);
    // Hooks stop the engine at a point until continueHook() is called with the event's id.
    void addHook(const char* name, uint64_t replyId);
    void continueHook(uint64_t hookId);

    // Frames are drawn for this target from now on, the current one again; with an empty size
    // they are taken without being drawn.
    void setRenderTarget(const FrameTarget& target);
    // The current frame drawn again (what it shows changed, as its placement).
    void redraw();
    // Puts the newest drawn frame in `current`, taking back the buffer it held; false when none
    // was drawn since the last take.
    bool takeFrame(VideoFrame& current);
    // Frames come as OpenGL textures (the GPU renderer), not in memory.
    bool drawsOnGpu() const { return gpu_; }
    // The drawing thread puts each frame in the target's window itself (the software renderer on
    // X11); the view paints a frame only when its window shows again.
    bool showsFramesInWindow() const { return windowed_; }
    // The thread the last frame was drawn on (tests ask); none before the first.
    std::thread::id drawnOn() const;

    // "mpv 0.35.1" once the core has started, empty before.
    QString engineVersion() const { return version_; }

    // Sessions are torn down (render context, then core) on a thread of their own: a core whose
    // reader is stuck in a source that never answers would otherwise hold the UI thread for ever.
    // The destructor gives a teardown a short while to end; one that takes longer goes on alone.
    // Waits up to the time given for every teardown still going; true when none is left.
    static bool finishTeardowns(int timeoutMs);

    static QVariant toVariant(const mpv_node& node);

private:
    using Value = std::variant<bool, double, QByteArray>;
    struct Observed {
        std::string name;
        mpv_format format;
        uint64_t id;
    };

    mpv_handle* core();
    void start();
    void setValue(const char* name, Value value, uint64_t replyId);
    void drain();

    MpvOptions options_;
    MpvListener& listener_;
    mpv_handle* handle_ = nullptr;
    QString version_;
    std::atomic<bool> wakeupPosted_{false};
    std::atomic<bool> framePosted_{false};
    bool draining_ = false;
    const bool gpu_;
    const bool windowed_;
    FrameTarget renderTarget_;  // asked for before the core started
    std::unique_ptr<FrameRenderer> renderer_;
    // Given before the core started.
    std::vector<Observed> observed_;
    std::vector<std::pair<std::string, uint64_t>> hooks_;
    std::vector<std::pair<std::string, Value>> values_;
};
