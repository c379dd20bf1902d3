#include "UnitUsers.h"

namespace office
{

TfrmUsers* frmUsers = nullptr;

TfrmUsers::TfrmUsers(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmUsers"));
    setWindowTitle(QStringLiteral("用户管理"));
    frmUsers = this;
}

TfrmUsers::~TfrmUsers()
{
    if (frmUsers == this)
        frmUsers = nullptr;
}

void TfrmUsers::LoadCzyList() {}

} // namespace office
