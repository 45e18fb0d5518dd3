#pragma once

#include <QStringList>
#include <map>
#include <set>
#include <utility>

#include "platform/System.h"

// The operating system for window tests: registry values set by the test, programs that start
// only where the test says one is, and a record of what was started.
class FakeSystem : public platform::System {
public:
    std::map<std::pair<QString, QString>, platform::RegistryValue> registry;  // key, value name
    std::set<QString> files;     // what exists; a program starts only if it is here
    QStringList started;         // every start asked for, in order

    void setString(const QString& key, const QString& name, const QByteArray& text)
    {
        registry[{key, name}] = platform::RegistryValue{platform::kRegistryString, text + '\0'};
    }

    std::optional<platform::RegistryValue> registryValue(platform::RegistryRoot, const QString& key,
                                                         const QString& name) override
    {
        const auto it = registry.find({key, name});
        if (it == registry.end()) return std::nullopt;
        return it->second;
    }
    bool startProgram(const QString& path) override
    {
        started << path;
        return files.count(path) > 0;
    }
    bool fileExists(const QString& path) override { return files.count(path) > 0; }
};
