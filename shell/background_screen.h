#pragma once

#include <QPixmap>
#include <QWidget>

// The workspace's background child "Toko": nothing but the batik tile.
class BackgroundScreen final : public QWidget
{
    Q_OBJECT
public:
    explicit BackgroundScreen(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_tile;
};
