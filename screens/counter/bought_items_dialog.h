#pragma once

#include "core/app_context.h"
#include "ui/table_model.h"

#include <QDialog>

class ListView;

// "List Item Barang": the products one customer bought (sales side) or one
// supplier delivered (purchase side), for the returns screen to choose from.
// The returns screen looks the chosen code up itself.
class BoughtItemsDialog final : public QDialog
{
    Q_OBJECT
public:
    BoughtItemsDialog(AppContext& context, Side side, const QString& partyCode,
                      QWidget* parent = nullptr);

    // Runs the picker with its bottom-left corner at `bottomLeft` (screen
    // coordinates); the chosen product code, empty when none was chosen.
    static QString choose(AppContext& context, Side side, const QString& partyCode,
                          const QPoint& bottomLeft, QWidget* owner);

    // "Pilih" or a mouse release over the list: the selected product.
    void pick();
    const QString& chosenCode() const { return m_chosen; }

    // Whether every product of the party is listed (the rest come in
    // batches while the picker is open).
    bool complete() const { return m_complete; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The next batch of products; schedules the one after it.
    void loadMore();

    AppContext& m_context;
    const Side m_side;
    const QString m_partyCode;
    bool m_complete = false;
    TableModel m_model;
    ListView* m_list;
    QString m_chosen;
};
