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

// Why the DVD in this VIDEO_TS folder cannot be played; empty when it may be. Reads the
// disc's information files, which are small.
QString dvdFolderProblem(const QString& folder);

}  // namespace discs
