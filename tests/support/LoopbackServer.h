#pragma once

#include <QByteArray>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A small web server on 127.0.0.1 for the engine tests, run by the test's own event loop (the
// tests wait with waitFor, which runs it). It stops when it is destroyed.
class LoopbackServer : public QObject {
public:
    enum class Behaviour {
        Serve,    // answers each path with its body, or 404
        Trickle,  // sends the headers, then one byte every two seconds
        Silent,   // accepts the connection and never answers
    };

    explicit LoopbackServer(Behaviour behaviour = Behaviour::Serve) : behaviour_(behaviour)
    {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onRequest(socket); });
            }
        });
    }

    void route(const QString& path, const QByteArray& body, const QByteArray& contentType)
    {
        routes_[path] = {body, contentType};
    }
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }

private:
    struct Route {
        QByteArray body, contentType;
    };

    void onRequest(QTcpSocket* socket)
    {
        QByteArray& request = pending_[socket];
        request += socket->readAll();
        if (!request.contains("\r\n\r\n")) return;
        const QByteArray path = request.split(' ').value(1);
        pending_.remove(socket);
        if (behaviour_ == Behaviour::Silent) return;
        if (behaviour_ == Behaviour::Trickle) {
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\n\r\n");
            auto* drip = new QTimer(socket);
            connect(drip, &QTimer::timeout, socket, [socket] { socket->write("\xff", 1); });
            drip->start(2000);
            return;
        }
        const auto it = routes_.constFind(QString::fromUtf8(path));
        const QByteArray status = it == routes_.constEnd() ? "404 Not Found" : "200 OK";
        const Route route = it == routes_.constEnd() ? Route{} : *it;
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: " + route.contentType +
                      "\r\nContent-Length: " + QByteArray::number(route.body.size()) +
                      "\r\nConnection: close\r\n\r\n" + route.body);
        socket->disconnectFromHost();
    }

    Behaviour behaviour_;
    QTcpServer server_;
    QMap<QString, Route> routes_;
    QMap<QTcpSocket*, QByteArray> pending_;
};
