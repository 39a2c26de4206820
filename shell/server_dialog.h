#pragma once

#include <QDialog>

class QLineEdit;

// "Hubungkan ke server": the address of a shop's database on a server, put
// together from the server's name, the database and the login. The password
// is never asked here: libpq reads it from ~/.pgpass or PGPASSWORD.
class ServerDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit ServerDialog(QWidget* parent = nullptr);

    // postgresql://login@server:port/database; the port only when it is not 5432.
    QString address() const;
    static QString address(const QString& server, const QString& port, const QString& database,
                           const QString& login);

private:
    QLineEdit* m_server;
    QLineEdit* m_port;
    QLineEdit* m_database;
    QLineEdit* m_login;
};
