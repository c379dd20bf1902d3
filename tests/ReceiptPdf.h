#pragma once

// Receipt print jobs rendered to PDF files, one file per job, through the same drawing routine
// as the system printer, and read back as text with pdftotext.
#include "Receipt.h"

#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QVector>
#include <QStringList>

class PdfReceiptSink {
public:
    explicit PdfReceiptSink(const QString& folder) : folder_(folder)
    {
        till::setReceiptJobSink([this](const QString& printerName, const QString& text, QString*) {
            const QString file = QDir(folder_).absoluteFilePath(QStringLiteral("job%1.pdf").arg(files.size() + 1));
            QPrinter pdf(QPrinter::HighResolution);
            pdf.setOutputFormat(QPrinter::PdfFormat);
            pdf.setOutputFileName(file);
            if (!till::renderReceipt(&pdf, text))
                return false;
            printers << printerName;
            files << file;
            return true;
        });
    }
    ~PdfReceiptSink() { till::setReceiptJobSink({}); }

    QStringList files;      // one per job
    QStringList printers;   // the printer each job was meant for

private:
    QString folder_;
};

// The text of a PDF as pdftotext lays it out.
inline QString pdfText(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                           file, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

struct PdfWord {
    QString text;
    QRectF box;   // in points, from the top-left of the page
};

// The words of a PDF with their boxes, in reading order (pdftotext -bbox).
inline QVector<PdfWord> pdfWords(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                                           file, QStringLiteral("-")});
    QVector<PdfWord> words;
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return words;
    static const QRegularExpression re(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    for (auto it = re.globalMatch(out); it.hasNext();) {
        const auto m = it.next();
        const double x0 = m.captured(1).toDouble(), y0 = m.captured(2).toDouble();
        words.push_back({m.captured(5), QRectF(x0, y0, m.captured(3).toDouble() - x0, m.captured(4).toDouble() - y0)});
    }
    return words;
}
