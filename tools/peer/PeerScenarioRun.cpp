#include "tools/peer/PeerScenarioRun.h"

#include "protocol/Codec.h"
#include "protocol/FrameReader.h"
#include "protocol/MessageIds.h"
#include "tools/peer/PeerConfig.h"
#include "tools/peer/PeerSession.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace {
typedef WireValue::List L;

constexpr qint32 RiichiDeposit = 1000;

// The messages that ask the player for an answer within their time window.
bool isQuestion(const QString &name)
{
    return name == QLatin1String("player_should_act") || name == QLatin1String("meld_suggestion")
           || name == QLatin1String("concealed_meld_suggestion") || name == QLatin1String("are_you_ready");
}
} // namespace

PeerScenarioRun::PeerScenarioRun(PeerSession &session, const QJsonObject &scenario, const QString &event,
                                 qint32 tableId, const ScenarioJson::Variables &tableVars,
                                 const QMap<QString, QString> &texts)
    : QObject(&session)
    , m_session(session)
    , m_steps(scenario.value(QStringLiteral("steps")).toArray())
    , m_table(tableId)
    , m_event(event)
    , m_vars(tableVars)
    , m_texts(texts)
{
    m_expectTimer.setSingleShot(true);
    connect(&m_expectTimer, &QTimer::timeout, this, &PeerScenarioRun::onExpectTimeout);
    m_deadlineTimer.setSingleShot(true);
    connect(&m_deadlineTimer, &QTimer::timeout, this, &PeerScenarioRun::onDeadline);
    const TableInfo *table = session.findTable(tableId);
    m_hand.start(tableId, table ? table->ruleset() : 0, session.playerId(),
                 [&session](qint32 id) { return session.playerName(id); });
}

void PeerScenarioRun::start()
{
    m_session.log(QStringLiteral("SCENARIO_START %1%2")
                      .arg(m_event, m_table > 0 ? QStringLiteral(" %1").arg(m_table) : QString()));
    QTimer::singleShot(0, this, &PeerScenarioRun::runSteps);
}

ScenarioJson::Variables PeerScenarioRun::variables() const
{
    ScenarioJson::Variables vars = m_session.variables();
    for (auto it = m_vars.begin(); it != m_vars.end(); ++it)
        vars[it.key()] = it.value();
    return vars;
}

QJsonValue PeerScenarioRun::withTexts(const QJsonValue &v) const
{
    if (v.isString() && m_texts.contains(v.toString()))
        return m_texts.value(v.toString());
    if (v.isArray()) {
        QJsonArray a = v.toArray();
        for (auto it = a.begin(); it != a.end(); ++it)
            *it = withTexts(*it);
        return a;
    }
    if (v.isObject()) {
        QJsonObject o = v.toObject();
        for (auto it = o.begin(); it != o.end(); ++it)
            it.value() = withTexts(it.value());
        return o;
    }
    return v;
}

void PeerScenarioRun::runSteps()
{
    m_resuming = false;
    while (m_running && !m_waiting && m_step < m_steps.size()) {
        const QJsonObject step = m_steps.at(m_step).toObject();
        const QString where = QStringLiteral("step %1").arg(m_step + 1);
        ++m_step;
        try {
            if (step.contains(QStringLiteral("send"))) {
                sendStep(step, where);
            } else if (step.value(QStringLiteral("hold")).toBool() && m_session.config().skipHolds) {
                continue;
            } else if (step.contains(QStringLiteral("next_round"))) {
                const ScenarioJson::Variables vars = variables();
                if (!vars.contains(QStringLiteral("tournament")))
                    throw std::invalid_argument("next_round away from a tournament table");
                m_session.nextRound(qint32(vars.value(QStringLiteral("tournament"))),
                                    qint32(vars.value(QStringLiteral("table"))));
            } else if (step.contains(QStringLiteral("if"))) {
                // Steps for the hand the player holds: the tiles named must
                // all be in the player's concealed hand.
                tile_vector wanted;
                for (const QJsonValue &t :
                     step.value(QStringLiteral("if")).toObject().value(QStringLiteral("holds")).toArray())
                    wanted.push_back(tile(t.toInt()));
                insertSteps(step.value(m_hand.ownHandHolds(wanted) ? QStringLiteral("then") : QStringLiteral("else")));
            } else if (step.contains(QStringLiteral("expect"))) {
                expectStep(step);
            } else if (step.contains(QStringLiteral("wait_ms"))) {
                // What came before a pause answered nothing asked yet.
                m_early.clear();
                m_resuming = false;
                m_waiting = true;
                QTimer::singleShot(step.value(QStringLiteral("wait_ms")).toInt(), this, [this] {
                    m_waiting = false;
                    runSteps();
                });
            } else if (step.contains(QStringLiteral("raw"))) {
                m_session.writeRepeated(QByteArray::fromHex(step.value(QStringLiteral("raw")).toString().toLatin1()),
                                        step.value(QStringLiteral("repeat")).toInt(1));
            } else if (step.contains(QStringLiteral("stop_reading"))) {
                m_session.stopReading();
            } else if (step.contains(QStringLiteral("close"))) {
                m_session.closeConnection();
            } else {
                throw std::invalid_argument(
                    "step without send, expect, if, wait_ms, raw, stop_reading, next_round or close");
            }
        } catch (const std::exception &e) {
            fail(where + QStringLiteral(": ") + QString::fromUtf8(e.what()));
            return;
        }
    }
    if (m_running && !m_waiting && m_step >= m_steps.size()) {
        m_early.clear();
        m_session.log(
            QStringLiteral("SCENARIO_DONE%1").arg(m_table > 0 ? QStringLiteral(" %1").arg(m_table) : QString()));
        stop();
    }
}

