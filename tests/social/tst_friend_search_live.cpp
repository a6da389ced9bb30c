// Find friend against a server whose search service does not answer (the
// plain XMPP fixture has no search component): the failure is told, and the
// player can search again.
#include "protocol/ConnectionManager.h"
#include "social/FriendSearchWindow.h"
#include "social/FriendsWindow.h"
#include "social/PlayerDb.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/client/XMPPRosterModel.h"
#include "xmpp/server/XmppTestServer.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestFriendSearchLive : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(m_server.load(), qPrintable(m_server.error()));
        m_server.trust();
    }

    void failedSearchCanBeRetried()
    {
        ConnectionManager session(true);
        XMPPClient client;
        XMPPRosterModel roster(&client);
        PlayerDb db(&session, &client, nullptr);
        QSignalSpy connected(&client, &XMPPClient::connected);
        client.authenticate(QStringLiteral("6111"), m_server.password(QStringLiteral("6111")));
        client.connectToHost(m_server.host(), m_server.port(), XMPPClient::TlsRequired);
        QVERIFY(connected.wait(10000));

        FriendsWindow window(&client, &roster, &db, nullptr, nullptr);
        window.setSearchService(XMPPJid(QStringLiteral("search.localhost")));
        QSignalSpy formErrors(&client, &XMPPClient::requestSearchFormError);
        window.openFriendSearch(QStringLiteral("6112"));
        auto *search = window.findChild<FriendSearchWindow *>();
        QVERIFY(search);
        auto *input = search->findChild<QLineEdit *>(QStringLiteral("searchInput"));
        auto *button = search->findChild<QPushButton *>(QStringLiteral("searchButton"));
        auto *status = search->findChild<QLabel *>(QStringLiteral("statusLabel"));
        QVERIFY(input && button && status);

        for (int attempt = 1; attempt <= 2; ++attempt) {
            QTRY_COMPARE_WITH_TIMEOUT(formErrors.size(), attempt, 10000);
            QCOMPARE(status->text(), QStringLiteral("Search error"));
            // The way on: the text can be changed and searched again.
            QVERIFY(input->isEnabled());
            QVERIFY(button->isEnabled());
            QCOMPARE(input->text(), QStringLiteral("6112"));
            QTest::mouseClick(button, Qt::LeftButton);
            if (attempt == 1)
                QCOMPARE(status->text(), QString());
        }
        QTRY_COMPARE_WITH_TIMEOUT(formErrors.size(), 3, 10000);

        // A one-letter text is not searched; the box stays open to typing.
        input->setText(QStringLiteral("6"));
        QVERIFY(input->isEnabled());
        QVERIFY(!button->isEnabled());
        QTest::keyClick(input, Qt::Key_1);
        QVERIFY(button->isEnabled());
        QTest::keyClick(input, Qt::Key_Return);
        QTRY_COMPARE_WITH_TIMEOUT(formErrors.size(), 4, 10000);
        QCOMPARE(status->text(), QStringLiteral("Search error"));
    }

private:
    XmppTestServer m_server;
};

QTEST_MAIN(TestFriendSearchLive)
#include "tst_friend_search_live.moc"
