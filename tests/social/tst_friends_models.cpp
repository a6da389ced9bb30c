// The friends models on a roster fed as the session feeds it: presence
// icons and availability names by subscription and show, the friend test,
// the remove action by flags, and addresses of search results.
#include "social/FriendSearchWindow.h"
#include "social/FriendsFilter.h"
#include "social/FriendsRosterModel.h"
#include "social/FriendsWindow.h"
#include "xmpp/client/XMPPClient.h"
#include "xmpp/client/XMPPRosterModel.h"
#include "xmpp/elements/PresenceStanza.h"
#include "xmpp/elements/XMPPRosterItem.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

class TestFriendsModels : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void presenceIcon_data();
    void presenceIcon();
    void availabilityNames();
    void friendTest();
    void removeAction_data();
    void removeAction();
    void resultAddresses_data();
    void resultAddresses();
    void formWithoutSearchField();
};

namespace {
XMPPRosterItem contact(int flags, int show, bool online)
{
    XMPPRosterItem item(XMPPJid(QStringLiteral("localhost"), QStringLiteral("7")), QStringLiteral("Seven"), QString(),
                        flags);
    if (online) {
        xmpp::PresenceStanza stanza;
        stanza.from = XMPPJid(QStringLiteral("localhost"), QStringLiteral("7"), QStringLiteral("desk"));
        stanza.show = show;
        item.presences.insert(QStringLiteral("desk"), XMPPPresence(stanza));
    }
    return item;
}

QImage image(const QIcon &icon)
{
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
}
} // namespace

void TestFriendsModels::initTestCase()
{
    QDir::setSearchPaths(QStringLiteral("resources"), {QStringLiteral(":/default")});
}

void TestFriendsModels::presenceIcon_data()
{
    using S = xmpp::PresenceStanza;
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("show");
    QTest::addColumn<bool>("online");
    QTest::addColumn<QString>("icon");
    QTest::addColumn<QString>("toolTip");
    QTest::newRow("friend offline") << 1 << int(S::ShowNone) << false << "xmpp_not_available"
                                    << "Seven is offline";
    QTest::newRow("online") << 3 << int(S::ShowNone) << true << "xmpp_available"
                            << "Seven is online";
    QTest::newRow("chat") << 3 << int(S::Chat) << true << "xmpp_available"
                          << "Seven is talkative";
    QTest::newRow("xa") << 3 << int(S::Xa) << true << "xmpp_extended_away"
                        << "Seven is away";
    QTest::newRow("away") << 1 << int(S::Away) << true << "xmpp_away"
                          << "Seven is away";
    QTest::newRow("dnd") << 3 << int(S::Dnd) << true << "xmpp_not_available"
                         << "Seven is busy";
    QTest::newRow("pending") << 4 << int(S::ShowNone) << true << "xmpp_not_available"
                             << "Seven is online";
    QTest::newRow("none") << 0 << int(S::ShowNone) << false << "xmpp_unknown"
                          << "Seven is offline";
    QTest::newRow("they see us") << 2 << int(S::ShowNone) << true << "xmpp_unknown"
                                 << "Seven is online";
}

void TestFriendsModels::presenceIcon()
{
    QFETCH(int, flags);
    QFETCH(int, show);
    QFETCH(bool, online);
    QFETCH(QString, icon);
    QFETCH(QString, toolTip);
    const XMPPRosterItem item = contact(flags, show, online);
    QCOMPARE(image(FriendsRosterModel::presenceIcon(item)),
             QImage(QStringLiteral("resources:%1.png").arg(icon)).convertToFormat(QImage::Format_ARGB32));
    FriendsRosterModel model(nullptr, nullptr, nullptr, false);
    QCOMPARE(model.toolTip(item), QStringLiteral("<qt>%1</qt>").arg(toolTip));
}

void TestFriendsModels::availabilityNames()
{
    QCOMPARE(FriendsRosterModel::availabilityName(XMPPPresence::Dnd, true), QStringLiteral("Busy"));
    QCOMPARE(FriendsRosterModel::availabilityName(XMPPPresence::Xa, false), QStringLiteral("away"));
    QCOMPARE(FriendsRosterModel::availabilityName(9, true), QStringLiteral("<unknown availability>"));
    QCOMPARE(FriendsRosterModel::availabilityName(0, false), QStringLiteral("<unknown availability>"));
}

