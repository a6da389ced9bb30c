#include "table/ScoreBoard.h"

#include "core/TextFormat.h"
#include "scene/DeclaredView.h"
#include "scene/TileGraphics.h"
#include "table/NextHandCountdown.h"
#include "ui_ScoreBoard.h"

#include <QCoreApplication>
#include <QEvent>
#include <QResizeEvent>
#include <QGraphicsScene>
#include <QLayout>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {
constexpr int DoraScene = 4;
constexpr int UraDoraScene = 5;
// The least of the table left in sight above and below the board; the top
// strip is where the main window shows its notices (a coming maintenance).
constexpr int TableMargin = 32;
// The claim image beside the picture: no taller than the picture leaves
// room for beside the name.
constexpr int ClaimHeight = 40;

const char Row[] = "<tr><td align=\"left\">%1</td><td align=\"right\">%2</td></tr>\n";
const char Spacer[] = "<tr><td colspan=\"2\">&nbsp;</td></tr>\n";
} // namespace

ScoreBoard::ScoreBoard(QWidget *parent)
    : MahjongDialog(parent, 0)
    , m_ui(new Ui::ScoreBoard)
    , m_content(new QFrame(this))
{
    m_ui->setupUi(m_content);
    setWidget(m_content);
    QGraphicsView *views[6] = {m_ui->graphicsView1, m_ui->graphicsView2, m_ui->graphicsView3,
                               m_ui->graphicsView4, m_ui->doraTilesView, m_ui->uraDoraTilesView};
    for (int i = 0; i < 6; ++i) {
        m_scenes[size_t(i)] = new QGraphicsScene(this);
        // One row as long as any hand: the board never wraps a hand.
        m_melds[size_t(i)] = new DeclaredView(0, 2048.0);
        m_melds[size_t(i)]->setPainter(&TileGraphics::instance().unscaledPainter());
        m_scenes[size_t(i)]->addItem(m_melds[size_t(i)]);
        views[i]->setScene(m_scenes[size_t(i)]);
        views[i]->setResizeAnchor(QGraphicsView::AnchorViewCenter);
    }
    connect(m_ui->readyPushButton, &QPushButton::clicked, this, &ScoreBoard::onReadyClick);
    connect(m_ui->closePushButton, &QPushButton::clicked, this, &ScoreBoard::onCloseClick);
    connect(m_ui->leavePushButton, &QPushButton::clicked, this, &ScoreBoard::onLeaveClick);
    connect(&TileGraphics::instance(), &TileGraphics::tileGraphicsChanged, this, &ScoreBoard::onTileGraphicsChanged);
    m_ui->readyPushButton->show();
    m_ui->closePushButton->hide();
    // The board is fitted to its lines once per hand: the countdown coming
    // or going later must not take their room.
    for (QWidget *countdown :
         {static_cast<QWidget *>(m_ui->nextRoundLabel), static_cast<QWidget *>(m_ui->nextRoundTimer)}) {
        QSizePolicy kept = countdown->sizePolicy();
        kept.setRetainSizeWhenHidden(true);
        countdown->setSizePolicy(kept);
    }
    m_countdown = new NextHandCountdown(m_ui->nextRoundLabel, m_ui->nextRoundTimer, this);
    m_countdown->stop();

    // The columns share the board's width evenly: a long name or a text
    // edit's default width must not widen the board past the table.
    for (int column = 0; column < Columns; ++column) {
        m_ui->gridLayout->setColumnStretch(column, 1);
        QSizePolicy lines = scoreText(column)->sizePolicy();
        lines.setHorizontalPolicy(QSizePolicy::Ignored);
        lines.setVerticalPolicy(QSizePolicy::Ignored);
        scoreText(column)->setSizePolicy(lines);
        QSizePolicy name = nameLabel(column)->sizePolicy();
        name.setHorizontalPolicy(QSizePolicy::Ignored);
        nameLabel(column)->setSizePolicy(name);
        nameLabel(column)->installEventFilter(this);
    }
    // Names line up across the columns whether or not a claim image shows.
    for (QLayout *top :
         {m_ui->verticalLayout_2, m_ui->verticalLayout_3, m_ui->verticalLayout_4, m_ui->verticalLayout_5})
        top->setAlignment(Qt::AlignTop);
    // The claim image keeps to its column, scaled down when it is wider.
    for (int column = 0; column < Columns; ++column) {
        QSizePolicy claim = exclamation(column)->sizePolicy();
        claim.setHorizontalPolicy(QSizePolicy::Ignored);
        exclamation(column)->setSizePolicy(claim);
        exclamation(column)->setFixedHeight(ClaimHeight);
        exclamation(column)->installEventFilter(this);
    }
    // A taller board gives its room to the scoring lines.
    m_ui->gridLayout->setRowStretch(3, 1);
    m_ui->verticalLayout->setStretchFactor(m_ui->gridLayout, 1);
    prime();
}

