#pragma once

#include <QString>
#include <QStringList>

namespace office
{

// One article of the catalogue as the goods editor writes it.
struct GoodsRecord {
    QString id, spmc, huohao, guige, splb, ps;
    double jj = 0, sj = 0, hyj = 0;
    int kc = 0, sc = 0;
    bool dz = true, jf = true;
};

// Reads and writes of goods and categories; each change is one transaction. Throw gl::DbError.
namespace goodsstore
{

enum class Saved { Ok, DuplicateId, Missing };

// A new article; refused when its id is taken (ids compare without regard to case).
Saved add(const GoodsRecord& g, const QString& now);
// Every field but the id; both time stamps become `now`.
Saved update(const GoodsRecord& g, const QString& now);
bool load(const QString& id, GoodsRecord* g);
void remove(const QString& id);

QStringList categories();
// False when a category of that name (without regard to case) exists.
bool addCategory(const QString& name);
// The category goes and its goods keep an empty category.
void deleteCategory(const QString& name);

} // namespace goodsstore
} // namespace office
