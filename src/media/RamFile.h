#pragma once

#include <QString>
#include <QStringList>

// A .ram file is a text list of addresses, one per line; blank lines and lines starting with
// '#' are skipped. Relative names are taken relative to the list's folder.
QStringList readRamFile(const QString& path);

bool isRamFile(const QString& path);
