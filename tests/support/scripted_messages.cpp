#include "support/scripted_messages.h"

void ScriptedMessages::info(const QString& text)
{
    m_shown.append({QStringLiteral("info"), QStringLiteral("Info"), text});
}

bool ScriptedMessages::ask(QWidget*, const QString& caption, const QString& text)
{
    m_shown.append({QStringLiteral("ask"), caption, text});
    return m_answers.isEmpty() ? false : m_answers.dequeue();
}

void ScriptedMessages::tell(QWidget*, const QString& caption, const QString& text)
{
    m_shown.append({QStringLiteral("tell"), caption, text});
}

QString ScriptedMessages::openFileName(QWidget*, const QString& title, const QString&,
                                       const QString&)
{
    m_shown.append({QStringLiteral("open"), title, {}});
    return m_fileNames.isEmpty() ? QString() : m_fileNames.dequeue();
}

QString ScriptedMessages::saveFileName(QWidget*, const QString& title, const QString&,
                                       const QString&)
{
    m_shown.append({QStringLiteral("save"), title, {}});
    return m_fileNames.isEmpty() ? QString() : m_fileNames.dequeue();
}

QString ScriptedMessages::folderName(QWidget*, const QString& title, const QString&)
{
    m_shown.append({QStringLiteral("folder"), title, {}});
    return m_fileNames.isEmpty() ? QString() : m_fileNames.dequeue();
}

QStringList ScriptedMessages::texts() const
{
    QStringList all;
    for (const Shown& shown : m_shown)
        all.append(shown.text);
    return all;
}
