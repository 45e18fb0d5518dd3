#pragma once

#include <QImage>
#include <QWidget>
#include <cstdlib>

#include "media/MpvWindowsMediaControl.h"
#include "support/TestApp.h"

// Engines without sound output, drawing with the renderer ZP_TEST_VIDEO_OUTPUT names ("gpu" or,
// by default, "software"): the picture tests run on both.
inline MpvOptions silentEngine()
{
    MpvOptions options{QStringLiteral("null"), {}};
    options.videoOutput = videoOutputNamed(qEnvironmentVariable("ZP_TEST_VIDEO_OUTPUT")).value_or(VideoOutput::Software);
    return options;
}

// The libmpv Windows-media engine in a host widget, without sound output unless told otherwise.
struct Engine {
    QWidget host;
    MpvWindowsMediaControl* wmp;

    explicit Engine(const MpvOptions& options = silentEngine())
        : wmp(new MpvWindowsMediaControl(options, &host))
    {
        host.resize(330, 300);
        wmp->setGeometry(0, 0, 313, 265);
        wmp->setShowControls(false);
    }
    bool openAndWait(const QString& file)
    {
        wmp->Open(file);
        return waitFor([&] { return wmp->OpenState() == WindowsMediaControl::OpenOpen; }, 15000);
    }
};

// How many pixels of the image lie near the colour.
inline int countNear(const QImage& img, QRgb colour, int tolerance = 40)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (std::abs(qRed(p) - qRed(colour)) < tolerance && std::abs(qGreen(p) - qGreen(colour)) < tolerance &&
                std::abs(qBlue(p) - qBlue(colour)) < tolerance)
                ++n;
        }
    return n;
}
