#pragma once

#include <QHash>
#include <QStaticText>
#include <QStyledItemDelegate>

// A long list's cells as plain text, aligned as the column says and cut at
// the cell's edge: a line added to a long list repaints all of it, so each
// cell's text is laid out once and kept, and the style's item drawing is left
// out.
class LineDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    const QStaticText& laidOut(const QString& cell, int width,
                               const QStyleOptionViewItem& option) const;

    static constexpr int margin = 3;
    mutable QFont m_font;
    mutable QHash<QString, QStaticText> m_texts;
};
