#include "screens/masters/paste_prompt.h"

#include "core/messages.h"
#include "ui/list_view.h"
#include "ui/table_model.h"

#include <QClipboard>
#include <QGuiApplication>

namespace paste {

void fromClipboard(Messages& messages, QWidget* owner, ListView& list, TableModel& model,
                   const QString& caption,
                   const std::function<QList<QStringList>(const QList<Line>&)>& rows,
                   const std::function<Outcome<Result>(const QList<Line>&)>& import)
{
    const QList<Line> lines = parse(QGuiApplication::clipboard()->text());
    const int first = model.rowCount();
    model.appendRows(rows(lines));
    list.scrollToBottom();
    const auto takeBack = [&] { model.removeRows(first, model.rowCount() - first); };

    // Asked even when nothing was pasted, so the user sees the paste happened.
    if (!messages.ask(owner, caption, questionText())) {
        takeBack();
        return;
    }
    const Outcome<Result> result = import(lines);
    takeBack();
    if (!result) {
        messages.failed(result);
        return;
    }
    model.appendRows(result->stored);
    list.scrollToBottom();
    messages.info(reportText(*result));
}

} // namespace paste
