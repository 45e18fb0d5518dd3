#pragma once

#include <QString>
#include <QStringList>

// A .ram file is a text list of addresses, one per line; blank lines and lines starting with
// '#' are skipped. Relative names are taken relative to the list's folder. Lines naming what the
// player does not open are left out; the first such line, or why the list itself cannot be
// read, is the problem.
struct RamList {
    QStringList entries;  // names the engine may open, in the list's order
    QString problem;      // a sentence for the user; empty when every line was taken
};

// At most this much of a list is read: a list of addresses is small.
inline constexpr qint64 kRamFileMaxBytes = 64 * 1024;

RamList readRamFile(const QString& path);

// A local file named *.ram (an address ending in .ram is given to the engine as it is).
bool isRamFile(const QString& name);
