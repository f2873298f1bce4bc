#include "platform/qt/MprisRootAdaptor.h"

#include "app/RemoteCommands.h"

namespace windlecroft {

MprisRootAdaptor::MprisRootAdaptor(QObject* object, RemoteCommands& commands)
    : QDBusAbstractAdaptor(object), commands_(commands)
{
}

QString MprisRootAdaptor::identity() const
{
    return QStringLiteral("Windlecroft");
}

QString MprisRootAdaptor::desktopEntry() const
{
    return QStringLiteral("windlecroft");
}

// The playlist's files are classified by their names: MP3, Ogg (Vorbis or Opus), Opus, FLAC
// and WAV streams, XM and IT modules.
QStringList MprisRootAdaptor::supportedMimeTypes() const
{
    return {QStringLiteral("audio/mpeg"),   QStringLiteral("audio/ogg"),    QStringLiteral("audio/vorbis"),
            QStringLiteral("audio/x-vorbis+ogg"), QStringLiteral("audio/opus"), QStringLiteral("audio/x-opus+ogg"),
            QStringLiteral("audio/flac"),   QStringLiteral("audio/x-flac"), QStringLiteral("audio/x-wav"),
            QStringLiteral("audio/wav"),    QStringLiteral("audio/x-xm"),   QStringLiteral("audio/x-it")};
}

void MprisRootAdaptor::Raise()
{
    commands_.remoteCommand(RemoteCommand::Raise);
}

void MprisRootAdaptor::Quit()
{
    commands_.remoteCommand(RemoteCommand::Quit);
}

} // namespace windlecroft
