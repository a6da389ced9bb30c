#pragma once

#include <QLabel>

#include <memory>

class QTextDocument;

// A label of rich text (no word wrap) that lays its text out once for its
// size hints and once per width it is painted at. QLabel lays a rich text
// out again for each of its size hints, after each resize and several times
// on each first paint, which is most of the cost of a board of tables.
// Other kinds of content are left to QLabel.
class RichTextLabel : public QLabel
{
    Q_OBJECT

public:
    explicit RichTextLabel(QWidget *parent = nullptr, Qt::WindowFlags flags = {});
    ~RichTextLabel() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Whether the label shows what this class lays out itself.
    bool ownsLayout() const;
    // The document of the present text, font and alignment, made again
    // when one of them changed.
    QTextDocument &document() const;
    QRect documentRect() const;

    mutable std::unique_ptr<QTextDocument> m_document;
    mutable QString m_text;
    mutable QFont m_font;
    mutable Qt::Alignment m_alignment;
    // The text's own size (no width given), and the width it was last laid
    // out at (-1 for its own size).
    mutable QSizeF m_naturalSize;
    mutable qreal m_laidOutWidth = -1;
};
