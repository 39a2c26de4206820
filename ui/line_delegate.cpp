#include "ui/line_delegate.h"

#include <QPainter>
#include <QStyle>

void LineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    if (selected)
        painter->fillRect(option.rect, option.palette.highlight());
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                             : option.palette.color(QPalette::Text));
    painter->setFont(option.font);
    const QRect room = option.rect.adjusted(margin, 0, -margin, 0);
    const QStaticText& text = laidOut(index.data().toString(), room.width(), option);
    const auto alignment = index.data(Qt::TextAlignmentRole).value<Qt::Alignment>();
    const qreal width = text.size().width();
    qreal x = room.left();
    if (alignment & Qt::AlignRight)
        x = room.right() + 1 - width;
    else if (alignment & Qt::AlignHCenter)
        x = room.left() + (room.width() - width) / 2;
    painter->drawStaticText(QPointF(x, room.top() + (room.height() - text.size().height()) / 2),
                            text);
}

const QStaticText& LineDelegate::laidOut(const QString& cell, int width,
                                         const QStyleOptionViewItem& option) const
{
    if (option.font != m_font || m_texts.size() > 4096) {
        m_texts.clear();
        m_font = option.font;
    }
    const QString key = QString::number(width) + QChar(u'\x1f') + cell;
    auto found = m_texts.find(key);
    if (found == m_texts.end()) {
        QStaticText text(option.fontMetrics.elidedText(cell, Qt::ElideRight, width));
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), option.font);
        found = m_texts.insert(key, text);
    }
    return *found;
}
