#pragma once

#include <QString>

// What the engine's disc readers are given, looked at before they see it. Those readers open
// what they are given and trust what they read: a pipe in place of a file blocks them for ever,
// an empty or damaged image or table crashes them. So a disc is handed over only when every file
// the reader will open is a regular file (or the drive a block device) and its tables hold
// together.
namespace discs {

// Why the CD device (a drive, or a disc image: .cue, .bin or .toc) cannot be opened; empty when
// it may be. Answers at once: nothing but the image's cue sheet is read.
QString cdDeviceProblem(const QString& device);

// What a look at the CD device finds, without reading a disc: no drive, a drive (or a disc
// image's place) without a disc, or a disc, known by an identity that changes when another disc
// is put in (for an image, when the image's files change).
struct CdLook {
    enum class State { NoDrive, NoDisc, Disc } state = State::NoDrive;
    QString problem;      // what to tell the person when there is no disc to play
    QByteArray identity;  // of the disc (with State::Disc), or of the image's files
};
// A drive is asked through its device (which a slow drive may take a moment to answer: look at
// it off the UI thread); anything else answers at once from the file system. An image whose
// files are those of the previous look gives that look again without reading its sheet.
bool isCdDrive(const QString& device);
CdLook lookAtCdDevice(const QString& device, const CdLook& previous = {});

// Why the DVD in this VIDEO_TS folder cannot be played; empty when it may be. Reads the
// disc's information files, which are small.
QString dvdFolderProblem(const QString& folder);

}  // namespace discs
