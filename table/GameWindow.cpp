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
#include "scene/TableGraphicsView.h"
#include "scene/TileAnimation.h"
#include "scene/TileAnimationSet.h"
#include "scene/TileGraphics.h"
#include "scene/TileView.h"
#include "scene/TimerView.h"
#include "scene/WindView.h"
#include "social/ChatController.h"
#include "social/PlayerDb.h"
#include "social/TableInviteDialog.h"
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
#include "sound/SoundPlayer.h"
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
#include <set>

namespace {

bool setting(const char *key, bool fallback)
{
    return QSettings().value(QLatin1String(key), fallback).toBool();
}

// The cloth with the shading bands along its top and right edges (towards
// the side bar): black at alpha 100 at the edge to clear 8 pixels in. Made
// once per size.
QBrush bandedCloth(int width, int height)
{
    static QImage banded;
    static qint64 madeFrom = 0;
    const QBrush cloth = GameWindow::backgroundBrush(width, height);
    const QImage base = cloth.textureImage();
    if (base.isNull() || base.size() != QSize(width, height))
        return cloth;
    if (base.cacheKey() != madeFrom || banded.size() != base.size()) {
        banded = base.convertToFormat(QImage::Format_RGB32);
        QPainter p(&banded);
        QLinearGradient top(0, 0, 0, 8);
        top.setColorAt(0, QColor(0, 0, 0, 100));
        top.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRect(0, 0, width, 8), top);
        QLinearGradient right(width, 0, width - 8, 0);
        right.setColorAt(0, QColor(0, 0, 0, 100));
        right.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRect(width - 8, 0, 8, height), right);
        p.end();
        madeFrom = base.cacheKey();
    }
    return QBrush(banded);
}

// Every table window: the tiles' scale is one for all of them.
std::set<const GameWindow *> &tableWindows()
{
    static std::set<const GameWindow *> windows;
    return windows;
}

} // namespace

GameWindow::GameWindow(QWidget *mainWindow, qint32 localPlayerId, LocalizationDb *localizationDb,
                       ChatController *chatController, PlayerDb *playerDb)
    : QWidget(nullptr)
    , m_mainWindow(mainWindow)
    , m_decision(localPlayerId)
    , m_localPlayerId(localPlayerId)
    , m_localizationDb(localizationDb)
    , m_chatController(chatController)
    , m_playerDb(playerDb)
{
    tableWindows().insert(this);
    m_actions = new GameWindowActionQueue(this);
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("GameForm"));
    resize(1024, 768);
    // Keeps the cloth as a picture: drawn once per size, then copied.
    m_view = new TableGraphicsView(this);
    m_view->setObjectName(QStringLiteral("GameView"));
    m_view->setGeometry(0, 0, 1024, 768);
    m_view->setFrameShape(QFrame::NoFrame);
    m_view->setScene(&m_scene);
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
    m_timeoutTimer.setSingleShot(true);
    m_timeoutTimer.setInterval(2000);
    connect(&m_timeoutTimer, &QTimer::timeout, this, &GameWindow::hideTimeoutItem);
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
    m_washoutWindow->installEventFilter(this);
    m_scoreBoard->installEventFilter(this);
    connect(m_washoutWindow, &WashoutWindow::readyButtonClicked, this, &GameWindow::onReadyButtonClick);
    connect(m_washoutWindow, &WashoutWindow::leaveButtonClicked, this, &GameWindow::onLeaveButtonClick);

    m_roundScoreBoard = new RoundScoreBoard(m_localizationDb, this);
    m_roundScoreBoard->hide();
    m_roundScoreBoard->installEventFilter(this);
    connect(m_roundScoreBoard, &RoundScoreBoard::closeClick, this, &GameWindow::onRoundScoreCloseClick);
    if (m_playerDb) {
        QPointer<PlayerDb> db = m_playerDb;
        m_roundScoreBoard->setPlayerLookup([db](qint32 id) { return db ? db->screenname(id) : QString(); },
                                           [db](qint32 id) { return db ? db->picture(id, true) : QPixmap(); });
        // Names and pictures asked for when the board is filled arrive later.
        connect(m_playerDb, &PlayerDb::playerNameUpdate, m_roundScoreBoard, &RoundScoreBoard::onPlayerNameUpdate);
        connect(m_playerDb, &PlayerDb::playerPictureUpdate, m_roundScoreBoard, &RoundScoreBoard::onPlayerPictureUpdate);
    }

    // The turn and claim countdowns are read from across the room: large
    // cream seconds on a dark badge, on the cloth and on tiles alike.
    const QString countdownStyle = QStringLiteral(
        "TimerView { qproperty-displayType: DEC_COUNTER; color: #f3e9c6; font-size: 16pt; font-weight: bold; }");
    m_turnTimer = new TimerView(this, {}, TimerView::DEC_COUNTER);
    m_turnTimer->setObjectName(QStringLiteral("turnTimer"));
    m_bigTurnTimer = new TimerView(this, {}, TimerView::DEC_COUNTER);
    m_bigTurnTimer->setObjectName(QStringLiteral("claimTimer"));
    m_bigTurnTimer->setShadowOffset(4);
    for (TimerView *countdown : {m_turnTimer, m_bigTurnTimer}) {
        countdown->setStyleSheet(countdownStyle);
        countdown->setBackdropColor(QColor(11, 61, 46, 224));
        countdown->setGeometry(0, 0, 44, 30);
        countdown->hide();
    }

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
    tableWindows().erase(this);
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
    if (m_table)
        m_cityView->setTableInfo(m_tableInfo);
    m_cityView->clearWallState();
    layWallFromModel();
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
        // A table out of sight (one just made, or behind another) must not
        // lay the table on screen out at its own size: it takes the scale
        // when it is shown.
        const bool anotherShown = std::any_of(tableWindows().begin(), tableWindows().end(),
                                              [this](const GameWindow *w) { return w != this && w->isVisible(); });
        if (std::isfinite(scale) && scale > 0 && (isVisible() || !anotherShown))
            TileGraphics::instance().setGameScale(scale);
    }
    const double scale = TileGraphics::instance().gameScale();
    for (WindView *wind : m_windViews)
        wind->setScale(scale);
    m_prevalentWindView->setScale(1.5 * scale);
    m_scene.setBackgroundBrush(bandedCloth(width, height));
    // The shading bands along the top and the right edge are part of the
    // cloth: the view copies them from its cached background instead of
    // filling two gradients at every repaint.
    m_topBand->setRect(0, 0, width, 8);
    m_rightBand->setRect(width - 8, 0, 8, height);
    m_topBand->hide();
    m_rightBand->hide();
}

