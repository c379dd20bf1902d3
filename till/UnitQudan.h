#pragma once

#include "TillLook.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace till {

class TfrmMain;

// Picker of the held orders of every till: retrieve one, or delete one.
class TfrmQudan : public TillDialog {
    Q_OBJECT
public:
    explicit TfrmQudan(QWidget* parent = nullptr);

    QLabel* lblShow;
    QLineEdit* editInput;
    QLabel* Label1;
    QPushButton* bntDel;
    QTreeWidget* lvwTb;
    QPushButton* btnOK;
    QPushButton* btnCC;

public slots:
    void btnOKClick();
    void btnCCClick();
    void bntDelClick();
    void lvwTbSelectItem();
    void lvwTbDblClick(QTreeWidgetItem* item);
    bool FormShortCut(QKeyEvent* event) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
};

// F9: hold the sale in progress.
void doHold(TfrmMain* m);
// F10: pick a held order and make it the sale in progress.
void doRetrieve(TfrmMain* m);

} // namespace till
