#pragma once

#include "platform/RegFile.h"
#include "platform/System.h"

// The desktop's System. The registry is read from /etc/zelplayer/registry.reg when an
// administrator has written one, otherwise from the registry.reg the program ships. When neither
// names the system-information program (HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Shared
// Tools\MSINFO, "PATH"), the first of the known ones found on the PATH stands in (hardinfo2,
// hardinfo, kinfocenter, cpu-x, lshw-gtk). Paths with backslashes are taken with slashes.
namespace platform {

class LinuxSystem : public System {
public:
    std::optional<RegistryValue> registryValue(RegistryRoot root, const QString& key, const QString& name) override;
    bool startProgram(const QString& path) override;
    bool fileExists(const QString& path) override;

    static constexpr const char* kAdministratorStore = "/etc/zelplayer/registry.reg";

private:
    const RegFile& store();
    std::optional<RegFile> store_;  // read at the first look-up
};

}  // namespace platform
