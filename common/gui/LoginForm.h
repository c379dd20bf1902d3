#pragma once

#include <QDialog>
#include <QPixmap>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace gl {

// The operator login both programs share: picture on the left, name box reading "Admin",
// password box with the focus, login and exit buttons. A program that needs a permission to
// log in says so in mayLogIn().
class LoginForm : public QDialog {
    Q_OBJECT
public:
    LoginForm(const QString& title, const QString& heading, const QPixmap& picture, Qt::WindowFlags extraFlags,
              QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label3;
    QLabel* Label1;
    QComboBox* comName;
    QLabel* Label2;
    QLineEdit* editPwd;
    QPushButton* btnLogin;
    QPushButton* btnClose;
    QLabel* Label4;

public slots:
    void btnLoginClick();
    void btnCloseClick();

protected:
    // Asked once the name and password match, with the current operator already set;
    // false keeps the window open (the refusal has been shown).
    virtual bool mayLogIn() { return true; }

private:
    void FormCreate();
};

} // namespace gl
