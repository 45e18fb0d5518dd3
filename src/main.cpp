#include <QApplication>
#include <clocale>

#include "app/Application.h"
#include "app/frmSplash.h"
#include "forms/Controls.h"
#include "forms/Dialogs.h"
#include "product/Product.h"
#include "media/MpvEngineFactory.h"

int main(int argc, char** argv)
{
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(product::kTitle);
    QApplication::setApplicationVersion(product::versionText());
    QApplication::setQuitOnLastWindowClosed(false);
    std::setlocale(LC_NUMERIC, "C");  // libmpv needs it
    forms::useDesignFont();

    MpvEngineFactory engines;
    forms::QtMessageBoxes messages;
    forms::QtFileDialogs fileDialogs;
    Application app(engines, messages, fileDialogs);
    app.setEndProgramAction([] { QCoreApplication::quit(); });

    app.forms().get<frmSplash>().Show();
    return QApplication::exec();
}
