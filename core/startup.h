#pragma once

#include <QString>

class AppContext;

// Reads conn.txt and toko.txt from the shop folder, opens the database, fixes
// the start-up date and reads (or creates) setting_struk.txt. Returns false
// when the database cannot be opened; `error` then holds the text to show.
bool startUp(AppContext& context, QString& error);
