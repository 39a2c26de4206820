#pragma once

#include <QList>
#include <QStatusBar>
#include <QTimer>

class Clock;
class KeyboardState;
class QLabel;

// A status bar of fixed parts, some of which show the date, the time and
// Num Lock, refreshed every 200 ms. The main window and the cashiers use it.
class ClockStatusBar final : public QStatusBar
{
    Q_OBJECT
public:
    struct ClockParts {
        int date = -1;    // "MMMM dd, yyyy", month name in the user's language
        int time = -1;    // "HH:mm:ss"
        int numLock = -1; // "NUM" while Num Lock is on
    };

    // One part per width (design pixels); a width of 0 stretches over the rest.
    ClockStatusBar(const QList<int>& widths, const Clock& clock, const KeyboardState& keyboard,
                   QWidget* parent = nullptr);

    void setClockParts(ClockParts parts);
    void setPart(int part, const QString& text);
    QString part(int part) const;
    QLabel* partLabel(int part) const;
    // Rewrites the clock parts now; the timer calls it every 200 ms.
    void refresh();

private:
    const Clock& m_clock;
    const KeyboardState& m_keyboard;
    QList<QLabel*> m_parts;
    ClockParts m_clockParts;
    QTimer m_timer;
};
