#pragma once

#include "core/backup.h"
#include "core/outcome.h"

#include <QString>

class AppContext;
class Database;

// Reads conn.txt and toko.txt from the shop folder, opens the database, fixes
// the start-up date and reads (or creates) setting_struk.txt, and removes the
// temporary files that toko runs ended early left behind. Gives what must be
// said before work begins (empty, that the database can only be read, or that
// only one till may use a file in a network folder); fails with the text to
// show when the database cannot be opened. The first open of an older shop
// file adds the program's helpers to it, reporting to `progress` as it goes.
Outcome<QString> startUp(AppContext& context, const backup::Progress& progress = {});

// Switches the running program to the database at `path` (relative paths are
// taken from the shop folder) and remembers it in conn.txt with the two
// extras kept. Gives what must be said besides success (as startUp). When
// it cannot be opened or remembered, the current database stays in use.
// Reports to `progress` as startUp() does.
Outcome<QString> connectDatabase(AppContext& context, const QString& path,
                                 const backup::Progress& progress = {});

// Said when the database opened can only be read, naming the private copy
// it is read from.
QString readOnlyNotice(const Database& db);

// Said in the progress box while an open adds the helpers to a shop file.
QString preparingNotice();
