#include "table/GameWindow.h"

#include "game/Wind.h"
#include "lobby/LocalizationDb.h"
#include "lobby/SeatedWindow.h"
#include "lobby/WatchingWindow.h"
#include "protocol/ServerError.h"
#include "scene/AssignWindAnimation.h"
#include "scene/CityView.h"
#include "scene/CompactCityView.h"
#include "scene/SquareCityView.h"
#include "scene/DealStartHandAnimation.h"
#include "scene/DeclaredView.h"
#include "scene/DiscardView.h"
#include "scene/HandView.h"
#include "scene/HiddenHandView.h"
#include "scene/Matrix4.h"
#include "scene/Object3DView.h"
#include "scene/PlayerActionView.h"
#include "scene/PrevalentWindView.h"
#include "scene/RiichiStickView.h"
#include "scene/TileAnimation.h"
#include "scene/TileAnimationSet.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"
#include "scene/TimerView.h"
#include "scene/WindView.h"
#include "social/ChatController.h"
#include "social/PlayerDb.h"
#include "table/CallbackGameWindowAction.h"
#include "table/ConcealedActionDialog.h"
#include "table/GameTableCompactLayout.h"
#include "table/GameTableRegularLayout.h"
#include "table/GameWindowActionQueue.h"
#include "table/Logging.h"
#include "table/MeldAuction.h"
#include "table/PlayerInactiveWindow.h"
#include "table/PlayerWidget.h"
#include "table/RoundScoreBoard.h"
#include "table/ScoreBoard.h"
#include "table/SideBar.h"
#include "table/SoundPlayer.h"
#include "table/WaitingForPlayersWindow.h"
#include "table/WashoutWindow.h"
#include "widgets/ModelessMsgBox.h"

#include <QApplication>
#include <QGraphicsPixmapItem>
#include <QGraphicsRectItem>
#include <QGraphicsView>
#include <QLinearGradient>
#include <QPainter>
#include <QResizeEvent>
#include <QSettings>
#include <QTime>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

constexpr int DrawMs = 500;
constexpr int MoveMs = 300;

bool setting(const char *key, bool fallback)
{
    return QSettings().value(QLatin1String(key), fallback).toBool();
}

// The tiles a declared meld is made of, for the flight to the melds. A pair
// has two tiles.
tile_vector meldTiles(const meld_tuple &m)
{
    const tile t = m.firstTile;
    switch (m.meldType) {
    case 1:
        return {t, tile(t + 1), tile(t + 2)};
    case 2:
        return {t, t, t};
    case 32:
        return {t, t};
    case 4:
    case 64:
        return {t};
    case 8:
        return {t, t, t, t};
    default:
        return {};
    }
}

// Claimed-from as a seat offset counted from the declaring player.
int claimedOffset(const GameModel *model, const PlayerData &player, qint32 claimedFrom)
{
    const PlayerData *from = model ? model->findPlayer(claimedFrom) : nullptr;
    if (!from)
        return -1;
    return wrapWind(player.wind() - from->wind() - 1);
}

bool drawableMeld(int meldType)
{
    return meldType == 1 || meldType == 2 || meldType == 4 || meldType == 8 || meldType == 32 || meldType == 64;
}

} // namespace

GameWindow::GameWindow(QWidget *mainWindow, qint32 localPlayerId, LocalizationDb *localizationDb,
                       ChatController *chatController, PlayerDb *playerDb)
    : QWidget(nullptr)
    , m_mainWindow(mainWindow)
    , m_localPlayerId(localPlayerId)
    , m_localizationDb(localizationDb)
    , m_chatController(chatController)
    , m_playerDb(playerDb)
{
    m_actions = new GameWindowActionQueue(this);
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("GameForm"));
    resize(1024, 768);
    m_view = new QGraphicsView(this);
    m_view->setObjectName(QStringLiteral("GameView"));
    m_view->setGeometry(0, 0, 1024, 768);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setScene(&m_scene);
    m_view->setCacheMode(QGraphicsView::CacheNone);
    m_view->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_topBand = m_scene.addRect(QRectF(), Qt::NoPen);
    m_rightBand = m_scene.addRect(QRectF(), Qt::NoPen);
    m_handView = new HandView();
    m_handView->setZValue(100);
    m_scene.addItem(m_handView);
    connect(m_handView, &HandView::tileClicked, this, &GameWindow::onTileClick);
    m_handView->setHoverSound([this] { playSound(SoundPlayer::Hover); });
    m_timeoutItem = m_scene.addPixmap(QPixmap(QStringLiteral("textimages:/timeout.png")));
    m_furitenItem = m_scene.addPixmap(QPixmap(QStringLiteral("textimages:/furiten.png")));
    for (QGraphicsPixmapItem *item : {m_timeoutItem, m_furitenItem}) {
        item->setTransformationMode(Qt::SmoothTransformation);
        item->setZValue(200);
        item->hide();
    }
    m_prevalentWindView = new PrevalentWindView();
    m_prevalentWindView->hide();
    m_scene.addItem(m_prevalentWindView);

    for (int seat = 0; seat < SeatCount; ++seat) {
        const auto side = TileImages::Side(seat);
        m_discardViews[seat] = new DiscardView(side);
        m_scene.addItem(m_discardViews[seat]);
        m_windViews[seat] = new WindView(side);
        m_windViews[seat]->setWind(seat);
        m_windViews[seat]->setZValue(100);
        m_windViews[seat]->hide();
        m_scene.addItem(m_windViews[seat]);
        m_declaredViews[seat] = new DeclaredView(seat, 420.0);
        m_scene.addItem(m_declaredViews[seat]);
        m_actionViews[seat] = new PlayerActionView(seat);
        m_actionViews[seat]->setZValue(100);
        m_actionViews[seat]->hide();
        m_scene.addItem(m_actionViews[seat]);
        m_hiddenHands[seat] = new HiddenHandView(side);
        m_scene.addItem(m_hiddenHands[seat]);
        m_riichiSticks[seat] = new RiichiStickView(side);
        m_riichiSticks[seat]->setZValue(-1);
        m_scene.addItem(m_riichiSticks[seat]);
    }
    m_declaredViews[2]->setZValue(-100);

    m_concealedActionDialog = new ConcealedActionDialog(m_view);
    m_concealedActionDialog->hide();
    connect(m_concealedActionDialog, &ConcealedActionDialog::riichiSelected, this,
            &GameWindow::onConcealedRiichiSelected);
    connect(m_concealedActionDialog, &ConcealedActionDialog::pongToKongSelected, this,
            &GameWindow::onConcealedPongToKongSelected);
    connect(m_concealedActionDialog, &ConcealedActionDialog::kongSelected, this, &GameWindow::onConcealedKongSelected);
    connect(m_concealedActionDialog, &ConcealedActionDialog::replaceFlowerSelected, this,
            &GameWindow::onConcealedReplaceFlowerSelected);
    connect(m_concealedActionDialog, &ConcealedActionDialog::cancelSelected, this,
            &GameWindow::onConcealedActionCancel);

    m_scoreBoard = new ScoreBoard(this);
    m_scoreBoard->hide();
    connect(m_scoreBoard, &ScoreBoard::readyClicked, this, &GameWindow::onReadyButtonClick);
    connect(m_scoreBoard, &ScoreBoard::leaveClicked, this, &GameWindow::onLeaveButtonClick);

    m_waitingForPlayersWindow = new WaitingForPlayersWindow(this);
    m_waitingForPlayersWindow->hide();
    connect(m_waitingForPlayersWindow, &WaitingForPlayersWindow::leaveButtonClicked, this,
            &GameWindow::onLeaveButtonClick);
    connect(m_waitingForPlayersWindow, &WaitingForPlayersWindow::inviteButtonClicked, this,
            &GameWindow::onInviteButtonClick);

    m_seatedWindow = new SeatedWindow(m_localizationDb, this);
    m_seatedWindow->hide();
    connect(m_seatedWindow, &SeatedWindow::leaveButtonClicked, this, &GameWindow::onLeaveButtonClick);
    connect(m_seatedWindow, &SeatedWindow::playButtonClicked, this, &GameWindow::onReadyButtonClick);

    m_watchingWindow = new WatchingWindow(this);
    m_watchingWindow->hide();
    connect(m_watchingWindow, &WatchingWindow::leaveButtonClicked, this, &GameWindow::onLeaveButtonClick);
    connect(m_watchingWindow, &WatchingWindow::joinButtonClicked, this, &GameWindow::onJoinButtonClick);

    m_playerInactiveWindow = new PlayerInactiveWindow(this);
    m_playerInactiveWindow->hide();
    connect(m_playerInactiveWindow, &PlayerInactiveWindow::reactivateButtonClicked, this,
            &GameWindow::onReactivateButtonClicked);
    connect(m_playerInactiveWindow, &PlayerInactiveWindow::leaveButtonClicked, this, &GameWindow::onLeaveButtonClick);

    m_sideBar = new SideBar(m_localizationDb, this);
    m_sideBar->setChatController(m_chatController);
    m_sideBar->connectLeaveButton(this);
    connect(m_sideBar, &SideBar::userMenuRequested, this, &GameWindow::userMenuRequested);
    connect(m_sideBar, &SideBar::linkActivated, this, &GameWindow::linkActivated);

    m_washoutWindow = new WashoutWindow(this);
    m_washoutWindow->hide();
    connect(m_washoutWindow, &WashoutWindow::readyButtonClicked, this, &GameWindow::onReadyButtonClick);
    connect(m_washoutWindow, &WashoutWindow::leaveButtonClicked, this, &GameWindow::onLeaveButtonClick);

    m_roundScoreBoard = new RoundScoreBoard(m_localizationDb, this);
    m_roundScoreBoard->hide();
    connect(m_roundScoreBoard, &RoundScoreBoard::closeClick, this, &GameWindow::onRoundScoreCloseClick);
    if (m_playerDb) {
        QPointer<PlayerDb> db = m_playerDb;
        m_roundScoreBoard->setPlayerLookup([db](qint32 id) { return db ? db->screenname(id) : QString(); },
                                           [db](qint32 id) { return db ? db->picture(id, true) : QPixmap(); });
        // Names and pictures asked for when the board is filled arrive later.
        connect(m_playerDb, &PlayerDb::playerNameUpdate, m_roundScoreBoard, &RoundScoreBoard::onPlayerNameUpdate);
        connect(m_playerDb, &PlayerDb::playerPictureUpdate, m_roundScoreBoard, &RoundScoreBoard::onPlayerPictureUpdate);
    }

    m_turnTimer = new TimerView(this);
    m_turnTimer->setGeometry(0, 0, 19, 19);
    m_turnTimer->hide();
    m_bigTurnTimer = new TimerView(this);
    m_bigTurnTimer->setGeometry(0, 0, 19, 19);
    m_bigTurnTimer->setShadowOffset(4);
    m_bigTurnTimer->hide();

    setCompactTableLayout(false);

    TileGraphics &graphics = TileGraphics::instance();
    connect(&graphics, &TileGraphics::tileGraphicsChanged, this, &GameWindow::onTileGraphicsChanged);
    connect(&graphics, &TileGraphics::gameScaleChanged, this, &GameWindow::onGameScaleChanged, Qt::QueuedConnection);

    m_cube = new Object3DView(Object3DView::Triangles);
    m_cube->setZValue(100000);
    m_cube->hide();
    m_scene.addItem(m_cube);
    using P = Object3DView::Point4;
    const P c[8] = {P{-1, -1, -1, 1}, P{1, -1, -1, 1}, P{1, 1, -1, 1}, P{-1, 1, -1, 1},
                    P{-1, -1, 1, 1},  P{1, -1, 1, 1},  P{1, 1, 1, 1},  P{-1, 1, 1, 1}};
    const int faces[6][4] = {{0, 1, 2, 3}, {5, 4, 7, 6}, {4, 0, 3, 7}, {1, 5, 6, 2}, {4, 5, 1, 0}, {3, 2, 6, 7}};
    QVector<P> vertices;
    QVector<QPointF> uv;
    for (const auto &q : faces) {
        vertices << c[q[0]] << c[q[1]] << c[q[2]] << c[q[0]] << c[q[2]] << c[q[3]];
        uv << QPointF(0, 0) << QPointF(1, 0) << QPointF(1, 1) << QPointF(0, 0) << QPointF(1, 1) << QPointF(0, 1);
    }
    m_cube->setVertices(vertices);
    m_cube->setTextureCoordinates(uv);
    setCubePicture(QPixmap(QStringLiteral("avatars:/pig.png")));
    connect(&m_cubeTimer, &QTimer::timeout, this, &GameWindow::onCubeUpdate);
    m_cubeTimer.setInterval(20);
    m_cubeAction.setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E));
    connect(&m_cubeAction, &QAction::triggered, this, &GameWindow::onShowCube);
    addAction(&m_cubeAction);

    clearTable();
    m_sideBar->clear();
}

