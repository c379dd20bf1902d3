#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace till {

// What the goods browser reads: the categories and the goods of one choice. Throw gl::DbError.
struct BrowseRow {
    QString id, spmc, huohao, splb;
    double sj = 0, hyj = 0, kc = 0;
    QString guige;
    bool booldz = false, booljf = false;
    QString ps;
};

QStringList browseCategories();
std::vector<BrowseRow> browseAllGoods();
std::vector<BrowseRow> browseCategory(const QString& category);
// The goods whose id is exactly `text` or whose name contains it.
std::vector<BrowseRow> browseSearch(const QString& text);

} // namespace till
