#pragma once

#include "core/outcome.h"
#include "core/table_model.h"
#include "logic/export.h"
#include "logic/reports.h"

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
    ReportDialog(AppContext& context, const reports::Description& description,
                 QWidget* parent = nullptr);

protected:
    AppContext& context() const { return m_context; }
    TableModel& model() { return m_model; }
    ListView* list() const { return m_list; }
    // Empty rows for a screen's own controls: above the list, and left of it.
    QBoxLayout* topRow() const { return m_topRow; }
    QBoxLayout* sidePane() const { return m_sidePane; }
    // Says why a fill failed, unless the database has said it already.
    void showFailure(const Outcome<>& outcome);

private:
    void exportList(exporting::Format format);

    AppContext& m_context;
    reports::Description m_description;
    TableModel m_model;
    ListView* m_list;
    QBoxLayout* m_topRow;
    QBoxLayout* m_sidePane;
};
