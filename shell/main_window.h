#pragma once

#include <QMainWindow>

class AppContext;

// The program's main window.
class MainWindow final : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(AppContext& context, QWidget* parent = nullptr);

private:
    AppContext& m_context;
};
