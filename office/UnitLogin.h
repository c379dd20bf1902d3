#pragma once

#include "LoginForm.h"

namespace office
{

// Operator login of the back office. No permission is tested here: each module tests its own.
class TfrmLogin : public gl::LoginForm
{
    Q_OBJECT
public:
    explicit TfrmLogin(QWidget* parent = nullptr);
};

} // namespace office
