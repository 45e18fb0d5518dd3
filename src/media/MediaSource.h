#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QUrl>

class QMimeData;

// What the player agrees to open. Every name a user gives (a chosen file, a typed address, a line
// of a list) is untrusted: it may name only a regular local file or a network address of the
// kinds a person means. Engine-internal sources (fd://, edl://, lavf://, av://, ...) and the
// disc schemes, which only the program itself builds, are refused, as are folders, devices,
// pipes and sockets.
namespace media_source {

struct Checked {
    bool ok = false;
    bool address = false;  // a network address rather than a local file
    QString target;        // what the engine is given: an absolute path, or the address
    QString problem;       // why it is refused, as a sentence for the user
};

// Where a name leads, by its form alone (nothing on disc is looked at): relative names are taken
// from the folder, file:// addresses are local files, other schemes must be allowed ones.
Checked resolve(const QString& name, const QDir& folder);

// A name from the open dialog or the Open URL box, resolved from the working folder; a local
// file must be a readable regular file.
Checked check(const QString& name);

// A line of a list file, resolved from the list's folder and checked as check() does; the
// problem names the line.
Checked checkListEntry(const QString& line, const QDir& listFolder);
QString listLineProblem(const QString& line, const QString& problem);
// Why a list read from an address may not name a file on this computer.
QString localFileFromNetworkList();

// True for an address with a scheme ("http://..."), as opposed to a file name.
bool isAddress(const QString& name);

// The schemes a list or a user may name, lower case.
const QStringList& allowedSchemes();

// The DVD a local file belongs to: for a file in a folder named VIDEO_TS (VIDEO_TS.IFO among
// them), that folder, which the engine plays as a disc; empty for any other file.
QString dvdFolderOf(const QString& localPath);

// Names from outside the windows (the command line, a second start, a drop, the desktop): each
// checked as check() does; the first refusal as the message to show (empty when none). At most
// kMaxOutsideNames are taken; more are left out, which the message says when nothing else failed.
inline constexpr int kMaxOutsideNames = 1000;
struct CheckedNames {
    QStringList targets;  // what passed, as the engine is to be given them
    QString refusal;
};
CheckedNames checkAll(const QStringList& names);
// As checkAll(), for names another program hands over: one that is neither a full path nor an
// address is refused, as it would be taken from this program's folder, not the caller's.
CheckedNames checkHandedOver(const QStringList& names);

// The names of dropped files and addresses, as the dropping program wrote them.
QStringList namesOf(const QMimeData& data);

// A RealMedia name, which the Real engine plays: .rm, .ra, .rv, .ram.
bool isRealName(const QString& name);
// One of the program's playlist files (.zpf).
bool isPlaylistName(const QString& name);
// A subtitle file the engine shows with a clip: .srt, .ass, .ssa, .vtt.
bool isSubtitleName(const QString& name);

// The message for a name that cannot be played: the program, the name, then the reason.
QString cannotPlay(const QString& name, const QString& reason);

// Sentences for an open that failed inside the engine, by its error code (libmpv's MPV_ERROR_*).
QString engineFailure(int mpvError, bool address);
QString noAnswer(bool address, int seconds);

}  // namespace media_source
