#include "social/FriendSearchWindow.h"
#include "ui_FriendSearchView.h"

#include "social/Logging.h"
#include "xmpp/client/XMPPClient.h"

#include <QAction>
#include <QEvent>

#include <stdexcept>

const QString FriendSearchWindow::RequestTag = QStringLiteral("FriendSearchWindow");

FriendSearchWindow::FriendSearchWindow(XMPPClient *client, const QString &service, QWidget *parent)
    : QWidget(parent)
    , m_client(client)
    , m_service(service)
    , m_ui(std::make_unique<Ui::FriendSearchView>())
{
    m_ui->setupUi(this);
    m_ui->resultList->setColumnCount(1);
    connect(m_client, &XMPPClient::connected, this, &FriendSearchWindow::onConnected);
    connect(m_client, &XMPPClient::disconnected, this, &FriendSearchWindow::onDisconnected);
    connect(m_client, &XMPPClient::requestSearchFormResult, this, &FriendSearchWindow::onRequestSearchFormResult);
    connect(m_client, &XMPPClient::requestSearchFormError, this, &FriendSearchWindow::onRequestSearchFormError);
    connect(m_client, &XMPPClient::searchReport, this, &FriendSearchWindow::onSearchReport);
    connect(m_client, &XMPPClient::searchError, this, &FriendSearchWindow::onSearchError);
    connect(m_ui->searchInput, &QLineEdit::returnPressed, this, &FriendSearchWindow::on_searchButton_clicked);
    connect(m_ui->searchInput, &QLineEdit::textChanged, this, &FriendSearchWindow::onSearchInputChanged);
    connect(m_ui->closeButton, &QPushButton::clicked, this, &QWidget::close);
    m_ui->resultList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_ui->resultList, &QWidget::customContextMenuRequested, this,
            &FriendSearchWindow::onResultTableContextMenu);
    connect(m_ui->resultList, &QTreeWidget::currentItemChanged, this, &FriendSearchWindow::onSelectionChanged);
    m_ui->addToFriendsButton->setEnabled(false);
    connect(m_ui->addToFriendsButton, &QPushButton::clicked, this, &FriendSearchWindow::onAddAction);
    connect(m_ui->resultList, &QTreeWidget::itemDoubleClicked, this, &FriendSearchWindow::onAddAction);
    m_addAction = new QAction(this);
    connect(m_addAction, &QAction::triggered, this, &FriendSearchWindow::onAddAction);
    m_contextMenu.addAction(m_addAction);
    m_ui->searchInput->setEnabled(false);
    m_ui->searchButton->setEnabled(false);
    retranslate();
    if (m_client->state() == XMPPClient::ConnectedState)
        requestForm();
}

FriendSearchWindow::~FriendSearchWindow() = default;

void FriendSearchWindow::retranslate()
{
    m_addAction->setText(tr("Add to friends"));
    m_addAction->setToolTip(tr("Add item to friends list"));
    m_ui->resultList->setHeaderLabels({tr("User")});
}

void FriendSearchWindow::requestForm()
{
    const XMPPJid service = jidFromText(m_service);
    if (service.isEmpty()) {
        qCWarning(lcSocial) << "no usable search service";
        return;
    }
    m_formRequested = true;
    m_client->requestSearchForm(service, RequestTag);
}

void FriendSearchWindow::setSearchText(const QString &text)
{
    m_ui->searchInput->setText(text);
}

void FriendSearchWindow::startSearch()
{
    if (m_ui->searchInput->text().isEmpty())
        return;
    if (m_searchField >= 0 && !m_searchWanted)
        on_searchButton_clicked();
    else
        m_searchWanted = true;
}

XMPPJid FriendSearchWindow::jidFromText(const QString &text)
{
    QString node;
    QString rest = text;
    const qsizetype at = text.indexOf(QLatin1Char('@'));
    if (at >= 0) {
        node = text.left(at);
        rest = text.mid(at + 1);
    }
    QString domain = rest;
    QString resource;
    const qsizetype slash = rest.indexOf(QLatin1Char('/'));
    if (slash >= 0) {
        domain = rest.left(slash);
        resource = rest.mid(slash + 1);
    }
    try {
        return XMPPJid(domain, node, resource);
    } catch (const std::invalid_argument &) {
        return XMPPJid();
    }
}

void FriendSearchWindow::onConnected()
{
    requestForm();
}

