#include "app/Program.h"

#include <QApplication>
#include <QDBusConnection>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>

#include "windows/Application.h"
#include "windows/frmSplash.h"
#include "desktop/MprisService.h"
#include "desktop/SingleInstance.h"
#include "main_window/frmMain.h"
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
    // The engines run many threads, and the C library gives threads memory arenas of their own,
    // up to eight a core. What a closed engine's threads freed stayed in arenas that later
    // threads seldom reuse: each window that played and closed kept about 12 MiB. Two arenas
    // serve every thread and reuse what was freed.
    mallopt(M_ARENA_MAX, 2);
}

int run(EngineFactory& engines, forms::MessageBoxes& messages, forms::FileDialogs& fileDialogs, const QStringList& names,
        const std::function<void(Application&)>& started)
{
    int status = 0;
    {
        // Every window, and with the main window its engines, is destroyed when `app` goes:
        // the engines in their fixed order (callbacks, render context, core).
        Application app(engines, messages, fileDialogs);
        // An end asked for before the event loop runs (the names' handlers end it) is kept.
        bool ended = false;
        app.setEndProgramAction([&ended] {
            ended = true;
            QCoreApplication::quit();
        });
        // Media keys and the desktop's sound menu steer the player while the main window exists.
        app.setMainWindowLoaded([&app](QWidget& main) { new MprisService(app, QDBusConnection::sessionBus(), &main); });
        SingleInstance instance(QDBusConnection::sessionBus(),
                                [&app](const media_source::CheckedNames& handed) { openFromOutside(app, handed); });
        if (names.isEmpty()) app.forms().get<frmSplash>().Show();
        else openFromOutside(app, media_source::checkAll(names));
        if (started) started(app);
        if (!ended) status = QApplication::exec();
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

void openFromOutside(Application& app, const media_source::CheckedNames& names)
{
    auto& forms = app.forms();
    if (!forms.isLoaded<frmMain>() || !forms.get<frmMain>().isVisible()) {
        frmSplash& splash = forms.get<frmSplash>();
        splash.runEvent([&splash] {
            splash.Option1->setValue(true);
            splash.Command1_Click();
        });
    }
    frmMain& main = forms.get<frmMain>();
    main.runEvent([&] { main.openFromOutside(names); });
    if (!main.isActiveWindow()) main.Show();  // forward once, not at each of a burst's calls
}

}  // namespace program
