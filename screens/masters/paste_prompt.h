#pragma once

#include "logic/paste_import.h"

#include <functional>

class ListView;
class Messages;
class TableModel;
class QWidget;

namespace paste {

// The screen's part of "Paste From Excel", the same on the products and the
// party masters: the clipboard's rows are appended to the list and the user
// asked under `caption`. On No they leave the list again; on Yes `import`
// stores them and the list shows the rows as stored (a party with the code it
// was given) instead, followed by one box saying what was stored and what was
// refused.
void fromClipboard(Messages& messages, QWidget* owner, ListView& list, TableModel& model,
                   const QString& caption,
                   const std::function<QList<QStringList>(const QList<Line>&)>& rows,
                   const std::function<Outcome<Result>(const QList<Line>&)>& import);

} // namespace paste
