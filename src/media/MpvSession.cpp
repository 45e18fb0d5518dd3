#include "media/MpvSession.h"

#include <QMetaObject>
#include <algorithm>
#include <chrono>
#include <clocale>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace {

void setOption(mpv_handle* h, const char* name, const char* value) { mpv_set_option_string(h, name, value); }

// How long a session's destructor waits for its teardown: an ordinary core stops well within it.
constexpr auto kTeardownWait = std::chrono::milliseconds(100);

// The teardowns still going, shared by every session of the process.
struct Teardowns {
    std::mutex mutex;
    std::condition_variable ended;
    int going = 0;
};

Teardowns& teardowns()
{
    static auto* t = new Teardowns;  // never destroyed: a teardown may outlive main()
    return *t;
}

// Ends the drawing (which frees the render context) and then the core on a thread of their own,
// and waits a short while for it to end.
void tearDown(mpv_handle* core, std::unique_ptr<FrameRenderer> renderer)
{
    Teardowns& t = teardowns();
    auto done = std::make_shared<bool>(false);
    {
        std::lock_guard lock(t.mutex);
        ++t.going;
    }
    std::thread([core, renderer = std::move(renderer), done, &t]() mutable {
        renderer.reset();
        mpv_terminate_destroy(core);
        {
            std::lock_guard lock(t.mutex);
            *done = true;
            --t.going;
        }
        t.ended.notify_all();
    }).detach();
    std::unique_lock lock(t.mutex);
    t.ended.wait_for(lock, kTeardownWait, [&done] { return *done; });
}

}  // namespace

bool MpvSession::finishTeardowns(int timeoutMs)
{
    Teardowns& t = teardowns();
    std::unique_lock lock(t.mutex);
    return t.ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&t] { return t.going == 0; });
}

MpvSession::MpvSession(const MpvOptions& options, MpvListener& listener, QObject* parent)
    : QObject(parent), options_(options), listener_(listener),
      gpu_(resolveVideoOutput(options.videoOutput) == VideoOutput::Gpu), windowed_(!gpu_ && x11CanvasUsable())
{
}

MpvSession::~MpvSession()
{
    if (!handle_) return;
    // Fixed order: no more callbacks, no more drawing, then the render context, then the core.
    mpv_set_wakeup_callback(handle_, nullptr, nullptr);
    if (renderer_) renderer_->stop();
    tearDown(handle_, std::move(renderer_));
}

mpv_handle* MpvSession::core()
{
    if (!handle_) start();
    return handle_;
}

void MpvSession::start()
{
    // libmpv parses numbers with the C locale.
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* h = mpv_create();
    if (!h) throw std::runtime_error("The playback engine could not be created.");

    setOption(h, "config", "no");
    setOption(h, "terminal", "no");
    // None of the engine's own scripts: each is a thread and memory the program never uses.
    setOption(h, "load-scripts", "no");
    setOption(h, "ytdl", "no");
    setOption(h, "osc", "no");
    setOption(h, "load-stats-overlay", "no");
    setOption(h, "load-osd-console", "no");
    setOption(h, "load-auto-profiles", "no");
    setOption(h, "input-default-bindings", "no");
    setOption(h, "input-vo-keyboard", "no");
    setOption(h, "idle", "yes");
    setOption(h, "keep-open", "yes");
    setOption(h, "keep-open-pause", "yes");
    setOption(h, "audio-display", "no");
    // The GPU renderer may take frames the GPU decoded, where the engine deems it safe.
    setOption(h, "hwdec", gpu_ ? "auto-safe" : "no");
    // The software renderer scales with spline16: about 12% less CPU than its default (lanczos)
    // for a 720p clip in full screen at 1080p, at 53 dB PSNR against it (engine_bench scalers).
    if (!gpu_) setOption(h, "zimg-scaler", "spline16");
    setOption(h, "vo", "libmpv");
    // Frames are handed over at their display time and drawn at once, without the render call
    // waiting: the UI thread never sleeps in the engine, and a frame is never held back while
    // the engine waits for it to be taken (it does so when a new clip is loaded).
    setOption(h, "video-timing-offset", "0");
    setOption(h, "network-timeout", "10");
    // Lists may not name the engine's internal sources (the program checks every entry too).
    setOption(h, "load-unsafe-playlists", "no");
    setOption(h, "hr-seek", "yes");
    // The picture is drawn at its own size times the scale the video view sets, from the top
    // left, so only the part of it that is seen needs rendering.
    setOption(h, "video-unscaled", "yes");
    setOption(h, "video-align-x", "-1");
    setOption(h, "video-align-y", "-1");
    setOption(h, "pause", "yes");
    // Without a usable sound device a clip still plays (silently) rather than failing.
    setOption(h, "audio-fallback-to-null", "yes");
    if (!options_.audioOutput.isEmpty()) setOption(h, "ao", options_.audioOutput.toUtf8().constData());
    if (!options_.audioFile.isEmpty()) {
        setOption(h, "ao-pcm-file", options_.audioFile.toUtf8().constData());
        setOption(h, "ao-pcm-waveheader", "yes");
    }
    // What the windows set before the core existed (volume, mute, balance filter).
    for (auto& [name, value] : values_) {
        if (auto* flag = std::get_if<bool>(&value)) {
            int v = *flag ? 1 : 0;
            mpv_set_option(h, name.c_str(), MPV_FORMAT_FLAG, &v);
        } else if (auto* number = std::get_if<double>(&value)) {
            mpv_set_option(h, name.c_str(), MPV_FORMAT_DOUBLE, number);
        } else {
            setOption(h, name.c_str(), std::get<QByteArray>(value).constData());
        }
    }
    values_.clear();

    if (mpv_initialize(h) < 0) {
        mpv_terminate_destroy(h);
        throw std::runtime_error("The playback engine could not be started.");
    }
    handle_ = h;
    if (char* v = mpv_get_property_string(h, "mpv-version")) {
        version_ = QString::fromUtf8(v);
        mpv_free(v);
    }
    for (const Observed& o : observed_) mpv_observe_property(h, o.id, o.name.c_str(), o.format);
    for (const auto& [name, id] : hooks_) mpv_hook_add(h, id, name.c_str(), 0);
    observed_.clear();
    hooks_.clear();

    // The render context exists before any file is loaded.
    std::unique_ptr<FrameCanvas> canvas = gpu_ ? makeGlCanvas() : windowed_ ? makeX11Canvas() : makeSoftwareCanvas();
    if (canvas->open(h)) {
        renderer_ = std::make_unique<FrameRenderer>(std::move(canvas), [this] {
            if (!framePosted_.exchange(true))
                QMetaObject::invokeMethod(this, [this] {
                    framePosted_ = false;
                    listener_.mpvFrameReady();
                }, Qt::QueuedConnection);
        });
        renderer_->setTarget(renderTarget_);
    }
    mpv_set_wakeup_callback(
        h,
        [](void* ctx) {
            auto* self = static_cast<MpvSession*>(ctx);
            if (!self->wakeupPosted_.exchange(true))
                QMetaObject::invokeMethod(self, [self] { self->drain(); }, Qt::QueuedConnection);
        },
        this);
}

