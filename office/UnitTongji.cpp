#include "UnitTongji.h"

namespace office
{

TfrmTongji* frmTongji = nullptr;

TfrmTongji::TfrmTongji(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmTongji"));
    setWindowTitle(QStringLiteral("统计报表"));
    frmTongji = this;
}

TfrmTongji::~TfrmTongji()
{
    if (frmTongji == this)
        frmTongji = nullptr;
}

} // namespace office
