#pragma once

#include <QString>

// Where long clips were left, kept by the engine in its own watch-later files (only the
// position) in a folder of the program's own: $XDG_STATE_HOME/zelplayer/positions. The program
// writes them through the engine and reads a clip's position itself before the engine opens
// the clip: a file that holds anything but a position is damaged or hostile, and is removed
// unread by the engine. The folder keeps the last 500 clips.
namespace resume_positions {

inline constexpr double kLongClipSeconds = 5 * 60;  // shorter clips start at the start
inline constexpr double kLastStretchSeconds = 60;   // left within it, a clip counts as finished
inline constexpr int kMaxClips = 500;

// The folder, made if it is not there; empty when it cannot be.
QString folder();
// Where the engine keeps the position of the local file at this full path.
QString fileFor(const QString& folder, const QString& path);
// The position kept for the file, or a negative number when there is none to trust.
double positionOf(const QString& folder, const QString& path);
// Removes the oldest files past the last kMaxClips (run off the UI thread).
void prune(const QString& folder);

}  // namespace resume_positions
