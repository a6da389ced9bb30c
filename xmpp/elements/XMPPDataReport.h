#pragma once

#include <QList>
#include <QMap>
#include <QMetaType>
#include <QString>
#include <QStringList>

// The table of search results: the columns (name -> label) and the rows.
class XMPPDataReport
{
public:
    struct Row
    {
        // Always lists the name; stores the text only when it is non-empty.
        void add(const QString &name, const QString &text);
        bool contains(const QString &name) const { return vars.contains(name); }
        QString value(const QString &name) const { return values.value(name); }

        QStringList vars;
        QMap<QString, QString> values;
    };

    Row reported;     // column name -> label
    QList<Row> items; // one row per result

    bool isEmpty() const { return reported.vars.isEmpty() && items.isEmpty(); }
};

Q_DECLARE_METATYPE(XMPPDataReport)
