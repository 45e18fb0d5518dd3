#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// Lists folders on a thread of its own, so that a slow or hung file system (a network share, a
// disc spinning up) cannot stop the windows for longer than they are prepared to wait.
namespace platform {

struct FolderListing {
    QStringList folders;  // in alphabetical order, whatever the case; hidden ones left out
    QStringList files;
    bool complete = false;  // false: what could be read before the wait ended
    QString problem;        // why the folder could not be read; empty when it could
};

class FolderRead {
public:
    // Starts reading the folder.
    static std::shared_ptr<FolderRead> start(const QString& path);

    // Waits at most this long for the listing to be complete, and returns what is read by then.
    FolderListing wait(int milliseconds);
    bool done() const;

    struct State;

private:
    explicit FolderRead(std::shared_ptr<State> state) : state_(std::move(state)) {}
    std::shared_ptr<State> state_;
};

// The file systems a person would recognise as drives: the root, the home folder, and what is
// mounted under /media, /run/media and /mnt.
QStringList drives();

}  // namespace platform
