#pragma once

#include "core/app_context.h"
#include "logic/payments.h"

#include <QWidget>

#include <optional>

class ListView;
class QLabel;
class QLineEdit;
class TableModel;

// "Form Piutang" / "Form Hutang": the customers (or suppliers) with open
// documents, the open documents of the one chosen, and the payment that is
// spread over them. The side is fixed when the screen is made.
class PaymentWindow final : public QWidget
{
    Q_OBJECT
public:
    PaymentWindow(AppContext& context, Side side, QWidget* parent = nullptr);

    // The toolbar's actions.
    void save();
    void print();

private:
    void choose(int row);
    // Lists the parties and the chosen party's documents anew, as open now.
    void reload();
    void toPayment();
    void printList();
    // Lists the parties with open documents; false when they could not be read.
    bool loadParties();

    AppContext& m_context;
    const Side m_side;
    TableModel* m_parties;
    TableModel* m_documents;
    ListView* m_partyList;
    ListView* m_documentList;
    QLabel* m_partyLabel;
    QLineEdit* m_outstanding;
    QLineEdit* m_paid;
    QLineEdit* m_words;
    // The party whose documents are listed, and its row in the party list.
    QString m_partyCode;
    QString m_partyName;
    int m_partyRow = -1;
    // The open documents listed for the chosen party: what a payment pays.
    QList<payments::Document> m_listed;
    // The listed documents have taken a payment: a second one needs the
    // party chosen again, so that it is spread over what is open now.
    bool m_stored = false;
    // The last payment this screen stored, for "Print".
    std::optional<payments::Payment> m_lastPayment;
    payments::Stored m_lastStored;
};
