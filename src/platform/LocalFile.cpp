#include "platform/LocalFile.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "platform/FileNames.h"

namespace platform {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("platform", text); }

}  // namespace

QString fileProblem(const struct stat& st)
{
    if (S_ISDIR(st.st_mode)) return tr("It is a folder, not a file.");
    if (!S_ISREG(st.st_mode)) return tr("It is a device, pipe or socket, not a file.");
    return {};
}

QString openProblem(int error)
{
    if (error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG) return tr("The file does not exist.");
    if (error == EACCES || error == EPERM) return tr("The player is not allowed to read it.");
    return tr("It could not be read.");
}

QString writeProblem(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return tr("The disk is full.");
    case EISDIR: return tr("It is a folder.");
    case EACCES:
    case EPERM: return tr("The player is not allowed to write there.");
    case EROFS: return tr("The disk can only be read, not written.");
    case ENOENT:
    case ENOTDIR: return tr("The folder does not exist.");
    case EFBIG: return tr("The file would be larger than the system allows.");
    case ENAMETOOLONG: return tr("The name is too long.");
    case 0: return tr("It could not be written.");
    default: return tr("It could not be written (%1).").arg(qt_error_string(error));
    }
}

LocalFile readLocalFile(const QString& path, qint64 maxBytes)
{
    const QByteArray encoded = platform::encodeFileName(path);
    // Refused before it is opened: opening some devices already does something.
    struct stat st {};
    if (::stat(encoded.constData(), &st) != 0) return {{}, openProblem(errno)};
    if (QString problem = fileProblem(st); !problem.isEmpty()) return {{}, problem};
    const int fd = ::open(encoded.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return {{}, openProblem(errno)};
    LocalFile result;
    // And checked again on what was opened, in case the name was replaced in between.
    if (::fstat(fd, &st) != 0) result.problem = openProblem(errno);
    else result.problem = fileProblem(st);
    if (result.problem.isEmpty()) result.data.reserve(std::clamp<qint64>(st.st_size, 0, maxBytes));
    while (result.problem.isEmpty()) {
        char buffer[65536];
        // One byte past the bound tells whether the file ends within it.
        const qint64 want = std::min<qint64>(sizeof buffer, maxBytes + 1 - result.data.size());
        const ssize_t got = ::read(fd, buffer, static_cast<size_t>(want));
        if (got == 0) {
            result.complete = true;
            break;
        }
        if (got < 0) {
            if (errno == EINTR) continue;
            result.problem = openProblem(errno);
            break;
        }
        result.data.append(buffer, got);
        if (result.data.size() > maxBytes) {
            result.data.truncate(maxBytes);
            break;
        }
    }
    ::close(fd);
    if (!result.problem.isEmpty()) result.data.clear();
    return result;
}

}  // namespace platform
