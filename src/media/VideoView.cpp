#include "media/VideoView.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cstdlib>

#include "media/MpvSession.h"

QRect pictureRect(int displaySize, QSize picture, QSize area)
{
    if (picture.isEmpty() || area.isEmpty()) return {};
    QSize size;
    switch (displaySize) {
    case 1: size = picture / 2; break;
    case 2: size = picture * 2; break;
    case 4: return QRect(QPoint(0, 0), area);
    case 5: size = picture * 3 / 4; break;
    case 6: size = picture / 4; break;
    case 3:
    case 7: size = picture.scaled(area, Qt::KeepAspectRatio); break;
    default: size = picture; break;
    }
    size = size.expandedTo(QSize(1, 1));
    const int left = (area.width() - size.width()) / 2;
    const int top = displaySize == 3 ? (area.height() - size.height()) / 2 : 0;
    return QRect(QPoint(left, top), size);
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

VideoView::VideoView(MpvSession& session, QWidget* parent) : QWidget(parent), session_(session)
{
    setObjectName(QStringLiteral("picture"));
    setMouseTracking(true);
}

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
    const QRect rect = pictureRect(displaySize_, picture_, size());
    if (rect != pictureRect_) {
        pictureRect_ = rect;
        image_ = rect.isEmpty() ? QImage() : alignedImage(rect.size());
        renderNow();
    }
    update();
}

void VideoView::frameReady()
{
    renderNow();
    update(pictureRect_);
    emit frameShown();
}

void VideoView::renderNow()
{
    if (!image_.isNull()) session_.render(image_);
}

void VideoView::paintEvent(QPaintEvent*)
{
    if (image_.isNull()) return;
    QPainter p(this);
    p.drawImage(pictureRect_.topLeft(), image_);
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
