#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include <mpv/client.h>
#include <mpv/render.h>

class QThread;

// One frame the engine drew: in memory (the software renderer) or in an OpenGL texture of the
// context group the windows share (the GPU renderer).
struct VideoFrame {
    QImage image;              // software: Format_RGB32, opaque
    unsigned texture = 0;      // GPU: the texture, its first row the picture's top
    void* shown = nullptr;     // GPU: a GLsync the view sets once it has drawn from the texture
    QSize size;                // in the screen's device pixels
};

// What frames are drawn for: their size and, for a canvas that shows each frame itself, the
// native window it goes to and its place there.
struct FrameTarget {
    QSize size;              // in the screen's device pixels; empty: frames are not drawn
    quintptr window = 0;     // X11: the window the drawing thread puts frames in; 0: the view paints them
    QPoint at;               // the frame's top left in that window, in device pixels
    bool operator==(const FrameTarget&) const = default;
};

// What the engine draws frames with. open() runs on the UI thread; every other call on the
// drawing thread, between enter() and leave().
class FrameCanvas {
public:
    virtual ~FrameCanvas() = default;
    // Makes the engine's render context on the core; null when it cannot be made.
    virtual mpv_render_context* open(mpv_handle* core) = 0;
    // The drawing thread is about to start: what must live on it moves there.
    virtual void moveTo(QThread*) {}
    virtual void enter() {}
    // The frame drawn into `into` at the target's size (a buffer of another size is made anew),
    // and shown in the target's window where the canvas shows frames itself.
    virtual void draw(VideoFrame& into, const FrameTarget& target) = 0;
    // Frees the render context and all the canvas holds.
    virtual void leave() = 0;
    mpv_render_context* render() const { return render_; }

protected:
    mpv_render_context* render_ = nullptr;
};

// The software renderer (memory), the same putting each frame on the X server itself, and the
// OpenGL one (textures shared with the view).
std::unique_ptr<FrameCanvas> makeSoftwareCanvas();
std::unique_ptr<FrameCanvas> makeX11Canvas();
std::unique_ptr<FrameCanvas> makeGlCanvas();
// The software renderer's frames can go straight to the X server here: the program runs on
// X11, and the server shares memory with us in the pixel layout the frames have. Decided once.
bool x11CanvasUsable();

// Draws the engine's frames on a thread of its own, so the UI thread never calls into the
// engine's renderer: each frame the engine hands over is drawn at its due time into a buffer of
// the size the view asks for, which the view then takes and only presents. With no size asked
// for, frames are taken without being drawn (the engine waits for every frame to be taken).
class FrameRenderer {
public:
    // Takes an opened canvas; `drawn` runs on the drawing thread after each frame drawn.
    FrameRenderer(std::unique_ptr<FrameCanvas> canvas, std::function<void()> drawn);
    // Stops and waits for the drawing thread, which frees the render context.
    ~FrameRenderer();
    FrameRenderer(const FrameRenderer&) = delete;
    FrameRenderer& operator=(const FrameRenderer&) = delete;

    // No frame is drawn or announced after this returns; the engine's callback is cleared.
    void stop();
    // Frames for this target from now on, the current one drawn again.
    void setTarget(const FrameTarget& target);
    // The current frame drawn again (the placement changed).
    void redraw();
    // Puts the newest drawn frame in `current`, taking back the buffer it held; false when none
    // was drawn since the last take.
    bool takeFrame(VideoFrame& current);
    // The thread the last frame was drawn on (tests ask); none before the first.
    std::thread::id drawnOn() const { return drawnOn_; }

private:
    void frameDue();
    // Makes the change under the lock and wakes the drawing thread.
    void wake(const std::function<void()>& change);
    void run();

    std::unique_ptr<FrameCanvas> canvas_;
    std::function<void()> drawn_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false, due_ = false, redraw_ = false, fresh_ = false;
    FrameTarget target_;
    VideoFrame front_;       // drawn, waiting to be taken
    bool hasFrame_ = false;  // the engine has handed over a frame (drawing thread only)
    std::atomic<std::thread::id> drawnOn_{};
    std::unique_ptr<QThread> thread_;
};
