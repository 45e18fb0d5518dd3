#pragma once

#include <QImage>
#include <QWidget>
#include <thread>

#include "media/FrameRenderer.h"

class MpvSession;

// Where a picture of the given size is drawn inside an area for a display-size code: at the
// top centre, keeping the aspect (code 4 stretches to the whole area). Codes: 0 own size,
// 1 half, 2 double, 3 full screen (fitted to the area, centred), 4 stretched, 5 three quarters,
// 6 quarter, 7 fitted into the area.
QRect pictureRect(int displaySize, QSize picture, QSize area);

// Where the engine draws the picture so that only the visible part of it is rendered: the whole
// picture is the rectangle `picture` (it may reach past the control's edges), `visible` the part
// of it inside the control, which is all the frame buffer holds.
struct PicturePlacement {
    double scaleX = 1, scaleY = 1;  // of the picture's own size (video-scale-x/y)
    double panX = 0, panY = 0;      // of the drawn size (video-pan-x/y), from the top left
    bool operator==(const PicturePlacement&) const = default;
};
PicturePlacement picturePlacement(QSize picture, QRect drawn, QRect visible);
// The part of the drawn picture that is rendered: the visible part, widened by a few pixels to
// the nearest edges of the clip's own pixels.
QRect renderedRect(QSize picture, QRect drawn, QRect visible);

// Draws the engine's current frame; paints nothing where there is no picture, so what lies
// behind the control shows through. Reports mouse moves and presses over the picture.
class VideoView : public QWidget {
    Q_OBJECT
public:
    // Set-property reply id: the engine has taken a new placement.
    static constexpr uint64_t kPlacementApplied = 0xF1;

    VideoView(MpvSession& session, QWidget* parent);
    ~VideoView() override;

    void setPicture(QSize pictureSize, int displaySize);
    void clearPicture();
    void frameReady();
    // The engine took the placement: the current frame is drawn again where it now belongs.
    void placementApplied();
    // The whole picture, which may reach past the control's edges.
    QRect pictureArea() const { return pictureRect_; }
    // The part of it that is rendered (what lies inside the control): the frame buffer's place,
    // in the screen's device pixels.
    QRect renderedArea() const { return visibleRect_; }
    // The frame shown: the newest drawn for this size or, until it comes, an earlier one. Its
    // size, and its pixels (read back from the GPU when it drew them).
    QSize frameSize() const { return frame_.size; }
    QImage image() const;
    // The thread the last frame was drawn on: never the UI thread.
    std::thread::id drawnOn() const;
    // Frames come from the GPU renderer.
    bool drawsOnGpu() const;

signals:
    void mouseMoved(int button, int shift, int x, int y);
    void mousePressed(int button, int shift, int x, int y);
    void doubleClicked();
    void contextMenuWanted(QPoint globalPos);
    // A new frame from the engine was drawn.
    void frameShown();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    class Surface;
    class GlSurface;
    void relayout();
    // A surface is painted at this pixel ratio.
    void followScreen(qreal ratio);

    MpvSession& session_;
    QSize picture_;
    int displaySize_ = 0;
    QRect pictureRect_;
    QRect visibleRect_;        // in device pixels
    qreal deviceRatio_ = 1;    // the screen's pixels per widget pixel the frame was made for
    QPointF frameOffset_;      // where the frame lies in its surface, in widget pixels
    PicturePlacement placement_;
    FrameTarget target_;
    VideoFrame frame_;
    QWidget* surface_;
};
