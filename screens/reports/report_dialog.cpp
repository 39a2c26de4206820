#include "screens/reports/report_dialog.h"

#include "core/app_context.h"
#include "core/messages.h"
#include "screens/reports/list_export.h"
#include "ui/form.h"
#include "ui/list_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

// The pixel widths of each report's columns.
QList<int> widthsOf(reports::Report report)
{
    using reports::Report;
    switch (report) {
    case Report::ProfitLoss:
        return {550, 100, 100};
    case Report::Turnover:
        return {100, 350, 100};
    case Report::TodaysSales:
        return {100, 250, 100, 100, 100, 100, 100, 100};
    case Report::LowStock:
        return {135, 243, 79, 79};
    case Report::Debts:
    case Report::Documents:
        return {100, 150, 150, 150, 100, 100, 100, 100};
    }
    return {};
}

} // namespace

ReportDialog::ReportDialog(AppContext& context, reports::Report report, Side side, QWidget* parent)
    : QDialog(parent), m_context(context), m_description(reports::describe(report, side)),
      m_widths(widthsOf(report)), m_list(new ListView(this)), m_topRow(new QHBoxLayout),
      m_sidePane(new QVBoxLayout)
{
    const reports::Description& description = m_description;
    setWindowTitle(description.title);
    setModal(true);
    m_model.setTable({description.columns, {}}, m_widths);
    m_list->setTableModel(&m_model);

    auto* layout = new QVBoxLayout(this);
    if (!description.heading.isEmpty()) {
        auto* heading = new QLabel(description.heading, this);
        heading->setObjectName(u"heading"_s);
        QFont font = heading->font();
        font.setPointSize(font.pointSize() + 6);
        font.setBold(true);
        heading->setFont(font);
        layout->addWidget(heading);
    }
    layout->addLayout(m_topRow);
    auto* body = new QHBoxLayout;
    body->addLayout(m_sidePane);
    body->addWidget(m_list, 1);
    layout->addLayout(body, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    // Enter in a chooser must not close the report or export it.
    const auto addButton = [&](const QString& text, auto action) {
        buttons->addWidget(form::button(this, text, action));
    };
    if (description.spreadsheet) {
        addButton(u"Cetak ke Browser"_s, [this] { exportList(exporting::Format::WebPage); });
        addButton(u"Cetak ke Excel"_s, [this] { exportList(exporting::Format::Spreadsheet); });
    } else {
        addButton(u"Cetak"_s, [this] { exportList(exporting::Format::WebPage); });
    }
    if (description.closeButton)
        addButton(u"Esc - Tutup"_s, &QDialog::reject);
    layout->addLayout(buttons);

    int width = 0;
    for (const int column : m_widths)
        width += column;
    m_list->setMinimumWidth(std::min(width + 24, 900));
    resize(std::min(width + 300, 1200), 560);
    form::setName(this, description.form);
}

void ReportDialog::showRows(const Outcome<Table>& table)
{
    m_model.setRows(table ? table->rows : QList<QStringList>());
    if (!table)
        m_context.messages().failed(table);
}

void ReportDialog::exportList(exporting::Format format)
{
    exporting::exportList(this, m_context, format, m_description.exportTitle, m_model);
}
