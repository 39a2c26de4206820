#include "screens/counter/party_panel.h"

#include "ui/list_view.h"

#include <QHeaderView>
#include <QPushButton>

PartyPanel::PartyPanel(const QString& buttonText, QWidget* parent)
    : QWidget(parent), m_list(new ListView(this)), m_button(new QPushButton(buttonText, this))
{
    m_rows.setColumns({{QString(), 80, Qt::AlignLeft}, {QString(), 150, Qt::AlignLeft}});
    m_list->setTableModel(&m_rows);
    m_list->horizontalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(rowHeight);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setGeometry(0, 0, size.width(), 5 * rowHeight + 4);
    m_button->setGeometry(0, 5 * rowHeight + 8, 100, 26);
    m_button->setToolTip(QStringLiteral("Panggil Data Pelanggan atau Supplier"));
    m_button->setAutoDefault(false);
    resize(size);
}

void PartyPanel::showParty(const Party& party, const QString& codeCaption)
{
    m_rows.clear();
    m_rows.appendRows({{QStringLiteral("Nama"), party.name},
                       {QStringLiteral("Alamat"), party.address},
                       {QStringLiteral("Phone"), party.contact},
                       {QStringLiteral("Ket"), party.note},
                       {codeCaption, party.code}});
}