void GameWindow::runLayout()
{
    m_layout->layout();
    placeStatusItems();
    coverCutBanners();
}

void GameWindow::coverCutBanners()
{
    // A banner a board's edge cuts would peek out from under it torn: it
    // shows whole beside a board or not at all.
    std::vector<QRect> boards;
    for (QWidget *board : {static_cast<QWidget *>(m_scoreBoard), static_cast<QWidget *>(m_washoutWindow),
                           static_cast<QWidget *>(m_roundScoreBoard)}) {
        if (board && !board->isHidden())
            boards.push_back(board->geometry());
    }
    for (PlayerActionView *banner : m_actionViews) {
        const QRect inView = m_view->mapFromScene(banner->sceneBoundingRect()).boundingRect();
        const QRect shown(m_view->viewport()->mapTo(this, inView.topLeft()), inView.size());
        const bool cut = std::any_of(boards.begin(), boards.end(), [&shown](const QRect &board) {
            return board.intersects(shown) && !board.contains(shown);
        });
        banner->setOpacity(cut ? 0.0 : 1.0);
    }
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
        m_watchingWindow, m_waitingForPlayersWindow, m_seatedWindow,       m_playerInactiveWindow, m_scoreBoard,
        m_washoutWindow,  m_roundScoreBoard,         m_meldAuction.data(), m_inviteDialog};
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

void GameWindow::showEvent(QShowEvent *event)
{
    // The scale may be another table's, set while this one was out of sight.
    const QSize design = m_layout->designSize();
    const int w = m_view->width(), h = m_view->height();
    if (w > 0 && h > 0 && design.width() > 0 && design.height() > 0) {
        const double fitting = std::min(double(w) / design.width(), double(h) / design.height());
        if (std::isfinite(fitting) && fitting > 0
            && std::floor(fitting * 32) / 32 != TileGraphics::instance().gameScale()) {
            m_actions->flush();
            relayout(w, h);
            runLayout();
        }
    }
    QWidget::showEvent(event);
}

bool GameWindow::eventFilter(QObject *watched, QEvent *event)
{
    // A board closed (not merely out of sight with the window): the hand it
    // scored is over, and its banners with it.
    if (event->type() == QEvent::Hide && (watched == m_scoreBoard || watched == m_washoutWindow)
        && static_cast<QWidget *>(watched)->isHidden() && !m_showingBoard)
        hideClaimBanners();
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide || type == QEvent::Move || type == QEvent::Resize)
        && (watched == m_scoreBoard || watched == m_washoutWindow || watched == m_roundScoreBoard))
        coverCutBanners();
    return QWidget::eventFilter(watched, event);
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
        // The word pictures are drawn per language.
        m_timeoutItem->setPixmap(QPixmap(QStringLiteral("textimages:/timeout.png")));
        m_furitenItem->setPixmap(QPixmap(QStringLiteral("textimages:/furiten.png")));
        placeStatusItems();
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

bool GameWindow::showsHandFaceUp(int position) const
{
    // The seated player's tiles are in the rack from the deal on.
    return position == 0 && m_seatPlayers[0] == m_localPlayerId && m_table && m_table->isOwnPlayerSeated();
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
    // Before the first hand the model's counts are zeros, not an empty wall.
    const GameModel::game_state_t state = m_table->gameState();
    if (state == GameModel::NO_GAME_STATE || state == GameModel::GAME_NOT_STARTED) {
        m_cityView->clearWallState();
        return;
    }
    const PlayerData *bottom = seatRecord(0);
    m_cityView->setWallState(bottom ? bottom->wind() : 0, liveTiles == -1 ? m_table->liveTiles() : liveTiles,
                             m_table->deadWallTiles(), m_table->deadWallPosition(), m_table->deadWallTilesDealt(),
                             m_table->doraTiles());
}
