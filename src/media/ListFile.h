#pragma once

#include <QString>
#include <QStringList>

// List files the program reads itself, as the engine does not: .ram lists for the Real control
// and ASX lists (.asx, .wax, .wvx) for the Windows-media control. Names in a list are taken
// relative to the list's folder; lines naming what the player does not open are left out, and
// the first such line, or why the list itself cannot be read, is the problem.
struct ListEntries {
    QStringList entries;  // names the engine may open, in the list's order
    QString problem;      // a sentence for the user; empty when every entry was taken
};

// At most this much of a list is read: a list of addresses is small.
inline constexpr qint64 kListFileMaxBytes = 64 * 1024;

// A .ram file is a text list of addresses, one per line; blank lines and lines starting with
// '#' are skipped.
ListEntries readRamFile(const QString& path);
// A local file named *.ram (an address ending in .ram is given to the engine as it is).
bool isRamFile(const QString& name);

// An ASX file names its clips in <ref href="..."/> elements (tags and attributes in any case).
ListEntries readAsxFile(const QString& path);
// A local file named *.asx, *.wax or *.wvx.
bool isAsxFile(const QString& name);
