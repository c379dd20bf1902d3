#pragma once

#include <QString>

class QTreeView;
class QWidget;

namespace office {

// Exports a list as shown (captions and rows of its model) into an Excel 97-2003 workbook that
// the user names. Reports the outcome itself; true when the file was saved.
//
// Layout of the first sheet: the title merged and centred across all list columns in row 1,
// the generation time in row 2, the subtitle in row 3, row 4 empty, the captions in row 5 and
// one row per list row from row 6, every data cell formatted as text. A list longer than one
// sheet continues on further sheets that hold the caption row in row 1 and rows from row 2.
bool ListToExcel(QTreeView* list, const QString& title, const QString& subtitle, QWidget* owner = nullptr);

// The file name the workbook is saved under: ".xls" is appended unless the name already ends
// in exactly ".xls".
QString xlsFileName(const QString& chosen);

} // namespace office
