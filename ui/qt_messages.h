#pragma once

#include "core/messages.h"

// The boxes and file dialogs the shop sees.
class QtMessages final : public Messages
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
