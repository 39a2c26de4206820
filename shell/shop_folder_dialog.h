#pragma once

#include <QDialog>

class Messages;
class QLineEdit;

// "Folder Toko": asked when toko does not know its shop folder yet. Opens an
// existing shop folder, makes a new, empty shop in a folder, or makes a
// folder for a till of a shop on a server.
class ShopFolderDialog final : public QDialog
{
    Q_OBJECT
public:
    // `problem`: why the folder chosen last time no longer serves, if it does not.
    ShopFolderDialog(Messages& messages, const QString& suggested, const QString& problem,
                     QWidget* parent = nullptr);

    // The shop folder, once accepted.
    QString folder() const;

private:
    void browse();
    // Says so when the folder box is empty.
    bool folderGiven();
    void openShop();
    // A new shop in a file, or with `server` a till of the shop on it.
    void createShop(const QString& server);

    Messages& m_messages;
    QLineEdit* m_folder;
    QLineEdit* m_name;
    QLineEdit* m_address;
    QLineEdit* m_phone;
};
