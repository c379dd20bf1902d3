#pragma once

#include "TillLook.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace till {

class TfrmMain;

// The terminal settings of this till (sydconf.zdb): bank card, customer display, autostart
// and receipt printing. Saving also updates what the sale screen holds in memory.
class TfrmConf : public TillDialog {
    Q_OBJECT
public:
    // `main` may be null (nothing in memory to update, no display to reopen).
    explicit TfrmConf(TfrmMain* main, QWidget* parent = nullptr);

    QGroupBox* grpJbsz;
    QCheckBox* chkYl;
    QCheckBox* chkGx;
    QLabel* Label4;
    QComboBox* comGx;
    QCheckBox* chkAStart;
    QGroupBox* grpDysz;
    QCheckBox* chkPrint;
    QLabel* Label1;
    QComboBox* comPrinter;
    QLabel* Label2;
    QLineEdit* editDyfs;
    QLabel* Label3;
    QComboBox* comXbj;
    QPushButton* btnOK;
    QPushButton* btnCC;

public slots:
    void chkGxClick();
    void chkPrintClick();
    void btnOKClick();
    void btnCCClick();

private:
    void FormCreate();
    void LoadConf();
    bool FormShortCut(QKeyEvent* event) override;

    TfrmMain* main_;
};

// F12 of the sale screen: the terminal settings, shown modally without owner and discarded.
void doTerminalSettings(TfrmMain* m);

} // namespace till
