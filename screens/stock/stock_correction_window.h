#pragma once

#include "core/app_context.h"
#include "logic/stock_correction.h"
#include "ui/form.h"
#include "ui/table_model.h"

#include <QDialog>

class EntryStrip;
class ListView;
class QLineEdit;
class MonthTree;
class QTreeWidgetItem;

// "Koreksi Stock": the corrections of this year under their months on the
// left, the lines of the correction being entered or shown on the right, and
// a row of boxes under them for the next line.
class StockCorrectionWindow final : public QDialog
{
    Q_OBJECT
public:
    enum Box { Code, Name, DbStock, RealStock, Note, BoxCount };

    explicit StockCorrectionWindow(AppContext& context, QWidget* parent = nullptr);

    // The buttons' actions.
    void startNew();
    void save();
    void removeSelected();

    QLineEdit* box(Box which) const;
    MonthTree* tree() const { return m_tree; }
    const StockCorrection& correction() const { return m_correction; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lookUp();
    void addLine();
    void nodeChosen(QTreeWidgetItem* item);
    // A node that stands for a stored correction, not the root or a month.
    bool isDocument(const QTreeWidgetItem* item) const;
    void printList();
    // The correction's lines in the list.
    void showLines();

    AppContext& m_context;
    StockCorrection m_correction;
    TableModel m_model;
    MonthTree* m_tree;
    ListView* m_list;
    EntryStrip* m_row;
    form::EnterKeys m_enter;
};
