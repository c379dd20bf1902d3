#include "Receipt.h"

#include "Db.h"
#include "Format.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QSqlQuery>

namespace till {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kRule = QString(32, QLatin1Char('-'));

// Two decimals, padded on the left to `width`, never cut.
QString col(double value, int width)
{
    return gl::fmtMoney(value).rightJustified(width, QLatin1Char(' '));
}

ReceiptJobSink& sink()
{
    static ReceiptJobSink s;
    return s;
}

QString setting(const QSqlDatabase& db, const char* key)
{
    return gl::scalar(db, QStringLiteral("SELECT keyvalue FROM sysinfo WHERE infokey = ?"),
                      {QString::fromLatin1(key)})
        .toString();
}

} // namespace

std::optional<QString> receiptText(const QSqlDatabase& db, const QString& conid, int xbj)
{
    QSqlQuery head = gl::run(db,
                             QStringLiteral("SELECT ssje, xjfk, ylfk, czfk, czy, createtime FROM con"
                                            " WHERE conid = ? AND st = 1"),
                             {conid});
    if (!head.next())
        return std::nullopt;
    const double due = head.value(0).toDouble();
    const double paid = head.value(1).toDouble() + head.value(2).toDouble() + head.value(3).toDouble();
    const QString czy = head.value(4).toString();
    const QString time = head.value(5).toString();

    QString t;
    t += setting(db, "dingbu") + kCrLf;
    t += kRule + kCrLf;
    t += QStringLiteral("流水单号：") + conid + kCrLf;
    t += QStringLiteral("操作员：") + czy + kCrLf;
    t += QStringLiteral("日期时间：") + time + kCrLf;
    t += kRule + kCrLf;
    t += QStringLiteral("商品名称   数量  单价  金额") + kCrLf;
    QSqlQuery lines = gl::run(db, QStringLiteral("SELECT spmc, sl, dj, je FROM xiangxi WHERE conid = ? ORDER BY id"),
                              {conid});
    while (lines.next()) {
        t += lines.value(0).toString() + kCrLf;
        t += QString(11, QLatin1Char(' ')) + col(lines.value(1).toDouble(), 4) + QLatin1Char(' ')
            + col(lines.value(2).toDouble(), 5) + QLatin1Char(' ') + col(lines.value(3).toDouble(), 5) + kCrLf;
    }
    t += kRule + kCrLf;
    t += QStringLiteral("实收金额：") + gl::fmtMoney(paid) + kCrLf;
    t += QStringLiteral("应收金额：") + gl::fmtMoney(due) + kCrLf;
    t += QStringLiteral("找零金额：") + gl::fmtMoney(paid - due) + kCrLf;
    t += kCrLf;
    t += setting(db, "dibu");
    for (int i = 0; i < xbj; ++i)
        t += kCrLf;
    return t;
}

bool renderReceipt(QPrinter* printer, const QString& text)
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    // A Chinese character is two cells wide in this font, as the column layout expects.
    QFont font(QStringLiteral("WenQuanYi Zen Hei Mono"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(9);
    painter.setFont(font);
    painter.setPen(Qt::black);

    QString body = text;
    body.replace(kCrLf, QStringLiteral("\n"));
    const QFontMetrics fm(font, printer);
    const QStringList rows = body.split(QLatin1Char('\n'));
    int y = fm.ascent();
    for (const QString& row : rows) {
        painter.drawText(0, y, row);
        y += fm.lineSpacing();
    }
    return painter.end();
}

bool printToSystemPrinter(const QString& printerName, const QString& text, QString* error)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printerName);
    if (info.isNull()) {
        if (error)
            *error = QStringLiteral("找不到打印机[%1]，小票没有打印。\n请在系统设置(F12)中重新选择打印机。")
                         .arg(printerName);
        return false;
    }
    QPrinter printer(info);
    printer.setDocName(QStringLiteral("小票"));
    printer.setFullPage(false);
    if (!renderReceipt(&printer, text)) {
        if (error)
            *error = QStringLiteral("打印机[%1]打印失败，小票没有打印。").arg(printerName);
        return false;
    }
    return true;
}

void setReceiptJobSink(ReceiptJobSink s)
{
    sink() = std::move(s);
}

PrintOutcome printReceiptCopy(const QSqlDatabase& db, const QString& printerName, const QString& conid, int xbj,
                              QString* error)
{
    if (printerName.isEmpty())
        return PrintOutcome::NoPrinter;
    const std::optional<QString> text = receiptText(db, conid, xbj);
    if (!text)
        return PrintOutcome::NotPaid;
    const bool ok = sink() ? sink()(printerName, *text, error) : printToSystemPrinter(printerName, *text, error);
    return ok ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace till
