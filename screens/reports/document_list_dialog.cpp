#include "screens/reports/document_list_dialog.h"

#include "core/app_context.h"

#include <QBoxLayout>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

constexpr auto dateFormat = u"yyyy-MM-dd";

QDateEdit* datePicker(const QString& date, QWidget* parent)
{
    auto* picker = new QDateEdit(QDate::fromString(date, dateFormat), parent);
    picker->setDisplayFormat(QString::fromUtf16(dateFormat));
    picker->setCalendarPopup(true);
    return picker;
}

} // namespace

DocumentListDialog::DocumentListDialog(AppContext& context, Side side, QWidget* parent)
    : ReportDialog(context, reports::Report::Documents, side, parent), m_side(side),
      m_from(datePicker(context.startDate.left(8) + u"01"_s, this)),
      m_to(datePicker(context.startDate, this))
{
    auto* showButton = new QPushButton(u"Tampilkan"_s, this);
    showButton->setDefault(true); // Enter in a date picker shows the list
    const std::pair<QString, QDateEdit*> dates[] = {{u"Dari Tanggal "_s, m_from},
                                                    {u"s/d Tanggal"_s, m_to}};
    for (const auto& [text, picker] : dates) {
        auto* caption = new QLabel(text, this);
        caption->setBuddy(picker);
        topRow()->addWidget(caption);
        topRow()->addWidget(picker);
    }
    topRow()->addWidget(showButton);
    topRow()->addStretch(1);
    connect(showButton, &QPushButton::clicked, this, [this] { fill(reports::Paid::SoFar); });
    fill(reports::Paid::AtCounter);
    m_from->setFocus();
}

void DocumentListDialog::fill(reports::Paid paid)
{
    showRows(reports::documents(context().db(), m_side, m_from->date().toString(dateFormat),
                                m_to->date().toString(dateFormat), context().clock().today(),
                                paid));
}
