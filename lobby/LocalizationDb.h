#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>

#include <map>

class ConnectionManager;
class TableInfo;
class TableModel;
class TranslationsManager;

// The cache of localized table names: per language, the server's name
// templates by name id, in which "{tableId}" stands for the table id.
class LocalizationDb : public QObject
{
    Q_OBJECT

public:
    LocalizationDb(ConnectionManager *connection, TranslationsManager *translations, QObject *parent = nullptr);
    ~LocalizationDb() override;

    // The display name in the current language: "Table(<id>)" for tournament
    // tables, else the table's template with its id filled in; empty when no
    // template is known.
    QString tableName(const TableInfo &info) const;
    // The same for a table of the table model; empty for an unknown id.
    QString tableNameById(qint32 tableId) const;
    // What stands for a name that is not known in the current language: the
    // lobby's "Table %1".
    static QString fallbackTableName(qint32 tableId);
    // tableName, else the fallback.
    QString displayName(const TableInfo &info) const;

    void setTableModel(TableModel *tableModel);

    // The language whose names are shown ("en" without a translations manager).
    QString language() const;
    bool hasTableNames(const QString &language) const { return m_templates.contains(language); }

signals:
    void tableNamesUpdated();

public slots:
    // Asks the server for the names of the current language.
    void requestTableNames();
    void onTableNames(const QString &language, const std::map<qint32, QString> &templates);

private slots:
    void onLanguageChanged();

private:
    QPointer<ConnectionManager> m_connection;
    QPointer<TranslationsManager> m_translations;
    QPointer<TableModel> m_tableModel;
    QHash<QString, QHash<qint32, QString>> m_templates;
};
