#pragma once

#include "LoginForm.h"

namespace till {

// Operator login of the till: the operator must hold the cashier permission.
class TfrmLogin : public gl::LoginForm {
    Q_OBJECT
public:
    explicit TfrmLogin(QWidget* parent = nullptr);

protected:
    bool mayLogIn() override;
};

} // namespace till
