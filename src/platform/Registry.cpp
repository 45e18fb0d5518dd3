#include <cstdint>

#include "forms/NumberText.h"
#include "platform/System.h"

namespace platform {

bool GetKeyValue(System& system, RegistryRoot keyRoot, const QString& keyName, const QString& subKeyRef,
                 QString& keyVal)
{
    constexpr qsizetype kBufferSize = 1024;
    const std::optional<RegistryValue> value = system.registryValue(keyRoot, keyName, subKeyRef);
    if (!value || value->data.size() > kBufferSize) {
        keyVal.clear();
        return false;
    }
    QByteArray cut = value->data;
    if (const qsizetype zero = cut.indexOf('\0'); zero >= 0) cut.truncate(zero);
    if (value->type == kRegistryString) {
        keyVal = QString::fromUtf8(cut);
    } else if (value->type == kRegistryDword) {
        // The bytes from the last to the first, each as hexadecimal digits: the number they
        // make, written in decimal.
        QString digits;
        for (qsizetype i = cut.size() - 1; i >= 0; --i) digits += QString::number(static_cast<uint8_t>(cut[i]), 16);
        bool ok = false;
        const qulonglong number = digits.toULongLong(&ok, 16);
        keyVal = ok ? forms::numText(static_cast<double>(number)) : QStringLiteral("&h") + digits;
    }
    return true;
}

}  // namespace platform
