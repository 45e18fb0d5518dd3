#include "media/FrameRenderer.h"

#include <cstdlib>
#include <utility>

namespace {

// A frame buffer whose lines start on 64-byte boundaries, which the software renderer prefers.
QImage alignedImage(QSize size)
{
    const qsizetype stride = (size.width() * 4 + 63) / 64 * 64;
    void* data = std::aligned_alloc(64, static_cast<size_t>(stride * size.height()));
    QImage image(static_cast<uchar*>(data), size.width(), size.height(), stride, QImage::Format_RGB32,
                 [](void* p) { std::free(p); }, data);
    image.fill(Qt::black);
    return image;
}

}  // namespace

FrameRenderer::FrameRenderer(mpv_render_context* render, std::function<void()> drawn)
    : render_(render), drawn_(std::move(drawn)), thread_([this] { run(); })
{
}

FrameRenderer::~FrameRenderer()
{
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
}

void FrameRenderer::frameDue()
{
    {
        std::lock_guard lock(mutex_);
        due_ = true;
    }
    wake_.notify_one();
}

void FrameRenderer::setTarget(QSize size)
{
    {
        std::lock_guard lock(mutex_);
        target_ = size;
        redraw_ = true;
    }
    wake_.notify_one();
}

void FrameRenderer::redraw()
{
    {
        std::lock_guard lock(mutex_);
        redraw_ = true;
    }
    wake_.notify_one();
}

bool FrameRenderer::takeFrame(QImage& current)
{
    std::lock_guard lock(mutex_);
    if (!fresh_) return false;
    std::swap(current, front_);  // the buffer given back is drawn into again
    fresh_ = false;
    return true;
}

void FrameRenderer::run()
{
    QImage back;
    for (;;) {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stop_ || due_ || redraw_; });
        if (stop_) return;
        const bool due = std::exchange(due_, false), again = std::exchange(redraw_, false);
        const QSize size = target_;
        lock.unlock();

        const bool frame = due && (mpv_render_context_update(render_) & MPV_RENDER_UPDATE_FRAME);
        hasFrame_ = hasFrame_ || frame;
        if (!hasFrame_ || (!frame && !again)) continue;
        if (size.isEmpty()) {
            int skip = 1, block = 0;
            mpv_render_param params[] = {{MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
                                         {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                                         {MPV_RENDER_PARAM_INVALID, nullptr}};
            mpv_render_context_render(render_, params);
            continue;
        }
        if (back.size() != size) back = alignedImage(size);
        draw(back);
        lock.lock();
        std::swap(back, front_);
        fresh_ = true;
        lock.unlock();
        drawn_();
    }
}

void FrameRenderer::draw(QImage& into)
{
    int size[2] = {into.width(), into.height()};
    size_t stride = static_cast<size_t>(into.bytesPerLine());
    // QImage::Format_RGB32's byte order on little-endian machines, the fourth byte opaque (0xFF)
    // as Qt takes it: a screen that composes with alpha (every Wayland one) shows the picture
    // whole. ("bgr0" leaves that byte undefined, and setting it took a pass over every pixel.)
    const char* format = "bgra";
    int block = 0;
    mpv_render_param params[] = {{MPV_RENDER_PARAM_SW_SIZE, size},
                                 {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>(format)},
                                 {MPV_RENDER_PARAM_SW_STRIDE, &stride},
                                 {MPV_RENDER_PARAM_SW_POINTER, into.bits()},
                                 {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                                 {MPV_RENDER_PARAM_INVALID, nullptr}};
    mpv_render_context_render(render_, params);
    drawnOn_ = std::this_thread::get_id();
}