void PeerScenarioRun::sendStep(const QJsonObject &step, const QString &where)
{
    const std::string name = step.value(QStringLiteral("send")).toString().toStdString();
    const Codec::Message *m = Codec::instance().messageByName(name);
    if (!m || m->space != Codec::Frame)
        throw std::invalid_argument("unknown message " + name);
    QJsonValue json = withTexts(step.value(QStringLiteral("fields")));
    const QString message = QString::fromStdString(m->name);
    const qint64 questionMs = m_session.config().questionMs;
    if (questionMs > 0 && (isQuestion(message) || message == QLatin1String("waiting_for"))
        && json.toObject().value(QStringLiteral("ts")).isObject()) {
        QJsonObject o = json.toObject();
        QJsonObject ts = o.value(QStringLiteral("ts")).toObject();
        ts[QStringLiteral("end")] = QStringLiteral("now+%1").arg(questionMs);
        o[QStringLiteral("ts")] = ts;
        json = o;
    }
    const WireValue::List fields = ScenarioJson::recordToWire(m->body, json, variables(), where);
    const int repeat = step.value(QStringLiteral("repeat")).toInt(1);
    if (repeat == 1)
        m_session.send(m->id, fields);
    else
        m_session.writeRepeated(FrameReader::frame(Codec::instance().encode(m->id, fields)), repeat);
    m_hand.sent(m->id, fields);
    if (isQuestion(message))
        questionSent(message, ScenarioJson::recordToJson(m->body, fields).toObject());
    if (m->id == msg::RIICHI_DECLARED && fields.at(0).toInt32() == m_table)
        takeRiichiDeposit(fields.at(1).toInt32());
    m_session.scenarioSent(m->id, fields);
}

void PeerScenarioRun::expectStep(const QJsonObject &step)
{
    const QJsonValue names = step.value(QStringLiteral("expect"));
    m_expectNames.clear();
    if (names.isArray()) {
        for (const QJsonValue &n : names.toArray())
            m_expectNames << n.toString();
    } else {
        m_expectNames << names.toString();
    }
    m_expectNames.removeAll(QString());
    if (m_expectNames.isEmpty())
        throw std::invalid_argument("expect names no request");
    m_reply = step.value(QStringLiteral("reply")).toObject();
    m_expectFields = ScenarioJson::substitute(step.value(QStringLiteral("fields")), variables());
    m_capture = step.value(QStringLiteral("capture")).toObject();
    m_waiting = true;
    m_expectTimer.start(step.value(QStringLiteral("timeout_ms")).toInt(5000));
    // A question with its deadline: answered for the player when it runs
    // out, soon after it was asked for a player who is away.
    m_onDeadline = step.value(QStringLiteral("on_deadline")).toString();
    if (!m_onDeadline.isEmpty() && m_questionEnd.isValid()) {
        const qint64 left = QDateTime::currentDateTimeUtc().msecsTo(m_questionEnd);
        const qint64 wait = m_away ? m_session.config().awayAnswerMs : left;
        m_deadlineTimer.start(int(std::clamp<qint64>(wait, 0, 3600000)));
    }
    // What ends this wait may have been read already; what was read before
    // it is dropped, as a request nobody waits for is.
    while (m_waiting && !m_early.isEmpty()) {
        const auto [name, fields] = m_early.takeFirst();
        checkExpect(name, fields, false);
    }
}

void PeerScenarioRun::insertSteps(const QJsonValue &steps)
{
    const QJsonArray list = steps.isArray() ? steps.toArray() : QJsonArray{steps};
    for (qsizetype i = list.size() - 1; i >= 0; --i) {
        if (list.at(i).isObject())
            m_steps.insert(m_step, list.at(i));
    }
}

bool PeerScenarioRun::expects(const QString &request) const
{
    if (!m_running)
        return false;
    if (m_waiting && m_expectNames.contains(request))
        return true;
    std::function<bool(const QJsonArray &, qsizetype)> ahead = [&](const QJsonArray &steps, qsizetype from) {
        for (qsizetype i = from; i < steps.size(); ++i) {
            const QJsonObject step = steps.at(i).toObject();
            const QJsonValue expect = step.value(QStringLiteral("expect"));
            if (expect.toString() == request || expect.toArray().contains(QJsonValue(request)))
                return true;
            const QJsonObject reply = step.value(QStringLiteral("reply")).toObject();
            for (auto it = reply.begin(); it != reply.end(); ++it)
                if (ahead(it.value().isArray() ? it.value().toArray() : QJsonArray{it.value()}, 0))
                    return true;
            for (const char *branch : {"then", "else"}) {
                const QJsonValue steps = step.value(QLatin1String(branch));
                if (!steps.isUndefined() && ahead(steps.isArray() ? steps.toArray() : QJsonArray{steps}, 0))
                    return true;
            }
        }
        return false;
    };
    return ahead(m_steps, m_step);
}

