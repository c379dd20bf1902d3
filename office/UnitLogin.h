#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace office
{

// Operator login of the back office. No permission is tested here: each module tests its own.
class TfrmLogin : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmLogin(QWidget* parent = nullptr);

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

private:
    void FormCreate();
};

} // namespace office
