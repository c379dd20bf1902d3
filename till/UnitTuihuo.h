#pragma once

#include "TillLook.h"

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace till {

class TfrmMain;

// Returns against a paid receipt: tick the lines that come back and book them.
class TfrmTuihuo : public TillDialog {
    Q_OBJECT
public:
    explicit TfrmTuihuo(QWidget* parent = nullptr);

    QString CurLs;       // receipt last found paid
    QString CurMberID;   // its member, empty when none
    double Tuikuan = 0;  // refund total of the ticked lines

    QLabel* Label1;
    QLineEdit* editLs;
    QPushButton* btnFind;
    QTreeWidget* lvwTb;
    QLabel* Label2;
    QLabel* lblTuikuan;
    QCheckBox* chkKc;
    QCheckBox* chkCz;
    QPushButton* btnTuihuo;
    QPushButton* btnClose;

public slots:
    void btnFindClick();
    void btnTuihuoClick();
    void btnCloseClick();
    void lvwTbClick();
    bool FormShortCut(QKeyEvent* event) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
};

// End: the returns dialog.
void doReturns(TfrmMain* m);

} // namespace till
