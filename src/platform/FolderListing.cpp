#include "platform/FolderListing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <dirent.h>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>

#include "platform/FileNames.h"
#include "platform/LocalFile.h"

namespace platform {

struct FolderRead::State {
    std::mutex mutex;
    std::condition_variable finished;
    FolderListing listing;  // grows as the folder is read
};

namespace {

QString folderProblem(int error)
{
    if (error == ENOENT || error == ENOTDIR) return QCoreApplication::translate("platform", "The folder is not there any more: it may have been moved or deleted.");
    if (error == EACCES || error == EPERM) return QCoreApplication::translate("platform", "The player is not allowed to read it.");
    return QCoreApplication::translate("platform", "It could not be read (%1).").arg(qt_error_string(error));
}

void sortForPeople(QStringList& names)
{
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

// Reads the folder, handing over what it has every few hundred entries.
void readFolder(const QByteArray& path, const std::shared_ptr<FolderRead::State>& state)
{
    DIR* dir = ::opendir(path.constData());
    if (!dir) {
        const QString problem = folderProblem(errno);
        std::lock_guard lock(state->mutex);
        state->listing.problem = problem;
        state->listing.complete = true;
        state->finished.notify_all();
        return;
    }
    QStringList folders, files;
    const auto handOver = [&] {
        std::lock_guard lock(state->mutex);
        state->listing.folders += folders;
        state->listing.files += files;
        folders.clear();
        files.clear();
    };
    int sinceHandOver = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.') continue;  // ".", ".." and hidden entries
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN || type == DT_LNK) {
            struct stat st {};
            if (::fstatat(::dirfd(dir), entry->d_name, &st, 0) != 0) continue;
            type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        const QString name = platform::decodeFileName(entry->d_name);
        if (type == DT_DIR) folders << name;
        else if (type == DT_REG) files << name;
        if (++sinceHandOver == 512) {
            handOver();
            sinceHandOver = 0;
        }
    }
    ::closedir(dir);
    handOver();
    std::lock_guard lock(state->mutex);
    sortForPeople(state->listing.folders);
    sortForPeople(state->listing.files);
    state->listing.complete = true;
    state->finished.notify_all();
}

}  // namespace

std::shared_ptr<FolderRead> FolderRead::start(const QString& path)
{
    auto state = std::make_shared<State>();
    // Detached: a read stuck in the file system must not hold up the program's end.
    std::thread(readFolder, platform::encodeFileName(path), state).detach();
    return std::shared_ptr<FolderRead>(new FolderRead(state));
}

FolderListing FolderRead::wait(int milliseconds)
{
    std::unique_lock lock(state_->mutex);
    state_->finished.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return state_->listing.complete; });
    FolderListing partial = state_->listing;
    if (!partial.complete) {
        sortForPeople(partial.folders);
        sortForPeople(partial.files);
    }
    return partial;
}

bool FolderRead::done() const
{
    std::lock_guard lock(state_->mutex);
    return state_->listing.complete;
}

QStringList drives()
{
    QStringList list{QStringLiteral("/")};
    const QString home = QDir::homePath();
    if (home != QLatin1String("/")) list << home;
    // /proc/self/mounts is the kernel's own table: reading it never waits on a device.
    QFile mounts(QStringLiteral("/proc/self/mounts"));
    if (mounts.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : mounts.readAll().split('\n')) {
            const QList<QByteArray> fields = line.split(' ');
            if (fields.size() < 2) continue;
            // Mount points write blanks and other specials as octal escapes.
            QString point = QString::fromLocal8Bit(fields[1]);
            point.replace(QLatin1String("\\040"), QLatin1String(" "));
            for (const char* under : {"/media/", "/run/media/", "/mnt/"})
                if (point.startsWith(QLatin1String(under)) && !list.contains(point)) list << point;
        }
    }
    return list;
}

}  // namespace platform
