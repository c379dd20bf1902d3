#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <optional>

class QPrinter;

namespace till {

// The receipt of a paid sale, built from the stored rows (never from the screen), so a reprint
// shows exactly what was saved. Lines end with CR LF; columns are aligned by counting characters
// for a fixed-width font in which a Chinese character takes two cells. Returns nothing when no
// paid sale has that number.
std::optional<QString> receiptText(const QSqlDatabase& db, const QString& conid, int xbj);

// Draws the text as one block at the top-left of the page in a fixed-width font and ends the job.
// The one drawing routine of every receipt, whatever the printer is.
bool renderReceipt(QPrinter* printer, const QString& text);

// Where a print job goes. The default sends it to the installed printer of that name and fails
// with a message for the user when no such printer is installed.
using ReceiptJobSink = std::function<bool(const QString& printerName, const QString& text, QString* error)>;
bool printToSystemPrinter(const QString& printerName, const QString& text, QString* error);
// Replaces the sink (tests render each job to a file); an empty function brings back the default.
void setReceiptJobSink(ReceiptJobSink sink);

enum class PrintOutcome { Printed, NoPrinter, NotPaid, Failed };

// One copy of the receipt `conid` on `printerName`. Nothing is shown here; the caller tells the user.
PrintOutcome printReceiptCopy(const QSqlDatabase& db, const QString& printerName, const QString& conid, int xbj,
                              QString* error);

} // namespace till
