// The side tools at size: the file browser showing a folder of 10,000 files, beside Qt's own
// listing of the same folder in the same run; and how long the CD player's window takes to
// come up with its device opened (the opening itself goes on in the engine).
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "BenchSupport.h"
#include "media/MMControl.h"
#include "tools/CDPlayer.h"
#include "tools/Form5.h"

int main(int argc, char** argv)
{
    const auto qtApp = bench::startQt(argc, argv);
    MpvEngineFactory engines(MpvOptions{QStringLiteral("null"), {}});  // no core is started here
    bench::SilentMessages messages;
    bench::NoDialogs dialogs;
    Application app(engines, messages, dialogs);

    QTemporaryDir dir;
    for (int i = 0; i < 10000; ++i) {
        QFile f(dir.filePath(QStringLiteral("Track %1 - some artist - some title.mp3").arg(i)));
        f.open(QIODevice::WriteOnly);
    }
    for (int i = 0; i < 50; ++i) QDir(dir.path()).mkdir(QStringLiteral("folder %1").arg(i));

    Form5& browser = app.forms().get<Form5>();
    browser.Show();
    QCoreApplication::processEvents();
    browser.Drive1->addItem(dir.path());
    browser.Drive1->setCurrentIndex(browser.Drive1->count() - 1);
    QElapsedTimer t;
    t.start();
    browser.Drive1_Change();
    QCoreApplication::processEvents();  // the first paint
    const double ours = t.nsecsElapsed() / 1e6;

    t.restart();
    const QStringList anchor = QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                                                         QDir::Name | QDir::IgnoreCase);
    const double qt = t.nsecsElapsed() / 1e6;
    std::printf("file browser, folder of 10,000 files and 50 folders: %.1f ms (%d files, %d folders shown); "
                "anchor (QDir::entryList of it, %lld names) %.1f ms; ratio %.2f; goal under 300 ms\n",
                ours, browser.File1->count(), browser.Dir1->ListCount(), static_cast<long long>(anchor.size()), qt,
                ours / qt);

    // The CD player: the system's drive (none, or no disc, on most machines), then a disc image.
    for (const QString& device : {QStringLiteral("/dev/cdrom"), argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString()}) {
        if (device.isEmpty()) continue;
        MpvOptions options{QStringLiteral("null"), {}};
        options.cdDevice = device;
        MpvEngineFactory cdEngines(options);
        Application cdApp(cdEngines, messages, dialogs);
        t.restart();
        CDPlayer& player = cdApp.forms().get<CDPlayer>();
        const double openMs = t.nsecsElapsed() / 1e6;
        bench::spinUntil([&] { return player.MMControl1->Tracks() > 0 || !player.MMControl1->ErrorMessage().isEmpty(); });
        std::printf("CD player on %s: window with the device opened in %.1f ms; then \"%s\" after %.0f ms\n",
                    qPrintable(device), openMs, qPrintable(player.Text1->text()), t.nsecsElapsed() / 1e6);
    }
    return 0;
}
