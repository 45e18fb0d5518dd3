#include "app/Program.h"

#include <QApplication>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "app/Application.h"
#include "app/frmSplash.h"
#include "media/EngineFactory.h"
#include "forms/Controls.h"
#include "product/Product.h"

namespace program {

namespace {

constexpr int kEngineStopMs = 2000;

}  // namespace

void prepare()
{
    QApplication::setApplicationName(product::kTitle);
    QApplication::setApplicationVersion(product::versionText());
    QApplication::setQuitOnLastWindowClosed(false);
    std::setlocale(LC_NUMERIC, "C");  // libmpv needs it
    forms::useDesignFont();
}

int run(EngineFactory& engines, forms::MessageBoxes& messages, forms::FileDialogs& fileDialogs,
        const std::function<void(Application&)>& started)
{
    int status = 0;
    {
        // Every window, and with the main window its engines, is destroyed when `app` goes:
        // the engines in their fixed order (callbacks, render context, core).
        Application app(engines, messages, fileDialogs);
        app.setEndProgramAction([] { QCoreApplication::quit(); });
        app.enableDesktopServices();
        app.forms().get<frmSplash>().Show();
        if (started) started(app);
        status = QApplication::exec();
    }
    // An engine stuck in a source that never answers does not hold the program: it ends anyway
    // after a while. Nothing of the user's is lost: nothing is saved at exit, and a save is
    // complete on disc before its handler returns.
    if (!engines.finishTeardowns(kEngineStopMs)) {
        std::fflush(nullptr);
        std::_Exit(status);
    }
    return status;
}

}  // namespace program
