#pragma once

#include "core/messages.h"

#include <QList>
#include <QQueue>
#include <QStringList>

// Messages for tests: records every box and answers questions and file
// dialogs from queues, so no test ever waits on a modal box. An unscripted
// question is answered No, an unscripted file dialog is cancelled.
class ScriptedMessages final : public Messages
{
public:
    struct Shown {
        QString kind; // "info", "ask", "tell", "open", "save", "folder"
        QString caption;
        QString text;
    };

    void info(const QString& text) override;
    bool ask(QWidget* owner, const QString& caption, const QString& text) override;
    void tell(QWidget* owner, const QString& caption, const QString& text) override;
    QString openFileName(QWidget* owner, const QString& title, const QString& filter,
                         const QString& folder) override;
    QString saveFileName(QWidget* owner, const QString& title, const QString& filter,
                         const QString& folder) override;
    QString folderName(QWidget* owner, const QString& title, const QString& folder) override;

    void setNextAnswer(bool yes) { m_answers.enqueue(yes); }
    void setNextFileName(const QString& path) { m_fileNames.enqueue(path); }

    const QList<Shown>& shown() const { return m_shown; }
    QStringList texts() const;
    QString lastText() const { return m_shown.isEmpty() ? QString() : m_shown.last().text; }
    void clear() { m_shown.clear(); }

private:
    QList<Shown> m_shown;
    QQueue<bool> m_answers;
    QQueue<QString> m_fileNames;
};