void ScoreBoard::prime()
{
    // The first hand's board must not wait for its style or its layout:
    // both are done when the table is made.
    ensurePolished();
    layOut();
}

ScoreBoard::~ScoreBoard()
{
    delete m_ui;
}

QLabel *ScoreBoard::avatar(int column) const
{
    QLabel *labels[] = {m_ui->avatar1, m_ui->avatar2, m_ui->avatar3, m_ui->avatar4};
    return labels[column];
}

QLabel *ScoreBoard::nameLabel(int column) const
{
    QLabel *labels[] = {m_ui->name1, m_ui->name2, m_ui->name3, m_ui->name4};
    return labels[column];
}

QLabel *ScoreBoard::exclamation(int column) const
{
    QLabel *labels[] = {m_ui->exclamation1, m_ui->exclamation2, m_ui->exclamation3, m_ui->exclamation4};
    return labels[column];
}

QTextEdit *ScoreBoard::scoreText(int column) const
{
    QTextEdit *edits[] = {m_ui->score1, m_ui->score2, m_ui->score3, m_ui->score4};
    return edits[column];
}

QLabel *ScoreBoard::total(int column) const
{
    QLabel *labels[] = {m_ui->total1, m_ui->total2, m_ui->total3, m_ui->total4};
    return labels[column];
}

QString ScoreBoard::claimImage(const PlayerHandScore &score, int winKind, int ruleset)
{
    if (score.result == 1) {
        switch (winKind) {
        case EndHandScoring::MAHJONG:
            return QStringLiteral("textimages:claim-mahjong-game-view.png");
        case EndHandScoring::WIN_ON_DISCARD:
            return QStringLiteral("textimages:claim-ron.png");
        case EndHandScoring::SELF_DRAWN:
            return QStringLiteral("textimages:claim-tsumo.png");
        default:
            return QString();
        }
    }
    if (score.result == 0 && ruleset == 2 && score.settlement > 0)
        return QStringLiteral("textimages:claim-tenpai.png");
    return QString();
}

QString ScoreBoard::scoringHtml(const PlayerHandScore &score, int ruleset)
{
    QString html = QStringLiteral("<table rules=\"groups\" width=\"100%\">");
    const auto heading = [&html](const QString &title) {
        html += QStringLiteral("<tr><td align=\"left\" colspan=\"2\"><u>%1</u></td></tr>\n").arg(title);
    };
    const auto valued = [&html](const score_lines &lines, qint32 sum) {
        for (const score_line &line : lines)
            html += QString::fromLatin1(Row).arg(line.first.toHtmlEscaped(), tr("%L1").arg(line.second));
        html += QStringLiteral("<tr><td></td><td align=\"right\"><span style=\"text-decoration:overline;\">"
                               "%1</span></td></tr>\n")
                    .arg(sum);
        html += QString::fromLatin1(Spacer);
    };
    if (!score.pointsLines.empty()) {
        // The same word names fu in Riichi and fan in International: their
        // translations differ.
        heading(ruleset == 2   ? tr("Points:", "Riichi: fu")
                : ruleset == 1 ? tr("Points:", "International: fan")
                               : tr("Points:"));
        valued(score.pointsLines, score.pointsTotal);
    }
    if (!score.doublesLines.empty()) {
        heading(tr("Doubles:"));
        valued(score.doublesLines, score.doublesTotal);
    }
    if (!score.limitHandLines.empty()) {
        heading(tr("Limit hands:"));
        for (const score_line &line : score.limitHandLines)
            html += QStringLiteral("<tr><td align=\"left\">%1</td><td align=\"right\"></td></tr>\n")
                        .arg(line.first.toHtmlEscaped());
        html += QString::fromLatin1(Spacer);
    }
    if (score.handScore >= 1 && ruleset != 2)
        html += QString::fromLatin1(Row).arg(tr("Hand Score"), tr("%L1").arg(score.handScore));
    html += QStringLiteral("</table>");
    return html;
}

