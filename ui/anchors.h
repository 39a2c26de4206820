#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

// Where a control goes when its form is resized. `code` names a rule for
// the left, top, right and bottom edge, in that order, comma-separated and
// compared case-insensitively:
//   S        scaled with the form (width for left/right, height for top/bottom)
//   FL, FT   fixed where it started
//   FR, FB   keeps its distance to the form's far side
//   Fp       moves by p percent of the change in the form's size
// Anything else keeps the edge fixed. A code shorter than 7 characters never
// moves its control. Every result is worked out from the initial rectangle and
// form size, so repeated resizing never drifts.
QRect anchoredRect(const QString& code, const QRect& initial, const QSize& initialParent,
                   const QSize& currentParent);

// Applies anchor codes to the controls of one form whenever the form is
// resized. Each control's rectangle and the form's size are taken when the
// control is added, so add controls once they stand where the design puts
// them; a minimised form leaves its controls where they are.
class Anchors final : public QObject
{
    Q_OBJECT
public:
    explicit Anchors(QWidget* form);

    void add(QWidget* control, const QString& code);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        QPointer<QWidget> control;
        QString code;
        QRect initial;
        QSize initialParent; // invalid until the first resize
    };

    bool minimised() const;

    QWidget* m_form;
    QList<Entry> m_entries;
};
