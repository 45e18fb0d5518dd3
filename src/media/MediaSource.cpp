#include "media/MediaSource.h"

#include "platform/FileNames.h"
#include "platform/LocalFile.h"
#include "product/Product.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>
#include <QUrl>
#include <algorithm>
#include <cerrno>
#include <mpv/client.h>
#include <sys/stat.h>
#include <unistd.h>

namespace media_source {
namespace {

QString tr(const char* text) { return QCoreApplication::translate("media_source", text); }

QString schemeOf(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^([A-Za-z][A-Za-z0-9+.\\-]*)://"));
    const QRegularExpressionMatch m = re.match(name);
    return m.hasMatch() ? m.captured(1).toLower() : QString();
}

// A file's address: "file:" and an absolute path, with or without "//" and a host before it.
bool isFileAddress(const QString& name) { return name.startsWith(QLatin1String("file:/"), Qt::CaseInsensitive); }

Checked refused(const QString& problem) { return Checked{false, false, {}, problem}; }

// Longer than any path (4096 bytes) or address a person gives.
constexpr qsizetype kMaxNameChars = 8192;

QString suffixOf(const QString& name)
{
    const QString path = isAddress(name) ? QUrl(name.trimmed()).path() : name;
    return QFileInfo(path).suffix().toLower();
}

using platform::fileProblem;
using platform::openProblem;

// The local file a file address names, its percent-escapes decoded to the file system's bytes
// (a desktop passes names that are not UTF-8 that way). Another computer's file is refused.
Checked fromFileAddress(const QString& address)
{
    QString rest = address.mid(5);  // after "file:"
    static const QRegularExpression queryOrFragment(QStringLiteral("[?#]"));
    if (const qsizetype end = rest.indexOf(queryOrFragment); end >= 0) rest.truncate(end);
    if (rest.startsWith(QLatin1String("//"))) {
        const qsizetype slash = rest.indexOf(QLatin1Char('/'), 2);
        const QString host = rest.mid(2, slash < 0 ? -1 : slash - 2);
        if (!host.isEmpty() && host.compare(QLatin1String("localhost"), Qt::CaseInsensitive) != 0)
            return refused(tr("It names a file on another computer (\"%1\"); the player opens files on this one.").arg(host));
        rest = slash < 0 ? QString() : rest.mid(slash);
    }
    const QString path = platform::decodeFileName(QByteArray::fromPercentEncoding(rest.toUtf8()));
    if (!path.startsWith(QLatin1Char('/')) || path.contains(QChar(0)))
        return refused(tr("It is not a valid file address."));
    return Checked{true, false, QDir::cleanPath(path), {}};
}

Checked checkLocal(const QString& path)
{
    const QByteArray encoded = platform::encodeFileName(path);
    struct stat st {};
    if (::stat(encoded.constData(), &st) != 0) return refused(openProblem(errno));
    if (const QString problem = fileProblem(st); !problem.isEmpty()) return refused(problem);
    if (::access(encoded.constData(), R_OK) != 0) return refused(openProblem(errno));
    return Checked{true, false, path, {}};
}

Checked resolveAndCheck(const QString& name, const QDir& folder)
{
    const Checked c = resolve(name, folder);
    return c.ok && !c.address ? checkLocal(c.target) : c;
}

}  // namespace

const QStringList& allowedSchemes()
{
    static const QStringList schemes{"http", "https", "rtsp", "rtsps", "mms", "mmsh", "mmst", "rtmp", "rtmps", "pnm"};
    return schemes;
}

bool isAddress(const QString& name)
{
    const QString scheme = schemeOf(name.trimmed());
    return !scheme.isEmpty() && scheme != QLatin1String("file");
}

Checked resolve(const QString& name, const QDir& folder)
{
    if (name.isEmpty()) return refused(tr("No file name or address was given."));
    if (name.size() > kMaxNameChars) return refused(tr("The name is too long for a file or an address."));
    // A file's name, or its address, keeps every character, blanks at its end too; a network
    // address cannot hold blanks, so those round one are left out.
    if (isFileAddress(name)) return fromFileAddress(name);
    const QString trimmed = name.trimmed();
    const QString scheme = schemeOf(trimmed);
    if (scheme.isEmpty()) return Checked{true, false, QDir::cleanPath(folder.absoluteFilePath(name)), {}};
    const QUrl url(trimmed);
    if (!allowedSchemes().contains(scheme))
        return refused(tr("The player does not open \"%1://\" addresses; it opens files and http, https, rtsp, "
                          "mms, rtmp and pnm addresses.")
                           .arg(scheme));
    if (!url.isValid() || url.host().isEmpty()) return refused(tr("It is not a complete address."));
    return Checked{true, true, trimmed, {}};
}

Checked check(const QString& name) { return resolveAndCheck(name, QDir::current()); }

Checked checkListEntry(const QString& line, const QDir& listFolder)
{
    Checked c = resolveAndCheck(line, listFolder);
    if (!c.ok) c.problem = listLineProblem(line, c.problem);
    return c;
}

QString listLineProblem(const QString& line, const QString& problem)
{
    return tr("The list names \"%1\". %2").arg(line.trimmed(), problem);
}

QString localFileFromNetworkList()
{
    return tr("A list from the network may not name files on this computer.");
}

QString dvdFolderOf(const QString& localPath)
{
    const QFileInfo file(localPath);
    const QString folder = file.absolutePath();
    return QFileInfo(folder).fileName().compare(QLatin1String("VIDEO_TS"), Qt::CaseInsensitive) == 0 ? folder
                                                                                                   : QString();
}

namespace {

template <class Check>
CheckedNames checkEach(const QStringList& names, Check check)
{
    CheckedNames result;
    for (const QString& name : names.mid(0, kMaxOutsideNames)) {
        const Checked c = check(name);
        if (c.ok) result.targets << c.target;
        else if (result.refusal.isEmpty()) result.refusal = cannotPlay(name.left(kMaxNameChars), c.problem);
    }
    if (names.size() > kMaxOutsideNames && result.refusal.isEmpty())
        result.refusal = tr("%1 takes at most %2 names at a time; the other %3 were left out.")
                             .arg(product::kTitle)
                             .arg(kMaxOutsideNames)
                             .arg(names.size() - kMaxOutsideNames);
    return result;
}

}  // namespace

CheckedNames checkAll(const QStringList& names) { return checkEach(names, check); }

CheckedNames checkHandedOver(const QStringList& names)
{
    return checkEach(names, [](const QString& name) {
        if (!isAddress(name) && !isFileAddress(name) && QDir::isRelativePath(name))
            return refused(tr("A program handing names over must give each with its folder."));
        return check(name);
    });
}

QStringList namesOf(const QMimeData& data)
{
    QStringList names;
    // The list as the dropping program wrote it: an address Qt cannot parse would otherwise
    // come as an empty one, losing what it was.
    static const QString kUriList = QStringLiteral("text/uri-list");
    if (data.hasFormat(kUriList)) {
        for (const QByteArray& line : data.data(kUriList).split('\n')) {
            const QByteArray uri = line.endsWith('\r') ? line.chopped(1) : line;
            if (!uri.isEmpty() && !uri.startsWith('#')) names << QString::fromUtf8(uri);
        }
        return names;
    }
    for (const QUrl& url : data.urls()) names << url.toString(QUrl::FullyEncoded);
    return names;
}

bool isRealName(const QString& name)
{
    static const QStringList real{"rm", "ra", "rv", "ram"};
    return real.contains(suffixOf(name));
}

bool isPlaylistName(const QString& name) { return suffixOf(name) == QLatin1String("zpf"); }

bool isSubtitleName(const QString& name)
{
    static const QStringList suffixes{"srt", "ass", "ssa", "vtt"};
    return suffixes.contains(suffixOf(name));
}

QString cannotPlay(const QString& name, const QString& reason)
{
    const QString what = name.trimmed().isEmpty() ? tr("the clip") : QStringLiteral("\"%1\"").arg(platform::displayFileName(name));
    return tr("%1 cannot play %2. %3").arg(product::kTitle, what, reason);
}

QString engineFailure(int mpvError, bool address)
{
    if (mpvError == MPV_ERROR_NOTHING_TO_PLAY) return tr("It holds no sound or picture that can be played.");
    if (address) {
        if (mpvError == MPV_ERROR_UNKNOWN_FORMAT) return tr("What the address sends is not media the player can read.");
        return tr("There is no answer from the address, or nothing there the player can play.");
    }
    return tr("It is not a media file the player can read.");
}

QString noAnswer(bool address, int seconds)
{
    return address ? tr("There was no answer from the address within %1 s.").arg(seconds)
                   : tr("It could not be opened within %1 s.").arg(seconds);
}

}  // namespace media_source
