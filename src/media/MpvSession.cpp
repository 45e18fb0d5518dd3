#include "media/MpvSession.h"

#include <QMetaObject>
#include <clocale>
#include <stdexcept>
#include <vector>

namespace {

void setOption(mpv_handle* h, const char* name, const char* value)
{
    mpv_set_option_string(h, name, value);
}

}  // namespace

MpvSession::MpvSession(const MpvOptions& options, MpvListener& listener, QObject* parent)
    : QObject(parent), listener_(listener)
{
    // libmpv parses numbers with the C locale.
    std::setlocale(LC_NUMERIC, "C");
    handle_ = mpv_create();
    if (!handle_) throw std::runtime_error("The playback engine could not be created.");

    setOption(handle_, "config", "no");
    setOption(handle_, "terminal", "no");
    setOption(handle_, "load-scripts", "no");
    setOption(handle_, "ytdl", "no");
    setOption(handle_, "osc", "no");
    setOption(handle_, "input-default-bindings", "no");
    setOption(handle_, "input-vo-keyboard", "no");
    setOption(handle_, "idle", "yes");
    setOption(handle_, "keep-open", "yes");
    setOption(handle_, "keep-open-pause", "yes");
    setOption(handle_, "audio-display", "no");
    setOption(handle_, "hwdec", "no");
    setOption(handle_, "vo", "libmpv");
    setOption(handle_, "network-timeout", "10");
    // Lists may not name the engine's internal sources (the program checks every entry too).
    setOption(handle_, "load-unsafe-playlists", "no");
    setOption(handle_, "hr-seek", "yes");
    // The picture is drawn at its own size times the scale the video view sets, from the top
    // left, so only the part of it that is seen needs rendering.
    setOption(handle_, "video-unscaled", "yes");
    setOption(handle_, "video-align-x", "-1");
    setOption(handle_, "video-align-y", "-1");
    setOption(handle_, "pause", "yes");
    // Without a usable sound device a clip still plays (silently) rather than failing.
    setOption(handle_, "audio-fallback-to-null", "yes");
    if (!options.audioOutput.isEmpty()) setOption(handle_, "ao", options.audioOutput.toUtf8().constData());
    if (!options.audioFile.isEmpty()) {
        setOption(handle_, "ao-pcm-file", options.audioFile.toUtf8().constData());
        setOption(handle_, "ao-pcm-waveheader", "yes");
    }

    if (mpv_initialize(handle_) < 0) {
        mpv_terminate_destroy(handle_);
        throw std::runtime_error("The playback engine could not be started.");
    }
    if (char* v = mpv_get_property_string(handle_, "mpv-version")) {
        version_ = QString::fromUtf8(v);
        mpv_free(v);
    }

    // The render context exists before any file is loaded.
    const char* swType = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(swType)},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    if (mpv_render_context_create(&render_, handle_, params) < 0) render_ = nullptr;
    if (render_) {
        mpv_render_context_set_update_callback(
            render_,
            [](void* ctx) {
                auto* self = static_cast<MpvSession*>(ctx);
                if (!self->renderPosted_.exchange(true))
                    QMetaObject::invokeMethod(self, [self] { self->onRenderUpdate(); }, Qt::QueuedConnection);
            },
            this);
    }

    mpv_set_wakeup_callback(
        handle_,
        [](void* ctx) {
            auto* self = static_cast<MpvSession*>(ctx);
            if (!self->wakeupPosted_.exchange(true))
                QMetaObject::invokeMethod(self, [self] { self->drain(); }, Qt::QueuedConnection);
        },
        this);
}

MpvSession::~MpvSession()
{
    // Fixed order: no more callbacks, then the render context, then the core.
    mpv_set_wakeup_callback(handle_, nullptr, nullptr);
    if (render_) {
        mpv_render_context_set_update_callback(render_, nullptr, nullptr);
        mpv_render_context_free(render_);
    }
    mpv_terminate_destroy(handle_);
}

void MpvSession::command(std::initializer_list<QByteArray> args, uint64_t replyId)
{
    std::vector<const char*> argv;
    argv.reserve(args.size() + 1);
    for (const QByteArray& a : args) argv.push_back(a.constData());
    argv.push_back(nullptr);
    mpv_command_async(handle_, replyId, argv.data());
}

void MpvSession::setFlag(const char* name, bool value)
{
    int v = value ? 1 : 0;
    mpv_set_property_async(handle_, 0, name, MPV_FORMAT_FLAG, &v);
}

void MpvSession::setDouble(const char* name, double value, uint64_t replyId)
{
    mpv_set_property_async(handle_, replyId, name, MPV_FORMAT_DOUBLE, &value);
}

void MpvSession::setString(const char* name, const QByteArray& value, uint64_t replyId)
{
    const char* v = value.constData();
    mpv_set_property_async(handle_, replyId, name, MPV_FORMAT_STRING, &v);
}

void MpvSession::getNode(const char* name, uint64_t replyId)
{
    mpv_get_property_async(handle_, replyId, name, MPV_FORMAT_NODE);
}

void MpvSession::observe(const char* name, mpv_format format, uint64_t id)
{
    mpv_observe_property(handle_, id, name, format);
}

void MpvSession::addHook(const char* name, uint64_t replyId) { mpv_hook_add(handle_, replyId, name, 0); }

void MpvSession::continueHook(uint64_t hookId) { mpv_hook_continue(handle_, hookId); }

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

void MpvSession::onRenderUpdate()
{
    renderPosted_ = false;
    if (render_ && (mpv_render_context_update(render_) & MPV_RENDER_UPDATE_FRAME)) {
        hasFrame_ = true;
        listener_.mpvFrameReady();
    }
}

bool MpvSession::render(QImage& target)
{
    if (!render_ || !hasFrame_ || target.isNull()) return false;
    int size[2] = {target.width(), target.height()};
    size_t stride = static_cast<size_t>(target.bytesPerLine());
    const char* format = "bgr0";  // QImage::Format_RGB32 byte order on little-endian machines
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                 {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>(format)},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, target.bits()},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    return mpv_render_context_render(render_, params) >= 0;
}

void MpvSession::skipFrame()
{
    if (!render_ || !hasFrame_) return;
    int skip = 1;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SKIP_RENDERING, &skip}, {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(render_, params);
}

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
