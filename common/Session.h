#pragma once

#include <QString>

namespace gl {

// Operator permissions, by position in czy.per (1-based).
enum Permission {
    PermTill = 1,          // 前台收银
    PermGoodsQuery = 2,    // 商品信息查询
    PermGoodsManage = 3,   // 商品信息管理
    PermStockInOut = 4,    // 库存进货退货
    PermStocktaking = 5,   // 库存盘点
    PermAdjustment = 6,    // 库存异动
    PermSuppliers = 7,     // 供货商管理
    PermOperators = 8,     // 用户管理
    PermStatistics = 9,    // 统计报表
    PermSettings = 10,     // 系统设置
    PermMembers = 11,      // 会员管理
};

// The operator logged in to this program, as typed (after trimming) in the login window.
QString currentOperator();
void setCurrentOperator(const QString& name);

// Reads czy at every call, so a change made in the back office applies at once and a
// deleted operator is refused everything.
bool hasPermission(int position);

// Name and password compared as the shop database compares text (without regard to case).
bool operatorMatches(const QString& name, const QString& password);

QStringList operatorNames();

} // namespace gl
