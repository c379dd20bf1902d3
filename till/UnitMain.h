#pragma once

#include "Cart.h"
#include "Pricing.h"

#include <QMainWindow>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace till {

class PoleDisplay;

// Columns of a cart line in lvwSp; every cell holds text.
enum CartColumn { ColId = 0, ColName, ColPrice, ColQty, ColZk, ColHyj, ColJe, CartColumnCount };

// The sale screen: the till's main window, open until the program ends. It holds the sale in
// progress; the cashier's dialogs read and change it through the public members below.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The sale in progress.
    QString NowLs;      // receipt number of the sale in progress
    QString LastLs;     // receipt number of the last paid sale, empty at start
    double Zje = 0;     // amount due
    QString MberID;     // member card of the sale, empty when none
    QString MberName;

    // Settings read when the window is created; the terminal settings dialog updates the first five.
    bool yl = false;       // bank card payment allowed
    bool print = false;    // print receipts at checkout
    QString printer;       // receipt printer name
    int dyfs = 1;          // copies per checkout
    int xbj = 3;           // blank lines after the footer
    double yuan = 0;       // spending per member point, 0 = no points
    QString shopname;
    ScaleSettings scale;   // electronic-scale labels

    // Controls.
    QWidget* panTop;
    QLabel* lblShopName;
    QLabel* lblLsdh;
    QLabel* lblCzy;
    QLabel* lblMberID;
    QLineEdit* editID;
    QTreeWidget* lvwSp;
    QWidget* panKjj;
    QLabel* lblZje;
    QPushButton* btnCls;
    QPushButton* btnGuadan;
    QPushButton* btnQudan;
    QPushButton* btnJiezhang;
    QPushButton* btnTuihuo;
    QPushButton* btnXgsl;
    QPushButton* btnMber;
    QPushButton* btnXgzk;
    QPushButton* btnSpll;
    QPushButton* btnDel;
    QPushButton* btnRtj;
    QPushButton* btnConf;
    QPushButton* btnExit;
    QStatusBar* stBar;
    QTimer* timerShow;
    PoleDisplay* mscGx;   // the customer display
    // Captions and bars around the controls above.
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label22;
    QLabel* Label4;
    QLabel* Label6;
    QWidget* shpLineTop;
    QWidget* Panel4;
    QWidget* Panel1;
    QLabel* stBarPanels[5];   // status panels: welcome, operator, clock, fixed text, empty

    // Takes the next receipt number (clears the sale first).
    void GetNextLs();
    // Sums the amount column into Zje, shows it and sends it to the customer display.
    void JisuanZje();

    // The selected cart line, or nullptr.
    QTreeWidgetItem* selectedLine() const;
    // Sets a line's quantity and reprices it at the unit price it was entered at, then the total.
    void changeQuantity(QTreeWidgetItem* line, double q);
    // Dispatches a key the window sees before the control that has the focus; true when the key
    // is used up and must not reach that control.
    bool FormShortCut(QKeyEvent* key);

public slots:
    void btnClsClick();
    void btnDelClick();
    void btnXgslClick();
    void btnXgzkClick();
    void btnMberClick();
    void btnJiezhangClick();
    void btnGuadanClick();
    void btnQudanClick();
    void btnTuihuoClick();
    void btnSpllClick();
    void btnRtjClick();
    void btnConfClick();
    void btnExitClick();
    void PrintLastLs();   // Page Up: reprint the last paid sale
    void editIDKeyPress();   // Enter in editID: the item entry
    void lvwSpKeyPress();    // Enter in the cart: back to the entry box
    void lvwSpResize();
    void timerShowTimer();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildLayout();
    void FormCreate();
    bool FormCloseQuery();
    void FormClose();
    // Runs a command of a key or button, then puts the focus back into the entry box, so the
    // scanner works again as soon as any dialog of the command has closed.
    void runCommand(void (TfrmMain::*command)());
    void focusEntry();
    void deleteLine(QTreeWidgetItem* line);

    CartTally tally_;
    bool addingLine_ = false;
};

} // namespace till
