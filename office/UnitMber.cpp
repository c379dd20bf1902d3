#include "UnitMber.h"

namespace office
{

TfrmMber* frmMber = nullptr;

TfrmMber::TfrmMber(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMber"));
    setWindowTitle(QStringLiteral("会员管理"));
    frmMber = this;
}

TfrmMber::~TfrmMber()
{
    if (frmMber == this)
        frmMber = nullptr;
}

} // namespace office
