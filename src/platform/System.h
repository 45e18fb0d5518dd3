#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What the program needs of the operating system besides windows and media: a read-only
// registry of named values, starting another program, and whether a file exists. The desktop
// implementation is LinuxSystem; tests use a fake.
namespace platform {

// The registry's roots the program reads (only the machine-wide one).
enum class RegistryRoot { LocalMachine };

// A value as the registry stores it: its type number (1 text, 4 32-bit number, others kept as
// they are) and its bytes, a text's terminating zero included.
struct RegistryValue {
    int type = 0;
    QByteArray data;
};
inline constexpr int kRegistryString = 1;
inline constexpr int kRegistryDword = 4;

class System {
public:
    virtual ~System() = default;
    // The value, or nothing when the key or the value does not exist.
    virtual std::optional<RegistryValue> registryValue(RegistryRoot root, const QString& key, const QString& name) = 0;
    // Starts the program as a window of its own; false when it cannot be started.
    virtual bool startProgram(const QString& path) = 0;
    virtual bool fileExists(const QString& path) = 0;
};

// Reads one registry value as text: a text as it is, a 32-bit number in decimal; another type
// leaves keyVal as it was. The value must fit a buffer of 1024 characters and is cut at its
// first zero. False, with keyVal empty, when the key or the value is missing or too long.
bool GetKeyValue(System& system, RegistryRoot keyRoot, const QString& keyName, const QString& subKeyRef,
                 QString& keyVal);

}  // namespace platform
