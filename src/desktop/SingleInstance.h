#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QObject>
#include <QStringList>
#include <functional>

#include "media/MediaSource.h"

// One program for a desktop session: a start with names (a file double-clicked in a file
// manager, say) hands them over the session bus to the program already running, which opens
// them, and ends. Without a bus, or with no program running, a start runs as before.
class SingleInstance : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.zelsoft.ZelPlayerPlus")
public:
    static constexpr const char* kServiceName = "io.github.zelsoft.ZelPlayerPlus";
    static constexpr const char* kObjectPath = "/io/github/zelsoft/ZelPlayerPlus";

    // Takes the program's name on the bus; names handed over later go to `open`, checked, on
    // the UI thread after the caller has had its answer.
    SingleInstance(QDBusConnection bus, std::function<void(const media_source::CheckedNames&)> open,
                   QObject* parent = nullptr);
    ~SingleInstance() override;
    bool isRegistered() const { return registered_; }

    struct HandOver {
        bool taken = false;  // a running program took the names
        QString refusal;     // why one of them cannot be played, empty when all can
    };
    // Hands the names to the program running on the bus.
    static HandOver handOver(QDBusConnection bus, const QStringList& names);

public slots:
    // Answers with an error carrying the first refusal; the running program shows it too.
    Q_SCRIPTABLE void Open(const QStringList& names);

private:
    QDBusConnection bus_;
    std::function<void(const media_source::CheckedNames&)> open_;
    bool registered_ = false;
};
