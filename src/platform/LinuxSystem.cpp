#include "platform/LinuxSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "platform/DataFiles.h"

namespace platform {
namespace {

QString localPath(const QString& path)
{
    QString local = path;
    return local.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

constexpr qint64 kStoreMaxBytes = 64 * 1024;

}  // namespace

const RegFile& LinuxSystem::store()
{
    if (!store_) {
        const QString shipped = dataFile(QStringLiteral("registry.reg"));
        for (const QString& path : {QString::fromLatin1(kAdministratorStore), shipped}) {
            QFile file(path);
            // A regular file only (never a pipe or device in its place), and only its start.
            if (path.isEmpty() || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) continue;
            store_ = RegFile::parse(file.read(kStoreMaxBytes));
            break;
        }
        if (!store_) store_ = RegFile();
    }
    return *store_;
}

std::optional<RegistryValue> LinuxSystem::registryValue(RegistryRoot root, const QString& key, const QString& name)
{
    if (auto value = store().value(root, key, name)) return value;
    const bool systemInformation =
        key.compare(QLatin1String("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), Qt::CaseInsensitive) == 0 &&
        name.compare(QLatin1String("PATH"), Qt::CaseInsensitive) == 0;
    if (!systemInformation) return std::nullopt;
    for (const char* program : {"hardinfo2", "hardinfo", "kinfocenter", "cpu-x", "lshw-gtk"}) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (!found.isEmpty()) return RegistryValue{kRegistryString, found.toUtf8() + '\0'};
    }
    return std::nullopt;
}

bool LinuxSystem::startProgram(const QString& path)
{
    const QString program = localPath(path);
    return QFileInfo(program).isExecutable() && QProcess::startDetached(program, {});
}

bool LinuxSystem::fileExists(const QString& path) { return QFileInfo(localPath(path)).isFile(); }

}  // namespace platform
