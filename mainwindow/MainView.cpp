#include "mainwindow/MainView.h"

#include "lobby/LobbySummary.h"
#include "lobby/TablePreview.h"
#include "mainwindow/CreateUserWindow.h"
#include "mainwindow/EmbeddedWebPage.h"
#include "mainwindow/LoginWindow.h"
#include "social/ConferenceWidget.h"
#include "table/TableSelector.h"
#include "widgets/UPushButton.h"
#include "widgets/UTabWidget.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
template <typename T>
T *named(T *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A page that centres its one widget between four spacers.
QGridLayout *centringGrid(QWidget *page, const char *name, QWidget *content)
{
    auto *grid = named(new QGridLayout(page), name);
    grid->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), 0, 1);
    grid->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 0);
    grid->addWidget(content, 1, 1);
    grid->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 1, 2);
    grid->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), 3, 1);
    return grid;
}

QWidget *container(QWidget *parent, const char *name, QWidget *content)
{
    auto *box = named(new QWidget(parent), name);
    auto *layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    if (content) {
        content->setParent(box);
        layout->addWidget(content);
    }
    return box;
}
} // namespace

void MainView::setupUi(QMainWindow *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("MainView"));
    window->resize(1023, 663);

    centralWidget = named(new QStackedWidget(window), "centralWidget");
    setupLoginPages();

    loggedInWidget = named(new QFrame(centralWidget), "loggedInWidget");
    auto *vbox = named(new QVBoxLayout(loggedInWidget), "vboxLayout");
    vbox->setContentsMargins(0, 0, 0, 0);
    vbox->setSpacing(0);
    setupTopBar();
    vbox->addWidget(topBar);
    loggedInStack = named(new QStackedWidget(loggedInWidget), "loggedInStack");
    vbox->addWidget(loggedInStack, 1);
    setupLobby();
    centralWidget->addWidget(loggedInWidget);

    window->setCentralWidget(centralWidget);
    retranslateUi(window);
    centralWidget->setCurrentIndex(2);
    QMetaObject::connectSlotsByName(window);
}

void MainView::setupLoginPages()
{
    loginWidget = named(new QFrame(centralWidget), "loginWidget");
    loginWindow = named(new LoginWindow(loginWidget), "loginWindow");
    QGridLayout *grid = centringGrid(loginWidget, "gridLayout", loginWindow);
    connectionNotice = named(new QLabel(loginWidget), "connectionNotice");
    connectionNotice->setTextFormat(Qt::PlainText);
    connectionNotice->setAlignment(Qt::AlignCenter);
    connectionNotice->setWordWrap(true);
    connectionNotice->hide();
    retryButton = named(new UPushButton(loginWidget), "retryButton");
    retryButton->hide();
    grid->addWidget(connectionNotice, 2, 0, 1, 3);
    grid->addWidget(retryButton, 4, 1, Qt::AlignHCenter);
    centralWidget->addWidget(loginWidget);

    createUserWidget = named(new QFrame(centralWidget), "createUserWidget");
    createUserWindow = named(new CreateUserWindow(createUserWidget), "createUserWindow");
    centringGrid(createUserWidget, "gridLayout1", createUserWindow);
    centralWidget->addWidget(createUserWidget);
}

void MainView::setupTopBar()
{
    topBar = named(new QFrame(loggedInWidget), "topBar");
    auto *hbox = named(new QHBoxLayout(topBar), "hboxLayout");
    topBarAccountBalanceLabel = named(new QLabel(topBar), "topBarAccountBalanceLabel");
    tableSelector = named(new TableSelector(topBar), "tableSelector");
    accountButton = named(new UPushButton(topBar), "accountButton");
    supportButton = named(new UPushButton(topBar), "supportButton");
    toggleFullscreenButton = named(new UPushButton(topBar), "toggleFullscreenButton");
    quitButton = named(new UPushButton(topBar), "quitButton");
    hbox->addWidget(topBarAccountBalanceLabel);
    hbox->addWidget(tableSelector, 1);
    hbox->addWidget(accountButton);
    hbox->addWidget(supportButton);
    hbox->addWidget(toggleFullscreenButton);
    hbox->addWidget(quitButton);
}

