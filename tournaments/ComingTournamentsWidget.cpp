#include "tournaments/ComingTournamentsWidget.h"

#include "ui_ComingTournamentsWidget.h"

#include "tournaments/TournamentsController.h"
#include "tournaments/TournamentsLobbyModel.h"
#include "widgets/ULabel.h"
#include "widgets/UPushButton.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QSpacerItem>
#include <QTextDocument>

#include <algorithm>

ComingTournamentsWidget::ComingTournamentsWidget(QWidget *parent)
    : QFrame(parent)
    , m_ui(std::make_unique<Ui::ComingTournamentsWidget>())
{
    m_ui->setupUi(this);
}

ComingTournamentsWidget::~ComingTournamentsWidget()
{
    // The row frames go before the form's layout that holds them.
    m_rows.clear();
}

void ComingTournamentsWidget::setModel(TournamentsLobbyModel *model)
{
    if (m_model == model)
        return;
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    m_model = model;
    if (!model)
        return;
    // The list is chosen from all tournaments: once per batch of changes the
    // lobby shows, not once per update of a busy lobby.
    connect(model, &TournamentsLobbyModel::changesShown, this, &ComingTournamentsWidget::refresh);
    refresh();
}

void ComingTournamentsWidget::setTournamentsController(TournamentsController *controller)
{
    m_controller = controller;
}

std::vector<qint32> ComingTournamentsWidget::listedIds() const
{
    std::vector<qint32> ids;
    for (const TournamentInfo &info : m_upcoming)
        ids.push_back(info.id);
    return ids;
}

void ComingTournamentsWidget::onTournamentAdded(const TournamentInfo &)
{
    refresh();
}

void ComingTournamentsWidget::onTournamentUpdated(const TournamentInfo &)
{
    refresh();
}

void ComingTournamentsWidget::onTournamentRemoved(qint32)
{
    refresh();
}

void ComingTournamentsWidget::onJoinLeaveButtonClicked(qint32 tournamentId)
{
    const auto it = m_rows.find(tournamentId);
    if (it == m_rows.end())
        return;
    if (it->second.registered)
        emit unregisterTournament(tournamentId);
    else if (m_controller)
        m_controller->createJoinTournamentDialog(tournamentId);
}

void ComingTournamentsWidget::onInfoButtonClicked(qint32 tournamentId)
{
    if (m_controller)
        m_controller->createTournamentDetailDialog(tournamentId);
}

std::vector<TournamentInfo> ComingTournamentsWidget::selection() const
{
    if (!m_model)
        return {};
    std::vector<const TournamentInfo *> open;
    for (qint32 id : m_model->tournamentIds()) {
        const TournamentInfo &info = m_model->tournamentInfo(id);
        if (info.status == TournamentInfo::Open)
            open.push_back(&info);
    }
    // Only the first few are wanted; equal closing times keep the order of
    // their ids.
    const auto listed = open.begin() + std::min(open.size(), m_maxRows);
    std::partial_sort(open.begin(), listed, open.end(), [](const TournamentInfo *a, const TournamentInfo *b) {
        if (a->closeRegister != b->closeRegister)
            return a->closeRegister < b->closeRegister;
        return a->id < b->id;
    });
    std::vector<TournamentInfo> selected;
    for (auto it = open.begin(); it != listed; ++it)
        selected.push_back(**it);
    return selected;
}

void ComingTournamentsWidget::refresh()
{
    ++m_refreshes;
    std::vector<TournamentInfo> next = selection();
    const bool same = std::equal(next.begin(), next.end(), m_upcoming.begin(), m_upcoming.end(),
                                 [](const TournamentInfo &a, const TournamentInfo &b) {
        return a.id == b.id && a.playerRegistered == b.playerRegistered;
    });
    if (same)
        return;
    m_upcoming = std::move(next);
    rebuild();
}

namespace {
const int FormMinimumHeight = 80;
} // namespace

void ComingTournamentsWidget::rebuild()
{
    ++m_rebuilds;
    m_rows.clear();
    int at = 0;
    for (const TournamentInfo &info : m_upcoming) {
        Row row;
        row.registered = info.playerRegistered;
        row.frame = std::make_unique<QFrame>(this);
        auto *layout = new QHBoxLayout(row.frame.get());
        layout->setSpacing(0);
        layout->setContentsMargins(0, 0, 0, 0);
        auto *name = new ULabel(row.frame.get());
        // Names come from the server: plain text, in the label and its tip.
        name->setTextFormat(Qt::PlainText);
        name->setText(info.name);
        name->setToolTip(Qt::convertFromPlainText(info.name));
        name->setElideMode(Qt::ElideRight);
        name->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        layout->addWidget(name);

        auto *strip = new QWidget(row.frame.get());
        auto *stripLayout = new QHBoxLayout(strip);
        stripLayout->setSpacing(0);
        stripLayout->setContentsMargins(0, 0, 0, 0);
        row.joinLeaveButton = new UPushButton(row.frame.get());
        row.infoButton = new UPushButton(row.frame.get());
        stripLayout->addItem(new QSpacerItem(1, 0, QSizePolicy::Expanding));
        stripLayout->addWidget(row.joinLeaveButton);
        stripLayout->addItem(new QSpacerItem(1, 0, QSizePolicy::Expanding));
        stripLayout->addWidget(row.infoButton);
        layout->addWidget(strip);
        for (UPushButton *button : {row.joinLeaveButton, row.infoButton}) {
            button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
            button->setId(info.id);
        }
        connect(row.joinLeaveButton, qOverload<qint32>(&UPushButton::clicked), this,
                &ComingTournamentsWidget::onJoinLeaveButtonClicked);
        connect(row.infoButton, qOverload<qint32>(&UPushButton::clicked), this,
                &ComingTournamentsWidget::onInfoButtonClicked);
        m_ui->tournamentListLayout->addWidget(row.frame.get(), at++, 0);
        m_rows[info.id] = std::move(row);
    }
    setButtonTexts();
}

void ComingTournamentsWidget::setButtonTexts()
{
    for (auto &[id, row] : m_rows) {
        row.joinLeaveButton->setText(row.registered ? tr("Unregister") : tr("Register"));
        row.infoButton->setText(tr("Info"));
    }
}

bool ComingTournamentsWidget::event(QEvent *event)
{
    const bool handled = QFrame::event(event);
    if (event->type() == QEvent::LayoutRequest) {
        // The form's fixed minimum would let a crowded column squeeze the
        // rows until their buttons overlap: never less than the shown rows
        // need (hidden ones count only once shown, hence here).
        setMinimumHeight(std::max(FormMinimumHeight, layout()->minimumSize().height()));
    }
    return handled;
}

void ComingTournamentsWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        setButtonTexts();
    }
    QFrame::changeEvent(event);
}
