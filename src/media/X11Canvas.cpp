// The software renderer's frames put on the X server by the drawing thread itself: each frame is
// drawn into memory the server shares (MIT-SHM) and copied by the server into the picture's
// native window. The UI thread neither copies nor presents it, so playing full screen leaves it
// as free as when idle.
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QDeadlineTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

#include "media/FrameRenderer.h"
#include "media/SoftwareFrames.h"

#if QT_CONFIG(xcb)
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <X11/Xlib.h>  // last: its macros clash with Qt's names

namespace {

// How long a frame's copy may take before the next frame is drawn regardless.
constexpr int kPutWaitMs = 500;

struct SharedImage {
    QImage image;  // Format_RGB32 in the shared memory; detached from it when the last copy goes
    xcb_shm_seg_t segment = 0;
};

// An image in memory shared with the server; none where the server cannot attach it (a remote
// server, or the system's limits on shared memory reached).
std::optional<SharedImage> shareImage(xcb_connection_t* connection, QSize size)
{
    const qsizetype stride = frameStride(size.width());
    const int id = shmget(IPC_PRIVATE, static_cast<size_t>(stride * size.height()), IPC_CREAT | 0600);
    if (id < 0) return std::nullopt;
    void* data = shmat(id, nullptr, 0);
    xcb_generic_error_t* error = nullptr;
    const xcb_shm_seg_t segment = xcb_generate_id(connection);
    if (data != reinterpret_cast<void*>(-1))
        error = xcb_request_check(connection, xcb_shm_attach_checked(connection, segment, id, 1));
    shmctl(id, IPC_RMID, nullptr);  // freed once both sides have let go of it
    if (data == reinterpret_cast<void*>(-1)) return std::nullopt;
    if (error) {
        std::free(error);
        shmdt(data);
        return std::nullopt;
    }
    QImage image(static_cast<uchar*>(data), size.width(), size.height(), stride, QImage::Format_RGB32,
                 [](void* p) { shmdt(p); }, data);
    image.fill(Qt::black);
    return SharedImage{image, segment};
}

struct X11Display {
    bool usable = false;
    QByteArray name;  // the display Qt is connected to
};

X11Display probeX11()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || QGuiApplication::platformName() != QLatin1String("xcb")) return {};
    xcb_connection_t* connection = x11->connection();
    const xcb_setup_t* setup = xcb_get_setup(connection);
    // Frames are 32-bit pixels, blue first: how a little-endian server lays out 24-bit colour.
    bool layout = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    bool packed = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        packed = packed || (f.data->depth == 24 && f.data->bits_per_pixel == 32);
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(connection, &xcb_shm_id);
    if (!layout || !packed || !shm || !shm->present) return {};
    std::optional<SharedImage> test = shareImage(connection, QSize(1, 1));
    if (!test) return {};
    xcb_shm_detach(connection, test->segment);
    xcb_flush(connection);
    return {true, QByteArray(XDisplayString(static_cast<Display*>(x11->display())))};
}

const X11Display& x11Display()
{
    static const X11Display display = probeX11();
    return display;
}

// Draws with the software renderer into shared images, and has the server copy each into the
// target window, waiting until it has (the image is then free to be drawn into again, and what
// the view is told was drawn is on the screen).
class X11Canvas : public FrameCanvas {
public:
    explicit X11Canvas(QByteArray display) : display_(std::move(display)) {}
    ~X11Canvas() override { disconnect(); }  // only when never entered (open failed)

    mpv_render_context* open(mpv_handle* core) override
    {
        // A connection of its own: Qt's would take the server's answers the drawing thread waits for.
        connection_ = xcb_connect(display_.constData(), nullptr);
        if (xcb_connection_has_error(connection_)) return nullptr;
        const xcb_query_extension_reply_t* shm = xcb_get_extension_data(connection_, &xcb_shm_id);
        if (!shm || !shm->present) return nullptr;
        completion_ = shm->first_event + XCB_SHM_COMPLETION;
        return render_ = openSoftwareRender(core);
    }

    void draw(VideoFrame& into, const FrameTarget& target) override
    {
        const xcb_shm_seg_t segment = bufferFor(into, target.size);
        into.size = target.size;
        drawSoftwareFrame(render_, into.image);
        if (segment && target.window) put(into.image, segment, target);
    }

