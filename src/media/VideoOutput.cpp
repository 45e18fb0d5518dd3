#include "media/VideoOutput.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QSurfaceFormat>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <cstdio>
#include <mutex>

namespace {

enum class OpenGl { None, Rasterizer, Hardware };

struct Probe {
    OpenGl found = OpenGl::None;
    QString renderer;
};

Probe probeOpenGl()
{
    if (!QOpenGLContext::globalShareContext()) return {};
    QOpenGLContext context;
    context.setShareContext(QOpenGLContext::globalShareContext());
    if (!context.create()) return {};
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!context.makeCurrent(&surface)) return {};
    const auto* name = context.functions()->glGetString(GL_RENDERER);
    const QByteArray renderer(name ? reinterpret_cast<const char*>(name) : "");
    context.doneCurrent();
    for (const char* rasterizer : {"llvmpipe", "softpipe", "swrast", "software"})
        if (renderer.toLower().contains(rasterizer)) return {OpenGl::Rasterizer, QString::fromUtf8(renderer)};
    return {OpenGl::Hardware, QString::fromUtf8(renderer)};
}

const Probe& probe()
{
    static const Probe found = probeOpenGl();
    return found;
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
    const OpenGl found = probe().found;
    if (found == OpenGl::None) {
        static std::once_flag told;
        if (asked == VideoOutput::Gpu)
            std::call_once(told, [] { std::fputs("zelplayer: no OpenGL here; the software renderer draws the picture.\n", stderr); });
        return VideoOutput::Software;
    }
    return asked == VideoOutput::Gpu || found == OpenGl::Hardware ? VideoOutput::Gpu : VideoOutput::Software;
}

QString openGlRenderer() { return probe().renderer; }
