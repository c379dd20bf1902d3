#pragma once

#include "TillLook.h"

#include "GoodsBrowse.h"

#include <functional>
#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;

namespace till {

class TfrmMain;

// Looks goods up by category or by id and name, with prices, stock and flags. Read only;
// nothing goes back to the sale.
class TfrmSpll : public TillDialog {
    Q_OBJECT
public:
    explicit TfrmSpll(QWidget* parent = nullptr);

    QLabel* Label1;
    QListWidget* listLb;
    QLabel* Label2;
    QLineEdit* editSp;
    QTreeWidget* lvwTb;
    QPushButton* btnClose;

    // Empties the goods list and fills it with the rows `read` gives.
    void ShowList(const std::function<std::vector<BrowseRow>()>& read);

public slots:
    void listLbClick();
    void editSpChange();
    void btnCloseClick();

private:
    void FormCreate();
    bool FormShortCut(QKeyEvent* event) override;

    bool rowChangedByMouse_ = false;
};

// F7 of the sale screen: the goods browser, shown modally and discarded.
void doGoodsBrowser(TfrmMain* m);

} // namespace till
