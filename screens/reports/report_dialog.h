#pragma once

#include "core/outcome.h"
#include "logic/export.h"
#include "logic/reports.h"
#include "ui/table_model.h"

#include <QDialog>

class AppContext;
class ListView;
class QBoxLayout;

// What every report screen shares: a modal window with a list, the export
// buttons under it and, on most, "Esc - Tutup"; Esc closes each of them.
// A screen puts its own choosers above the list or beside it.
class ReportDialog : public QDialog
{
    Q_OBJECT
public:
    ReportDialog(AppContext& context, reports::Report report, Side side = Side::Sales,
                 QWidget* parent = nullptr);

protected:
    AppContext& context() const { return m_context; }
    ListView* list() const { return m_list; }
    // Empty rows for a screen's own controls: above the list, and left of it.
    QBoxLayout* topRow() const { return m_topRow; }
    QBoxLayout* sidePane() const { return m_sidePane; }
    // Lists the rows of `table`; when it could not be read the list is
    // emptied and the reason shown.
    void showRows(const Outcome<Table>& table);

private:
    void exportList(exporting::Format format);

    AppContext& m_context;
    reports::Description m_description;
    QList<int> m_widths;
    TableModel m_model;
    ListView* m_list;
    QBoxLayout* m_topRow;
    QBoxLayout* m_sidePane;
};
