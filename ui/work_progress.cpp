#include "ui/work_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <limits>

namespace {

// Work that ends sooner shows no box at all.
constexpr qint64 showAfterMs = 300;
// Often enough to look alive, rarely enough to cost nothing.
constexpr qint64 paintEveryMs = 40;

} // namespace

WorkProgress::WorkProgress(QWidget* owner, const QString& text)
    : m_dialog(std::make_unique<QProgressDialog>(text, QString(), 0, 0, owner))
{
    m_dialog->setWindowTitle(QStringLiteral("Mohon tunggu"));
    m_dialog->setWindowModality(Qt::ApplicationModal);
    m_dialog->setCancelButton(nullptr);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    // Shown by report(), never by the dialog's own timer.
    m_dialog->setMinimumDuration(std::numeric_limits<int>::max());
    m_started.start();
    m_painted.start();
}

WorkProgress::~WorkProgress() = default;

void WorkProgress::report(qint64 done, qint64 total)
{
    if (m_painted.elapsed() < paintEveryMs)
        return;
    if (m_dialog->isHidden()) {
        if (m_started.elapsed() < showAfterMs)
            return;
        m_dialog->show();
    }
    if (total > 0) {
        m_dialog->setRange(0, 1000);
        m_dialog->setValue(static_cast<int>(done * 1000 / total));
    } else {
        m_dialog->setRange(0, 0);
    }
    // Paints the box and the windows behind it; keys and clicks wait.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_painted.restart();
}
