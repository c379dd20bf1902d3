#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

// A fresh folder with new sydb.zdb and sydconf.zdb, open on the programs' named connections.
class TestDb {
public:
    TestDb();
    ~TestDb();
    QString folder() const { return dir_.path(); }
    QString shopPath() const;
    bool ok() const { return ok_; }

    // Conveniences for fixtures; they throw gl::DbError like the programs' own statements.
    static void exec(const QString& sql, const QVariantList& params = {});
    static QVariant value(const QString& sql, const QVariantList& params = {});
    static void addOperator(const QString& name, const QString& pwd, const QString& per);

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};
