#pragma once

#include <QString>

class AppContext;

// Reads conn.txt and toko.txt from the shop folder, opens the database, fixes
// the start-up date and reads (or creates) setting_struk.txt. Returns false
// when the database cannot be opened; `error` then holds the text to show.
bool startUp(AppContext& context, QString& error);

// Switches the running program to the database at `path` (relative paths are
// taken from the shop folder) and remembers it in conn.txt with the two
// extras kept. When it cannot be opened or remembered, `error` holds the
// text to show and the current database stays in use.
bool connectDatabase(AppContext& context, const QString& path, QString& error);