void MpvSession::command(std::initializer_list<QByteArray> args, uint64_t replyId)
{
    std::vector<const char*> argv;
    argv.reserve(args.size() + 1);
    for (const QByteArray& a : args) argv.push_back(a.constData());
    argv.push_back(nullptr);
    mpv_command_async(core(), replyId, argv.data());
}

void MpvSession::stop()
{
    if (handle_) command({"stop"});
}

void MpvSession::setValue(const char* name, Value value, uint64_t replyId)
{
    if (!handle_ && replyId == 0) {
        // Kept for the core: the newest value of each property.
        const auto it = std::find_if(values_.begin(), values_.end(), [name](const auto& v) { return v.first == name; });
        if (it != values_.end()) it->second = std::move(value);
        else values_.emplace_back(name, std::move(value));
        return;
    }
    if (auto* flag = std::get_if<bool>(&value)) {
        int v = *flag ? 1 : 0;
        mpv_set_property_async(core(), replyId, name, MPV_FORMAT_FLAG, &v);
    } else if (auto* number = std::get_if<double>(&value)) {
        mpv_set_property_async(core(), replyId, name, MPV_FORMAT_DOUBLE, number);
    } else {
        const char* v = std::get<QByteArray>(value).constData();
        mpv_set_property_async(core(), replyId, name, MPV_FORMAT_STRING, &v);
    }
}

void MpvSession::setFlag(const char* name, bool value) { setValue(name, value, 0); }

void MpvSession::setDouble(const char* name, double value, uint64_t replyId) { setValue(name, value, replyId); }

void MpvSession::setString(const char* name, const QByteArray& value, uint64_t replyId)
{
    setValue(name, value, replyId);
}

void MpvSession::getNode(const char* name, uint64_t replyId)
{
    mpv_get_property_async(core(), replyId, name, MPV_FORMAT_NODE);
}

void MpvSession::observe(const char* name, mpv_format format, uint64_t id)
{
    if (handle_) mpv_observe_property(handle_, id, name, format);
    else observed_.push_back({name, format, id});
}

void MpvSession::addHook(const char* name, uint64_t replyId)
{
    if (handle_) mpv_hook_add(handle_, replyId, name, 0);
    else hooks_.emplace_back(name, replyId);
}

void MpvSession::continueHook(uint64_t hookId) { mpv_hook_continue(core(), hookId); }

void MpvSession::drain()
{
    wakeupPosted_ = false;
    // A handler of an earlier event may wait inside a dialog; the outer drain goes on
    // reading the queue once it returns, so events are never handled re-entrantly.
    if (draining_) return;
    draining_ = true;
    while (true) {
        mpv_event* event = mpv_wait_event(handle_, 0);
        if (event->event_id == MPV_EVENT_NONE) break;
        listener_.mpvEvent(*event);
    }
    draining_ = false;
}

void MpvSession::setRenderTarget(const FrameTarget& target)
{
    renderTarget_ = target;
    if (renderer_) renderer_->setTarget(target);
}

void MpvSession::redraw()
{
    if (renderer_) renderer_->redraw();
}

bool MpvSession::takeFrame(VideoFrame& current) { return renderer_ && renderer_->takeFrame(current); }

std::thread::id MpvSession::drawnOn() const { return renderer_ ? renderer_->drawnOn() : std::thread::id(); }

QVariant MpvSession::toVariant(const mpv_node& node)
{
    switch (node.format) {
    case MPV_FORMAT_STRING: return QString::fromUtf8(node.u.string);
    case MPV_FORMAT_FLAG: return node.u.flag != 0;
    case MPV_FORMAT_INT64: return QVariant::fromValue<qlonglong>(node.u.int64);
    case MPV_FORMAT_DOUBLE: return node.u.double_;
    case MPV_FORMAT_NODE_ARRAY: {
        QVariantList list;
        for (int i = 0; i < node.u.list->num; ++i) list << toVariant(node.u.list->values[i]);
        return list;
    }
    case MPV_FORMAT_NODE_MAP: {
        QVariantMap map;
        for (int i = 0; i < node.u.list->num; ++i)
            map.insert(QString::fromUtf8(node.u.list->keys[i]), toVariant(node.u.list->values[i]));
        return map;
    }
    default: return {};
    }
}
