#pragma once

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QProcess>
#include <QProcessEnvironment>

#include "desktop/MprisService.h"
#include "desktop/SingleInstance.h"
#include "support/PrivateBus.h"
#include "support/TestApp.h"

// The program in a process of its own, started as the desktop starts it: on Qt's offscreen
// platform, on a session bus of the test's own or none.
inline QProcessEnvironment offscreen(const QString& busAddress = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (!busAddress.isEmpty()) env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    else env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    return env;
}

struct Ended {
    int status;  // -1 when it did not end by itself in time, or crashed
    QByteArray out, err;
};

inline Ended runToEnd(const QString& program, const QStringList& args, const QProcessEnvironment& env, int timeoutMs = 30000)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        return {-1, p.readAllStandardOutput(), p.readAllStandardError()};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(), p.readAllStandardError()};
}

// Starts the program on the bus; true once its media-keys service is there (the main window is
// up).
inline bool startOnBus(QProcess& program, PrivateBus& bus, const QStringList& args)
{
    program.setProcessEnvironment(offscreen(bus.address));
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QStringLiteral(ZP_PROGRAM), args);
    return waitFor([&] {
        return program.state() == QProcess::Running &&
               bus.client.interface()->isServiceRegistered(QString::fromLatin1(MprisService::kServiceName)).value();
    }, 20000);
}

// A property of the program's player, as a sound menu reads it.
inline QVariant playerProperty(PrivateBus& bus, const char* name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(QString::fromLatin1(MprisService::kServiceName),
                                                      QString::fromLatin1(MprisService::kObjectPath),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.mpris.MediaPlayer2.Player") << QString::fromLatin1(name);
    const QDBusMessage reply = bus.client.call(get, QDBus::Block, 5000);
    return reply.arguments().isEmpty() ? QVariant() : reply.arguments().first().value<QDBusVariant>().variant();
}

// Asks the program to end as a sound menu does; its exit status, -1 when it crashed or did not
// end. The bus has let go of its names when this returns.
inline int quitOverBus(QProcess& program, PrivateBus& bus)
{
    bus.client.asyncCall(QDBusMessage::createMethodCall(QString::fromLatin1(MprisService::kServiceName),
                                                        QString::fromLatin1(MprisService::kObjectPath),
                                                        QStringLiteral("org.mpris.MediaPlayer2"), QStringLiteral("Quit")));
    const bool ended = program.waitForFinished(20000);
    if (!ended) program.kill(), program.waitForFinished();
    waitFor([&] {
        for (const char* name : {MprisService::kServiceName, SingleInstance::kServiceName})
            if (bus.client.interface()->isServiceRegistered(QString::fromLatin1(name)).value()) return false;
        return true;
    });
    return ended && program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}
