#include "tools/peer/PeerConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTextStream>

#include <stdexcept>

namespace {
TableInfo table(qint32 id, const QString &path, int ruleset, int seats, int seated, int gameType, qint64 bet,
                qint64 fee, int nameId)
{
    TableInfo t(id, path);
    t.setRuleset(ruleset);
    t.setCapacity(seats);
    t.setSeated(seated);
    t.setGameType(gameType);
    t.setWindRounds(gameType == TableInfo::FULL_GAME ? 2 : 1);
    t.setValue(ValueColumnType(bet > 0 ? 1 : 0, bet, fee));
    t.setNameId(nameId);
    return t;
}
} // namespace

void PeerConfig::loadAccounts(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw std::runtime_error("cannot read accounts file " + fileName.toStdString());
    QTextStream in(&file);
    int lineNo = 0;
    while (!in.atEnd()) {
        ++lineNo;
        const QString line = in.readLine().section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.isEmpty())
            continue;
        const QStringList parts = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (parts.size() < 3)
            throw std::runtime_error("accounts file line " + std::to_string(lineNo)
                                     + ": expected user, password and player id");
        addAccount(parts.join(QLatin1Char(':')));
    }
}

void PeerConfig::addAccount(const QString &account)
{
    const QStringList parts = account.split(QLatin1Char(':'));
    if (parts.size() < 2 || parts[0].isEmpty())
        throw std::runtime_error("bad account " + account.section(QLatin1Char(':'), 0, 0).toStdString()
                                 + ": expected user:password[:id[:name[:status]]]");
    Account a;
    a.user = parts[0];
    a.password = parts[1];
    bool ok = true;
    a.playerId = parts.size() > 2 ? parts[2].toInt(&ok) : qint32(1000 + accounts.size());
    if (!ok)
        throw std::runtime_error("bad player id for account " + a.user.toStdString());
    a.name = parts.size() > 3 ? parts[3] : a.user;
    a.loginStatus = parts.size() > 4 ? parts[4].toInt(&ok) : 0;
    if (!ok)
        throw std::runtime_error("bad login status for account " + a.user.toStdString());
    accounts.push_back(a);
}

void PeerConfig::publishNames() const
{
    if (namesDir.isEmpty())
        return;
    // Written aside and renamed, so that a reader never sees half a file.
    QDir().mkpath(namesDir);
    const QString path = QDir(namesDir).filePath(
        QStringLiteral("peer-%1.names").arg(QCoreApplication::applicationPid()));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (const Account &a : accounts) {
        QString name = a.name;
        name.replace(QRegularExpression(QStringLiteral("[\\t\\r\\n]")), QStringLiteral(" "));
        file.write(QStringLiteral("%1\t%2\n").arg(a.playerId).arg(name).toUtf8());
    }
    file.commit();
}

void PeerConfig::loadScenario(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read scenario " + fileName.toStdString());
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (!doc.isObject())
        throw std::runtime_error("scenario " + fileName.toStdString()
                                 + " is not a JSON object: " + error.errorString().toStdString());
    scenarios.push_back(doc.object());
    addPlayerNames(doc.object());
}

void PeerConfig::addPlayerNames(const QJsonValue &value)
{
    // The scenario's players ("player": {"id": 901, "name": "Bot South"})
    // are known by name, as a server knows who sits at its tables.
    if (value.isArray()) {
        for (const QJsonValue &item : value.toArray())
            addPlayerNames(item);
        return;
    }
    if (!value.isObject())
        return;
    const QJsonObject object = value.toObject();
    const QJsonObject player = object.value(QStringLiteral("player")).toObject();
    const QJsonValue id = player.value(QStringLiteral("id"));
    const QJsonValue name = player.value(QStringLiteral("name"));
    if (id.isDouble() && name.isString())
        names.emplace(id.toInt(), name.toString());
    for (const QJsonValue &item : object)
        addPlayerNames(item);
}

void PeerConfig::addDefaultLobby()
{
    tables.push_back(table(1001, QStringLiteral("101/Practice"), 0, 4, 0, TableInfo::SINGLE_HAND, 0, 0, 1));
    tables.push_back(table(1002, QStringLiteral("101/Practice"), 2, 4, 1, TableInfo::FULL_GAME, 0, 0, 1));
    tables.push_back(table(1003, QStringLiteral("101/Practice"), 1, 4, 2, TableInfo::EAST_ONLY, 0, 0, 1));
    tables.push_back(table(2001, QStringLiteral("101/Money"), 0, 4, 1, TableInfo::SINGLE_HAND, 100, 10, 2));
    tables.push_back(table(2002, QStringLiteral("101/Money"), 2, 4, 4, TableInfo::FULL_GAME, 500, 25, 2));
    TableInfo tt = table(7001, QStringLiteral("101/mtt/7"), 0, 4, 4, TableInfo::TOURNAMENT, 0, 0, 3);
    tt.setTournamentId(7);
    tables.push_back(tt);
    // A Riichi table for three, as "/Practice/Riichi/3/" asks for.
    tables.push_back(table(1004, QStringLiteral("101/Practice"), 2, 3, 0, TableInfo::SINGLE_HAND, 0, 0, 1));

    const QDateTime now = QDateTime::currentDateTimeUtc();
    TournamentInfo t7;
    t7.id = 7;
    t7.persistentId = 70;
    t7.status = TournamentInfo::Open;
    t7.name = QStringLiteral("Sunday Classic");
    t7.registeredPlayers = 12;
    t7.maxPlayers = 64;
    t7.start = now.addSecs(3600);
    t7.closeRegister = now.addSecs(3300);
    t7.numberOfRounds = 3;
    t7.roundsStart = {t7.start, t7.start.addSecs(1800), t7.start.addSecs(3600)};
    t7.roundsLength = {1500, 1500, 1500};
    t7.ruleset = 0;
    t7.cost = TournamentCost(1000, 100);
    tournaments.push_back(t7);
    TournamentInfo t8 = t7;
    t8.id = 8;
    t8.persistentId = 80;
    t8.status = TournamentInfo::Playing;
    t8.name = QStringLiteral("Riichi Masters");
    t8.start = now.addSecs(-600);
    t8.closeRegister = now.addSecs(-900);
    t8.roundsStart = {t8.start, t8.start.addSecs(1800), t8.start.addSecs(3600)};
    t8.ruleset = 2;
    t8.cost = TournamentCost(-1, 0);
    tournaments.push_back(t8);

    tableNames[QStringLiteral("en")] = {{1, QStringLiteral("Practice {tableId}")},
                                        {2, QStringLiteral("High Roller {tableId}")},
                                        {3, QStringLiteral("Tournament table {tableId}")}};
    tableNames[QStringLiteral("ja")] = {{1, QStringLiteral("練習 {tableId}")},
                                        {2, QStringLiteral("ハイローラー {tableId}")},
                                        {3, QStringLiteral("大会卓 {tableId}")}};
}

const PeerConfig::Account *PeerConfig::findAccount(const QString &user) const
{
    for (const Account &a : accounts)
        if (a.user == user)
            return &a;
    return nullptr;
}

const PeerConfig::Account *PeerConfig::findAccount(qint32 playerId) const
{
    for (const Account &a : accounts)
        if (a.playerId == playerId)
            return &a;
    return nullptr;
}
