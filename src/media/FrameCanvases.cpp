// The canvases the engine draws its frames on in memory of our own (its software renderer) and
// in OpenGL textures (its GPU one); the X server's is in X11Canvas.cpp.
#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "media/FrameRenderer.h"
#include "media/SoftwareFrames.h"

#include <mpv/render_gl.h>

namespace {

class SoftwareCanvas : public FrameCanvas {
public:
    mpv_render_context* open(mpv_handle* core) override { return render_ = openSoftwareRender(core); }

    void draw(VideoFrame& into, const FrameTarget& target) override
    {
        if (into.image.size() != target.size) into.image = alignedImage(target.size);
        into.size = target.size;
        drawSoftwareFrame(render_, into.image);
    }

    void leave() override { mpv_render_context_free(render_); }
};

// Draws into textures of a context of its own, shared with the windows' contexts, current on
// the drawing thread only. Each frame is finished before it is handed over; a texture the view
// has drawn from is drawn into again only once the view's reading is done.
class GlCanvas : public FrameCanvas {
    static constexpr GLuint64 kShownWaitNs = 100'000'000;

public:
    ~GlCanvas() override { delete surface_; }  // only when never entered (open failed)

    mpv_render_context* open(mpv_handle* core) override
    {
        context_ = std::make_unique<QOpenGLContext>();
        context_->setShareContext(QOpenGLContext::globalShareContext());
        if (!context_->create()) return nullptr;
        surface_ = new QOffscreenSurface;
        surface_->setFormat(context_->format());
        surface_->create();
        if (!context_->makeCurrent(surface_)) return nullptr;
        mpv_opengl_init_params gl{[](void* context, const char* name) {
                                      return reinterpret_cast<void*>(
                                          static_cast<QOpenGLContext*>(context)->getProcAddress(name));
                                  },
                                  context_.get()};
        const char* type = MPV_RENDER_API_TYPE_OPENGL;
        std::vector<mpv_render_param> params{{MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(type)},
                                             {MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &gl}};
        // The display lets the engine hand hardware-decoded frames to OpenGL without a copy.
#if QT_CONFIG(xcb)
        if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
            params.push_back({MPV_RENDER_PARAM_X11_DISPLAY, x11->display()});
#endif
        params.push_back({MPV_RENDER_PARAM_INVALID, nullptr});
        if (mpv_render_context_create(&render_, core, params.data()) < 0) render_ = nullptr;
        context_->doneCurrent();
        return render_;
    }

    void moveTo(QThread* thread) override { context_->moveToThread(thread); }

    void enter() override { context_->makeCurrent(surface_); }

    void draw(VideoFrame& into, const FrameTarget& target) override
    {
        const QSize size = target.size;
        QOpenGLExtraFunctions& gl = *context_->extraFunctions();
        if (into.shown) {
            // Bounded: a view that never flushed its reading does not stop the pictures.
            gl.glClientWaitSync(static_cast<GLsync>(into.shown), 0, kShownWaitNs);
            gl.glDeleteSync(static_cast<GLsync>(into.shown));
            into.shown = nullptr;
        }
        const auto held = std::find_if(buffers_.begin(), buffers_.end(),
                                       [&](const auto& b) { return b->texture() == into.texture; });
        QOpenGLFramebufferObject* buffer = held != buffers_.end() ? held->get() : nullptr;
        if (!buffer || buffer->size() != size) {
            if (buffer) buffers_.erase(held);
            buffers_.push_back(std::make_unique<QOpenGLFramebufferObject>(size));
            buffer = buffers_.back().get();
        }
        into.texture = buffer->texture();
        into.size = size;
        mpv_opengl_fbo fbo{static_cast<int>(buffer->handle()), size.width(), size.height(), 0};
        int block = 0;
        mpv_render_param params[] = {{MPV_RENDER_PARAM_OPENGL_FBO, &fbo},
                                     {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                                     {MPV_RENDER_PARAM_INVALID, nullptr}};
        mpv_render_context_render(render_, params);
        gl.glFinish();  // whole before another context reads it
    }

    void leave() override
    {
        mpv_render_context_free(render_);
        buffers_.clear();
        context_->doneCurrent();
        context_.reset();
        surface_->deleteLater();  // made on the UI thread, ended there
        surface_ = nullptr;
    }

private:
    std::unique_ptr<QOpenGLContext> context_;
    QOffscreenSurface* surface_ = nullptr;
    std::vector<std::unique_ptr<QOpenGLFramebufferObject>> buffers_;
};

}  // namespace

qsizetype frameStride(int width) { return (width * 4 + 63) / 64 * 64; }

QImage alignedImage(QSize size)
{
    const qsizetype stride = frameStride(size.width());
    void* data = std::aligned_alloc(64, static_cast<size_t>(stride * size.height()));
    QImage image(static_cast<uchar*>(data), size.width(), size.height(), stride, QImage::Format_RGB32,
                 [](void* p) { std::free(p); }, data);
    image.fill(Qt::black);
    return image;
}

void drawSoftwareFrame(mpv_render_context* render, QImage& into)
{
    int dimensions[2] = {into.width(), into.height()};
    size_t stride = static_cast<size_t>(into.bytesPerLine());
    // QImage::Format_RGB32's byte order on little-endian machines, the fourth byte opaque (0xFF)
    // as Qt takes it: a screen that composes with alpha (every Wayland one) shows the picture
    // whole. ("bgr0" leaves that byte undefined.)
    const char* format = "bgra";
    int block = 0;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, dimensions},
                                 {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>(format)},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, into.bits()},
                                 {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(render, params);
}

mpv_render_context* openSoftwareRender(mpv_handle* core)
{
    const char* type = MPV_RENDER_API_TYPE_SW;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(type)},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context* render = nullptr;
    return mpv_render_context_create(&render, core, params) < 0 ? nullptr : render;
}

std::unique_ptr<FrameCanvas> makeSoftwareCanvas() { return std::make_unique<SoftwareCanvas>(); }

std::unique_ptr<FrameCanvas> makeGlCanvas() { return std::make_unique<GlCanvas>(); }