    void leave() override
    {
        mpv_render_context_free(render_);
        disconnect();  // the server lets go of the images and the context with the connection
    }

private:
    struct Buffer {
        const uchar* pixels;
        xcb_shm_seg_t segment;
    };

    // The segment `into` lies in, made anew at another size or while a copy of the image is
    // still held (drawing into it would draw into a copy); none where memory cannot be shared
    // (the frame is then drawn in memory of our own, and only the view paints it).
    xcb_shm_seg_t bufferFor(VideoFrame& into, QSize size)
    {
        const auto held = std::find_if(buffers_.begin(), buffers_.end(),
                                       [&](const Buffer& b) { return b.pixels == into.image.constBits(); });
        if (held != buffers_.end() && into.image.size() == size && into.image.isDetached()) return held->segment;
        if (held != buffers_.end()) {
            xcb_shm_detach(connection_, held->segment);
            buffers_.erase(held);
        }
        into.image = QImage();
        std::optional<SharedImage> made = shareImage(connection_, size);
        if (!made) {
            if (!toldUnshared_) std::fputs("zelplayer: no shared memory with the X server; frames are copied.\n", stderr);
            toldUnshared_ = true;
            into.image = alignedImage(size);
            return 0;
        }
        into.image = made->image;
        buffers_.push_back({into.image.constBits(), made->segment});
        return made->segment;
    }

    void put(const QImage& image, xcb_shm_seg_t segment, const FrameTarget& target)
    {
        if (target.window != window_) useWindow(static_cast<xcb_window_t>(target.window));
        if (!depth_) return;
        const xcb_void_cookie_t put = xcb_shm_put_image(
            connection_, window_, gc_, static_cast<uint16_t>(image.bytesPerLine() / 4),
            static_cast<uint16_t>(image.height()), 0, 0, static_cast<uint16_t>(image.width()),
            static_cast<uint16_t>(image.height()), static_cast<int16_t>(target.at.x()),
            static_cast<int16_t>(target.at.y()), depth_, XCB_IMAGE_FORMAT_Z_PIXMAP, 1, segment, 0);
        xcb_flush(connection_);
        awaitCompletion(put.sequence);
    }

    void useWindow(xcb_window_t window)
    {
        window_ = window;
        depth_ = 0;
        if (gc_) xcb_free_gc(connection_, gc_);
        gc_ = 0;
        // 24 or 32 bits of colour take the frames' pixels as they are (another depth is not one
        // of the program's windows).
        xcb_get_geometry_reply_t* geometry =
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr);
        if (geometry && (geometry->depth == 24 || geometry->depth == 32)) {
            depth_ = geometry->depth;
            gc_ = xcb_generate_id(connection_);
            const uint32_t noExposures = 0;
            xcb_create_gc(connection_, gc_, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
        }
        std::free(geometry);
    }

    // Until the server has copied the image (or refused: the window is gone), within a deadline.
    void awaitCompletion(unsigned sequence)
    {
        const QDeadlineTimer deadline(kPutWaitMs);
        while (!xcb_connection_has_error(connection_)) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
                const int type = event->response_type & 0x7f;
                const bool ended = (type == completion_ || type == 0) && event->full_sequence == sequence;
                std::free(event);
                if (ended) return;
            }
            pollfd ready{xcb_get_file_descriptor(connection_), POLLIN, 0};
            const auto left = static_cast<int>(deadline.remainingTime());
            if (left <= 0 || poll(&ready, 1, left) <= 0) return;
        }
    }

    void disconnect()
    {
        if (connection_) xcb_disconnect(connection_);
        connection_ = nullptr;
        buffers_.clear();
    }

    QByteArray display_;
    xcb_connection_t* connection_ = nullptr;
    int completion_ = 0;
    std::vector<Buffer> buffers_;
    xcb_window_t window_ = 0;
    xcb_gcontext_t gc_ = 0;
    uint8_t depth_ = 0;
    bool toldUnshared_ = false;
};

}  // namespace

bool x11CanvasUsable() { return x11Display().usable; }

std::unique_ptr<FrameCanvas> makeX11Canvas() { return std::make_unique<X11Canvas>(x11Display().name); }

#else

bool x11CanvasUsable() { return false; }

std::unique_ptr<FrameCanvas> makeX11Canvas() { return makeSoftwareCanvas(); }

#endif
