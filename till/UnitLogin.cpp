#include "UnitLogin.h"

#include "Artwork.h"
#include "Dialogs.h"
#include "Session.h"

namespace till {

TfrmLogin::TfrmLogin(QWidget* parent)
    : gl::LoginForm(QStringLiteral("Velmora收银系统收银端 - 操作员登陆"), QStringLiteral("Velmora收银系统 - 收银端"),
                    artwork::loginPicture(QSize(180, 230)), Qt::WindowMinimizeButtonHint, parent)
{
}

bool TfrmLogin::mayLogIn()
{
    if (gl::hasPermission(gl::PermTill))
        return true;
    gl::MsgNoPermission(this);
    return false;
}

} // namespace till
