#include "desktop/SingleInstance.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QMetaObject>

namespace {

// The running program answers at once (it opens the names afterwards); this long is waited for
// a program that is stuck.
constexpr int kAnswerWaitMs = 5000;

}  // namespace

SingleInstance::SingleInstance(QDBusConnection bus, std::function<void(const QStringList&)> open, QObject* parent)
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
    // Later, from the event loop: a message about a name may wait for the person, and the
    // program that handed the names over should not wait with it.
    QMetaObject::invokeMethod(this, [this, names] { open_(names); }, Qt::QueuedConnection);
}

bool SingleInstance::handOver(QDBusConnection bus, const QStringList& names)
{
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(QString::fromLatin1(kServiceName))) return false;
    QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kServiceName), QString::fromLatin1(kObjectPath),
                                                       QString::fromLatin1(kServiceName), QStringLiteral("Open"));
    call << names;
    return bus.call(call, QDBus::Block, kAnswerWaitMs).type() == QDBusMessage::ReplyMessage;
}
