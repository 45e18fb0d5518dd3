#pragma once

#include <QImage>
#include <QWidget>

class MpvSession;

// Where a picture of the given size is drawn inside an area for a display-size code: at the
// top centre, keeping the aspect (code 4 stretches to the whole area). Codes: 0 own size,
// 1 half, 2 double, 3 full screen (fitted to the area, centred), 4 stretched, 5 three quarters,
// 6 quarter, 7 fitted into the area.
QRect pictureRect(int displaySize, QSize picture, QSize area);

// Draws the engine's current frame; paints nothing where there is no picture, so what lies
// behind the control shows through. Reports mouse moves and presses over the picture.
class VideoView : public QWidget {
    Q_OBJECT
public:
    VideoView(MpvSession& session, QWidget* parent);

    void setPicture(QSize pictureSize, int displaySize);
    void clearPicture();
    void frameReady();
    QRect pictureArea() const { return pictureRect_; }
    const QImage& image() const { return image_; }

signals:
    void mouseMoved(int button, int shift, int x, int y);
    void mousePressed(int button, int shift, int x, int y);
    void doubleClicked();
    void contextMenuWanted(QPoint globalPos);
    // A new frame from the engine was drawn.
    void frameShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void relayout();
    void renderNow();

    MpvSession& session_;
    QSize picture_;
    int displaySize_ = 0;
    QRect pictureRect_;
    QImage image_;
};
