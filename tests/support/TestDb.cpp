#include "TestDb.h"

#include "Db.h"

#include <QDir>

TestDb::TestDb()
{
    QString error;
    ok_ = dir_.isValid() && gl::openStore(gl::Store::Shop, dir_.path(), &error)
        && gl::openStore(gl::Store::Terminal, dir_.path(), &error);
    if (!ok_)
        qWarning("TestDb: %s", qPrintable(error));
}

TestDb::~TestDb()
{
    gl::closeStore(gl::Store::Shop);
    gl::closeStore(gl::Store::Terminal);
}

QString TestDb::shopPath() const
{
    return QDir(dir_.path()).absoluteFilePath(QStringLiteral("sydb.zdb"));
}

void TestDb::exec(const QString& sql, const QVariantList& params)
{
    gl::run(gl::shopDb(), sql, params);
}

QVariant TestDb::value(const QString& sql, const QVariantList& params)
{
    return gl::scalar(gl::shopDb(), sql, params);
}

void TestDb::addOperator(const QString& name, const QString& pwd, const QString& per)
{
    exec(QStringLiteral("INSERT INTO czy (czyname, pwd, per) VALUES (?, ?, ?)"), {name, pwd, per});
}
