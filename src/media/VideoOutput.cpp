#include "media/VideoOutput.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QSurfaceFormat>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <cstdio>

namespace {

enum class OpenGl { None, Rasterizer, Hardware };

OpenGl probeOpenGl()
{
    if (!QOpenGLContext::globalShareContext()) return OpenGl::None;
    QOpenGLContext context;
    context.setShareContext(QOpenGLContext::globalShareContext());
    if (!context.create()) return OpenGl::None;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!context.makeCurrent(&surface)) return OpenGl::None;
    const auto* name = context.functions()->glGetString(GL_RENDERER);
    const QByteArray renderer = QByteArray(name ? reinterpret_cast<const char*>(name) : "").toLower();
    context.doneCurrent();
    for (const char* rasterizer : {"llvmpipe", "softpipe", "swrast", "software"})
        if (renderer.contains(rasterizer)) return OpenGl::Rasterizer;
    return OpenGl::Hardware;
}

}  // namespace

void prepareOpenGl()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setSwapInterval(0);
    QSurfaceFormat::setDefaultFormat(format);
}

std::optional<VideoOutput> videoOutputNamed(QStringView word)
{
    if (word == u"gpu") return VideoOutput::Gpu;
    if (word == u"software") return VideoOutput::Software;
    if (word == u"auto") return VideoOutput::Automatic;
    return std::nullopt;
}

VideoOutput resolveVideoOutput(VideoOutput asked)
{
    if (asked == VideoOutput::Software) return asked;
    static const OpenGl found = probeOpenGl();
    if (found == OpenGl::None) {
        static const bool told = asked == VideoOutput::Gpu &&
                                 std::fputs("zelplayer: no OpenGL here; the software renderer draws the picture.\n",
                                            stderr) >= 0;
        (void)told;
        return VideoOutput::Software;
    }
    return asked == VideoOutput::Gpu || found == OpenGl::Hardware ? VideoOutput::Gpu : VideoOutput::Software;
}
