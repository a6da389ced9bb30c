#pragma once

#include <QStandardItem>

// The registration mark of a tournament row: an icon for the decoration
// role, the flag itself under TournamentRoles::RegisteredRole.
class CheckedItem : public QStandardItem
{
public:
    explicit CheckedItem(bool checked);

    bool isChecked() const { return m_checked; }
    // Announces the change only when the flag changes.
    void setChecked(bool checked);

    QVariant data(int role = Qt::UserRole + 1) const override;
    QStandardItem *clone() const override;

private:
    bool m_checked;
};
