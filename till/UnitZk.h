#pragma once

#include "TillLook.h"

class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeWidgetItem;

namespace till {

class TfrmMain;

// A cart line after its unit price (or, in a member sale, its member price) was changed to a
// typed discounted price. The percentage is taken against the price the line showed, so a
// second discount is relative to the first.
struct LineDiscount {
    QString zk;      // percentage, two decimals
    QString price;   // the new price, general number format
    QString je;      // quantity x new price
};
// False when the line's price is 0: no percentage exists and the line is left as it is.
bool discountLine(double currentPrice, double quantity, double newPrice, LineDiscount* out);

// Changes the price of the selected cart line, or the amount due of the whole sale.
class TfrmZk : public TillDialog {
    Q_OBJECT
public:
    explicit TfrmZk(TfrmMain* main, QWidget* parent = nullptr);

    QRadioButton* rdoSp;
    QLabel* Label3;
    QLineEdit* editSpJe;
    QLabel* Label4;
    QLabel* lblSp;
    QFrame* Shape1;
    QRadioButton* rdoCon;
    QLabel* Label8;
    QLineEdit* editConJe;
    QLabel* Label9;
    QPushButton* btnOK;
    QPushButton* btnCC;

public slots:
    void rdoSpClick();
    void rdoConClick();
    void btnOKClick();
    void btnCCClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool FormShortCut(QKeyEvent* event) override;
    void FormShow();
    bool applyToLine(double value);

    TfrmMain* main_;
    QTreeWidgetItem* line_ = nullptr;   // the selected cart line, none in a whole-sale-only dialog
};

// F2 of the sale screen: the discount dialog for the selected line or the whole sale.
void doDiscount(TfrmMain* m);

} // namespace till
