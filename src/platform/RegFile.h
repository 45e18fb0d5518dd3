#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <optional>

#include "platform/System.h"

// The read-only registry store on disk: a file in the registry editor's export format.
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared Tools\MSINFO]
//   "PATH"="/usr/bin/hardinfo"
//   "Count"=dword:0000002a
//   "Raw"=hex(3):01,02,03
//
// Texts take \\ and \" escapes. Lines starting with ';' or '#' and anything not understood are
// skipped. The file may be UTF-16 (the registry editor's default) or UTF-8, its lines may end
// in any way, and a hex value may go on over lines ending in a backslash. Key and value names
// are compared without regard to case, as the registry does.
namespace platform {

class RegFile {
public:
    static RegFile parse(const QByteArray& bytes);
    std::optional<RegistryValue> value(RegistryRoot root, const QString& key, const QString& name) const;
    bool empty() const { return values_.empty(); }

private:
    std::map<QString, RegistryValue> values_;  // "root\key\\name" in lower case
};

}  // namespace platform