void FriendSearchWindow::onDisconnected()
{
    m_ui->statusLabel->clear();
    m_ui->searchInput->setEnabled(false);
    m_ui->searchButton->setEnabled(false);
    m_searchField = -1;
    m_searchWanted = false;
    m_formRequested = false;
}

void FriendSearchWindow::onRequestSearchFormError(const QString &requestTag)
{
    if (requestTag != RequestTag)
        return;
    m_formRequested = false;
    m_searchWanted = false;
    m_ui->statusLabel->setText(tr("Search error"));
    // The service may answer next time: searching again asks for its form anew.
    m_ui->searchInput->setEnabled(true);
    onSearchInputChanged(m_ui->searchInput->text());
}

void FriendSearchWindow::onRequestSearchFormResult(const XMPPDataForm &form, const QString &requestTag)
{
    if (requestTag != RequestTag)
        return;
    m_formRequested = false;
    m_searchForm = form;
    m_searchField = -1;
    for (int i = 0; i < m_searchForm.fieldCount(); ++i) {
        const XMPPDataForm::Field *field = m_searchForm.fieldAt(i);
        if (field->type == XMPPDataForm::TextSingle && field->var == QLatin1String("search"))
            m_searchField = i;
    }
    if (m_searchField < 0)
        return;
    m_ui->searchInput->setEnabled(true);
    m_ui->searchInput->setFocus(Qt::OtherFocusReason);
    if (m_searchWanted)
        on_searchButton_clicked();
}

void FriendSearchWindow::onSearchReport(const XMPPDataReport &report, const QString &requestTag)
{
    if (requestTag != RequestTag)
        return;
    m_ui->resultList->clear();
    int count = 0;
    for (const XMPPDataReport::Row &row : report.items) {
        const XMPPJid jid = jidFromText(row.value(QStringLiteral("jid")));
        const QString name = row.value(QStringLiteral("Name"));
        if (jid.isEmpty() || name.isEmpty())
            continue;
        auto *item = new QTreeWidgetItem(m_ui->resultList, QStringList{name});
        item->setData(0, Qt::UserRole, QVariant::fromValue(jid));
        ++count;
    }
    m_ui->resultList->sortItems(0, Qt::AscendingOrder);
    m_ui->statusLabel->setText(tr("%Ln user(s) found", "", count));
}

void FriendSearchWindow::onSearchError(const QString &requestTag)
{
    if (requestTag != RequestTag)
        return;
    m_ui->searchInput->setEnabled(true);
    m_ui->searchButton->setEnabled(true);
    m_ui->statusLabel->setText(tr("Search error"));
}

void FriendSearchWindow::on_searchButton_clicked()
{
    const QString text = m_ui->searchInput->text();
    if (text.isEmpty()) {
        m_searchWanted = false;
        return;
    }
    if (m_searchField < 0) {
        m_searchWanted = true;
        // After a failed form request nothing else would ask again.
        if (!m_formRequested && m_client->state() == XMPPClient::ConnectedState) {
            m_ui->statusLabel->clear();
            requestForm();
        }
        return;
    }
    m_ui->statusLabel->clear();
    m_searchForm.fieldAt(m_searchField)->value = text;
    m_searchWanted = false;
    const XMPPJid service = jidFromText(m_service);
    if (!service.isEmpty())
        m_client->search(service, m_searchForm, RequestTag);
}

void FriendSearchWindow::onSearchInputChanged(const QString &text)
{
    m_ui->searchButton->setEnabled(text.size() >= 2);
}

void FriendSearchWindow::onAddAction()
{
    const QTreeWidgetItem *current = m_ui->resultList->currentItem();
    if (!current)
        return;
    const QVariant data = current->data(0, Qt::UserRole);
    if (data.canConvert<XMPPJid>())
        emit selectedJid(data.value<XMPPJid>());
}

void FriendSearchWindow::onResultTableContextMenu(const QPoint &pos)
{
    QTreeWidgetItem *item = m_ui->resultList->itemAt(pos);
    if (!item)
        return;
    m_ui->resultList->setCurrentItem(item);
    m_addAction->setEnabled(true);
    m_contextMenu.popup(m_ui->resultList->viewport()->mapToGlobal(pos));
}

void FriendSearchWindow::onSelectionChanged(QTreeWidgetItem *current, QTreeWidgetItem *)
{
    m_ui->addToFriendsButton->setEnabled(current != nullptr);
}

void FriendSearchWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        m_ui->retranslateUi(this);
        retranslate();
    }
    QWidget::changeEvent(event);
}
