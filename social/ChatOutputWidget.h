#pragma once

#include <QColor>
#include <QDateTime>
#include <QTextBrowser>

class QUrl;

// The read-only log of one chat pane: chat lines (time, the sender's nick as
// a link, the text), notices and a date line whenever the local day changes.
// A click or a context-menu request on a nick asks for that user's menu.
class ChatOutputWidget : public QTextBrowser
{
    Q_OBJECT
    Q_PROPERTY(QColor timeColor READ timeColor WRITE setTimeColor DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QColor nickColor READ nickColor WRITE setNickColor DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QColor chatMessageColor READ chatMessageColor WRITE setChatMessageColor
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QColor systemMessageColor READ systemMessageColor WRITE setSystemMessageColor
                   DESIGNABLE true SCRIPTABLE true STORED true)
    Q_PROPERTY(QColor dateSeparatorColor READ dateSeparatorColor WRITE setDateSeparatorColor
                   DESIGNABLE true SCRIPTABLE true STORED true)

public:
    // The log keeps at most this many lines; when it is full, the oldest
    // TrimLines go at once.
    static constexpr int MaxLines = 1000;
    static constexpr int TrimLines = 100;
    // Longer message texts are cut here.
    static constexpr int MaxMessageLength = 1000;

    explicit ChatOutputWidget(QWidget *parent = nullptr);

    // text and nick are plain text.
    void appendMessage(const QDateTime &time, const QString &nick, const QString &text);
    // text is rich text: whoever builds it escapes what came from others.
    void appendSystemMessage(const QDateTime &time, const QString &text);

    // The link of a nick and the nick read back from such a link (null for
    // any other link).
    static QString nickUrl(const QString &nick);
    static QString nickFromUrl(const QUrl &url);

    QColor timeColor() const { return m_timeColor; }
    void setTimeColor(const QColor &color) { m_timeColor = color; }
    QColor nickColor() const { return m_nickColor; }
    void setNickColor(const QColor &color) { m_nickColor = color; }
    QColor chatMessageColor() const { return m_chatMessageColor; }
    void setChatMessageColor(const QColor &color) { m_chatMessageColor = color; }
    QColor systemMessageColor() const { return m_systemMessageColor; }
    void setSystemMessageColor(const QColor &color) { m_systemMessageColor = color; }
    QColor dateSeparatorColor() const { return m_dateSeparatorColor; }
    void setDateSeparatorColor(const QColor &color) { m_dateSeparatorColor = color; }

signals:
    void userMenuRequested(QString nick, QPoint pos);

public slots:
    void onAnchorClicked(const QUrl &url);

    // The part of the viewport holding whole lines: a line cut by its top
    // or bottom edge is not drawn.
    QRect wholeLinesRect() const;

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void appendDateLine(const QDateTime &time);
    void appendLine(const QString &html);

    QDateTime m_lastDateStamp;
    QColor m_timeColor{Qt::yellow};
    QColor m_nickColor{Qt::yellow};
    QColor m_chatMessageColor{Qt::white};
    QColor m_systemMessageColor{0xce, 0xb6, 0x93};
    QColor m_dateSeparatorColor{0x98, 0x7d, 0x60};
};