GameWindow::~GameWindow()
{
    m_actions->clear();
    m_cubeTimer.stop();
    removeAction(&m_cubeAction);
    for (TileAnimation *&slot : m_dealTiles) {
        delete slot;
        slot = nullptr;
    }
    // Leaves the scene's items to the scene; the city view holds none of its
    // own beyond what the scene deletes.
    delete m_cityView;
    m_cityView = nullptr;
    m_layout.reset();
}

// --- layout and scale ---------------------------------------------------------

bool GameWindow::isCompactTableLayout() const
{
    return m_layout && m_layout->isCompact();
}

void GameWindow::replaceCityView(CityView *city)
{
    delete m_cityView;
    m_cityView = city;
    if (m_table) {
        m_cityView->setTableInfo(m_tableInfo);
        layWallFromModel();
    } else {
        m_cityView->setWallState(0, 0, 0, 0, 0, {});
    }
}

void GameWindow::setCompactTableLayout(bool compact)
{
    m_actions->flush();
    m_layout.reset();
    if (compact)
        m_layout = std::make_unique<GameTableCompactLayout>(this);
    else
        m_layout = std::make_unique<GameTableRegularLayout>(this);
    relayout(width() - m_sideBar->width(), height());
    runLayout();
}

void GameWindow::relayout(int width, int height)
{
    const QSize design = m_layout->designSize();
    m_view->setSceneRect(0, 0, width, height);
    m_view->resetTransform();
    if (width > 0 && height > 0 && design.width() > 0 && design.height() > 0) {
        const double scale = std::min(double(width) / design.width(), double(height) / design.height());
        // A window narrower than the side bar, or an empty design, keeps the
        // last scale: a zero or infinite one would break every view.
        if (std::isfinite(scale) && scale > 0)
            TileGraphics::instance().setGameScale(scale);
    }
    const double scale = TileGraphics::instance().gameScale();
    for (WindView *wind : m_windViews)
        wind->setScale(scale);
    m_prevalentWindView->setScale(1.5 * scale);
    m_scene.setBackgroundBrush(backgroundBrush(width, height));

    m_topBand->setRect(0, 0, width, 8);
    QLinearGradient top(0, 0, 0, 8);
    top.setColorAt(0, QColor(0, 0, 0, 100));
    top.setColorAt(1, QColor(0, 0, 0, 0));
    m_topBand->setBrush(top);
    m_rightBand->setRect(width - 8, 0, 8, height);
    QLinearGradient right(width, 0, width - 8, 0);
    right.setColorAt(0, QColor(0, 0, 0, 100));
    right.setColorAt(1, QColor(0, 0, 0, 0));
    m_rightBand->setBrush(right);
}

void GameWindow::runLayout()
{
    m_layout->layout();
    placeStatusItems();
}

void GameWindow::placeStatusItems()
{
    const double scale = 1.2 * TileGraphics::instance().gameScale();
    const QPointF at = m_handView->leftmostTilePos();
    for (QGraphicsPixmapItem *item : {m_timeoutItem, m_furitenItem}) {
        const QSizeF size = item->pixmap().size();
        item->setScale(scale);
        item->setOffset(-size.width() / 2, -size.height());
        item->setPos(at);
    }
}

void GameWindow::placeConcealedDialog()
{
    const QSize hint = m_concealedActionDialog->sizeHint();
    if (hint.width() < 0 || hint.height() < 0)
        return;
    const int viewWidth = m_view->width();
    const QPointF topRight = m_handView->mapToScene(m_handView->boundingRect().topRight());
    const int right = std::min(viewWidth, (int(topRight.x()) + viewWidth + hint.width()) / 2);
    const int bottom = int(topRight.y());
    m_concealedActionDialog->setGeometry(right - hint.width(), bottom - hint.height(), hint.width(), hint.height());
}

void GameWindow::moveSideWidget(const QPointF &scenePos)
{
    m_turnTimer->move(m_view->mapFromScene(scenePos));
}

int GameWindow::sideWidgetHeight() const
{
    return m_turnTimer->height();
}

void GameWindow::setLightPosition(const QPointF &scenePos)
{
    if (auto *square = dynamic_cast<SquareCityView *>(m_cityView))
        square->setLightPosition(scenePos);
    else if (auto *compact = dynamic_cast<CompactCityView *>(m_cityView))
        compact->setLightPosition(scenePos);
    for (int seat = 0; seat < SeatCount; ++seat) {
        m_discardViews[seat]->setLightPosition(scenePos);
        m_declaredViews[seat]->setLightPosition(scenePos);
        m_hiddenHands[seat]->setLightPosition(scenePos);
    }
}

void GameWindow::setWindPosition(int seat, const QPointF &pos)
{
    m_windPositions[seat] = pos;
    m_windViews[seat]->setPos(pos);
}

QBrush GameWindow::backgroundBrush(int width, int height)
{
    static QSize cachedSize(0, 0);
    static QImage composed;
    if (width > 0 && height > 0 && QSize(width, height) != cachedSize) {
        static const QImage pattern(QStringLiteral("resources:/game-bg-pattern.jpg"));
        static const QImage picture(QStringLiteral("resources:/game-bg-image.png"));
        cachedSize = QSize(width, height);
        composed = QImage(width, height, QImage::Format_ARGB32_Premultiplied);
        composed.fill(Qt::white);
        QPainter p(&composed);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        if (!picture.isNull())
            p.drawImage(QRect(0, 0, width, height), picture);
        if (!pattern.isNull()) {
            p.setCompositionMode(QPainter::CompositionMode_Multiply);
            p.fillRect(QRect(0, 0, width, height), QBrush(pattern));
        }
        p.end();
        // The table is opaque: an opaque image is copied, not blended, at
        // every repaint.
        composed = composed.convertToFormat(QImage::Format_RGB32);
    }
    return composed.isNull() ? QBrush(QColor(0x1f, 0x5a, 0x3a)) : QBrush(composed);
}

