#include "UnitLogin.h"

#include "Artwork.h"

namespace office
{

TfrmLogin::TfrmLogin(QWidget* parent)
    : gl::LoginForm(QStringLiteral("Velmora收银系统后台管理 - 操作员登陆"),
                    QStringLiteral("Velmora收银系统 - 后台管理"),
                    artwork::picture(QStringLiteral("login"), QSize(180, 230)), {}, parent)
{
}

} // namespace office
