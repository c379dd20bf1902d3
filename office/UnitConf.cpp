#include "UnitConf.h"

namespace office
{

TfrmConf* frmConf = nullptr;

TfrmConf::TfrmConf(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmConf"));
    setWindowTitle(QStringLiteral("系统设置"));
    frmConf = this;
}

TfrmConf::~TfrmConf()
{
    if (frmConf == this)
        frmConf = nullptr;
}

} // namespace office