void GameWindow::resizeEvent(QResizeEvent *event)
{
    m_actions->flush();
    const int w = width(), h = height();
    const int barWidth = m_sideBar->width();
    m_view->setGeometry(0, 0, std::max(0, w - barWidth), h);
    m_sideBar->setGeometry(w - barWidth, 0, barWidth, h);
    relayout(w - barWidth, h);
    runLayout();
    placeConcealedDialog();
    m_scoreBoard->fitToParent();

    const QSize oldSize = event->oldSize();
    const QList<QWidget *> dialogs{
        m_watchingWindow, m_waitingForPlayersWindow, m_seatedWindow,    m_playerInactiveWindow,
        m_scoreBoard,     m_washoutWindow,           m_roundScoreBoard, m_meldAuction.data()};
    for (QWidget *dialog : dialogs) {
        if (!dialog)
            continue;
        const QSize free = size() - dialog->size();
        const QSize oldFree = oldSize - dialog->size();
        if (free.width() >= 1 && free.height() >= 1 && oldFree.width() >= 1 && oldFree.height() >= 1)
            dialog->move(dialog->x() * free.width() / oldFree.width(), dialog->y() * free.height() / oldFree.height());
        else if (free.width() >= 1 && free.height() >= 1)
            dialog->move(free.width() / 2, free.height() / 2);
    }
    QWidget::resizeEvent(event);
}

void GameWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_handView->updateTileGraphics();
        for (int seat = 0; seat < SeatCount; ++seat) {
            m_discardViews[seat]->updateToolTips();
            m_declaredViews[seat]->updateTileGraphics();
            m_windViews[seat]->setWind(m_windViews[seat]->wind());
            m_actionViews[seat]->updatePixmap();
        }
        m_prevalentWindView->setWind(m_prevalentWindView->wind());
    }
    QWidget::changeEvent(event);
}

void GameWindow::onTileGraphicsChanged()
{
    m_actions->flush();
    relayout(m_view->width(), m_view->height());
    runLayout();
}

void GameWindow::onGameScaleChanged()
{
    runLayout();
}

// --- the hidden cube ----------------------------------------------------------

void GameWindow::setCubePicture(const QPixmap &picture)
{
    m_cubePicture = picture;
    if (picture.isNull()) {
        m_cube->setBrush(QBrush(QColor(0xf0, 0xa0, 0xb0)));
        return;
    }
    // Texture coordinates run over the unit square.
    QBrush brush(picture);
    brush.setTransform(QTransform::fromScale(1.0 / picture.width(), 1.0 / picture.height()));
    m_cube->setBrush(brush);
}

void GameWindow::onCubeUpdate()
{
    // Floating point: the integer product overflows late in the day.
    const double t = QTime::currentTime().msecsSinceStartOfDay();
    const double a = qDegreesToRadians(t * 73.0 / 2000.0), b = qDegreesToRadians(t * 90.0 / 2000.0);
    const Matrix4::Values turnY{std::cos(a), 0, -std::sin(a), 0, 0, 1, 0, 0,
                                std::sin(a), 0, std::cos(a),  0, 0, 0, 0, 1};
    const Matrix4::Values turnX{1, 0, 0, 0, 0, std::cos(b), std::sin(b), 0, 0, -std::sin(b), std::cos(b),
                                0, 0, 0, 0, 1};
    Matrix4::Values scale;
    Matrix4::setScaledIdentity(scale, 100);
    m_cube->setMatrix(Matrix4::multiplied(Matrix4::multiplied(turnY, turnX), scale));
}

void GameWindow::onShowCube()
{
    m_cube->setPos(m_view->sceneRect().center());
    m_cube->show();
    // The cube's timer runs only while it is shown.
    if (!m_cubeTimer.isActive())
        m_cubeTimer.start();
    onCubeUpdate();
    setCompactTableLayout(!isCompactTableLayout());
}

void GameWindow::setPlayerPicture(qint32 playerId, const QPixmap &picture)
{
    if (m_table && m_table->findPlayer(playerId) && m_sideBar->hasPlayer(playerId))
        m_sideBar->setPlayerPicture(playerId, picture);
    if (playerId == m_localPlayerId)
        setCubePicture(picture);
}

// --- AnimationHost -----------------------------------------------------------

QGraphicsScene *GameWindow::animationScene()
{
    return &m_scene;
}

bool GameWindow::isShownOnScreen() const
{
    return isVisible();
}

void GameWindow::playSound(int soundId)
{
    if (isVisible() && setting("game/sound", true))
        SoundPlayer::instance().play(soundId, 0);
}

QPointF GameWindow::windPosition(int position) const
{
    return m_windPositions[position & 3];
}

int GameWindow::bottomWind() const
{
    const PlayerData *p = seatRecord(0);
    return p ? p->wind() : 0;
}

int GameWindow::seatedPlayers() const
{
    return int(std::count_if(m_seatPlayers.begin(), m_seatPlayers.end(), [](qint32 id) { return id != -1; }));
}

TileAnimationSource *GameWindow::liveWallSource()
{
    return m_cityView->animationSource(false);
}

HiddenHandView *GameWindow::hiddenHand(int position)
{
    return m_hiddenHands[position & 3];
}

void GameWindow::setDealSlot(int index, TileAnimation *animation)
{
    if (index < 0 || index >= DealSlotCount) {
        delete animation;
        return;
    }
    delete m_dealTiles[index];
    m_dealTiles[index] = animation;
}

void GameWindow::hideDealTiles()
{
    for (TileAnimation *slot : m_dealTiles) {
        if (slot)
            slot->tileItem().hide();
    }
}

// --- seats ---------------------------------------------------------------------

const PlayerData *GameWindow::seatRecord(int seat) const
{
    const qint32 id = m_seatPlayers[seat];
    return (id != -1 && m_table) ? m_table->findPlayer(id) : nullptr;
}

int GameWindow::seatOf(qint32 playerId) const
{
    for (int seat = 0; seat < SeatCount; ++seat) {
        if (m_seatPlayers[seat] == playerId && playerId != -1)
            return seat;
    }
    throw server_error("unknown player id " + std::to_string(playerId));
}

void GameWindow::arrangeSeats()
{
    m_seatPlayers.fill(-1);
    if (!m_table)
        return;
    const PlayerData *first = m_table->isOwnPlayerSeated() ? m_table->findOwnPlayer() : m_table->playerByWind(0);
    int wind = first ? first->wind() : 0;
    m_seatPlayers[0] = first ? first->id() : -1;
    for (int seat = 1; seat < SeatCount; ++seat) {
        wind = nextWind(wind);
        const PlayerData *p = m_table->playerByWind(wind);
        m_seatPlayers[seat] = (p && p->isSeated()) ? p->id() : -1;
    }
}

void GameWindow::layWallFromModel(int liveTiles)
{
    if (!m_table || !m_cityView)
        return;
    const PlayerData *bottom = seatRecord(0);
    m_cityView->setWallState(bottom ? bottom->wind() : 0, liveTiles == -1 ? m_table->liveTiles() : liveTiles,
                             m_table->deadWallTiles(), m_table->deadWallPosition(), m_table->deadWallTilesDealt(),
                             m_table->doraTiles());
}

// --- helpers of the table events ----------------------------------------------

void GameWindow::enqueue(std::function<void()> step)
{
    m_actions->enqueueAction(makeCallbackAction(std::move(step)));
}

void GameWindow::enqueueFlight(TileAnimationSource *source, TileAnimationTarget *target, int ms,
                               const tile_vector &tiles)
{
    m_actions->enqueueAnimation(new TileAnimationSet(&m_scene, source, target, ms, tiles));
}

void GameWindow::enqueueFlight(TileAnimationSource *source, TileAnimationTarget *target, int ms, int count)
{
    m_actions->enqueueAnimation(new TileAnimationSet(&m_scene, source, target, ms, count));
}

void GameWindow::writeNotice(const QString &text)
{
    m_sideBar->appendNotice(text);
}

void GameWindow::clearTurnTimers()
{
    m_sideBar->clearTimers();
    m_turnTimer->setTimeSpan(TimeSpan());
    QPointer<TimerView> big = m_bigTurnTimer;
    enqueue([big] {
        if (big) {
            big->setTimeSpan(TimeSpan());
            big->hide();
        }
    });
    if (m_table)
        emit clearTimeout(m_table->tableId());
}

void GameWindow::clearActivePlayer()
{
    m_sideBar->clearHighlight();
    for (WindView *wind : m_windViews)
        wind->setActive(false);
}

void GameWindow::setActivePlayer(qint32 playerId)
{
    if (m_sideBar->hasPlayer(playerId))
        m_sideBar->setHighlightedPlayer(playerId);
    for (int seat = 0; seat < SeatCount; ++seat)
        m_windViews[seat]->setActive(m_seatPlayers[seat] == playerId);
}

void GameWindow::hideClaimBanners()
{
    m_sideBar->hideClaims();
    for (PlayerActionView *banner : m_actionViews)
        banner->hide();
}

