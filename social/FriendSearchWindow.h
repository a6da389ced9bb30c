#pragma once

#include "xmpp/elements/XMPPDataForm.h"
#include "xmpp/elements/XMPPDataReport.h"
#include "xmpp/elements/XMPPJid.h"

#include <QMenu>
#include <QWidget>

#include <memory>

class QAction;
class QTreeWidgetItem;
class XMPPClient;

namespace Ui {
class FriendSearchView;
}

// Finds users through the XMPP user search and hands the chosen one on.
class FriendSearchWindow : public QWidget
{
    Q_OBJECT

public:
    FriendSearchWindow(XMPPClient *client, const QString &service, QWidget *parent);
    ~FriendSearchWindow() override;

    void setSearchText(const QString &text);
    // Searches now when the service's form is there, else once it arrives.
    void startSearch();

    // An address from a result text; null when a part is too long.
    static XMPPJid jidFromText(const QString &text);

signals:
    void selectedJid(XMPPJid jid);

public slots:
    void onConnected();
    void onDisconnected();
    void onRequestSearchFormError(const QString &requestTag);
    void onRequestSearchFormResult(const XMPPDataForm &form, const QString &requestTag);
    void onSearchReport(const XMPPDataReport &report, const QString &requestTag);
    void onSearchError(const QString &requestTag);
    void on_searchButton_clicked();
    void onSearchInputChanged(const QString &text);
    void onAddAction();
    void onResultTableContextMenu(const QPoint &pos);
    void onSelectionChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);

protected:
    void changeEvent(QEvent *event) override;

private:
    static const QString RequestTag;

    void requestForm();
    void retranslate();

    XMPPClient *m_client;
    QString m_service;
    XMPPDataForm m_searchForm{XMPPDataForm::DataForm};
    // Index of the form's "search" field; -1 while none is known.
    int m_searchField = -1;
    bool m_searchWanted = false;
    // A form request is on its way.
    bool m_formRequested = false;
    QAction *m_addAction = nullptr;
    QMenu m_contextMenu;
    std::unique_ptr<Ui::FriendSearchView> m_ui;
};
