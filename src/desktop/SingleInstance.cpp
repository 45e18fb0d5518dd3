#include "desktop/SingleInstance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QMetaObject>

namespace {

// The running program answers at once (it opens the names afterwards); this long is waited for
// a program that is stuck.
constexpr int kAnswerWaitMs = 5000;

}  // namespace

SingleInstance::SingleInstance(QDBusConnection bus, std::function<void(const media_source::CheckedNames&)> open,
                               QObject* parent)
    : QObject(parent), bus_(std::move(bus)), open_(std::move(open))
{
    registered_ = bus_.isConnected() &&
                  bus_.registerObject(QString::fromLatin1(kObjectPath), this, QDBusConnection::ExportScriptableSlots) &&
                  bus_.registerService(QString::fromLatin1(kServiceName));
}

SingleInstance::~SingleInstance()
{
    if (!bus_.isConnected()) return;
    bus_.unregisterService(QString::fromLatin1(kServiceName));
    bus_.unregisterObject(QString::fromLatin1(kObjectPath));
}

void SingleInstance::Open(const QStringList& names)
{
    const media_source::CheckedNames checked = media_source::checkHandedOver(names);
    if (!checked.refusal.isEmpty()) sendErrorReply(QDBusError::InvalidArgs, checked.refusal);
    // The names open after the caller has had its answer.
    QMetaObject::invokeMethod(this, [this, checked] { open_(checked); }, Qt::QueuedConnection);
}

SingleInstance::HandOver SingleInstance::handOver(QDBusConnection bus, const QStringList& names)
{
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(QString::fromLatin1(kServiceName))) return {};
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kServiceName), QString::fromLatin1(kObjectPath),
                                                       QString::fromLatin1(kServiceName), QStringLiteral("Open"));
    call << names;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kAnswerWaitMs);
    if (reply.type() == QDBusMessage::ReplyMessage) return {true, {}};
    if (reply.type() == QDBusMessage::ErrorMessage && reply.errorName() == QDBusError::errorString(QDBusError::InvalidArgs))
        return {true, reply.errorMessage()};
    return {};
}
