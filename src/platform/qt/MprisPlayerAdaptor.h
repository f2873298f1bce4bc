#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantMap>

namespace windlecroft {

class RemoteCommands;
struct RemoteState;

/**
 * The player interface of the media-player object: transport, seeking, the volume and what
 * plays. Properties are read from the state the core published last; only the position is
 * asked for when a client reads it. Commands go to the core, which carries them out as the
 * skin's actions.
 */
class MprisPlayerAdaptor final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(QString LoopStatus READ loopStatus)
    Q_PROPERTY(bool Shuffle READ shuffle)
    Q_PROPERTY(double Rate READ rate CONSTANT)
    Q_PROPERTY(double MinimumRate READ rate CONSTANT)
    Q_PROPERTY(double MaximumRate READ rate CONSTANT)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPlay)
    Q_PROPERTY(bool CanSeek READ canPlay)
    Q_PROPERTY(bool CanControl READ canControl CONSTANT)

public:
    /** The interface's name, which PropertiesChanged carries. */
    static constexpr const char* interfaceName = "org.mpris.MediaPlayer2.Player";

    MprisPlayerAdaptor(QObject* object, RemoteCommands& commands, const RemoteState& state);

    /** The object path that names a playlist position; MPRIS's NoTrack path for −1. */
    static QDBusObjectPath trackPath(int track);
    /** The playlist position a track path names; −1 for any other path. */
    static int trackOf(const QDBusObjectPath& path);
    static QVariantMap metadataOf(const RemoteState& state);
    /** The properties whose values differ between the two states, with their new values. */
    static QVariantMap changedProperties(const RemoteState& before, const RemoteState& after);

    QString playbackStatus() const;
    QString loopStatus() const;
    bool shuffle() const;
    double rate() const { return 1.0; }
    QVariantMap metadata() const;
    double volume() const;
    void setVolume(double volume);
    qlonglong position() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    bool canPlay() const;
    bool canControl() const { return true; }

public Q_SLOTS:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong Offset);
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position);
    void OpenUri(const QString& Uri, const QDBusMessage& message);

Q_SIGNALS:
    void Seeked(qlonglong Position);

private:
    RemoteCommands& commands_;
    const RemoteState& state_;
};

} // namespace windlecroft
