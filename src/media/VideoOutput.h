#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Which renderer draws the engine's frames: the engine's OpenGL renderer (conversion, scaling
// and hardware decoding on the GPU) or its software one (all on the CPU).
enum class VideoOutput { Automatic, Gpu, Software };

// Before the application object is made: the windows' OpenGL contexts share the engine's
// textures, and presenting a window never waits for the screen's refresh (the engine times the
// frames; a wait there would hold the UI thread, on Wayland for every frame).
void prepareOpenGl();

// The renderer a "--video-output" word names ("gpu", "software", "auto"); none for another word.
std::optional<VideoOutput> videoOutputNamed(QStringView word);

// The renderer to use, decided once per process on the UI thread. Automatic takes the GPU one
// when Qt gets a hardware OpenGL context shared with the windows' (Qt::AA_ShareOpenGLContexts),
// the software one when the context is a software rasterizer or there is none. Gpu is kept
// wherever OpenGL works at all (on a rasterizer too: tests force it so); without OpenGL it is
// the software renderer, said once on stderr.
VideoOutput resolveVideoOutput(VideoOutput asked);

// The OpenGL renderer Qt gets here, as it names itself ("llvmpipe (LLVM 15.0.6, 256 bits)"); empty
// where there is none.
QString openGlRenderer();