void ScoreBoard::setScoring(const EndHandScoring &scoring, qint32 localPlayerId, const TableInfo &info)
{
    m_shown = Shown{scoring, localPlayerId, info};
    std::vector<PlayerHandScore> entries;
    for (const auto &[id, score] : scoring.players)
        entries.push_back(score);
    std::stable_sort(entries.begin(), entries.end(), [](const PlayerHandScore &a, const PlayerHandScore &b) {
        if ((a.result == 1) != (b.result == 1))
            return a.result == 1;
        return a.handScore > b.handScore;
    });
    if (entries.size() > size_t(Columns))
        entries.resize(Columns);
    m_order.clear();
    for (const PlayerHandScore &entry : entries)
        m_order.push_back(entry.playerId);

    qint32 shownFirst = -1;
    if (!entries.empty()) {
        shownFirst = entries.front().playerId;
        if (entries.front().result != 1 && scoring.players.count(localPlayerId))
            shownFirst = localPlayerId;
    }

    const bool anyPayment = std::any_of(entries.begin(), entries.end(),
                                        [](const PlayerHandScore &e) { return e.payment != 0; });
    for (int column = 0; column < Columns; ++column) {
        m_melds[size_t(column)]->clear();
        if (column >= int(entries.size())) {
            m_claims[size_t(column)] = QPixmap();
            exclamation(column)->clear();
            m_names[size_t(column)].clear();
            showName(column);
            scoreText(column)->clear();
            total(column)->clear();
            m_ui->scoreMelds->setTabText(column, QString());
            continue;
        }
        const PlayerHandScore &entry = entries[size_t(column)];
        m_claims[size_t(column)] = QPixmap(claimImage(entry, scoring.winKind, info.ruleset()));
        showClaim(column);
        for (const tile_group &group : entry.tileGroups)
            m_melds[size_t(column)]->addTileRow(group.first, group.second);
        m_names[size_t(column)] = entry.screenName;
        showName(column);
        scoreText(column)->setHtml(scoringHtml(entry, info.ruleset()));
        QString settlement = QStringLiteral("<table border=\"0\" width=\"100%\">");
        settlement += QString::fromLatin1(Row).arg(tr("Settlement"), tr("%L1").arg(entry.settlement));
        settlement += QString::fromLatin1(Row).arg(tr("Current Score"), tr("%L1").arg(entry.currentScore));
        if (anyPayment)
            settlement += QString::fromLatin1(Row).arg(tr("Payment"), Utils::moneyString(entry.payment));
        settlement += QStringLiteral("</table>");
        total(column)->setText(settlement);
        m_ui->scoreMelds->setTabText(column, entry.result == 1   ? tr("Winning hand")
                                             : entry.result == 0 ? tr("Losing hand")
                                                                 : QString());
    }

    m_melds[DoraScene]->clear();
    m_melds[UraDoraScene]->clear();
    if (scoring.doraTiles.empty()) {
        m_ui->doraTilesFrame->hide();
    } else {
        for (tile t : scoring.doraTiles)
            m_melds[DoraScene]->addTileRow({t});
        const bool ura = !scoring.uraDoraTiles.empty();
        for (tile t : scoring.uraDoraTiles)
            m_melds[UraDoraScene]->addTileRow({t});
        m_ui->uraDoraTilesView->setVisible(ura);
        m_ui->uraDoraTilesLable->setVisible(ura);
        m_ui->doraTilesFrame->show();
    }

    switch (info.gameType()) {
    case TableInfo::SINGLE_HAND:
        m_ui->readyPushButton->setText(tr("Ready"));
        m_ui->leavePushButton->show();
        break;
    case TableInfo::TOURNAMENT:
        m_ui->readyPushButton->setText(tr("Next hand"));
        m_ui->leavePushButton->hide();
        break;
    case TableInfo::FULL_GAME:
        if (scoring.endOfGame) {
            m_ui->readyPushButton->setText(tr("Play (%1)").arg(info.value().betAndFeeText()));
            m_ui->leavePushButton->show();
        } else {
            m_ui->readyPushButton->setText(tr("Next hand"));
            m_ui->leavePushButton->hide();
        }
        break;
    default:
        break;
    }

    fitViews();
    fitToParent();
    if (shownFirst == -1) {
        if (!entries.empty())
            m_ui->scoreMelds->setCurrentIndex(0);
    } else {
        const auto at = std::find(m_order.begin(), m_order.end(), shownFirst);
        if (at != m_order.end())
            m_ui->scoreMelds->setCurrentIndex(int(at - m_order.begin()));
    }
}

