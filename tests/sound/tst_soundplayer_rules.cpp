#include "sound/SoundPlayer.h"

#include <QDir>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// The player's bookkeeping, which holds whether or not any sound loaded.
class TestSoundPlayerRules : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_empty;

    static void setSound(bool on) { QSettings().setValue(QStringLiteral("game/sound"), on); }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Kestrova"));
        QCoreApplication::setApplicationName(QStringLiteral("Kestrova-Brisquel"));
        QVERIFY(m_empty.isValid());
        QDir::setSearchPaths(QStringLiteral("sounds"), {m_empty.path()});
    }

    void init() { setSound(true); }

    void noOutputHere() { QVERIFY(QMediaDevices::audioOutputs().isEmpty()); }

    void instanceIsOne() { QCOMPARE(&SoundPlayer::instance(), &SoundPlayer::instance()); }

    void missingFilesAreLoggedTwice()
    {
        QWidget window;
        SoundPlayer player;
        QTest::ignoreMessage(QtDebugMsg, "DirectX initialised with result -2005401480");
        for (int id = 0; id < SoundPlayer::SoundCount; ++id) {
            const QByteArray line = "sound file not found " + SoundPlayer::soundName(id).toLatin1();
            QTest::ignoreMessage(QtDebugMsg, line.constData());
            QTest::ignoreMessage(QtDebugMsg, line.constData());
        }
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^(sound|invalid meld|no sound)")));
        player.load(&window);
        for (int id = 0; id < SoundPlayer::SoundCount; ++id) {
            QVERIFY(!player.sound(id));
            QVERIFY(!player.fallback(id));
        }
        QCOMPARE(SoundPlayer::soundName(SoundPlayer::Pong), QStringLiteral("sounds:/pong"));
        QCOMPARE(SoundPlayer::soundName(SoundPlayer::LobbyMusic), QStringLiteral("sounds:/lobby_1min"));
    }

    void loopingIdFollowsTheFlags()
    {
        SoundPlayer player;
        QCOMPARE(player.loopingId(), -1);
        // Silent before loading, yet a loop is still recorded.
        player.play(SoundPlayer::LobbyMusic, SoundPlayer::Loop | SoundPlayer::Exclusive);
        QCOMPARE(player.loopingId(), int(SoundPlayer::LobbyMusic));
        player.play(SoundPlayer::Hover, 0);
        QCOMPARE(player.loopingId(), int(SoundPlayer::LobbyMusic));
        // A new loop replaces the old one.
        player.play(SoundPlayer::Start, SoundPlayer::Loop);
        QCOMPARE(player.loopingId(), int(SoundPlayer::Start));
        // Stopping another sound leaves it.
        player.stop(SoundPlayer::Hover);
        QCOMPARE(player.loopingId(), int(SoundPlayer::Start));
        // An exclusive single play ends the loop.
        player.play(SoundPlayer::Washout, SoundPlayer::Exclusive);
        QCOMPARE(player.loopingId(), -1);
        player.play(SoundPlayer::LobbyMusic, SoundPlayer::Loop);
        player.stop(SoundPlayer::LobbyMusic);
        QCOMPARE(player.loopingId(), -1);
    }

    void soundSettingSilencesPlayOnly()
    {
        SoundPlayer player;
        player.play(SoundPlayer::LobbyMusic, SoundPlayer::Loop);
        setSound(false);
        // Neither a new loop nor an exclusive play touches the running loop.
        player.play(SoundPlayer::Start, SoundPlayer::Loop | SoundPlayer::Exclusive);
        QCOMPARE(player.loopingId(), int(SoundPlayer::LobbyMusic));
        player.stop(SoundPlayer::LobbyMusic);
        QCOMPARE(player.loopingId(), -1);
        player.play(SoundPlayer::Start, SoundPlayer::Loop);
        QCOMPARE(player.loopingId(), -1);
    }

    void meldsWithoutSoundWarn_data()
    {
        QTest::addColumn<int>("meldType");
        QTest::newRow("pong to kong") << 4;
        QTest::newRow("pair") << 32;
        QTest::newRow("bonus") << 64;
        QTest::newRow("none") << 0;
    }

    void meldsWithoutSoundWarn()
    {
        QFETCH(int, meldType);
        SoundPlayer player;
        QTest::ignoreMessage(QtWarningMsg, qPrintable(QStringLiteral("invalid meld for sound play:%1").arg(meldType)));
        player.playMeld(meldType);
        QTest::failOnWarning(QRegularExpression(QStringLiteral("^(sound|invalid meld|no sound)")));
        for (int type : {1, 2, 8, 16})
            player.playMeld(type);
    }

    void idsOutOfRangeAreRefused()
    {
        SoundPlayer player;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no sound with id 14")));
        player.play(14, SoundPlayer::Loop);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("no sound with id -1")));
        player.stop(-1);
        QCOMPARE(player.loopingId(), -1);
        QVERIFY(!player.sound(14));
        QVERIFY(SoundPlayer::soundName(-1).isNull());
    }
};

QTEST_MAIN(TestSoundPlayerRules)
#include "tst_soundplayer_rules.moc"
