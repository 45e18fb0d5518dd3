#include "app/Program.h"

#include <QApplication>
#include <clocale>

#include "app/Application.h"
#include "app/frmSplash.h"
#include "forms/Controls.h"
#include "product/Product.h"

namespace program {

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
    // Every window, and with the main window its engines, is destroyed when `app` goes: the
    // engines in their fixed order (callbacks, render context, core).
    Application app(engines, messages, fileDialogs);
    app.setEndProgramAction([] { QCoreApplication::quit(); });
    app.enableDesktopServices();
    app.forms().get<frmSplash>().Show();
    if (started) started(app);
    return QApplication::exec();
}

}  // namespace program
