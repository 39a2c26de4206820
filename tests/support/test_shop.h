#pragma once

#include "core/app_context.h"
#include "core/clock.h"
#include "support/scripted_messages.h"

#include <QTemporaryDir>

#include <memory>

// A shop of its own for one test: a temporary folder with a database made by
// the real schema, conn.txt and toko.txt, and a started AppContext over it
// with scripted messages and a fixed clock (2024-03-07 10:00).
class TestShop final
{
public:
    enum class Data { Empty, Demo };
    explicit TestShop(Data data = Data::Empty);

    // Empty when the shop started; else what went wrong.
    const QString& error() const { return m_error; }
    QDir folder() const { return QDir(m_dir.path()); }
    QString databasePath() const { return folder().filePath(QStringLiteral("toko.db3")); }

    AppContext& context() { return *m_context; }
    Database& db() { return m_context->db(); }

    ScriptedMessages messages;
    FixedClock clock;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<AppContext> m_context;
    QString m_error;
};
