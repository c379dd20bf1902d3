#include "GoodsStore.h"

#include "Db.h"
#include "GoodsList.h"

#include <QSqlQuery>
#include <limits>

namespace office::goodsstore
{

namespace
{

QVariantList fields(const GoodsRecord& g, const QString& now)
{
    using goods::notNull;
    return {notNull(g.spmc),
            notNull(g.huohao),
            notNull(g.guige),
            notNull(g.splb),
            g.jj,
            g.sj,
            g.hyj,
            g.kc,
            g.sc,
            g.dz ? 1 : 0,
            g.jf ? 1 : 0,
            now,
            now,
            notNull(g.ps)};
}

int toWhole(double stored)
{
    const double r = goods::roundWhole(stored);
    return int(qBound(double(std::numeric_limits<int>::min()), r, double(std::numeric_limits<int>::max())));
}

} // namespace

Saved add(const GoodsRecord& g, const QString& now)
{
    const QSqlDatabase db = gl::shopDb();
    gl::Transaction tx(db);
    if (gl::scalar(db, QStringLiteral("SELECT 1 FROM sp WHERE id = ?"), {g.id}).isValid())
        return Saved::DuplicateId;
    gl::run(
        db,
        QStringLiteral("INSERT INTO sp (spmc, huohao, guige, splb, jj, sj, hyj, kc, sc, booldz, booljf,"
                       " createtime, lastjh, ps, id) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        fields(g, now) << g.id);
    tx.commit();
    return Saved::Ok;
}

Saved update(const GoodsRecord& g, const QString& now)
{
    const QSqlDatabase db = gl::shopDb();
    gl::Transaction tx(db);
    QSqlQuery q =
        gl::run(db,
                QStringLiteral("UPDATE sp SET spmc = ?, huohao = ?, guige = ?, splb = ?, jj = ?, sj = ?,"
                               " hyj = ?, kc = ?, sc = ?, booldz = ?, booljf = ?, createtime = ?,"
                               " lastjh = ?, ps = ? WHERE id = ?"),
                fields(g, now) << g.id);
    if (q.numRowsAffected() == 0)
        return Saved::Missing;
    tx.commit();
    return Saved::Ok;
}

bool load(const QString& id, GoodsRecord* g)
{
    QSqlQuery q =
        gl::run(gl::shopDb(),
                QStringLiteral("SELECT spmc, huohao, guige, splb, jj, sj, hyj, kc, sc, booldz, booljf, ps "
                               "FROM sp WHERE id = ?"),
                {id});
    if (!q.next())
        return false;
    g->id = id;
    g->spmc = q.value(0).toString();
    g->huohao = q.value(1).toString();
    g->guige = q.value(2).toString();
    g->splb = q.value(3).toString();
    g->jj = q.value(4).toDouble();
    g->sj = q.value(5).toDouble();
    g->hyj = q.value(6).toDouble();
    // Stored stock may hold a fraction; the editor works in whole numbers.
    g->kc = toWhole(q.value(7).toDouble());
    g->sc = toWhole(q.value(8).toDouble());
    g->dz = q.value(9).toInt() != 0;
    g->jf = q.value(10).toInt() != 0;
    g->ps = q.value(11).toString();
    return true;
}

void remove(const QString& id)
{
    gl::run(gl::shopDb(), QStringLiteral("DELETE FROM sp WHERE id = ?"), {id});
}

QStringList categories()
{
    return gl::column(gl::shopDb(), QStringLiteral("SELECT lbmc FROM splb"));
}

bool addCategory(const QString& name)
{
    const QSqlDatabase db = gl::shopDb();
    gl::Transaction tx(db);
    if (gl::scalar(db, QStringLiteral("SELECT 1 FROM splb WHERE lbmc = ?"), {name}).isValid())
        return false;
    gl::run(db, QStringLiteral("INSERT INTO splb (lbmc) VALUES (?)"), {name});
    tx.commit();
    return true;
}

void deleteCategory(const QString& name)
{
    // Both or neither: goods never keep the name of a category that is gone.
    const QSqlDatabase db = gl::shopDb();
    gl::Transaction tx(db);
    gl::run(db, QStringLiteral("UPDATE sp SET splb = '' WHERE splb = ?"), {name});
    gl::run(db, QStringLiteral("DELETE FROM splb WHERE lbmc = ?"), {name});
    tx.commit();
}

} // namespace office::goodsstore
