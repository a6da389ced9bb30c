#include "WavBuilder.h"

#include "sound/AudioBuffer.h"
#include "sound/DXSound.h"
#include "sound/DXSoundSound.h"
#include "sound/SoundPlayer.h"

#include <QAudioSink>
#include <QDir>
#include <QMediaDevices>
#include <QRegularExpression>
#include <QSettings>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

// The player with the client's own sound files on a real output.
//
// The sound server shares the machine with everything else: waits are long
// and only bound a failure; no check depends on how soon something happens.
class TestSoundPlayerPlayback : public QObject
{
    Q_OBJECT

private:
    static constexpr int Patience = 30000;
    QWidget m_window;
    std::unique_ptr<SoundPlayer> m_player;

    AudioBuffer *buffer(int id) const
    {
        auto *sound = dynamic_cast<DXSoundSound *>(m_player->sound(id));
        return sound ? sound->sound()->buffer(0) : nullptr;
    }

    bool playing(int id) const
    {
        quint32 status = 0;
        buffer(id)->getStatus(&status);
        return status & AudioBuffer::StatusPlaying;
    }

    bool looping(int id) const
    {
        quint32 status = 0;
        buffer(id)->getStatus(&status);
        return (status & AudioBuffer::StatusPlaying) && (status & AudioBuffer::StatusLooping);
    }

    static void setSound(bool on) { QSettings().setValue(QStringLiteral("game/sound"), on); }

private slots:
    void initTestCase()
    {
        if (QMediaDevices::audioOutputs().isEmpty())
            QSKIP("no audio output: the PulseAudio fixture is not running");
        QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
        QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel"));
        const QString sounds = qEnvironmentVariable("MAHJONG_SOURCE_DIR") + QStringLiteral("/resources/sounds");
        QVERIFY(QFileInfo::exists(sounds + QStringLiteral("/pong.wav")));
        QDir::setSearchPaths(QStringLiteral("sounds"), {sounds});
        m_player = std::make_unique<SoundPlayer>();
        QTest::ignoreMessage(QtDebugMsg, "DirectX initialised with result 0");
        m_player->load(&m_window);
    }

    void init() { setSound(true); }

    void cleanup()
    {
        for (int id = 0; id < SoundPlayer::SoundCount; ++id)
            m_player->stop(id);
    }

    void everySoundLoads()
    {
        for (int id = 0; id < SoundPlayer::SoundCount; ++id) {
            QVERIFY2(buffer(id), qPrintable(SoundPlayer::soundName(id)));
            QVERIFY(!m_player->fallback(id));
            QVERIFY(!playing(id));
        }
        // The lobby music is long enough to be heard as music, the rest short.
        const quint32 bytesPerSecond = 22050 * 2;
        QVERIFY(buffer(SoundPlayer::LobbyMusic)->size() >= 5 * bytesPerSecond);
        for (int id = 0; id < SoundPlayer::LobbyMusic; ++id)
            QVERIFY2(buffer(id)->size() <= 2 * bytesPerSecond, qPrintable(SoundPlayer::soundName(id)));
    }

