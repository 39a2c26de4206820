#pragma once

#include "core/database.h"

#include <QFile>

// A month of documents of every kind around 2024-03-07 on the demo shop
// (tests/data/report-month.sql says what is in it), or another script there.
inline bool addReportMonth(Database& db, const QString& name = QStringLiteral("report-month.sql"))
{
    QFile script(QStringLiteral(TOKO_TEST_DATA "/") + name);
    return script.open(QIODevice::ReadOnly) && db.execScript(QString::fromUtf8(script.readAll()));
}
