#include "screens/reports/list_export.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "ui/table_model.h"

#include <QCursor>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace exporting {

void exportList(QWidget* owner, const AppContext& context, Format format, const QString& title,
                const TableModel& list)
{
    Table table;
    QList<int> widths;
    for (const TableModel::Column& column : list.columns()) {
        table.columns.append({column.header, column.alignment});
        widths.append(column.width);
    }
    for (int row = 0; row < list.rowCount(); ++row)
        table.rows.append(list.row(row));
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    const Outcome<QString> written = exportTable(format, title, table, widths, context);
    QGuiApplication::restoreOverrideCursor();
    if (!written) {
        context.messages().tell(owner, caption(), written.reason());
        return;
    }
    // A library with only sData writes its file where it likes and does not say where.
    if (written->isEmpty())
        return;
    if (opensFiles() && QDesktopServices::openUrl(QUrl::fromLocalFile(*written)))
        return;
    context.messages().tell(owner, caption(),
                            u"Laporan disimpan di:\n"_s + QDir::toNativeSeparators(*written));
}

bool opensFiles()
{
    const QString platform = QGuiApplication::platformName();
    return platform != u"offscreen" && platform != u"minimal" && qgetenv("TOKO_EXPORT_OPEN") != "0";
}

} // namespace exporting