void GameWindow::showClaim(qint32 playerId, int meldType, int kind)
{
    if (m_sideBar->hasPlayer(playerId))
        m_sideBar->showPlayerClaim(playerId, meldType, kind);
    const int seat = seatOf(playerId);
    m_actionViews[seat]->showAction(meldType, kind);
    m_actionViews[seat]->show();
}

void GameWindow::updateOwnHand()
{
    const PlayerData *own = m_table ? m_table->findOwnPlayer() : nullptr;
    if (!own)
        return;
    const tile_vector hand = own->hand(), drawn = own->drawnTiles();
    enqueue([this, hand, drawn] {
        m_handView->setTiles(hand);
        m_handView->clearMarks();
        if (m_handView->isActive()) {
            for (tile t : drawn)
                m_handView->markTile(t);
        }
    });
}

void GameWindow::updateHiddenHand(qint32 playerId)
{
    const PlayerData *p = m_table ? m_table->findPlayer(playerId) : nullptr;
    if (!p)
        return;
    HiddenHandView *hidden = m_hiddenHands[seatOf(playerId)];
    const int count = p->hiddenTiles();
    enqueue([hidden, count] { hidden->setTileCount(count); });
}

void GameWindow::updateAllHands()
{
    for (int seat = 0; seat < SeatCount; ++seat) {
        const qint32 id = m_seatPlayers[seat];
        if (id == -1)
            continue;
        if (id == m_localPlayerId)
            updateOwnHand();
        else
            updateHiddenHand(id);
    }
}

void GameWindow::updateFuritenItem()
{
    if (!m_table)
        return;
    const PlayerData *own = m_table->isOwnPlayerSeated() ? m_table->findOwnPlayer() : nullptr;
    if (!own) {
        m_furitenItem->hide();
        return;
    }
    placeStatusItems();
    m_furitenItem->setVisible(own->isFuriten() && !m_timeoutItem->isVisible());
}

void GameWindow::updateInactiveWindow()
{
    const PlayerData *own = (m_table && m_table->isOwnPlayerSeated()) ? m_table->findOwnPlayer() : nullptr;
    if (own && !own->isActive())
        m_playerInactiveWindow->showDialog(true);
    else
        m_playerInactiveWindow->hide();
}

void GameWindow::discardLanded(int seat)
{
    playSound(SoundPlayer::TileDiscarded);
    for (int s = 0; s < SeatCount; ++s)
        m_discardViews[s]->setLastTileMarked(s == seat);
    placeStatusItems();
}

void GameWindow::meldLanded(int seat, const meld_tuple &m, int claimedFrom)
{
    if (!drawableMeld(m.meldType)) {
        qCWarning(lcTable) << "Meld of type" << m.meldType << "not drawn";
        return;
    }
    m_declaredViews[seat]->addMeld(m.meldType, m.firstTile, claimedFrom, m.claimedOffset, m.visibility);
    if (m.meldType == 1 || m.meldType == 2 || m.meldType == 8 || m.meldType == 16)
        playMeldSound(m.meldType);
}

void GameWindow::playMeldSound(int meldType)
{
    if (isVisible() && setting("game/sound", true))
        SoundPlayer::instance().playMeld(meldType);
}

// --- table events --------------------------------------------------------------

void GameWindow::reset()
{
    clearTable();
    m_sideBar->clear();
}

void GameWindow::clearTable()
{
    m_actions->clear();
    m_ownDiscardShown = false;
    m_tileChoice = 0;
    for (int seat = 0; seat < SeatCount; ++seat) {
        m_discardViews[seat]->clear();
        m_declaredViews[seat]->clear();
        m_hiddenHands[seat]->setTileCount(0);
        m_windViews[seat]->hide();
        m_windViews[seat]->setActive(false);
        m_riichiSticks[seat]->setStickCount(0);
    }
    // The model's reset freed the records the seats named.
    m_seatPlayers.fill(-1);
    clearTurnTimers();
    m_actions->flush();
    clearActivePlayer();
    hideClaimBanners();
    hideDealTiles();
    m_handView->clear();
    if (m_cityView)
        m_cityView->setWallState(0, 0, 0, 0, 0, {});
    for (int seat = 0; seat < SeatCount; ++seat)
        setWindPosition(seat, m_windPositions[seat]);
    m_scoreBoard->hide();
    m_washoutWindow->hide();
    m_roundScoreBoard->hide();
    dropMeldAuction();
    m_concealedActionDialog->hide();
    m_seatedWindow->hide();
    m_waitingForPlayersWindow->hide();
    m_sideBar->updateSticks();
    updateFuritenItem();
    if (m_table && m_table->isOwnPlayerSeated())
        updateInactiveWindow();
}

void GameWindow::setModel(GameModel *model)
{
    m_table = model;
    if (!model) {
        clearTable();
        m_sideBar->clear();
        return;
    }
    m_sideBar->setModel(model);
    connect(model, &GameModel::seatsRemainingChanged, m_waitingForPlayersWindow,
            &WaitingForPlayersWindow::onSeatsRemaining, Qt::UniqueConnection);
    connect(model, &GameModel::joinableChanged, m_watchingWindow, &WatchingWindow::onJoinableChanged,
            Qt::UniqueConnection);
    for (qint32 id : model->playerIds()) {
        if (const PlayerData *p = model->findPlayer(id)) {
            if (!m_sideBar->hasPlayer(id))
                m_sideBar->addPlayer(*p);
        }
        emit playerAdded(model->tableId(), id);
    }
    onTableInfo(model->tableInfo());
    m_sideBar->setTournamentInfo(model->tournamentInfo());
    onGameStateChanged();
    const auto pending = model->pendingAction();
    if (pending.first != -1)
        onPlayerShouldAct(pending.first, pending.second);
}

void GameWindow::onTableInfo(TableInfo info)
{
    m_actions->flush();
    m_tableInfo = info;
    m_sideBar->setTableInfo(info);
    m_cityView->setTableInfo(info);
    runLayout();
    if (m_table)
        m_scoreBoard->setReadyVisible(m_table->isOwnPlayerSeated() && !m_table->isInPlay() && info.gameType() != 1);
    for (PlayerActionView *banner : m_actionViews)
        banner->setRuleset(info.ruleset());
    m_seatedWindow->onTableInfo(info);
    m_washoutWindow->setTableInfo(info);
}

void GameWindow::onTournamentInfo(TournamentInfo info)
{
    m_sideBar->setTournamentInfo(info);
    m_roundScoreBoard->setTournamentInfo(info);
}

void GameWindow::onTournamentRankings(TournamentRankings rankings)
{
    m_roundScoreBoard->setTournamentRankings(rankings);
}

void GameWindow::onGameStateChanged()
{
    if (!m_table)
        return;
    const GameModel::game_state_t state = m_table->gameState();
    m_scoreBoard->setReadyVisible(m_table->isOwnPlayerSeated() && !m_table->isInPlay() && m_tableInfo.gameType() != 1);
    const bool underWay = state != GameModel::GAME_NOT_STARTED && state != GameModel::NO_GAME_STATE;
    m_sideBar->setWindsVisible(underWay);
    if (state == GameModel::HAND_ENDED || state == GameModel::ROUND_ENDED || state == GameModel::TABLE_REMOVED) {
        clearActivePlayer();
        clearTurnTimers();
        m_actions->flush();
        dropMeldAuction();
        m_concealedActionDialog->hide();
        // No turn is left to play: a click must not send a discard.
        m_handView->setActive(false);
    }
    if (state == GameModel::TABLE_REMOVED) {
        // A seat at a table that is gone can no longer be taken or left.
        m_seatedWindow->hide();
        dropLeaveBox();
        QMessageBox *box = ModelessMsgBox::question(
            this, tr("Table does not exist"), tr("Table has been removed from server, press Ok to go back to lobby"),
            QMessageBox::Ok);
        QPointer<GameWindow> self(this);
        const qint32 tableId = m_table->tableId();
        ModelessMsgBox::onFinished(box, [self, tableId](int) {
            if (self)
                emit self->tableRemovedConfirmed(tableId);
        });
    }
    if (state == GameModel::HAND_IN_PLAY) {
        rebuildTable();
        m_sideBar->clearReady();
        m_sideBar->setScoresVisible(true);
    }
    // Entries of players the model no longer holds would name freed records.
    for (qint32 id : m_sideBar->playerIds()) {
        if (!m_table->findPlayer(id))
            m_sideBar->removePlayer(id);
    }
    m_sideBar->setHandId(m_table->handId());
    updatePanels();
}

