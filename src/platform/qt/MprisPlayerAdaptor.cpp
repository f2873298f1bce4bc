#include "platform/qt/MprisPlayerAdaptor.h"

#include "app/RemoteCommands.h"
#include "app/RemoteState.h"

#include <QDBusConnection>
#include <QFile>
#include <QUrl>

namespace windlecroft {

namespace {

const QString trackPrefix = QStringLiteral("/org/mpris/MediaPlayer2/windlecroft/track/");

QString statusName(RemotePlayback playback)
{
    switch (playback) {
    case RemotePlayback::Playing: return QStringLiteral("Playing");
    case RemotePlayback::Paused: return QStringLiteral("Paused");
    case RemotePlayback::Stopped: break;
    }
    return QStringLiteral("Stopped");
}

// Without repeat the playlist wraps around at its end: it loops as a whole.
QString loopName(bool repeatOne)
{
    return repeatOne ? QStringLiteral("Track") : QStringLiteral("Playlist");
}

} // namespace

MprisPlayerAdaptor::MprisPlayerAdaptor(QObject* object, RemoteCommands& commands, const RemoteState& state)
    : QDBusAbstractAdaptor(object), commands_(commands), state_(state)
{
}

QDBusObjectPath MprisPlayerAdaptor::trackPath(int track)
{
    if (track < 0)
        return QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    return QDBusObjectPath(trackPrefix + QString::number(track));
}

int MprisPlayerAdaptor::trackOf(const QDBusObjectPath& path)
{
    const QString text = path.path();
    if (!text.startsWith(trackPrefix))
        return -1;
    bool valid = false;
    const int track = text.mid(trackPrefix.size()).toInt(&valid);
    return valid && track >= 0 ? track : -1;
}

QVariantMap MprisPlayerAdaptor::metadataOf(const RemoteState& state)
{
    QVariantMap metadata;
    metadata.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(trackPath(state.track)));
    if (state.track < 0)
        return metadata;
    metadata.insert(QStringLiteral("xesam:title"), QString::fromStdString(state.title));
    if (state.lengthMicroseconds > 0)
        metadata.insert(QStringLiteral("mpris:length"), qlonglong{state.lengthMicroseconds});
    if (!state.file.empty()) {
        const QString file = QFile::decodeName(QByteArray::fromStdString(state.file.string()));
        metadata.insert(QStringLiteral("xesam:url"), QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded));
    }
    return metadata;
}

QVariantMap MprisPlayerAdaptor::changedProperties(const RemoteState& before, const RemoteState& after)
{
    QVariantMap changed;
    if (before.playback != after.playback)
        changed.insert(QStringLiteral("PlaybackStatus"), statusName(after.playback));
    if (before.repeatOne != after.repeatOne)
        changed.insert(QStringLiteral("LoopStatus"), loopName(after.repeatOne));
    if (before.randomOrder != after.randomOrder)
        changed.insert(QStringLiteral("Shuffle"), after.randomOrder);
    if (before.track != after.track || before.title != after.title || before.file != after.file
        || before.lengthMicroseconds != after.lengthMicroseconds)
        changed.insert(QStringLiteral("Metadata"), metadataOf(after));
    if (before.volume != after.volume)
        changed.insert(QStringLiteral("Volume"), after.volume / 100.0);
    if (before.canGoNext != after.canGoNext)
        changed.insert(QStringLiteral("CanGoNext"), after.canGoNext);
    if (before.canGoPrevious != after.canGoPrevious)
        changed.insert(QStringLiteral("CanGoPrevious"), after.canGoPrevious);
    if (before.canPlay != after.canPlay) {
        for (const char* name : {"CanPlay", "CanPause", "CanSeek"})
            changed.insert(QString::fromLatin1(name), after.canPlay);
    }
    return changed;
}

QString MprisPlayerAdaptor::playbackStatus() const { return statusName(state_.playback); }
QString MprisPlayerAdaptor::loopStatus() const { return loopName(state_.repeatOne); }
bool MprisPlayerAdaptor::shuffle() const { return state_.randomOrder; }
QVariantMap MprisPlayerAdaptor::metadata() const { return metadataOf(state_); }
double MprisPlayerAdaptor::volume() const { return state_.volume / 100.0; }
void MprisPlayerAdaptor::setVolume(double volume) { commands_.remoteSetVolume(volume); }
qlonglong MprisPlayerAdaptor::position() const { return commands_.remotePosition(); }
bool MprisPlayerAdaptor::canGoNext() const { return state_.canGoNext; }
bool MprisPlayerAdaptor::canGoPrevious() const { return state_.canGoPrevious; }
bool MprisPlayerAdaptor::canPlay() const { return state_.canPlay; }

void MprisPlayerAdaptor::Next() { commands_.remoteCommand(RemoteCommand::Next); }
void MprisPlayerAdaptor::Previous() { commands_.remoteCommand(RemoteCommand::Previous); }
void MprisPlayerAdaptor::Pause() { commands_.remoteCommand(RemoteCommand::Pause); }
void MprisPlayerAdaptor::PlayPause() { commands_.remoteCommand(RemoteCommand::PlayPause); }
void MprisPlayerAdaptor::Stop() { commands_.remoteCommand(RemoteCommand::Stop); }
void MprisPlayerAdaptor::Play() { commands_.remoteCommand(RemoteCommand::Play); }
void MprisPlayerAdaptor::Seek(qlonglong Offset) { commands_.remoteSeek(Offset); }

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position)
{
    if (const int track = trackOf(TrackId); track >= 0)
        commands_.remoteSetPosition(track, Position);
}

// The player plays its skin's playlist and nothing else: the call is answered with an error.
void MprisPlayerAdaptor::OpenUri(const QString& Uri, const QDBusMessage& message)
{
    message.setDelayedReply(true);
    QDBusConnection::sessionBus().send(message.createErrorReply(
        QStringLiteral("org.mpris.MediaPlayer2.windlecroft.Error.NotSupported"),
        QStringLiteral("Windlecroft plays only its skin's playlist and cannot open %1").arg(Uri)));
}

} // namespace windlecroft
