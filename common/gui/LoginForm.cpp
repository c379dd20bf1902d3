#include "LoginForm.h"

#include "Db.h"
#include "Dialogs.h"
#include "Session.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gl {

LoginForm::LoginForm(const QString& title, const QString& heading, const QPixmap& picture,
                     Qt::WindowFlags extraFlags, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmLogin"));
    setWindowTitle(title);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | extraFlags);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(picture);

    Label3 = new QLabel(heading, this);
    Label3->setObjectName(QStringLiteral("Label3"));
    QFont titleFont = Label3->font();
    titleFont.setPointSize(15);
    titleFont.setBold(true);
    Label3->setFont(titleFont);

    Label1 = new QLabel(QStringLiteral("用户名："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    comName = new QComboBox(this);
    comName->setObjectName(QStringLiteral("comName"));
    comName->setEditable(true);
    comName->setInsertPolicy(QComboBox::NoInsert);
    comName->setMinimumWidth(200);

    Label2 = new QLabel(QStringLiteral("密  码："), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    editPwd = new QLineEdit(this);
    editPwd->setObjectName(QStringLiteral("editPwd"));
    editPwd->setEchoMode(QLineEdit::Password);

    btnLogin = new QPushButton(QStringLiteral("登陆(&L)"), this);
    btnLogin->setObjectName(QStringLiteral("btnLogin"));
    btnLogin->setDefault(true);
    btnClose = new QPushButton(QStringLiteral("退出(&X)"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnLogin, &QPushButton::clicked, this, &LoginForm::btnLoginClick);
    connect(btnClose, &QPushButton::clicked, this, &LoginForm::btnCloseClick);

    Label4 = new QLabel(QStringLiteral("默认账号：Admin 默认密码：808642"), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setStyleSheet(QStringLiteral("color: #606060;"));

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(8);
    form->setVerticalSpacing(12);
    form->addWidget(Label1, 0, 0);
    form->addWidget(comName, 0, 1);
    form->addWidget(Label2, 1, 0);
    form->addWidget(editPwd, 1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnLogin);
    buttons->addWidget(btnClose);

    auto* right = new QVBoxLayout;
    right->addWidget(Label3);
    right->addSpacing(18);
    right->addLayout(form);
    right->addSpacing(12);
    right->addLayout(buttons);
    right->addStretch();
    right->addWidget(Label4);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(Image1, 0, Qt::AlignTop);
    layout->addSpacing(12);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
}

void LoginForm::FormCreate()
{
    try {
        comName->addItems(operatorNames());
    } catch (const DbError& e) {
        MsgWarn(e.message(), this);
    }
    comName->setEditText(QStringLiteral("Admin"));
    // The name box already reads "Admin": the operator types the password and presses Enter.
    editPwd->setFocus();
}

void LoginForm::btnLoginClick()
{
    const QString name = comName->currentText().trimmed();
    comName->setEditText(name);
    if (name.isEmpty()) {
        MsgWarn(QStringLiteral("用户名不能为空！"), this);
        comName->setFocus();
        return;
    }
    try {
        if (!operatorMatches(name, editPwd->text())) {
            MsgWarn(QStringLiteral("用户名或密码错误！"), this);
            return;
        }
        setCurrentOperator(name);
        if (!mayLogIn())
            return;
    } catch (const DbError& e) {
        MsgWarn(e.message(), this);
        return;
    }
    accept();
}

void LoginForm::btnCloseClick()
{
    reject();
}

} // namespace gl