void GameWindow::rebuildTable()
{
    m_actions->flush();
    hideDealTiles();
    arrangeSeats();
    const bool seated = m_table->isOwnPlayerSeated();
    if (seated) {
        qCDebug(lcTable) << "WE ARE SEATED";
        if (const PlayerData *own = m_table->findOwnPlayer())
            m_handView->setTiles(own->hand());
        m_turnTimer->show();
        m_turnTimer->raise();
    } else {
        qCDebug(lcTable) << "WE ARE OBSERVING";
        m_handView->clear();
        m_turnTimer->hide();
    }
    m_prevalentWindView->setWind(m_table->prevailingWind());
    m_prevalentWindView->setVisible(m_tableInfo.gameType() != 0);
    for (int seat = 0; seat < SeatCount; ++seat) {
        m_declaredViews[seat]->clear();
        m_windViews[seat]->setActive(false);
        const PlayerData *p = seatRecord(seat);
        if (!p) {
            qCDebug(lcTable) << "seat" << seat << "is free";
            m_hiddenHands[seat]->setTileCount(0);
            m_windViews[seat]->hide();
            m_riichiSticks[seat]->setStickCount(0);
            m_discardViews[seat]->clear();
            continue;
        }
        qCDebug(lcTable) << p->name() << "wind" << p->wind() << "seat" << seat;
        m_windViews[seat]->setWind(p->wind());
        m_windViews[seat]->show();
        m_discardViews[seat]->setTiles(p->discards(), p->riichiDiscardIndex());
        m_hiddenHands[seat]->setTileCount(p->id() == m_localPlayerId ? 0 : p->hiddenTiles());
        if (m_sideBar->hasPlayer(p->id()))
            m_sideBar->setPlayerWind(p->id(), p->wind());
        for (tile t : p->bonusTiles())
            m_declaredViews[seat]->addBonusTile(t);
        for (const meld_tuple &m : p->melds()) {
            // A mahjong row or an unknown type is not drawn here; the hand
            // goes on.
            if (!drawableMeld(m.meldType) || m.meldType == 64) {
                qCWarning(lcTable) << "Meld of type" << m.meldType << "skipped in the table rebuild";
                continue;
            }
            m_declaredViews[seat]->addMeld(m.meldType, m.firstTile, claimedOffset(m_table, *p, m.claimedFrom),
                                           m.claimedOffset, m.visibility);
        }
        m_riichiSticks[seat]->setStickCount(p->riichiDiscardIndex() >= 0 ? 1 : 0);
    }
    m_sideBar->updateSticks();
    layWallFromModel();
    runLayout();
    updateFuritenItem();
    updateInactiveWindow();
}

void GameWindow::onPlayerSeated(qint32 playerId, qint32 tableId, bool fromGameData)
{
    const PlayerData *p = m_table ? m_table->findPlayer(playerId) : nullptr;
    if (p && !m_sideBar->hasPlayer(playerId))
        m_sideBar->addPlayer(*p);
    if (p && playerId != m_localPlayerId && !fromGameData) {
        writeNotice(tr("%1 joined the table").arg(p->name()));
        playSound(SoundPlayer::Joined);
    }
    emit playerAdded(tableId, playerId);
}

void GameWindow::onPlayerUnseated(qint32 playerId)
{
    QString name;
    if (const PlayerData *p = m_table ? m_table->findPlayer(playerId) : nullptr)
        name = p->name();
    if (m_sideBar->hasPlayer(playerId))
        m_sideBar->removePlayer(playerId);
    for (qint32 &id : m_seatPlayers) {
        if (id == playerId)
            id = -1;
    }
    if (playerId == m_localPlayerId) {
        writeNotice(tr("You've been unseated from this table."));
        if (m_table)
            emit tableActivity(m_table->tableId(), true, TimeSpan());
    } else {
        writeNotice(tr("%1 left the table").arg(name));
    }
    playSound(SoundPlayer::Left);
}

void GameWindow::onStartHand(bool newRound)
{
    m_firstDrawSeen = false;
    m_handActive = false;
    m_tileChoice = 0;
    if (m_table) {
        for (qint32 id : m_table->playerIds()) {
            const PlayerData *p = m_table->findPlayer(id);
            if (p && m_sideBar->hasPlayer(id)) {
                m_sideBar->setPlayerWind(id, p->wind());
                m_sideBar->setPlayerPoints(id, p->points());
            }
        }
    }
    m_sideBar->clearReady();
    m_sideBar->clearHighlight();
    for (WindView *wind : m_windViews)
        wind->setActive(false);
    updateFuritenItem();
    updateInactiveWindow();
    m_sideBar->setScoresVisible(true);
    if (m_table)
        m_sideBar->setWindRound(m_table->prevailingWind() + 1);
    m_washoutWindow->stopCountdown();
    dropMeldAuction();
    m_concealedActionDialog->hide();
    if (newRound) {
        std::array<QGraphicsItem *, 4> markers{m_windViews[0], m_windViews[1], m_windViews[2], m_windViews[3]};
        m_actions->enqueueAnimation(new AssignWindAnimation(this, markers));
        enqueue([this] { playSound(SoundPlayer::Start); });
    }
    m_actions->enqueueAnimation(new DealStartHandAnimation(this));
    if (!newRound)
        playSound(SoundPlayer::Start);
    if (m_table && m_table->isOwnPlayerSeated())
        QApplication::alert(this, 3000);
    enqueue([this] {
        if (setting("game/autoPopdownScoreDialog", false)) {
            m_scoreBoard->hide();
            m_washoutWindow->hide();
            m_roundScoreBoard->hide();
        }
        writeNotice(tr("Hand started"));
    });
    if (m_table)
        emit tableActivity(m_table->tableId(), true, TimeSpan());
}

void GameWindow::firstDraw()
{
    m_actions->flush();
    m_firstDrawSeen = true;
    hideDealTiles();
    updateAllHands();
    m_actions->flush();
    layWallFromModel();
}

void GameWindow::onTilesFromWall(qint32 playerId, tile_vector tiles, bool fromDeadWall)
{
    if (tiles.size() == 13)
        return;
    const bool first = !m_firstDrawSeen;
    if (first)
        firstDraw();
    m_timeoutItem->hide();
    updateFuritenItem();
    if (m_handActive)
        setActivePlayer(playerId);
    if (first)
        return;
    clearTurnTimers();
    enqueueFlight(m_cityView->animationSource(fromDeadWall), m_handView, DrawMs, tiles);
}

void GameWindow::onHiddenTilesFromWall(qint32 playerId, qint32 count, bool fromDeadWall)
{
    if (count == 13)
        return;
    const int seat = seatOf(playerId);
    const bool first = !m_firstDrawSeen;
    if (first)
        firstDraw();
    if (m_handActive)
        setActivePlayer(playerId);
    if (first)
        return;
    clearTurnTimers();
    // A count beyond a hand's size is no draw: cap it rather than build
    // hundreds of flying tiles.
    enqueueFlight(m_cityView->animationSource(fromDeadWall), m_hiddenHands[seat], DrawMs, std::clamp(count, 0, 14));
}

void GameWindow::onTileDiscarded(qint32 playerId, tile t, bool riichiDiscard)
{
    const int seat = seatOf(playerId);
    const bool own = playerId == m_localPlayerId;
    m_handActive = true;
    clearTurnTimers();
    clearActivePlayer();
    hideClaimBanners();
    if (own) {
        qCDebug(lcTable) << "got discard" << t;
        m_handView->setActive(false);
    }
    if (riichiDiscard) {
        showClaim(playerId, 128, 0);
        for (int s = 0; s < SeatCount; ++s) {
            const PlayerData *p = seatRecord(s);
            m_riichiSticks[s]->setStickCount(p && p->riichiDiscardIndex() >= 0 ? 1 : 0);
        }
        m_sideBar->updateSticks();
    }
    DiscardView *discards = m_discardViews[seat];
    if (own && m_ownDiscardShown) {
        m_ownDiscardShown = false;
        if (m_ownDiscardTile == t) {
            if (riichiDiscard)
                enqueue([discards] { discards->markLastAsRiichi(); });
            return;
        }
        enqueueFlight(discards, m_handView, MoveMs, tile_vector{m_ownDiscardTile});
    }
    if (riichiDiscard)
        enqueue([discards] { discards->markRiichi(); });
    if (own)
        enqueueFlight(m_handView, discards, MoveMs, tile_vector{t});
    else
        enqueueFlight(m_hiddenHands[seat], discards, MoveMs, tile_vector{t});
    enqueue([this, seat] { discardLanded(seat); });
    if (own) {
        updateOwnHand();
        if (m_table)
            emit tableActivity(m_table->tableId(), false, TimeSpan());
    } else {
        updateHiddenHand(playerId);
    }
}

void GameWindow::onTileClaimed(qint32 discardPlayer, qint32 claimingPlayer)
{
    // Whoever claimed, the discard is settled: no panel may answer it now.
    dropMeldAuction();
    m_concealedActionDialog->hide();
    if (!m_table)
        return;
    const int from = seatOf(discardPlayer);
    const int to = seatOf(claimingPlayer);
    const tile t = m_table->lastDiscard();
    if (claimingPlayer == m_localPlayerId) {
        enqueueFlight(m_discardViews[from], m_handView, MoveMs, tile_vector{t});
        updateOwnHand();
    } else {
        enqueueFlight(m_discardViews[from], m_hiddenHands[to], MoveMs, tile_vector{t});
        updateHiddenHand(claimingPlayer);
    }
}

