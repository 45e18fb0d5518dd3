#include "media/VideoView.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QOpenGLExtraFunctions>
#include <QOpenGLTextureBlitter>
#include <QOpenGLWidget>
#include <QPainter>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "media/MpvSession.h"
#include "media/WindowsMediaControl.h"

QRect pictureRect(int displaySize, QSize picture, QSize area)
{
    if (picture.isEmpty() || area.isEmpty()) return {};
    QSize size;
    using Code = WindowsMediaControl::DisplaySizeCode;
    switch (displaySize) {
    case Code::SizeHalf: size = picture / 2; break;
    case Code::SizeDouble: size = picture * 2; break;
    case Code::SizeStretched: return QRect(QPoint(0, 0), area);
    case Code::SizeThreeQuarters: size = picture * 3 / 4; break;
    case Code::SizeQuarter: size = picture / 4; break;
    case Code::SizeFullScreen:
    case Code::SizeFitted: size = picture.scaled(area, Qt::KeepAspectRatio); break;
    default: size = picture; break;
    }
    size = size.expandedTo(QSize(1, 1));
    const int left = (area.width() - size.width()) / 2;
    const int top = displaySize == Code::SizeFullScreen ? (area.height() - size.height()) / 2 : 0;
    return QRect(QPoint(left, top), size);
}

QRect renderedRect(QSize picture, QRect drawn, QRect visible)
{
    if (picture.isEmpty() || visible.isEmpty()) return {};
    // The engine cuts the picture at whole pixels of the clip; widening the visible part to them
    // keeps the scale exact (twice the clip at 200%, not 313/157). A few pixels at most.
    const auto widen = [](int drawnStart, int drawnSize, int pictureSize, int start, int end) {
        const double step = static_cast<double>(drawnSize) / pictureSize;
        const int margin = static_cast<int>(std::min(8.0, std::ceil(step)));
        const int first = static_cast<int>(std::floor(std::floor((start - drawnStart) / step) * step));
        const int last = static_cast<int>(std::ceil(std::ceil((end - drawnStart) / step) * step));
        return std::pair(std::max(drawnStart + first, start - margin), std::min(drawnStart + last, end + margin));
    };
    const auto [left, right] = widen(drawn.left(), drawn.width(), picture.width(), visible.left(), visible.left() + visible.width());
    const auto [top, bottom] = widen(drawn.top(), drawn.height(), picture.height(), visible.top(), visible.top() + visible.height());
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(drawn);
}

PicturePlacement picturePlacement(QSize picture, QRect drawn, QRect visible)
{
    if (picture.isEmpty() || drawn.isEmpty()) return {};
    // The engine sizes the picture in whole pixels, rounding down, and places it by its pan,
    // also rounding towards zero: half a pixel each way lands on the exact pixel.
    PicturePlacement p;
    p.scaleX = (drawn.width() + 0.5) / picture.width();
    p.scaleY = (drawn.height() + 0.5) / picture.height();
    p.panX = (drawn.left() - visible.left() - 0.5) / drawn.width();
    p.panY = (drawn.top() - visible.top() - 0.5) / drawn.height();
    return p;
}