    void exclusiveLoopStopsTheRest()
    {
        m_player->play(SoundPlayer::TileDiscarded, 0);
        m_player->play(SoundPlayer::Start, 0);
        QVERIFY(playing(SoundPlayer::TileDiscarded));
        m_player->play(SoundPlayer::LobbyMusic, SoundPlayer::Loop | SoundPlayer::Exclusive);
        QVERIFY(!playing(SoundPlayer::TileDiscarded));
        QVERIFY(!playing(SoundPlayer::Start));
        QVERIFY(looping(SoundPlayer::LobbyMusic));
        QCOMPARE(m_player->loopingId(), int(SoundPlayer::LobbyMusic));

        // Asking again neither restarts nor disturbs it.
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
            quint32 position = 0;
            buffer(SoundPlayer::LobbyMusic)->getCurrentPosition(&position, nullptr);
            return position > 22050; // half a second in
            }(),
            Patience);
        m_player->play(SoundPlayer::Chow, 0);
        m_player->play(SoundPlayer::LobbyMusic, SoundPlayer::Loop | SoundPlayer::Exclusive);
        QVERIFY(playing(SoundPlayer::Chow));
        quint32 position = 0;
        buffer(SoundPlayer::LobbyMusic)->getCurrentPosition(&position, nullptr);
        QVERIFY(position > 22050);

        m_player->stop(SoundPlayer::LobbyMusic);
        QVERIFY(!playing(SoundPlayer::LobbyMusic));
        QCOMPARE(m_player->loopingId(), -1);
    }

    void newLoopReplacesTheOld()
    {
        m_player->play(SoundPlayer::LobbyMusic, SoundPlayer::Loop);
        m_player->play(SoundPlayer::Hover, 0);
        // A single play goes over the loop.
        QVERIFY(playing(SoundPlayer::Hover));
        QVERIFY(looping(SoundPlayer::LobbyMusic));
        m_player->play(SoundPlayer::WindAssignment, SoundPlayer::Loop);
        QVERIFY(!playing(SoundPlayer::LobbyMusic));
        QVERIFY(looping(SoundPlayer::WindAssignment));
        QCOMPARE(m_player->loopingId(), int(SoundPlayer::WindAssignment));
        // Well past its length it still plays.
        QTRY_VERIFY_WITH_TIMEOUT(buffer(SoundPlayer::WindAssignment)->sink()->processedUSecs() > 1000000, Patience);
        QVERIFY(looping(SoundPlayer::WindAssignment));
    }

    void meldsPlayTheirSounds()
    {
        m_player->playMeld(2);
        QVERIFY(playing(SoundPlayer::Pong));
        m_player->playMeld(8);
        QVERIFY(playing(SoundPlayer::Kong));
        QTest::ignoreMessage(QtWarningMsg, "invalid meld for sound play:4");
        m_player->playMeld(4);
        for (int id = 0; id < SoundPlayer::SoundCount; ++id)
            QCOMPARE(playing(id), id == SoundPlayer::Pong || id == SoundPlayer::Kong);
        QTRY_VERIFY_WITH_TIMEOUT(!playing(SoundPlayer::Pong) && !playing(SoundPlayer::Kong), Patience);
    }

    void switchedOffPlaysNothing()
    {
        m_player->play(SoundPlayer::LobbyMusic, SoundPlayer::Loop);
        setSound(false);
        m_player->play(SoundPlayer::Joined, SoundPlayer::Exclusive);
        m_player->playMeld(16);
        QVERIFY(!playing(SoundPlayer::Joined));
        QVERIFY(!playing(SoundPlayer::Mahjong));
        QVERIFY(looping(SoundPlayer::LobbyMusic));
        m_player->stop(SoundPlayer::LobbyMusic);
        QVERIFY(!playing(SoundPlayer::LobbyMusic));
    }

    void unreadableFileFallsBack()
    {
        // A RIFF size that overruns the file: refused here, played by the
        // fallback player, which reads on to the end of the file.
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray samples = WavBuilder::samples(22050 * 4 / 10, 1, 16);
        QByteArray file = WavBuilder::pcmWave(samples, 1, 22050, 16);
        file.replace(4, 4, WavBuilder::u32(0xFFFFFFFF));
        WavBuilder::write(dir.filePath(QStringLiteral("pong.wav")), file);
        QDir::setSearchPaths(QStringLiteral("sounds"), {dir.path()});

        SoundPlayer player;
        const QString path = QFileInfo(dir.filePath(QStringLiteral("pong.wav"))).absoluteFilePath();
        QTest::ignoreMessage(QtDebugMsg, "sound filename is pong.wav");
        QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("sound absoluteFilePath is ") + path));
        player.load(&m_window);
        QVERIFY(!player.sound(SoundPlayer::Pong));
        QSoundEffect *effect = player.fallback(SoundPlayer::Pong);
        QVERIFY(effect);
        QVERIFY(!player.fallback(SoundPlayer::Kong));
        QCOMPARE(effect->source(), QUrl::fromLocalFile(path));
        QTRY_COMPARE_WITH_TIMEOUT(effect->status(), QSoundEffect::Ready, Patience);

        player.play(SoundPlayer::Pong, SoundPlayer::Loop);
        QCOMPARE(effect->loopCount(), int(QSoundEffect::Infinite));
        QTRY_VERIFY_WITH_TIMEOUT(effect->isPlaying(), Patience);
        QTest::qWait(1200);
        QVERIFY(effect->isPlaying());
        player.stop(SoundPlayer::Pong);
        QTRY_VERIFY_WITH_TIMEOUT(!effect->isPlaying(), Patience);

        player.play(SoundPlayer::Pong, 0);
        QCOMPARE(effect->loopCount(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(effect->isPlaying(), Patience);
        QTRY_VERIFY_WITH_TIMEOUT(!effect->isPlaying(), Patience);
    }
};

QTEST_MAIN(TestSoundPlayerPlayback)
#include "tst_soundplayer_playback.moc"
