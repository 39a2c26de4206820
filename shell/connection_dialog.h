#pragma once

#include <QDialog>

class AppContext;
class QLineEdit;

// "Koneksi Database": points the program at another database file, or at a
// shop on a server.
class ConnectionDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit ConnectionDialog(AppContext& context, QWidget* parent = nullptr);

private:
    void browse();
    void chooseServer();
    void connectToDatabase();

    AppContext& m_context;
    QLineEdit* m_path;
};
