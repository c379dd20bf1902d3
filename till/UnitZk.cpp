#include "UnitZk.h"

#include "Cart.h"
#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "Pricing.h"
#include "UnitMain.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace till {

bool discountLine(double currentPrice, double quantity, double newPrice, LineDiscount* out)
{
    if (currentPrice == 0)
        return false;
    out->zk = gl::fmtMoney(newPrice / currentPrice * 100);
    out->price = gl::fmtNum(newPrice);
    out->je = gl::fmtNum(quantity * newPrice);
    return true;
}

TfrmZk::TfrmZk(TfrmMain* main, QWidget* parent) : TillDialog(parent), main_(main)
{
    setObjectName(QStringLiteral("frmZk"));
    setWindowTitle(QStringLiteral("修改折扣"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);

    rdoSp = new QRadioButton(QStringLiteral("修改选定商品的折扣(F4)"), this);
    rdoSp->setObjectName(QStringLiteral("rdoSp"));
    Label3 = namedLabel(QStringLiteral("折后单价："), "Label3", this);
    editSpJe = new QLineEdit(this);
    editSpJe->setObjectName(QStringLiteral("editSpJe"));
    Label4 = namedLabel(QStringLiteral("元"), "Label4", this);
    lblSp = namedLabel(QString(), "lblSp", this);
    lblSp->setStyleSheet(QStringLiteral("color: #ffd040; font-size: 10pt;"));
    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setFixedHeight(1);
    Shape1->setStyleSheet(QStringLiteral("QFrame { border-top: 1px dotted #c0c0c0; }"));
    rdoCon = new QRadioButton(QStringLiteral("修改整单折扣(F5)"), this);
    rdoCon->setObjectName(QStringLiteral("rdoCon"));
    whiteCaption(rdoSp);
    whiteCaption(rdoCon);
    Label8 = namedLabel(QStringLiteral("折后金额："), "Label8", this);
    editConJe = new QLineEdit(this);
    editConJe->setObjectName(QStringLiteral("editConJe"));
    Label9 = namedLabel(QStringLiteral("元"), "Label9", this);
    btnOK = flatButton(QStringLiteral("确定(ENTER)"), "btnOK", this);
    btnCC = flatButton(QStringLiteral("取消(ESC)"), "btnCC", this);
    for (QLineEdit* e : {editSpJe, editConJe})
        e->setFixedWidth(160);
    lblSp->setMinimumWidth(360);

    connect(rdoSp, &QRadioButton::clicked, this, &TfrmZk::rdoSpClick);
    connect(rdoCon, &QRadioButton::clicked, this, &TfrmZk::rdoConClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmZk::btnOKClick);
    connect(btnCC, &QPushButton::clicked, this, &TfrmZk::btnCCClick);

    auto* spRow = new QHBoxLayout;
    spRow->addSpacing(24);
    spRow->addWidget(Label3);
    spRow->addWidget(editSpJe);
    spRow->addWidget(Label4);
    spRow->addStretch();
    auto* conRow = new QHBoxLayout;
    conRow->addSpacing(24);
    conRow->addWidget(Label8);
    conRow->addWidget(editConJe);
    conRow->addWidget(Label9);
    conRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCC);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(10);
    layout->addWidget(rdoSp);
    layout->addLayout(spRow);
    layout->addWidget(lblSp);
    layout->addWidget(Shape1);
    layout->addWidget(rdoCon);
    layout->addLayout(conRow);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setStyleSheet(tillDialogStyle(TillType::Medium));

    routeKeys(findChildren<QWidget*>());

    // What the sale screen hands over: the selected line, or only the whole sale.
    const QList<QTreeWidgetItem*> selected = main_->lvwSp->selectedItems();
    line_ = selected.isEmpty() ? nullptr : selected.first();
    if (line_) {
        lblSp->setText(QStringLiteral("商品编号：") + line_->text(ColId) + QStringLiteral("  商品名称：")
                       + line_->text(ColName) + QStringLiteral("  数量：") + line_->text(ColQty));
        editSpJe->setText(line_->text(ColJe));
        rdoSp->setChecked(true);
        rdoSpClick();
    } else {
        lblSp->setText(QStringLiteral("选中商品：无"));
        rdoCon->setChecked(true);
        rdoConClick();
        rdoSp->setEnabled(false);
        editSpJe->setEnabled(false);
    }
    editConJe->setText(gl::fmtNum(main_->Zje));
}

void TfrmZk::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfrmZk::FormShow()
{
    QLineEdit* edit = rdoSp->isChecked() ? editSpJe : editConJe;
    edit->setFocus();
    edit->selectAll();
}

void TfrmZk::rdoSpClick()
{
    editConJe->setEnabled(false);
    editSpJe->setEnabled(true);
    if (isVisible())
        editSpJe->setFocus();
    editSpJe->selectAll();
}

void TfrmZk::rdoConClick()
{
    editSpJe->setEnabled(false);
    editConJe->setEnabled(true);
    if (isVisible())
        editConJe->setFocus();
    editConJe->selectAll();
}

void TfrmZk::btnOKClick()
{
    const bool lineMode = rdoSp->isChecked() && line_;
    double value = 0;
    if (!gl::parseNumber(lineMode ? editSpJe->text() : editConJe->text(), &value)) {
        gl::MsgWarn(QStringLiteral("请输入数值！"), this);
        return;
    }
    if (lineMode) {
        if (!applyToLine(value))
            return;
        main_->JisuanZje();
    } else {
        // Lasts until the cart changes next: every change sums the lines into Zje again.
        main_->Zje = value;
        main_->lblZje->setText(gl::fmtNum(value) + QStringLiteral("元"));
    }
    accept();
}

bool TfrmZk::applyToLine(double value)
{
    try {
        if (!discountAllowed(line_->text(ColId))) {
            gl::MsgWarn(QStringLiteral("指定的商品不允许修改折扣！"), this);
            return false;
        }
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return false;
    }
    // A member sale is priced by the member price column, any other by the unit price.
    const int priceColumn = main_->MberID.isEmpty() ? ColPrice : ColHyj;
    LineDiscount d;
    if (!discountLine(cellNumber(line_, priceColumn), cellNumber(line_, ColQty), value, &d)) {
        gl::MsgWarn(QStringLiteral("该商品的价格为0，无法计算折扣！"), this);
        return false;
    }
    line_->setText(ColZk, d.zk);
    line_->setText(priceColumn, d.price);
    line_->setText(ColJe, d.je);
    setLineUnit(line_, value);   // a later quantity change keeps the discounted price
    return true;
}

void TfrmZk::btnCCClick()
{
    reject();
}

bool TfrmZk::FormShortCut(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        btnOKClick();
        return true;
    case Qt::Key_Escape:
        btnCCClick();
        return true;
    case Qt::Key_F4:
        if (line_) {
            rdoSp->setChecked(true);
            rdoSpClick();
        }
        return true;
    case Qt::Key_F5:
        rdoCon->setChecked(true);
        rdoConClick();
        return true;
    default:
        return false;
    }
}

void doDiscount(TfrmMain* m)
{
    TfrmZk dlg(m, m);
    dlg.exec();
}

} // namespace till
