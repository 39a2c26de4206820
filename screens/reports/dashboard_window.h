#pragma once

#include "core/outcome.h"
#include "screens/reports/dashboard_charts.h"

#include <QDialog>

class AppContext;
class BoardView;

// "Ringkasan Toko": the owner's summary on one screen. Its figures are read
// when it opens and on F5; the twelve months' chart is filled in after, one
// month at a time after the best sellers, so the screen shows and answers at
// once even on a shop of many years. "Simpan Gambar" saves the picture as a PNG, "Cetak" prints
// it; both draw what the screen draws.
class DashboardWindow final : public QDialog
{
    Q_OBJECT
public:
    explicit DashboardWindow(AppContext& context, QWidget* parent = nullptr);

    const charts::Board& board() const { return m_board; }
    // Whether the best sellers and every month of the chart are read.
    bool filled() const
    {
        return m_board.bestSellersRead && m_board.months.size() >= m_board.monthsWanted;
    }
    // The board as a picture `scale` times its size in board units.
    QImage picture(double scale = 1) const;

    void refresh();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // One step of what is read after the figures: the best sellers, then a month.
    void fillNext(int generation);
    Outcome<> readBestSellers();
    Outcome<> readMonth();
    void savePicture();
    void print();

    AppContext& m_context;
    charts::Board m_board;
    BoardView* m_view;
    int m_generation = 0; // a refresh stops the filling of the one before
};