void MainView::setupLobby()
{
    lobbyWidget = named(new QFrame(loggedInStack), "lobbyWidget");
    lobbyWidget->setMinimumSize(1023, 640);
    auto *vertical = named(new QVBoxLayout(lobbyWidget), "verticalLayout");

    // Header: logo on the left, the account box on the right.
    auto *header = named(new QHBoxLayout, "horizontalLayout");
    header->addWidget(named(new QWidget(lobbyWidget), "widget_3"));
    auto *headerWidget = named(new QWidget(lobbyWidget), "widget");
    auto *headerColumn = named(new QVBoxLayout(headerWidget), "verticalLayout_4");
    headerColumn->setContentsMargins(0, 0, 0, 0);
    auto *headerRow = named(new QHBoxLayout, "hboxLayout1");
    logo = named(new QLabel(headerWidget), "logo");
    const QPixmap logoPicture(QStringLiteral("resources:/logo.png"));
    if (!logoPicture.isNull())
        logo->setPixmap(logoPicture);
    else
        logo->setText(QStringLiteral("Brisquel"));
    headerRow->addWidget(logo);
    headerRow->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    accountInfo = named(new QFrame(headerWidget), "accountInfo");
    accountInfo->setFixedSize(330, 84);
    accountInfo->setFrameShape(QFrame::NoFrame);
    auto *accountRow = named(new QHBoxLayout(accountInfo), "horizLayout_3");
    avatarLabel = named(new QLabel(accountInfo), "avatarLabel");
    avatarLabel->setFixedSize(56, 56);
    avatarLabel->setScaledContents(true);
    accountRow->addWidget(avatarLabel);
    auto *accountColumn = named(new QVBoxLayout, "vertLayout_4");
    auto *nameRow = named(new QHBoxLayout, "hboxLayout2");
    loggedInAsLabel = named(new QLabel(accountInfo), "loggedInAsLabel");
    loggedInAsLabel->setTextFormat(Qt::PlainText); // the player's own name
    cashierButton = named(new UPushButton(accountInfo), "cashierButton");
    nameRow->addWidget(loggedInAsLabel, 1);
    nameRow->addWidget(cashierButton);
    accountColumn->addLayout(nameRow);
    accountBalanceLabel = named(new QLabel(accountInfo), "accountBalanceLabel");
    accountBalanceLabel->setTextFormat(Qt::PlainText);
    accountColumn->addWidget(accountBalanceLabel);
    accountColumn->addItem(new QSpacerItem(20, 4, QSizePolicy::Minimum, QSizePolicy::Expanding));
    accountRow->addLayout(accountColumn, 1);
    headerRow->addWidget(accountInfo);
    headerColumn->addLayout(headerRow);
    header->addWidget(headerWidget, 1);
    vertical->addLayout(header);

    // Tabs on the left, the side column on the right.
    auto *body = named(new QHBoxLayout, "horizontalLayout_4");
    mainTabs = named(new UTabWidget(lobbyWidget), "mainTabs");
    mainTabs->setMinimumSize(640, 480);
    body->addWidget(mainTabs, 1);
    body->addItem(new QSpacerItem(4, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    setupSideFrame(body);
    vertical->addLayout(body, 1);

    // Footer.
    vertical->addWidget(named(new QWidget(lobbyWidget), "widget_4"));
    auto *footer = named(new QWidget(lobbyWidget), "widget_2");
    auto *footerRow = named(new QHBoxLayout(footer), "horizontalLayout_2");
    footerRow->setContentsMargins(0, 0, 0, 0);
    kestrovaLogo = named(new QLabel(footer), "kestrovaLogo");
    kestrovaLogo->setTextFormat(Qt::RichText);
    statusLine = named(new QLabel(footer), "statusLine");
    statusLine->setTextFormat(Qt::PlainText); // texts may come from the server
    statusLine->setAlignment(Qt::AlignCenter);
    serverTime = named(new QLabel(footer), "serverTime");
    serverTime->setTextFormat(Qt::PlainText);
    footerRow->addWidget(kestrovaLogo);
    footerRow->addWidget(statusLine, 1);
    footerRow->addWidget(serverTime);
    vertical->addWidget(footer);

    loggedInStack->addWidget(lobbyWidget);
}

void MainView::setupSideFrame(QHBoxLayout *parent)
{
    sideFrame = named(new QFrame(lobbyWidget), "sideFrame");
    sideFrame->setMinimumWidth(330);
    sideFrame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *column = named(new QVBoxLayout(sideFrame), "verticalLayout_2");
    column->setContentsMargins(0, 0, 0, 0);

    adSidePage = named(new EmbeddedWebPage(sideFrame), "adSidePage");
    adSidePage->setFixedSize(330, 200);
    column->addWidget(adSidePage);

    containerWidget = named(new QWidget(sideFrame), "containerWidget");
    auto *containers = named(new QVBoxLayout(containerWidget), "vboxLayout1");
    containers->setContentsMargins(0, 0, 0, 0);
    lobbySummary = named(new LobbySummary, "lobbySummary");
    lobbySummaryContainer = container(containerWidget, "lobbySummaryContainer", lobbySummary);
    tablePreview = named(new TablePreview, "tablePreview");
    tablePreviewContainer = container(containerWidget, "tablePreviewContainer", tablePreview);
    tournamentPreviewContainer = container(containerWidget, "tournamentPreviewContainer", nullptr);
    comingTournamentsContainer = container(containerWidget, "comingTournamentsContainer", nullptr);
    containers->addWidget(lobbySummaryContainer);
    containers->addWidget(tablePreviewContainer);
    containers->addWidget(tournamentPreviewContainer);
    containers->addWidget(comingTournamentsContainer);
    column->addWidget(containerWidget);
    column->addItem(new QSpacerItem(20, 4, QSizePolicy::Minimum, QSizePolicy::Expanding));

    lobbyChatFrame = named(new QFrame(sideFrame), "lobbyChatFrame");
    auto *chatColumn = named(new QVBoxLayout(lobbyChatFrame), "verticalLayout_3");
    chatColumn->setContentsMargins(0, 0, 0, 0);
    chatHeader = named(new QFrame(lobbyChatFrame), "chatHeader");
    auto *chatHeaderRow = named(new QHBoxLayout(chatHeader), "horizontalLayout_3");
    label = named(new QLabel(chatHeader), "label");
    chatIcon = named(new QFrame(chatHeader), "chatIcon");
    chatHeaderRow->addWidget(label, 1);
    chatHeaderRow->addWidget(chatIcon);
    chatColumn->addWidget(chatHeader);
    lobbyChat = named(new ConferenceWidget(lobbyChatFrame, 0), "lobbyChat");
    lobbyChat->setMinimumWidth(330);
    chatColumn->addWidget(lobbyChat, 1);
    column->addWidget(lobbyChatFrame, 1);

    parent->addWidget(sideFrame);
}

void MainView::retranslateUi(QMainWindow *)
{
    accountButton->setText(tr("My account"));
    supportButton->setText(tr("Support"));
    toggleFullscreenButton->setToolTip(tr("Toggle fullscreen"));
    toggleFullscreenButton->setText(tr("Fullscreen"));
    toggleFullscreenButton->setShortcut(QKeySequence(tr("Ctrl+F", "Toggle fullscreen")));
    quitButton->setText(tr("Quit"));
    cashierButton->setText(tr("Cashier"));
    accountBalanceLabel->setText(QString());
    label->setText(tr("Lobby chat"));
    retryButton->setText(tr("Try again"));
}
