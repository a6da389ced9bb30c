#include "lobby/LocalizationDb.h"

#include "lobby/TableModel.h"
#include "protocol/ConnectionManager.h"
#include "protocol/TableInfo.h"
#include "widgets/TranslationsManager.h"

#include <QCoreApplication>

LocalizationDb::LocalizationDb(ConnectionManager *connection, TranslationsManager *translations, QObject *parent)
    : QObject(parent)
    , m_connection(connection)
    , m_translations(translations)
{
    if (connection)
        connect(connection, &ConnectionManager::tableNames, this, &LocalizationDb::onTableNames);
    if (translations)
        connect(translations, &TranslationsManager::languageChanged, this, &LocalizationDb::onLanguageChanged);
}

LocalizationDb::~LocalizationDb() = default;

QString LocalizationDb::tableName(const TableInfo &info) const
{
    if (info.isTournamentTable())
        return tr("Table(%1)").arg(info.id());
    const auto language = m_templates.constFind(this->language());
    if (language == m_templates.cend())
        return QString();
    const auto name = language->constFind(info.nameId());
    if (name == language->cend())
        return QString();
    QString text = *name;
    return text.replace(QLatin1String("{tableId}"), QString::number(info.id()));
}

QString LocalizationDb::tableNameById(qint32 tableId) const
{
    if (!m_tableModel || !m_tableModel->hasTable(tableId))
        return QString();
    return tableName(m_tableModel->tableInfo(tableId));
}

QString LocalizationDb::fallbackTableName(qint32 tableId)
{
    return QCoreApplication::translate("TableModel", "Table %1").arg(tableId);
}

QString LocalizationDb::displayName(const TableInfo &info) const
{
    const QString name = tableName(info);
    return name.isEmpty() ? fallbackTableName(info.id()) : name;
}

void LocalizationDb::setTableModel(TableModel *tableModel)
{
    m_tableModel = tableModel;
}

QString LocalizationDb::language() const
{
    if (m_translations && !m_translations->language().isEmpty())
        return m_translations->language();
    return QStringLiteral("en");
}

void LocalizationDb::requestTableNames()
{
    if (m_connection)
        m_connection->query_table_names(language());
}

void LocalizationDb::onTableNames(const QString &language, const std::map<qint32, QString> &templates)
{
    QHash<qint32, QString> names;
    names.reserve(qsizetype(templates.size()));
    for (const auto &[nameId, text] : templates)
        names.insert(nameId, text);
    m_templates.insert(language, names);
    if (language == this->language())
        emit tableNamesUpdated();
}

void LocalizationDb::onLanguageChanged()
{
    if (!hasTableNames(language()))
        requestTableNames();
    // Names cached for the new language show at once; the others when the
    // server's answer arrives.
    emit tableNamesUpdated();
}
