#pragma once

#include "core/messages.h"

// Messages for a run with no screen (the offscreen platform): nobody could
// press a button, so every box is written to standard error, questions are
// answered No and file dialogs are cancelled.
class TerminalMessages final : public Messages
{
public:
    void info(const QString& text) override;
    bool ask(QWidget* owner, const QString& caption, const QString& text) override;
    void tell(QWidget* owner, const QString& caption, const QString& text) override;
    QString openFileName(QWidget* owner, const QString& title, const QString& filter,
                         const QString& folder) override;
    QString saveFileName(QWidget* owner, const QString& title, const QString& filter,
                         const QString& folder) override;
    QString folderName(QWidget* owner, const QString& title, const QString& folder) override;
};