void GameWindow::onMeldDeclared(qint32 playerId, meld_tuple m)
{
    const int seat = seatOf(playerId);
    clearTurnTimers();
    const tile_vector tiles = meldTiles(m);
    if (tiles.empty()) {
        // A mahjong row or an unknown type: nothing to fly, the hand goes on.
        qCWarning(lcTable) << "Declared meld of type" << m.meldType << "skipped";
        return;
    }
    const bool own = playerId == m_localPlayerId;
    if (own)
        enqueueFlight(m_handView, m_declaredViews[seat], MoveMs, tiles);
    else if (m.visibility == 2)
        enqueueFlight(m_hiddenHands[seat], m_declaredViews[seat], MoveMs, int(tiles.size()));
    else
        enqueueFlight(m_hiddenHands[seat], m_declaredViews[seat], MoveMs, tiles);
    const PlayerData *p = m_table ? m_table->findPlayer(playerId) : nullptr;
    const int from = p ? claimedOffset(m_table, *p, m.claimedFrom) : -1;
    enqueue([this, seat, m, from] { meldLanded(seat, m, from); });
    if (own)
        updateOwnHand();
    else
        updateHiddenHand(playerId);
    if (m.meldType == 1 || m.meldType == 2 || m.meldType == 8) {
        hideClaimBanners();
        showClaim(playerId, m.meldType, 0);
    }
    if (own && m_table)
        emit tableActivity(m_table->tableId(), false, TimeSpan());
}

void GameWindow::onBonusDeclared(qint32 playerId, tile_vector tiles)
{
    const int seat = seatOf(playerId);
    const bool own = playerId == m_localPlayerId;
    if (own)
        enqueueFlight(m_handView, m_declaredViews[seat], MoveMs, tiles);
    else
        enqueueFlight(m_hiddenHands[seat], m_declaredViews[seat], MoveMs, tiles);
    DeclaredView *declared = m_declaredViews[seat];
    enqueue([declared, tiles] {
        for (tile t : tiles)
            declared->addBonusTile(t);
    });
    if (own) {
        updateOwnHand();
        if (m_table)
            emit tableActivity(m_table->tableId(), false, TimeSpan());
    } else {
        updateHiddenHand(playerId);
    }
}

void GameWindow::onKanDora(tile t)
{
    enqueue([this, t] {
        if (m_cityView)
            m_cityView->addDora(t);
    });
}

void GameWindow::onWallStateChanged()
{
    enqueue([this] { layWallFromModel(); });
}

void GameWindow::onPlayerShouldAct(qint32 playerId, TimeSpan ts)
{
    clearActivePlayer();
    clearTurnTimers();
    if (playerId == -1)
        return;
    setActivePlayer(playerId);
    if (m_sideBar->hasPlayer(playerId))
        m_sideBar->setPlayerTimer(playerId, ts);
    if (playerId != m_localPlayerId) {
        m_handView->clearMarks();
        m_handView->setActive(false);
        return;
    }
    const PlayerData *own = m_table ? m_table->findOwnPlayer() : nullptr;
    if (own && own->riichiDiscardIndex() >= 0)
        m_handView->setAllowedTiles(own->drawnTiles());
    m_handView->setActive(true);
    updateOwnHand();
    m_turnTimer->setTimeSpan(ts);
    if (m_table)
        emit tableActivity(m_table->tableId(), true, ts);
}

void GameWindow::onWaitingFor(WaitCondition::enum_t condition, TimeSpan ts, std::vector<qint32> players)
{
    if (players.empty()) {
        qCWarning(lcTable) << "onWaitingFor without players";
        return;
    }
    if (condition == 0) {
        const qint32 discarder = m_table ? m_table->lastDiscarderId() : -1;
        enqueue([this, discarder, ts] {
            int seat = -1;
            for (int s = 0; s < SeatCount; ++s) {
                if (m_seatPlayers[s] == discarder && discarder != -1)
                    seat = s;
            }
            if (seat == -1 || m_discardViews[seat]->tileItems().empty())
                return;
            const TileView *last = m_discardViews[seat]->tileItems().back();
            const QRectF r = last->sceneBoundingRect();
            const QPoint at = m_view->mapFromScene(QPointF(r.right() + 2, r.center().y()));
            m_bigTurnTimer->move(at.x(), at.y() - m_bigTurnTimer->height() / 2);
            m_bigTurnTimer->setTimeSpan(ts);
            m_bigTurnTimer->show();
            m_bigTurnTimer->raise();
        });
    } else if (condition == 1 && players.front() != m_localPlayerId) {
        if (m_sideBar->hasPlayer(players.front()))
            m_sideBar->setPlayerTimer(players.front(), ts);
    }
}

void GameWindow::onWaitingOver()
{
    QPointer<TimerView> big = m_bigTurnTimer;
    enqueue([big] {
        if (big)
            big->hide();
    });
    m_sideBar->clearTimers();
}

void GameWindow::onPrivatePlayerData(PrivatePlayerData data)
{
    m_handView->setTiles(data.tiles);
    updateFuritenItem();
    updateInactiveWindow();
    m_sideBar->setChatJoined(true);
}

void GameWindow::onFuritenChanged(bool)
{
    updateFuritenItem();
}

void GameWindow::onActiveChanged(bool)
{
    updateInactiveWindow();
}

void GameWindow::onSomeoneDeclaredMeld(qint32 playerId, int meldType)
{
    if (meldType == 1 || meldType == 2 || meldType == 8)
        showClaim(playerId, meldType, 0);
}

void GameWindow::onSomeoneDeclaredMahjong(qint32 playerId, int kind)
{
    hideClaimBanners();
    showClaim(playerId, 16, kind);
}

void GameWindow::nextAction()
{
    m_actions->nextAction();
}

// --- claims and declarations ---------------------------------------------------

void GameWindow::dropMeldAuction()
{
    if (m_meldAuction) {
        m_meldAuction->hide();
        m_meldAuction->deleteLater();
    }
    m_meldAuction = nullptr;
}

MeldAuction *GameWindow::newMeldAuction()
{
    dropMeldAuction();
    auto *auction = new MeldAuction(this);
    auction->hide();
    connect(auction, &MeldAuction::meldSelected, this, &GameWindow::onMeldSelected);
    connect(auction, &MeldAuction::passSelected, this, &GameWindow::onPassMeldSelected);
    connect(auction, &MeldAuction::closeSelected, this, &GameWindow::onCloseMeldAuction);
    m_meldAuction = auction;
    return auction;
}

bool GameWindow::autoPass(const meld_offer_vector &offers)
{
    if (!offers.empty() || !setting("game/autoPass", true))
        return false;
    if (m_table)
        emit callPass(m_table->tableId(), m_localPlayerId, true);
    return true;
}

void GameWindow::onMeldSuggestion(const meld_offer_vector &offers, qint32, tile lastDiscard, const TimeSpan &ts)
{
    m_tileChoice = 0;
    if (autoPass(offers))
        return;
    m_pendingOffers = offers;
    MeldAuction *auction = newMeldAuction();
    auction->enablePass();
    for (const meld_offer &offer : offers)
        auction->addOffer(offer, lastDiscard);
    auction->setAuctionType(0);
    auction->showDialog(true);
    playSound(offers.empty() ? SoundPlayer::MeldPassOnly : SoundPlayer::MeldSuggestion);
    if (m_sideBar->hasPlayer(m_localPlayerId))
        m_sideBar->setPlayerTimer(m_localPlayerId, ts);
    m_turnTimer->setTimeSpan(ts);
    if (!offers.empty() && m_table)
        emit tableActivity(m_table->tableId(), true, ts);
}

void GameWindow::onRobTheKongSuggestion(const meld_offer_vector &offers, const TimeSpan &ts)
{
    clearTurnTimers();
    clearActivePlayer();
    if (autoPass(offers))
        return;
    m_pendingOffers = offers;
    MeldAuction *auction = newMeldAuction();
    auction->enablePass();
    for (const meld_offer &offer : offers)
        auction->addOffer(offer, offer.t);
    auction->setAuctionType(2);
    auction->showDialog(true);
    playSound(offers.empty() ? SoundPlayer::MeldPassOnly : SoundPlayer::MeldSuggestion);
    if (m_sideBar->hasPlayer(m_localPlayerId))
        m_sideBar->setPlayerTimer(m_localPlayerId, ts);
    m_turnTimer->setTimeSpan(ts);
}

void GameWindow::onReplacementMeldSuggestion(const meld_offer_vector &offers, const TimeSpan &ts)
{
    m_tileChoice = 0;
    if (autoPass(offers))
        return;
    MeldAuction *auction = newMeldAuction();
    auction->enablePass();
    auction->setAuctionType(3);
    auction->showDialog(true);
    m_pendingOffers = offers;
    if (!offers.empty())
        enterTileChoice(64);
    playSound(SoundPlayer::MeldSuggestion);
    if (m_sideBar->hasPlayer(m_localPlayerId))
        m_sideBar->setPlayerTimer(m_localPlayerId, ts);
    m_turnTimer->setTimeSpan(ts);
}

void GameWindow::onConcealedMeldSuggestion(const meld_offer_vector &offers, const TimeSpan &)
{
    const PlayerData *own = m_table ? m_table->findOwnPlayer() : nullptr;
    if (offers.empty()) {
        if (own && own->riichiDiscardIndex() >= 0 && setting("game/autoPass", true)) {
            if (own->drawnTiles().empty())
                qCWarning(lcTable) << "Riichi hand without a drawn tile: nothing to discard";
            else
                chooseTile(own->drawnTiles().front());
        }
        return;
    }
    MeldAuction *auction = newMeldAuction();
    auction->showCloseButton();
    const auto mahjong = std::find_if(offers.begin(), offers.end(),
                                      [](const meld_offer &o) { return o.meldType == 16; });
    if (mahjong != offers.end()) {
        auction->addOffer(*mahjong, mahjong->t);
        auction->setAuctionType(1);
        auction->showDialog(true);
    } else {
        dropMeldAuction();
    }
    m_pendingOffers = offers;
    m_concealedActionDialog->setOffers(offers);
    m_concealedActionDialog->show();
    m_concealedActionDialog->raise();
    placeConcealedDialog();
    playSound(SoundPlayer::MeldSuggestion);
}

