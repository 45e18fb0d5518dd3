#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <unistd.h>
#include <vector>

#include "media/MediaSource.h"
#include "platform/FileNames.h"
#include "product/Product.h"

namespace command_line {
namespace {

// The working folder with its own bytes.
QString workingFolder()
{
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20)) return QDir::currentPath();
        buffer.resize(buffer.size() * 2);
    }
    return platform::decodeFileName(QByteArray(buffer.data()));
}

void print(FILE* to, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

Parsed read(int argc, char** argv)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("command_line", "%1: plays audio, video and RealMedia "
                                                                                 "files and addresses.")
                                         .arg(product::kTitle));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("names"),
                                 QCoreApplication::translate("command_line", "Files or addresses to play: the first "
                                                                             "plays, the others go into the playlist."),
                                 QStringLiteral("[FILE|URL...]"));
    const QCommandLineOption videoOutput(
        QStringLiteral("video-output"),
        QCoreApplication::translate("command_line", "What draws the picture: gpu (OpenGL), software, or auto "
                                                    "(the GPU where there is one; the default)."),
        QStringLiteral("gpu|software|auto"), QStringLiteral("auto"));
    parser.addOption(videoOutput);
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << platform::decodeFileName(QByteArray(argv[i]));

    if (!parser.parse(arguments)) {
        print(stderr, parser.errorText() + QStringLiteral("\n\n") + parser.helpText());
        return Parsed{true, 2, {}};
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"))) {
        print(stdout, parser.helpText());
        return Parsed{true, 0, {}};
    }
    if (parser.isSet(QStringLiteral("version"))) {
        print(stdout, QStringLiteral("%1 %2\n").arg(product::kTitle, product::versionText()));
        return Parsed{true, 0, {}};
    }
    Parsed parsed;
    const std::optional<VideoOutput> output = videoOutputNamed(parser.value(videoOutput));
    if (!output) {
        print(stderr, QCoreApplication::translate("command_line", "--video-output takes gpu, software or auto, not "
                                                                  "\"%1\".\n")
                          .arg(parser.value(videoOutput)));
        return Parsed{true, 2, {}};
    }
    parsed.videoOutput = *output;
    const QDir here(workingFolder());
    for (const QString& name : parser.positionalArguments())
        parsed.names << (media_source::isAddress(name) || name.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)
                             ? name
                             : here.absoluteFilePath(name));
    return parsed;
}

}  // namespace

Parsed parse(int argc, char** argv)
{
    // An application object of the core only, where there is none yet: it names the program in
    // the usage and needs no display.
    std::optional<QCoreApplication> core;
    if (!QCoreApplication::instance()) core.emplace(argc, argv);
    const QString name = QCoreApplication::applicationName(), version = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationName(QStringLiteral("zelplayer"));
    QCoreApplication::setApplicationVersion(product::versionText());
    const Parsed parsed = read(argc, argv);
    QCoreApplication::setApplicationName(name);
    QCoreApplication::setApplicationVersion(version);
    return parsed;
}

int qtArgumentCount(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--") == 0) return i;
    return argc;
}

}  // namespace command_line