void ScoreBoard::fitToParent()
{
    // Measured with the style sheet's fonts, also before the first show.
    ensurePolished();
    // New fonts and pictures reach the hints only as their frames lay out
    // again, which a hidden board does not do by itself: inner ones first.
    const QList<QWidget *> parts = m_content->findChildren<QWidget *>();
    for (auto part = parts.crbegin(); part != parts.crend(); ++part) {
        if (QLayout *inner = (*part)->layout()) {
            inner->invalidate();
            inner->activate();
        }
    }
    const int width = sizeHint().width();
    resize(width, height());
    layOut();
    // The lines as the columns wrap them, without a scroll bar: laid out
    // in the edits' own documents at the width the edits will wrap them at,
    // so that the show need not lay them out again.
    int lines = 0;
    for (int column = 0; column < Columns; ++column) {
        const QTextEdit *edit = scoreText(column);
        const int room = edit->contentsRect().width() > 0 ? edit->contentsRect().width() : width / Columns;
        QTextDocument *document = edit->document();
        if (document->pageSize().width() != room)
            document->setTextWidth(room);
        lines = std::max(lines, int(std::ceil(document->size().height())) + 2 * edit->frameWidth());
    }
    // On a board with room for them, everything but the lines keeps its own
    // height and the lines take the rest: what the board needs follows.
    resize(width, std::max(height(), sizeHint().height() + lines));
    layOut();
    int wanted = height() - scoreText(0)->height() + lines;
    // The table stays in sight around the board; the lines scroll when
    // even that is too little.
    if (const QWidget *table = parentWidget())
        wanted = std::min(wanted, table->height() - 2 * TableMargin);
    resize(width, std::max(wanted, minimumSizeHint().height()));
    layOut();
    layOutLines();
}

void ScoreBoard::layOutLines()
{
    // A hidden edit takes its size, and wraps its lines to it, only when
    // shown: done here, the show finds the lines laid out.
    for (int column = 0; column < Columns; ++column) {
        QTextEdit *edit = scoreText(column);
        // The edit sizes its viewport at its own resize and wraps the lines
        // at the viewport's, unless they are wrapped at that width already.
        for (QWidget *part : {static_cast<QWidget *>(edit), edit->viewport()}) {
            if (part->testAttribute(Qt::WA_PendingResizeEvent)) {
                const bool wrapped = part == edit->viewport() && edit->document()->pageSize().width() == part->width();
                QResizeEvent resized(part->size(), wrapped ? part->size() : QSize());
                QCoreApplication::sendEvent(part, &resized);
                part->setAttribute(Qt::WA_PendingResizeEvent, false);
            }
        }
        edit->document()->size();
    }
}