void GameWindow::enterTileChoice(int type)
{
    m_tileChoice = type;
    tile_vector allowed;
    for (const meld_offer &offer : m_pendingOffers) {
        if (offer.meldType == type)
            allowed.push_back(offer.t);
    }
    m_handView->setAllowedTiles(allowed);
    m_handView->setActive(true);
    qCDebug(lcTable) << "Choose meld/riichi from these tiles: " << allowed;
}

void GameWindow::onMeldSelected(meld_offer offer)
{
    m_actions->flush();
    dropMeldAuction();
    m_concealedActionDialog->hide();
    if (offer.meldType != 128) {
        m_sideBar->clearTimers();
        m_turnTimer->setTimeSpan(TimeSpan());
    }
    clearActivePlayer();
    m_handView->setActive(false);
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    if (!m_table->isOwnPlayerSeated()) {
        qCWarning(lcTable) << "onMeldSelected: handled when not seated";
        return;
    }
    const qint32 table = m_table->tableId();
    switch (offer.meldType) {
    case 1:
        emit callChow(table, m_localPlayerId, offer.t);
        break;
    case 2:
        emit callPong(table, m_localPlayerId, offer.t);
        break;
    case 4:
        emit callPongToKong(table, m_localPlayerId, offer.t);
        break;
    case 8:
        emit callKong(table, m_localPlayerId, offer.t);
        break;
    case 16:
        emit callMahjong(table, m_localPlayerId);
        break;
    case 64:
        emit callBonus(table, m_localPlayerId, offer.t);
        break;
    case 128:
        enterTileChoice(128);
        break;
    default:
        break;
    }
}

void GameWindow::onPassMeldSelected()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    dropMeldAuction();
    m_concealedActionDialog->hide();
    m_handView->setActive(false);
    m_sideBar->clearTimers();
    m_turnTimer->setTimeSpan(TimeSpan());
    if (m_table->isOwnPlayerSeated())
        emit callPass(m_table->tableId(), m_localPlayerId, false);
    else
        qCWarning(lcTable) << "passMeldSelected: handled when not seated";
}

void GameWindow::onCloseMeldAuction()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    if (!m_table->isOwnPlayerSeated()) {
        qCWarning(lcTable) << "passMeldSelected: handled when not seated";
        return;
    }
    const PlayerData *own = m_table->findOwnPlayer();
    if (own && own->riichiDiscardIndex() >= 0 && setting("game/autoPass", true)) {
        if (own->drawnTiles().empty())
            qCWarning(lcTable) << "Riichi hand without a drawn tile: nothing to discard";
        else
            chooseTile(own->drawnTiles().front());
    }
}

void GameWindow::onConcealedRiichiSelected()
{
    m_concealedActionDialog->showCancelOnly();
    placeConcealedDialog();
    enterTileChoice(128);
}

void GameWindow::onConcealedPongToKongSelected()
{
    m_concealedActionDialog->showCancelOnly();
    placeConcealedDialog();
    enterTileChoice(4);
}

void GameWindow::onConcealedKongSelected()
{
    m_concealedActionDialog->showCancelOnly();
    placeConcealedDialog();
    enterTileChoice(8);
}

void GameWindow::onConcealedReplaceFlowerSelected()
{
    m_concealedActionDialog->showCancelOnly();
    placeConcealedDialog();
    enterTileChoice(64);
}

void GameWindow::onConcealedActionCancel()
{
    m_tileChoice = 0;
    m_concealedActionDialog->setOffers(m_pendingOffers);
    placeConcealedDialog();
    m_handView->clearAllowedTiles();
}

void GameWindow::onTileClick(tile t)
{
    qCDebug(lcTable) << "Player clicked" << t;
    m_actions->flush();
    chooseTile(t);
}

void GameWindow::chooseTile(tile t)
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    if (!m_handView->isActive()) {
        qCWarning(lcTable) << "Player hand is not active";
        return;
    }
    m_handView->setActive(false);
    dropMeldAuction();
    m_concealedActionDialog->hide();
    if (!m_table->isOwnPlayerSeated()) {
        qCWarning(lcTable) << "onTileClick: handled when not seated";
        return;
    }
    if (m_tileChoice == 0 || m_tileChoice == 128) {
        enqueueFlight(m_handView, m_discardViews[0], MoveMs, tile_vector{t});
        enqueue([this] { discardLanded(0); });
        m_ownDiscardShown = true;
        m_ownDiscardTile = t;
    }
    m_handView->clearMarks();
    m_sideBar->clearTimers();
    m_turnTimer->setTimeSpan(TimeSpan());
    m_windViews[0]->setActive(false);
    const qint32 table = m_table->tableId();
    const int choice = m_tileChoice;
    m_tileChoice = 0;
    switch (choice) {
    case 128:
        emit callRiichi(table, m_localPlayerId, t);
        break;
    case 8:
        emit callKong(table, m_localPlayerId, t);
        break;
    case 4:
        emit callPongToKong(table, m_localPlayerId, t);
        break;
    case 64:
        emit callBonus(table, m_localPlayerId, t);
        break;
    default:
        emit discardTile(table, m_localPlayerId, t);
        break;
    }
}

void GameWindow::onTimeoutOccured()
{
    // The decision is over: a tile chosen for a kong or riichi that was
    // never clicked must not turn the next turn's discard into that call.
    m_tileChoice = 0;
    clearActivePlayer();
    placeStatusItems();
    m_timeoutItem->show();
    QTimer::singleShot(2000, this, &GameWindow::hideTimeoutItem);
    dropMeldAuction();
    m_concealedActionDialog->hide();
    m_handView->setActive(false);
    updateFuritenItem();
}

void GameWindow::hideTimeoutItem()
{
    m_timeoutItem->hide();
    updateFuritenItem();
}

// --- end of hand, rounds, panels and messages ------------------------------------

void GameWindow::onHandEndNonScoring(endhand_reason_t washoutType, bool endOfGame)
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    dropMeldAuction();
    m_concealedActionDialog->hide();
    playSound(SoundPlayer::Washout);
    m_scoreBoard->hide();
    writeNotice(tr("Hand ended in washout!"));
    m_washoutWindow->stopCountdown();
    m_washoutWindow->setWashoutType(int(washoutType));
    m_washoutWindow->setEndOfGame(endOfGame);
    m_washoutWindow->setWatchOnly(!m_table->isOwnPlayerSeated());
    m_washoutWindow->showDialog(true);
    if (endOfGame)
        m_sideBar->setWindRound(-1);
    emit tableActivity(m_table->tableId(), true, TimeSpan());
}

void GameWindow::onHandEndScoring(EndHandScoring scoring)
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    dropMeldAuction();
    m_concealedActionDialog->hide();
    playSound(SoundPlayer::Mahjong);
    m_washoutWindow->hide();
    writeNotice(tr("Hand ended in Mahjong!"));
    qint32 winner = -1;
    for (const auto &[id, score] : scoring.players) {
        if (m_sideBar->hasPlayer(id))
            m_sideBar->setPlayerPoints(id, score.currentScore);
        if (score.result == 1)
            winner = id;
    }
    if (scoring.endOfGame)
        m_sideBar->setWindRound(-1);
    const int kind = scoring.winKind;
    if (kind >= 1 && kind <= 3) {
        if (winner != -1) {
            hideClaimBanners();
            bool seated = false;
            for (qint32 id : m_seatPlayers)
                seated = seated || (id == winner);
            if (seated)
                showClaim(winner, 16, kind);
            else if (m_sideBar->hasPlayer(winner))
                m_sideBar->showPlayerClaim(winner, 16, kind);
        } else {
            qCWarning(lcTable) << "No player going mahjong found in GameWindow::onHandEndScoring";
        }
    }
    m_scoreBoard->setScoring(scoring, m_localPlayerId, m_tableInfo);
    if (m_playerDb) {
        for (const auto &entry : scoring.players)
            m_scoreBoard->setPlayerPicture(entry.first, m_playerDb->picture(entry.first, true));
    }
    m_scoreBoard->showDialog(false);
    // Centred over the table, so that the side bar's seats stay in sight.
    m_scoreBoard->move(std::max(0, (m_view->width() - m_scoreBoard->width()) / 2),
                       std::max(0, (height() - m_scoreBoard->height()) / 2));
    emit tableActivity(m_table->tableId(), true, TimeSpan());
}

void GameWindow::onEndOfRound(const MonetaryRoundScores &scores)
{
    m_handView->setActive(false);
    writeNotice(tr("Table round ended"));
    dropMeldAuction();
    m_concealedActionDialog->hide();
    if (scores.empty())
        return;
    m_roundScoreBoard->setTableInfo(m_tableInfo);
    m_roundScoreBoard->setMonetaryRoundScores(scores);
    m_roundBoardLastRound = false;
    m_roundScoreBoard->move((width() - m_roundScoreBoard->width()) / 2, (height() - m_roundScoreBoard->height()) / 2);
    m_roundScoreBoard->show();
    m_roundScoreBoard->raise();
    if (m_table)
        emit tableActivity(m_table->tableId(), true, TimeSpan());
}

