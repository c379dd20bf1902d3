#pragma once

#include "TillLook.h"

class QComboBox;
class QDateEdit;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QWidget;

namespace till {

class TfrmMain;

// The day's paid sales at the till: receipts, goods sold and six totals, for every operator
// or one. It only reads.
class TfrmRtj : public TillDialog {
    Q_OBJECT
public:
    explicit TfrmRtj(QWidget* parent = nullptr);

    QLabel* Label1;
    QDateEdit* dtDay;
    QLabel* Label2;
    QComboBox* comCzy;
    QLabel* Label4;
    QTabWidget* pageTj;
    QWidget* tbLsd;
    QWidget* tabSp;
    QTreeWidget* lvwLsd;
    QTreeWidget* lvwSp;
    QLabel* Label3;
    QLabel* lblXse;
    QLabel* lblXscsdes;
    QLabel* lblXscs;
    QLabel* Label13;
    QLabel* lblXsspsl;
    QLabel* Label6;
    QLabel* lblXjsk;
    QLabel* Label9;
    QLabel* lblYlzf;
    QLabel* Label11;
    QLabel* lblHykzf;
    QPushButton* btnClose;

public slots:
    void dtDayChange();
    void comCzyChange();
    void btnCloseClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    bool FormShortCut(QKeyEvent* event) override;
    void Reload();
    void showDayPicker();
};

// F8 of the sale screen: the daily report, shown modally and discarded.
void doDailyReport(TfrmMain* m);

} // namespace till
