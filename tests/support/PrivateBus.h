#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>

// A dbus-daemon of the test's own, ended with the test, and two connections to it: one for the
// program's side, one for the client's.
struct PrivateBus {
    QProcess daemon;
    QString address;
    QDBusConnection service{QString()};
    QDBusConnection client{QString()};

    // Connection names start with the prefix, so tests in one process do not share them.
    explicit PrivateBus(const QString& prefix)
    {
        daemon.start(QStringLiteral("dbus-daemon"), {"--session", "--nofork", "--print-address"});
        if (!daemon.waitForReadyRead(10000)) return;
        address = QString::fromUtf8(daemon.readLine()).trimmed();
        service = QDBusConnection::connectToBus(address, prefix + QStringLiteral("-service"));
        client = QDBusConnection::connectToBus(address, prefix + QStringLiteral("-client"));
    }
    ~PrivateBus()
    {
        daemon.terminate();
        daemon.waitForFinished(5000);
    }
    bool started() const { return !address.isEmpty() && service.isConnected() && client.isConnected(); }
};
