#pragma once

#include <QElapsedTimer>
#include <QString>

#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

// A progress box over long work done on the user-interface thread (backup,
// restore). It appears once the work takes more than a moment, keeps every
// window painted while the work reports, takes no input and cannot be
// cancelled: the work always runs to its end.
class WorkProgress final
{
public:
    WorkProgress(QWidget* owner, const QString& text);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // `done` of `total`; a total of 0 shows a busy bar.
    void report(qint64 done, qint64 total);
    // report() as the logic takes it.
    std::function<void(qint64, qint64)> callback()
    {
        return [this](qint64 done, qint64 total) { report(done, total); };
    }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    QElapsedTimer m_started;
    QElapsedTimer m_painted;
};
