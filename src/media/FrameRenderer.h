#pragma once

#include <QImage>
#include <QSize>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include <mpv/render.h>

// Draws the engine's frames on a thread of its own, so the UI thread never calls into the
// engine's renderer: each frame the engine hands over is drawn at its due time into a buffer of
// the size the view asks for, which the view then takes and only presents. With no size asked
// for, frames are taken without being drawn (the engine waits for every frame to be taken).
class FrameRenderer {
public:
    // `drawn` runs on the drawing thread after each frame drawn.
    FrameRenderer(mpv_render_context* render, std::function<void()> drawn);
    ~FrameRenderer();  // stops drawing and waits for the thread to end
    FrameRenderer(const FrameRenderer&) = delete;
    FrameRenderer& operator=(const FrameRenderer&) = delete;

    // The engine's update callback: called on the engine's threads.
    void frameDue();
    // Frames of this size (the screen's device pixels) from now on, the current one drawn again.
    void setTarget(QSize size);
    // The current frame drawn again (the placement changed).
    void redraw();
    // Puts the newest drawn frame (Format_RGB32, opaque) in `current`, taking back the buffer it
    // held; false when none was drawn since the last take.
    bool takeFrame(QImage& current);
    // The thread the last frame was drawn on (tests ask); none before the first.
    std::thread::id drawnOn() const { return drawnOn_; }

private:
    void run();
    void draw(QImage& into);

    mpv_render_context* render_;
    std::function<void()> drawn_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false, due_ = false, redraw_ = false, fresh_ = false;
    QSize target_;
    QImage front_;           // drawn, waiting to be taken
    bool hasFrame_ = false;  // the engine has handed over a frame (drawing thread only)
    std::atomic<std::thread::id> drawnOn_{};
    std::thread thread_;
};
