#include "media/FrameRenderer.h"

#include <QThread>
#include <utility>

FrameRenderer::FrameRenderer(std::unique_ptr<FrameCanvas> canvas, std::function<void()> drawn)
    : canvas_(std::move(canvas)), drawn_(std::move(drawn)), thread_(QThread::create([this] { run(); }))
{
    canvas_->moveTo(thread_.get());
    mpv_render_context_set_update_callback(
        canvas_->render(), [](void* self) { static_cast<FrameRenderer*>(self)->frameDue(); }, this);
    thread_->start();
}

FrameRenderer::~FrameRenderer()
{
    stop();
    thread_->wait();
}

void FrameRenderer::stop()
{
    mpv_render_context_set_update_callback(canvas_->render(), nullptr, nullptr);
    wake([this] { stop_ = true; });
}

void FrameRenderer::frameDue()
{
    wake([this] { due_ = true; });
}

void FrameRenderer::setTarget(const FrameTarget& target)
{
    wake([this, target] {
        target_ = target;
        redraw_ = true;
    });
}

void FrameRenderer::redraw()
{
    wake([this] { redraw_ = true; });
}

void FrameRenderer::wake(const std::function<void()>& change)
{
    {
        std::lock_guard lock(mutex_);
        change();
    }
    wake_.notify_one();
}

bool FrameRenderer::takeFrame(VideoFrame& current)
{
    std::lock_guard lock(mutex_);
    if (!fresh_) return false;
    std::swap(current, front_);  // the buffer given back is drawn into again
    fresh_ = false;
    return true;
}

void FrameRenderer::run()
{
    canvas_->enter();
    VideoFrame back;
    for (;;) {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stop_ || due_ || redraw_; });
        if (stop_) break;
        const bool due = std::exchange(due_, false), again = std::exchange(redraw_, false);
        const FrameTarget target = target_;
        lock.unlock();

        const bool frame = due && (mpv_render_context_update(canvas_->render()) & MPV_RENDER_UPDATE_FRAME);
        hasFrame_ = hasFrame_ || frame;
        if (!hasFrame_ || (!frame && !again)) continue;
        if (target.size.isEmpty()) {
            int skip = 1, block = 0;
            mpv_render_param params[] = {{MPV_RENDER_PARAM_SKIP_RENDERING, &skip},
                                         {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &block},
                                         {MPV_RENDER_PARAM_INVALID, nullptr}};
            mpv_render_context_render(canvas_->render(), params);
            continue;
        }
        canvas_->draw(back, target);
        drawnOn_ = std::this_thread::get_id();
        lock.lock();
        if (stop_) break;
        std::swap(back, front_);
        fresh_ = true;
        drawn_();  // under the lock: nothing is announced once stop() has returned
    }
    canvas_->leave();
}
