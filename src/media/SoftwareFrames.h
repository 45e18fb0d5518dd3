#pragma once

#include <QImage>
#include <QSize>

#include <mpv/render.h>

// What the two canvases of the engine's software renderer share (memory of our own, or memory
// shared with the X server).

// Bytes a line of a frame of that width takes: lines start on 64-byte boundaries, which the
// renderer prefers.
qsizetype frameStride(int width);
// A black frame buffer of that size in memory of our own, its lines so aligned.
QImage alignedImage(QSize size);
// The software renderer's render context on the core; null when it cannot be made.
mpv_render_context* openSoftwareRender(mpv_handle* core);
// Draws the renderer's frame into the image (QImage::Format_RGB32), at its size.
void drawSoftwareFrame(mpv_render_context* render, QImage& into);
