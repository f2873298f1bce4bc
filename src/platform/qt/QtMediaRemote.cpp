#include "platform/qt/QtMediaRemote.h"

#include "platform/qt/MprisPlayerAdaptor.h"
#include "platform/qt/MprisRootAdaptor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>

#include <ostream>

namespace windlecroft {

namespace {

const char* const withoutControls = "media keys and desktop media controls will not see the player";

} // namespace

QtMediaRemote::QtMediaRemote(std::ostream& diagnostics) : diagnostics_(diagnostics) {}

QtMediaRemote::~QtMediaRemote()
{
    withdraw();
}

bool QtMediaRemote::offer(RemoteCommands& commands, const RemoteState& state)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        const QString reason = bus.lastError().message().simplified();
        diagnostics_ << "windlecroft: no D-Bus session bus" << (reason.isEmpty() ? "" : " (")
                     << reason.toStdString() << (reason.isEmpty() ? "" : ")") << "; " << withoutControls
                     << std::endl;
        return false;
    }
    state_ = state;
    object_ = std::make_unique<QObject>();
    new MprisRootAdaptor(object_.get(), commands);
    player_ = new MprisPlayerAdaptor(object_.get(), commands, state_);
    if (!bus.registerObject(QString::fromLatin1(objectPath), object_.get(), QDBusConnection::ExportAdaptors)) {
        diagnostics_ << "windlecroft: can't export " << objectPath << " on the D-Bus session bus; "
                     << withoutControls << std::endl;
        object_.reset();
        player_ = nullptr;
        return false;
    }
    // Another player of this name already answers: it keeps the name and this one stays off the bus.
    if (!bus.registerService(QString::fromLatin1(serviceName))) {
        diagnostics_ << "windlecroft: the D-Bus name " << serviceName
                     << " is taken (is another windlecroft running?); " << withoutControls << std::endl;
        bus.unregisterObject(QString::fromLatin1(objectPath));
        object_.reset();
        player_ = nullptr;
        return false;
    }
    return true;
}

void QtMediaRemote::withdraw()
{
    if (!object_)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(QString::fromLatin1(serviceName));
    bus.unregisterObject(QString::fromLatin1(objectPath));
    object_.reset();
    player_ = nullptr;
}

void QtMediaRemote::publish(const RemoteState& state)
{
    if (!object_)
        return;
    const QVariantMap changed = MprisPlayerAdaptor::changedProperties(state_, state);
    state_ = state;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(objectPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(MprisPlayerAdaptor::interfaceName) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

void QtMediaRemote::seeked(std::int64_t positionMicroseconds)
{
    if (player_)
        emit player_->Seeked(positionMicroseconds);
}

} // namespace windlecroft
