#pragma once

#include <QDialog>

class AppContext;
class QLabel;
class QLineEdit;
class QListWidget;

// "User Admin": the list of users, their photos, and new users with the
// first password. Opened for the administrator only.
class UserAdminDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit UserAdminDialog(AppContext& context, QWidget* parent = nullptr);

    // The photo of `user`: image/<user>.bmp in the shop folder; empty for a
    // name that could leave that folder.
    static QString photoPath(const AppContext& context, const QString& user);

private:
    void showPhoto(const QString& path);
    void choosePhoto();
    void save();

    AppContext& m_context;
    QListWidget* m_users;
    QLabel* m_picture;
    QLineEdit* m_name;
    QString m_chosenPhoto;
};
