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

ReportDialog::ReportDialog(AppContext& context, const reports::Description& description,
                           QWidget* parent)
    : QDialog(parent), m_context(context), m_description(description), m_list(new ListView(this)),
      m_topRow(new QHBoxLayout), m_sidePane(new QVBoxLayout)
{
    setWindowTitle(description.title);
    setModal(true);
    m_model.setColumns(description.columns);
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
    const auto addButton = [&](const QString& text, auto action) {
        auto* button = new QPushButton(text, this);
        // Enter in a chooser must not close the report or export it.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action);
        buttons->addWidget(button);
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
    for (const TableModel::Column& column : description.columns)
        width += column.width;
    m_list->setMinimumWidth(std::min(width + 24, 900));
    resize(std::min(width + 300, 1200), 560);
    form::setName(this, description.form);
}

void ReportDialog::showFailure(const Outcome<>& outcome)
{
    m_context.messages().failed(outcome);
}

void ReportDialog::exportList(exporting::Format format)
{
    exporting::exportList(this, m_context, format, m_description.exportTitle, m_model);
}
