#pragma once

#include "logic/export.h"

class QWidget;
class TableModel;

namespace exporting {

// What a list screen's "Cetak", "Cetak ke Browser", "Print List" and "Cetak ke
// Excel" do: `list` under `title` through the library of `format` into
// laporan/ of the shop folder; then the file is opened for the user, or the
// user is told where it lies. A failure is told in a box captioned
// "Export To excel.." owned by `owner`.
void exportList(QWidget* owner, const AppContext& context, Format format, const QString& title,
                const TableModel& list);

// Whether a written file is opened: not where nobody could see it (the
// offscreen platform the tests run on), nor when TOKO_EXPORT_OPEN is "0".
bool opensFiles();

} // namespace exporting