void GameWindow::onEndOfTournamentRound(bool lastRound, TournamentRoundScores scores)
{
    m_handView->setActive(false);
    dropMeldAuction();
    m_concealedActionDialog->hide();
    m_roundScoreBoard->setTableInfo(m_tableInfo);
    m_roundScoreBoard->setRoundScores(scores);
    m_roundBoardLastRound = lastRound;
    m_roundScoreBoard->move((width() - m_roundScoreBoard->width()) / 2, (height() - m_roundScoreBoard->height()) / 2);
    m_roundScoreBoard->show();
    m_roundScoreBoard->raise();
    if (m_table)
        emit tableActivity(m_table->tableId(), true, TimeSpan());
}

void GameWindow::onRoundScoreCloseClick()
{
    m_roundScoreBoard->hide();
    if (m_table && m_roundScoreBoard->isTournament())
        emit tournamentScoreDialogClosed(m_table->tournamentInfo().id, m_table->tableId(), m_roundBoardLastRound);
}

void GameWindow::onTournamentRoundEnded()
{
    QMessageBox *box = ModelessMsgBox::question(this, tr("Tournament round ended"),
                                                tr("The tournament round has ended, press Ok to go back to lobby"),
                                                QMessageBox::Ok);
    QPointer<GameWindow> self(this);
    ModelessMsgBox::onFinished(box, [self](int button) {
        if (self && button == QMessageBox::Ok)
            self->onLeaveButtonClick();
    });
}

void GameWindow::onAreYouReady(TimeSpan ts, bool seated)
{
    if (!seated) {
        m_scoreBoard->setReadyVisible(true);
        m_scoreBoard->setNextHandTime(ts.end());
        m_washoutWindow->startCountdown(ts.end());
        return;
    }
    m_seatedWindow->stopCountdown();
    if (ts.end().isValid() && ts.end().toSecsSinceEpoch() != 0)
        m_seatedWindow->startCountdown(ts);
    m_seatedWindow->showDialog(true);
}

void GameWindow::onPlayerIsReady(qint32 playerId)
{
    if (m_sideBar->hasPlayer(playerId))
        m_sideBar->setPlayerReady(playerId);
}

void GameWindow::onReadyButtonClick()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    // By the player's state: an offered seat is taken with this click, before
    // any player record marks the player as seated.
    if (!m_table->isSeated())
        return;
    m_playerInactiveWindow->hide();
    m_seatedWindow->hide();
    m_scoreBoard->setReadyVisible(false);
    if (m_sideBar->hasPlayer(m_localPlayerId))
        m_sideBar->setPlayerReady(m_localPlayerId);
    m_scoreBoard->hide();
    // Ready closes the washout notice as it closes the score board.
    m_washoutWindow->hide();
    emit ready(m_table->tableId());
}

void GameWindow::onJoinButtonClick()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    if (m_table->isOwnPlayerSeated()) {
        qCWarning(lcTable) << "Player attempted join an already joined table";
        return;
    }
    m_watchingWindow->hide();
    emit join(m_table->tableId());
}

void GameWindow::onReactivateButtonClicked()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    emit reactivate(m_table->tableId());
}

void GameWindow::setLeaveButtonsEnabled(bool enabled)
{
    m_sideBar->setLeaveEnabled(enabled);
    m_waitingForPlayersWindow->setLeaveEnabled(enabled);
}

void GameWindow::onLeaveButtonClick()
{
    if (!m_table) {
        qCWarning(lcTable) << "m_table not set";
        return;
    }
    m_seatedWindow->hide();
    setLeaveButtonsEnabled(false);
    if (!(m_table->isOwnPlayerSeated() && m_table->isInPlay())) {
        emit leave(m_table->tableId());
        return;
    }
    if (m_leaveBox)
        return;
    const QString name = m_localizationDb ? m_localizationDb->tableName(m_tableInfo)
                                          : QString::number(m_tableInfo.id());
    QMessageBox *box = ModelessMsgBox::question(this, tr("Leave Table"),
                                                tr("Are you sure you want to leave table %1?").arg(name),
                                                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    m_leaveBox = box;
    QPointer<GameWindow> self(this);
    QPointer<GameModel> model = m_table;
    ModelessMsgBox::onFinished(box, [self, model](int button) {
        if (!self)
            return;
        self->m_leaveBox = nullptr;
        self->setLeaveButtonsEnabled(true);
        if (button == QMessageBox::Yes && model && self->m_table == model)
            emit self->leave(model->tableId());
    });
}

void GameWindow::dropLeaveBox()
{
    // Answered No: the player is off the table already, and a leave now
    // would be sent for a seat the player no longer holds.
    if (auto *box = qobject_cast<QMessageBox *>(m_leaveBox.data()))
        box->done(QMessageBox::No);
}

void GameWindow::onLeaveFailed()
{
    setLeaveButtonsEnabled(true);
    updatePanels();
}

void GameWindow::onUnwatchFailed()
{
    setLeaveButtonsEnabled(true);
    updatePanels();
}

void GameWindow::onInviteButtonClick()
{
    // Inviting friends needs the friends list, which this client does not
    // keep yet.
    ModelessMsgBox::information(this, tr("Friends"),
                                tr("You haven't added any friends yet. Click on player names where you see them or "
                                   "go to friends section in the lobby."));
}

void GameWindow::onJoinFailed()
{
    updatePanels();
}

void GameWindow::onPlayerStateChanged(GameModel::player_state_t state)
{
    if (state == GameModel::KICKED && m_table) {
        dropLeaveBox();
        clearTable();
        m_sideBar->clear();
        const qint32 tableId = m_table->tableId();
        QPointer<GameWindow> self(this);
        const int reason = int(m_table->kickReason());
        QMessageBox *box = nullptr;
        bool askDeposit = false;
        switch (reason) {
        case 3:
            // Moved to the watchers: the watch that follows keeps the table.
            break;
        default:
            // Kicked, inactive, and any reason without a text of its own:
            // the answer lets the table go, which a cleared window left
            // without a notice would never do.
            box = ModelessMsgBox::warning(this, tr("Kicked"), tr("You were kicked from the table."));
            break;
        case 2:
            box = ModelessMsgBox::warning(
                this, tr("Kicked"),
                tr("You do not have enough funds to play another hand.\nDo you want to make a deposit now?"),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
            askDeposit = true;
            break;
        case 4:
            box = ModelessMsgBox::warning(
                this, tr("Server error"),
                m_tableInfo.gameType() == 1
                    ? tr("A server error occured and the tournament will be aborted.\nCheck tournament rules for "
                         "details regarding the distribution of the prize pool.")
                    : tr("A server error occured and the game was aborted.\nYour bet and fee will be repaid."));
            break;
        case 5:
            box = ModelessMsgBox::warning(
                this, tr("Kicked"),
                tr("You were kicked from the table as the server will be unavailable due to mainenance."));
            break;
        }
        if (box) {
            ModelessMsgBox::onFinished(box, [self, tableId, askDeposit](int button) {
                if (!self)
                    return;
                if (askDeposit && button == QMessageBox::Yes)
                    emit self->depositFunds();
                emit self->kickedConfirmed(tableId);
            });
        }
    }
    if (state == GameModel::WATCHING || state == GameModel::SEAT_OFFERED)
        m_sideBar->setChatJoined(true);
    if (m_table)
        m_washoutWindow->setWatchOnly(!m_table->isOwnPlayerSeated());
    updatePanels();
}

void GameWindow::updatePanels()
{
    if (!m_table) {
        m_watchingWindow->hide();
        m_waitingForPlayersWindow->hide();
        m_sideBar->setLeaveVisible(false);
        return;
    }
    const GameModel::player_state_t player = m_table->playerState();
    const GameModel::game_state_t game = m_table->gameState();
    const bool tournament = m_tableInfo.gameType() == 1;
    const bool tableLive = game != GameModel::TABLE_REMOVED && game != GameModel::NO_GAME_STATE;
    const bool watching = player == GameModel::WATCHING && !tournament && tableLive && !m_table->isGameRunning();
    if (watching) {
        m_seatedWindow->hide();
        m_watchingWindow->setInfoHidden(m_table->isWatching());
        m_watchingWindow->setJoinEnabled(m_table->isJoinable());
        m_watchingWindow->showDialog(true);
    } else {
        m_watchingWindow->hide();
    }
    const bool leave = (m_table->isInPlay() && player == GameModel::PLAYING)
                       || (game == GameModel::HAND_ENDED && player == GameModel::WAITING)
                       || (player == GameModel::WATCHING && tableLive && !watching);
    m_sideBar->setLeaveVisible(leave);
    if (leave && !m_leaveBox)
        m_sideBar->setLeaveEnabled(true);
    const bool waiting = player == GameModel::WAITING && game != GameModel::TABLE_REMOVED
                         && m_table->seatsRemaining() >= 1 && !tournament && !m_table->isInPlay()
                         && !m_table->isGameRunning();
    if (waiting) {
        m_waitingForPlayersWindow->onSeatsRemaining(m_table->seatsRemaining());
        m_waitingForPlayersWindow->showDialog(true);
    } else {
        m_waitingForPlayersWindow->hide();
    }
}

MeldAuction *GameWindow::meldAuction() const
{
    return m_meldAuction.data();
}
