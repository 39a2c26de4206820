#include "ui/anchors.h"

#include "core/text_ops.h"

#include <QResizeEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// The new position of one edge under one rule. `initialSize` and
// `currentSize` are the form's width or height along the edge's direction.
int anchoredEdge(const QString& rule, int position, int initialSize, int currentSize)
{
    const int change = currentSize - initialSize;
    if (rule == u"S") {
        if (initialSize <= 0)
            return position;
        const double scale = static_cast<double>(currentSize) / initialSize;
        return static_cast<int>(std::lround(position * scale));
    }
    if (rule == u"FR" || rule == u"FB")
        return position + change;
    if (rule == u"FL" || rule == u"FT" || !rule.startsWith(u'F'))
        return position;
    const double percent = text::textToNumber(QStringView(rule).mid(1));
    return position + static_cast<int>(std::lround(percent / 100.0 * change));
}

} // namespace

QRect anchoredRect(const QString& code, const QRect& initial, const QSize& initialParent,
                   const QSize& currentParent)
{
    if (code.size() < 7)
        return initial;
    const QString upper = code.toUpper();
    const auto rule = [&](int n) { return text::nthField(upper, n, u",").trimmed(); };
    const int w0 = initialParent.width();
    const int h0 = initialParent.height();
    const int w1 = currentParent.width();
    const int h1 = currentParent.height();
    const int left = anchoredEdge(rule(1), initial.x(), w0, w1);
    const int top = anchoredEdge(rule(2), initial.y(), h0, h1);
    const int right = anchoredEdge(rule(3), initial.x() + initial.width(), w0, w1);
    const int bottom = anchoredEdge(rule(4), initial.y() + initial.height(), h0, h1);
    return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

Anchors::Anchors(QWidget* form) : QObject(form), m_form(form)
{
    form->installEventFilter(this);
}

void Anchors::add(QWidget* control, const QString& code)
{
    // Taken now, where the screen placed it: a form resized before it is
    // first shown must still move its controls from their design places.
    m_entries.append({control, code, control->geometry(), m_form->size()});
}

bool Anchors::minimised() const
{
    // A form inside a minimised MDI sub-window counts as minimised too.
    for (const QWidget* widget = m_form; widget; widget = widget->parentWidget()) {
        if (widget->isMinimized())
            return true;
        if (widget->isWindow())
            break;
    }
    return false;
}

bool Anchors::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_form || event->type() != QEvent::Resize)
        return false;
    if (minimised())
        return false;
    const QSize size = static_cast<QResizeEvent*>(event)->size();
    for (const Entry& entry : m_entries) {
        if (entry.control)
            entry.control->setGeometry(
                anchoredRect(entry.code, entry.initial, entry.initialParent, size));
    }
    return false;
}
