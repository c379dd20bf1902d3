#pragma once

#include "Cart.h"
#include "TillLook.h"

#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace till {

class TfrmMain;

// Checkout: takes cash, bank card and stored value for the sale in progress and books it.
class TfrmJiezhang : public TillDialog {
    Q_OBJECT
public:
    explicit TfrmJiezhang(TfrmMain* main);

    QLabel* Label7;
    QLabel* lblZje;
    QLabel* Label1;
    QLineEdit* editXj;
    QLabel* Label2;
    QLabel* lblYl;
    QLineEdit* editYl;
    QLabel* lblYlyuan;
    QLabel* lblCz;
    QLineEdit* editCz;
    QLabel* lblCzyuan;
    QLabel* Label8;
    QLabel* lblZl;
    QPushButton* btnJiezhang;
    QPushButton* btnCC;

    // Hides the stored-value row (a sale without member).
    void hideStoredValue();

public slots:
    void btnJiezhangClick();
    void btnCCClick();
    void editXjChange();   // also the change handler of the other two fields
    bool FormShortCut(QKeyEvent* event) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void editKeyPressEnter(QLineEdit* edit);
    void showChange(bool toDisplay);
    void focusField(QLineEdit* edit);
    bool shown(QLineEdit* edit) const;

    TfrmMain* main_;
};

// The sale screen's checkout (F5): the empty-cart question, then the dialog.
void doCheckout(TfrmMain* m);
// Page Up: one copy of the last paid sale's receipt.
void printLast(TfrmMain* m);
// One copy of a paid sale's receipt on the chosen printer, telling the cashier what went wrong;
// false when nothing was printed.
bool printReceipt(TfrmMain* m, const QString& conid);

// The cart of the sale screen as sale lines, and back.
std::vector<SaleLine> cartOf(const TfrmMain* m);
void fillCart(TfrmMain* m, const std::vector<SaleLine>& lines);

} // namespace till
