#include "ui/clock_status_bar.h"

#include "core/clock.h"
#include "ui/font_text.h"
#include "ui/keyboard_state.h"

#include <QLabel>
#include <QLocale>

ClockStatusBar::ClockStatusBar(const QList<int>& widths, const Clock& clock,
                               const KeyboardState& keyboard, QWidget* parent)
    : QStatusBar(parent), m_clock(clock), m_keyboard(keyboard)
{
    setFont(fontFromText(QStringLiteral("MS Sans Serif,8,0")));
    setSizeGripEnabled(false);
    for (int width : widths) {
        auto* label = new QLabel(this);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (width > 0) {
            // A part fixed in both directions changes its text without the
            // whole bar being laid out and painted again.
            label->setFixedSize(width, label->sizeHint().height());
            addWidget(label);
        } else {
            addWidget(label, 1);
        }
        m_parts.append(label);
    }
    m_timer.setInterval(200);
    connect(&m_timer, &QTimer::timeout, this, &ClockStatusBar::refresh);
    m_timer.start();
}

void ClockStatusBar::setClockParts(ClockParts parts)
{
    m_clockParts = parts;
    refresh();
}

void ClockStatusBar::setPart(int part, const QString& text)
{
    if (QLabel* label = partLabel(part))
        label->setText(text);
}

QString ClockStatusBar::part(int part) const
{
    const QLabel* label = partLabel(part);
    return label ? label->text() : QString();
}

QLabel* ClockStatusBar::partLabel(int part) const
{
    return part >= 0 && part < m_parts.size() ? m_parts.at(part) : nullptr;
}

void ClockStatusBar::refresh()
{
    const QDateTime now = m_clock.now();
    setPart(m_clockParts.date, QLocale().toString(now.date(), QStringLiteral("MMMM dd, yyyy")));
    setPart(m_clockParts.time, now.toString(QStringLiteral("HH:mm:ss")));
    setPart(m_clockParts.numLock, m_keyboard.numLock() ? QStringLiteral("NUM") : QString());
}
