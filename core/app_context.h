#pragma once

#include "core/clock.h"
#include "core/config_files.h"
#include "core/database.h"
#include "core/side.h"

#include <QDir>
#include <QString>

class Messages;

// The values the whole program shares, handed to every screen. Each run (and
// each test) makes its own; there is no global instance.
class AppContext final
{
public:
    AppContext(Messages& messages, const Clock& clock, const QDir& shopFolder);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Messages& messages() const { return m_messages; }
    const Clock& clock() const { return m_clock; }
    Database& db() { return m_db; }
    // The shop folder: configuration files, footer.txt, image/ and backups live here.
    const QDir& shopFolder() const { return m_shopFolder; }

    ConnectionSettings connection;
    ShopIdentity shop;
    QString startDate; // yyyy-MM-dd, fixed once at start-up
    ReceiptSettings receipt;
    QString user; // logged-in user, empty before the first login

private:
    Messages& m_messages;
    const Clock& m_clock;
    QDir m_shopFolder;
    Database m_db;
};