void ScoreBoard::layOut()
{
    // A hidden board lays out only when asked, and a resize alone does not
    // mark its layouts for doing so.
    for (QLayout *frame : {layout(), m_content->layout()}) {
        frame->invalidate();
        frame->activate();
    }
}

void ScoreBoard::setPlayerPicture(qint32 playerId, const QPixmap &picture)
{
    const auto at = std::find(m_order.begin(), m_order.end(), playerId);
    if (at != m_order.end())
        avatar(int(at - m_order.begin()))->setPixmap(picture);
}

void ScoreBoard::clearPictures()
{
    for (int column = 0; column < Columns; ++column)
        avatar(column)->setPixmap(QPixmap());
}

void ScoreBoard::setReadyVisible(bool visible)
{
    m_ui->readyPushButton->setVisible(visible);
    m_ui->closePushButton->setVisible(!visible);
}

void ScoreBoard::setNextHandTime(const QDateTime &serverTime)
{
    m_countdown->start(serverTime);
}

void ScoreBoard::hideNextHandTime()
{
    m_countdown->stop();
}

const TimeSpan &ScoreBoard::countdown() const
{
    return m_countdown->span();
}

void ScoreBoard::onCloseClick()
{
    hide();
    emit closeClicked();
}

void ScoreBoard::onReadyClick()
{
    hide();
    emit readyClicked();
}

void ScoreBoard::onLeaveClick()
{
    emit leaveClicked();
}

void ScoreBoard::fitViews()
{
    QGraphicsView *views[6] = {m_ui->graphicsView1, m_ui->graphicsView2, m_ui->graphicsView3,
                               m_ui->graphicsView4, m_ui->doraTilesView, m_ui->uraDoraTilesView};
    for (size_t i = 0; i < 6; ++i) {
        m_melds[i]->relayout();
        m_scenes[i]->setSceneRect(m_melds[i]->childrenBoundingRect());
        views[i]->centerOn(m_melds[i]);
    }
}

void ScoreBoard::onTileGraphicsChanged()
{
    fitViews();
}

void ScoreBoard::showName(int column)
{
    QLabel *label = nameLabel(column);
    const QString &name = m_names[size_t(column)];
    const int room = label->contentsRect().width();
    const QString shown = room > 0 ? label->fontMetrics().elidedText(name, Qt::ElideRight, room) : name;
    label->setText(shown);
    // The whole name on hover when it had to be cut, as text, never markup.
    label->setToolTip(shown == name ? QString() : QStringLiteral("<p>%1</p>").arg(name.toHtmlEscaped()));
}

void ScoreBoard::showClaim(int column)
{
    QLabel *label = exclamation(column);
    const QPixmap &image = m_claims[size_t(column)];
    if (image.isNull()) {
        label->clear();
        return;
    }
    // Scaled once per size, not per paint; never enlarged.
    const int room = label->contentsRect().width();
    const QSize box(room > 0 ? room : image.width(), label->height() > 0 ? label->height() : ClaimHeight);
    const QSize fitted = image.size().scaled(box.boundedTo(image.size()), Qt::KeepAspectRatio);
    label->setPixmap(fitted == image.size() ? image
                                            : image.scaled(fitted, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

bool ScoreBoard::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize) {
        for (int column = 0; column < Columns; ++column) {
            if (watched == nameLabel(column))
                showName(column);
            else if (watched == exclamation(column))
                showClaim(column);
        }
    }
    return MahjongDialog::eventFilter(watched, event);
}

void ScoreBoard::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(m_content);
        // The form's words replace the button's and the tabs' of the scoring:
        // the scoring is told again, on the tab the player looks at.
        if (m_shown) {
            const int tab = m_ui->scoreMelds->currentIndex();
            const Shown shown = *m_shown;
            setScoring(shown.scoring, shown.localPlayerId, shown.info);
            m_ui->scoreMelds->setCurrentIndex(tab);
        }
    }
    MahjongDialog::changeEvent(event);
}
