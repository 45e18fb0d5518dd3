#include <QApplication>
#include <clocale>
#include <gtest/gtest.h>

#include "forms/Controls.h"
#include "media/MpvSession.h"
#include "media/VideoOutput.h"

// Window tests run on Qt's offscreen platform unless a display is chosen explicitly.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    prepareOpenGl();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    std::setlocale(LC_NUMERIC, "C");
    forms::useDesignFont();
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    // Engines torn down by the tests finish before the process ends.
    MpvSession::finishTeardowns(10000);
    return status;
}