void TestFriendsModels::friendTest()
{
    for (int flags = 0; flags < 8; ++flags)
        QCOMPARE(FriendsFilter::isFriend(quint8(flags)), flags != 0 && flags != 2);
    XMPPClient client;
    XMPPRosterModel roster(&client);
    QCOMPARE(FriendsFilter::friendCount(&roster), 0);
    for (int flags = 0; flags < 8; ++flags)
        roster.onRosterUpdate(XMPPJid(QStringLiteral("localhost"), QString::number(flags)), flags, false, QString(),
                              QString());
    QCOMPARE(FriendsFilter::friendCount(&roster), 6);
    // Names only: no icon and no tool tip from the roster model.
    FriendsRosterModel namesOnly(&roster, nullptr, nullptr, true);
    QVERIFY(!namesOnly.index(1, 0).data(Qt::DecorationRole).isValid());
    QVERIFY(!namesOnly.index(1, 0).data(Qt::ToolTipRole).isValid());
    QCOMPARE(namesOnly.index(1, 0).data().toString(), QStringLiteral("1@localhost"));
}

void TestFriendsModels::removeAction_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("1") << 1 << true;
    QTest::newRow("5") << 5 << true;
    QTest::newRow("4") << 4 << true;
    QTest::newRow("6") << 6 << false;
}

void TestFriendsModels::removeAction()
{
    QFETCH(int, flags);
    QFETCH(bool, enabled);
    XMPPClient client;
    XMPPRosterModel roster(&client);
    roster.onRosterUpdate(XMPPJid(QStringLiteral("localhost"), QStringLiteral("7")), flags, false, QString(),
                          QString());
    FriendsWindow window(&client, &roster, nullptr, nullptr, nullptr);
    window.resize(591, 532);
    window.show();
    auto *list = window.findChild<QListView *>(QStringLiteral("friendList"));
    QCOMPARE(list->model()->rowCount(), 1);
    window.onFriendListContextMenu(list->visualRect(list->model()->index(0, 0)).center());
    auto *action = window.findChild<QAction *>();
    QVERIFY(action);
    QCOMPARE(FriendsWindow::offersRemove(flags), enabled);
    // Without the chat connection nothing can be removed.
    QVERIFY(!action->isEnabled());
    QCOMPARE(list->currentIndex().row(), 0);
    // Nothing without a row under the pointer.
    list->setCurrentIndex(QModelIndex());
    window.onFriendListContextMenu(QPoint(5, list->viewport()->height() - 5));
    QVERIFY(!list->currentIndex().isValid());
    // Return in an empty search input opens nothing.
    window.openFriendSearch(QString());
    QVERIFY(!window.findChild<FriendSearchWindow *>());
}

void TestFriendsModels::resultAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("resource");
    QTest::newRow("full") << "7@localhost/desk"
                          << "7"
                          << "localhost"
                          << "desk";
    QTest::newRow("domain only") << "search.localhost"
                                 << ""
                                 << "search.localhost"
                                 << "";
    QTest::newRow("second slash") << "7@localhost/a/b"
                                  << "7"
                                  << "localhost"
                                  << "a/b";
    QTest::newRow("too long") << QString(1100, QLatin1Char('n')) + QStringLiteral("@localhost") << ""
                              << ""
                              << "";
}

void TestFriendsModels::resultAddresses()
{
    QFETCH(QString, text);
    QFETCH(QString, node);
    QFETCH(QString, domain);
    QFETCH(QString, resource);
    const XMPPJid jid = FriendSearchWindow::jidFromText(text);
    QCOMPARE(jid.isNull(), domain.isEmpty());
    QCOMPARE(jid.text().section(QLatin1Char('/'), 0, 0), node.isEmpty() ? domain : node + QLatin1Char('@') + domain);
    QCOMPARE(jid.domain(), domain);
    QCOMPARE(jid.resource(), resource);
}

void TestFriendsModels::formWithoutSearchField()
{
    XMPPClient client;
    FriendSearchWindow window(&client, QStringLiteral("search.localhost"), nullptr);
    auto *input = window.findChild<QLineEdit *>(QStringLiteral("searchInput"));
    auto *button = window.findChild<QPushButton *>(QStringLiteral("searchButton"));
    QSignalSpy wanted(&client, &XMPPClient::searchReport);
    XMPPDataForm form(XMPPDataForm::DataForm);
    form.addField(new XMPPDataForm::Field(XMPPDataForm::TextSingle, QStringLiteral("nick")));
    window.onRequestSearchFormResult(form, QStringLiteral("FriendSearchWindow"));
    QVERIFY(!input->isEnabled());
    window.setSearchText(QStringLiteral("a"));
    QVERIFY(!button->isEnabled());
    window.setSearchText(QStringLiteral("ab"));
    QVERIFY(button->isEnabled());
    // A form for someone else's request changes nothing.
    form.addField(new XMPPDataForm::Field(XMPPDataForm::TextSingle, QStringLiteral("search")));
    window.onRequestSearchFormResult(form, QStringLiteral("other"));
    QVERIFY(!input->isEnabled());
    window.onRequestSearchFormResult(form, QStringLiteral("FriendSearchWindow"));
    QVERIFY(input->isEnabled());
}

QTEST_MAIN(TestFriendsModels)
#include "tst_friends_models.moc"
