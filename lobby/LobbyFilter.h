#pragma once

#include <QString>

class QAbstractItemModel;

// Chooses the rows of the lobby's table model that a LobbyModel shows, and
// names the lobby paths that must be subscribed for them to arrive.
class LobbyFilter
{
public:
    virtual ~LobbyFilter();

    virtual int lobbyPathCount() const = 0;
    virtual QString lobbyPath(int index) const = 0;
    // model is the table model (the LobbyModel's source), row a row of it.
    virtual bool acceptsRow(const QAbstractItemModel *model, int row) const = 0;
};
