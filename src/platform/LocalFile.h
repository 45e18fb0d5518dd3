#pragma once

#include <QByteArray>
#include <QString>
#include <sys/stat.h>

// Reading a file a user named, which may be anything: a folder, a device, a pipe that never
// answers. Only regular files are read, and never more than the caller's bound.
namespace platform {

struct LocalFile {
    QByteArray data;
    QString problem;        // why it could not be read, as a sentence for the user; empty when read
    bool complete = false;  // the whole file was read, within the bound
};

// Reads at most maxBytes without ever waiting: the name must be a regular file, which is
// checked again on the opened file, so a pipe or a device put in its place is refused rather
// than read.
LocalFile readLocalFile(const QString& path, qint64 maxBytes);

// Why a file that stat describes cannot be read as a file; empty for a regular file.
QString fileProblem(const struct stat& st);
// Why opening or reading failed, from errno.
QString openProblem(int error);
// Why writing a file failed, from errno (0 when it is not known).
QString writeProblem(int error);

}  // namespace platform