void PeerScenarioRun::received(const QString &name, const QJsonValue &fields)
{
    if (!m_running)
        return;
    if (m_lateNames.contains(name))
        m_session.log(QStringLiteral("LATE ") + name); // the peer answered that question already
    else if (!m_waiting && m_resuming)
        m_early.append({name, fields});
    else
        checkExpect(name, fields, false);
}

void PeerScenarioRun::checkExpect(const QString &name, const QJsonValue &fields, bool byPeer)
{
    if (!m_waiting || !m_expectNames.contains(name))
        return;
    if (!m_expectFields.isUndefined() && !m_expectFields.isNull() && !ScenarioJson::matches(m_expectFields, fields))
        return;
    m_deadlineTimer.stop();
    if (!byPeer) {
        // The player answered: the time-outs so far are forgiven, and a
        // player who was away is back.
        m_timeouts = 0;
        if (m_away)
            setAway(false);
    }
    for (auto it = m_capture.begin(); it != m_capture.end(); ++it) {
        const QJsonValue v = fields.toObject().value(it.key());
        if (v.isDouble())
            m_vars[it.value().toString()] = qint64(v.toDouble());
    }
    m_expectTimer.stop();
    m_expectNames.clear();
    // The answer to this request plays next.
    insertSteps(m_reply.value(name));
    m_reply = QJsonObject();
    m_waiting = false;
    m_resuming = true;
    QTimer::singleShot(0, this, &PeerScenarioRun::runSteps);
}

void PeerScenarioRun::questionSent(const QString &name, const QJsonObject &fields)
{
    // A turn of another player asks the player nothing.
    if (name == QLatin1String("player_should_act")
        && fields.value(QStringLiteral("playerId")).toInteger() != m_session.playerId())
        return;
    const QString end = fields.value(QStringLiteral("ts")).toObject().value(QStringLiteral("end")).toString();
    m_questionEnd = QDateTime::fromString(end, Qt::ISODateWithMs);
    // A new question: an answer now is this one's, not a late one.
    m_lateNames.clear();
}

void PeerScenarioRun::onDeadline()
{
    if (!m_running || !m_waiting || m_onDeadline.isEmpty() || !m_expectNames.contains(m_onDeadline))
        return;
    const qint32 table = variables().value(QStringLiteral("table"));
    QJsonObject answer{{QStringLiteral("tableId"), table}, {QStringLiteral("playerId"), m_session.playerId()}};
    if (m_onDeadline == QLatin1String("discard_tile"))
        answer[QStringLiteral("tile")] = int(m_hand.timeoutDiscard());
    m_session.log(QStringLiteral("TIMEOUT ") + m_onDeadline);
    // Ready is not a decision of the hand: the table goes on without a word.
    if (m_onDeadline != QLatin1String("ready"))
        m_session.send(msg::TIMEOUT_OCCURRED, L{table});
    if (++m_timeouts >= 2 && !m_away)
        setAway(true);
    m_lateNames = m_expectNames;
    checkExpect(m_onDeadline, answer, true);
}

void PeerScenarioRun::setAway(bool away)
{
    m_away = away;
    if (!away)
        m_timeouts = 0;
    m_hand.setOwnActive(!away);
    m_session.send(msg::ACTIVE_CHANGED, L{variables().value(QStringLiteral("table")), !away});
}

void PeerScenarioRun::reactivate()
{
    if (m_away)
        setAway(false);
}

void PeerScenarioRun::takeRiichiDeposit(qint32 playerId)
{
    if (!m_hand.inHand())
        return;
    m_hand.takePoints(playerId, RiichiDeposit);
    m_session.send(msg::GAME_DATA, m_hand.gameData());
    if (const std::optional<WireValue::List> own = m_hand.privateData())
        m_session.send(msg::PRIVATE_PLAYER_DATA, *own);
}

void PeerScenarioRun::onExpectTimeout()
{
    fail(QStringLiteral("step %1: no %2 arrived").arg(m_step).arg(m_expectNames.join(QLatin1Char('/'))));
}

void PeerScenarioRun::fail(const QString &reason)
{
    m_session.log(QStringLiteral("SCENARIO_FAILED ") + reason);
    stop();
}

void PeerScenarioRun::leave()
{
    if (!m_running)
        return;
    m_session.log(QStringLiteral("SCENARIO_LEFT %1").arg(m_table));
    stop();
}

void PeerScenarioRun::stop()
{
    m_running = false;
    m_waiting = false;
    m_expectTimer.stop();
    m_deadlineTimer.stop();
    m_expectNames.clear();
    m_reply = QJsonObject();
    emit finished();
}