namespace {

int buttonCode(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
           (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftCode(Qt::KeyboardModifiers mods)
{
    return (mods & Qt::ShiftModifier ? 1 : 0) | (mods & Qt::ControlModifier ? 2 : 0) |
           (mods & Qt::AltModifier ? 4 : 0);
}

// A rectangle in the screen's device pixels.
QRect toDevice(const QRect& r, qreal ratio)
{
    const QPoint topLeft(qRound(r.left() * ratio), qRound(r.top() * ratio));
    const QPoint end(qRound((r.left() + r.width()) * ratio), qRound((r.top() + r.height()) * ratio));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

// ...and back in the widget's own (logical) pixels, whole ones covering it.
QRect toLogical(const QRect& r, qreal ratio)
{
    const QPoint topLeft(static_cast<int>(std::floor(r.left() / ratio)), static_cast<int>(std::floor(r.top() / ratio)));
    const QPoint end(static_cast<int>(std::ceil((r.left() + r.width()) / ratio)),
                     static_cast<int>(std::ceil((r.top() + r.height()) / ratio)));
    return QRect(topLeft, QSize(end.x() - topLeft.x(), end.y() - topLeft.y()));
}

}  // namespace

// The frame itself: an opaque child over the picture's visible part, so drawing a new frame
// repaints only it, never what lies behind the control. The frame has the screen's device
// pixels, one for one. Until a frame of this size is drawn, what it does not cover is black.
// Where the drawing thread puts frames on the X server itself, this is a native window of its
// own, painted only when it shows again.
class VideoView::Surface : public QWidget {
public:
    explicit Surface(VideoView& view) : QWidget(&view), view_(view)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        if (view.session_.showsFramesInWindow()) {
            setAttribute(Qt::WA_DontCreateNativeAncestors);
            setAttribute(Qt::WA_NativeWindow);
        }
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        view_.followScreen(devicePixelRatioF());
        QPainter p(this);
        if (view_.frame_.size != view_.visibleRect_.size()) p.fillRect(rect(), Qt::black);
        p.drawImage(QPointF(view_.frameOffset_), view_.frame_.image);
    }

    bool event(QEvent* event) override
    {
        // A new native window: frames go to it from now on.
        if (event->type() == QEvent::WinIdChange) {
            QMetaObject::invokeMethod(&view_, [view = &view_] { view->relayout(); }, Qt::QueuedConnection);
            if (QWindow* window = windowHandle()) window->installEventFilter(this);
        }
        return QWidget::event(event);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        // The server lost what the window showed (something covered it), and Qt's copy of it is
        // older than the frames put there since: the last frame is painted again.
        if (event->type() == QEvent::Expose) update();
        return false;
    }

private:
    VideoView& view_;
};

// The same for frames the GPU drew: the texture is drawn into the window's OpenGL picture.
class VideoView::GlSurface : public QOpenGLWidget {
public:
    explicit GlSurface(VideoView& view) : QOpenGLWidget(&view), view_(view)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    ~GlSurface() override
    {
        makeCurrent();
        blitter_.destroy();
        doneCurrent();
    }

protected:
    void paintGL() override
    {
        view_.followScreen(devicePixelRatioF());
        QOpenGLExtraFunctions& gl = *context()->extraFunctions();
        gl.glClearColor(0, 0, 0, 1);
        gl.glClear(GL_COLOR_BUFFER_BIT);
        VideoFrame& frame = view_.frame_;
        if (!frame.texture) return;
        if (!blitter_.isCreated()) blitter_.create();
        const qreal ratio = devicePixelRatioF();
        const QRect area(QPoint(0, 0), size() * ratio);
        blitter_.bind();
        blitter_.blit(frame.texture,
                      QOpenGLTextureBlitter::targetTransform(QRectF(view_.frameOffset_ * ratio, QSizeF(frame.size)), area),
                      QOpenGLTextureBlitter::OriginTopLeft);
        blitter_.release();
        if (frame.shown) gl.glDeleteSync(static_cast<GLsync>(frame.shown));
        frame.shown = gl.glFenceSync(GL_SYNC_GPU_COMMANDS_COMPLETE, 0);
        gl.glFlush();  // the fence reaches the GPU, so the drawing thread's wait on it ends
    }

private:
    VideoView& view_;
    QOpenGLTextureBlitter blitter_;
};

VideoView::VideoView(MpvSession& session, QWidget* parent)
    : QWidget(parent), session_(session),
      surface_(session.drawsOnGpu() ? static_cast<QWidget*>(new GlSurface(*this)) : new Surface(*this))
{
    setObjectName(QStringLiteral("picture"));
    setMouseTracking(true);
    surface_->hide();
}

VideoView::~VideoView() = default;

void VideoView::setPicture(QSize pictureSize, int displaySize)
{
    picture_ = pictureSize;
    displaySize_ = displaySize;
    relayout();
}

void VideoView::clearPicture()
{
    picture_ = QSize();
    relayout();
}

void VideoView::relayout()
{
    // Laid out in the widget's pixels, rendered in the screen's: on a screen of twice the
    // pixels (or 1.25, 1.5 times) the engine draws the picture at that size itself.
    const qreal ratio = devicePixelRatioF();
    pictureRect_ = pictureRect(displaySize_, picture_, size());
    const QRect drawn = toDevice(pictureRect_, ratio);
    deviceRatio_ = ratio;
    // The frames hold only what is seen, so their size is bounded by the control's (and never
    // by the size the clip claims).
    visibleRect_ = renderedRect(picture_, drawn, drawn.intersected(toDevice(rect(), ratio)));
    const bool seen = !visibleRect_.isEmpty();
    const PicturePlacement placement = picturePlacement(picture_, drawn, visibleRect_);
    if (seen && placement != placement_) {
        placement_ = placement;
        session_.setDouble("video-scale-x", placement.scaleX);
        session_.setDouble("video-scale-y", placement.scaleY);
        session_.setDouble("video-pan-x", placement.panX);
        session_.setDouble("video-pan-y", placement.panY, kPlacementApplied);
    }
    // The surface covers the frame in whole widget pixels; the frame lies in it at its own place.
    const QRect surface = toLogical(visibleRect_, ratio);
    frameOffset_ = QPointF(visibleRect_.left() / ratio - surface.left(), visibleRect_.top() / ratio - surface.top());
    // An OpenGL surface keeps its size while hidden: Qt does not compose one that was resized to
    // nothing into its window again.
    if (seen || !drawsOnGpu()) surface_->setGeometry(surface);
    surface_->setVisible(seen);
    FrameTarget target;
    target.size = visibleRect_.size();
    if (seen && session_.showsFramesInWindow()) {
        target.window = surface_->winId();
        target.at = (frameOffset_ * ratio).toPoint();
    }
    if (target != target_) {
        target_ = target;
        session_.setRenderTarget(target);
    }
}

void VideoView::placementApplied() { session_.redraw(); }

std::thread::id VideoView::drawnOn() const { return session_.drawnOn(); }

bool VideoView::drawsOnGpu() const { return session_.drawsOnGpu(); }

void VideoView::frameReady()
{
    if (!session_.takeFrame(frame_)) return;
    frame_.image.setDevicePixelRatio(deviceRatio_);
    if (!session_.showsFramesInWindow()) surface_->update();
    // A frame drawn for an earlier size is shown until the one for this size comes.
    if (frame_.size == visibleRect_.size()) emit frameShown();
}

void VideoView::followScreen(qreal ratio)
{
    // Moved to a screen of another pixel ratio: the frame is made again for it.
    if (!qFuzzyCompare(ratio, deviceRatio_)) QMetaObject::invokeMethod(this, [this] { relayout(); }, Qt::QueuedConnection);
}

QImage VideoView::image() const
{
    if (!drawsOnGpu()) return frame_.image;
    const QImage whole = static_cast<GlSurface*>(surface_)->grabFramebuffer();
    return whole.copy(QRect((frameOffset_ * deviceRatio_).toPoint(), frame_.size));
}

void VideoView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void VideoView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mouseMoved(buttonCode(event->buttons()), shiftCode(event->modifiers()), p.x(), p.y());
}

void VideoView::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    emit mousePressed(buttonCode(event->button()), shiftCode(event->modifiers()), p.x(), p.y());
}

void VideoView::mouseDoubleClickEvent(QMouseEvent*) { emit doubleClicked(); }

void VideoView::contextMenuEvent(QContextMenuEvent* event) { emit contextMenuWanted(event->globalPos()); }
