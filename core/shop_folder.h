#pragma once

#include "core/outcome.h"

#include <QDir>
#include <QString>

// Which folder toko works in. A shop folder holds conn.txt, which names the
// database, beside toko.txt, setting_struk.txt, footer.txt and the backups.
namespace shopfolder {

// Why `folder` cannot be opened as a shop; empty when it holds conn.txt
// naming a database file that exists.
QString openProblem(const QDir& folder);

// Why the shop's work could not be kept in `folder`; empty when it can be written.
QString writeProblem(const QDir& folder);

struct StartFolder {
    QString folder;  // where to start; empty: ask the user
    QString problem; // why the remembered folder no longer serves, if it does not
};

// The folder for this start. An explicitly requested one (--shop, else
// TOKO_SHOP) must be a shop. Otherwise the current folder when it holds
// conn.txt, as toko has always started; else the folder chosen last time,
// while it is still a shop; else the user is asked.
Outcome<StartFolder> forStart(const QString& requested, const QDir& current,
                              const QString& remembered);

} // namespace shopfolder
