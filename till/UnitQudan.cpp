#include "UnitQudan.h"

#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "HeldOrders.h"
#include "PoleDisplay.h"
#include "Session.h"
#include "UnitJiezhang.h"
#include "UnitMain.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace till {

TfrmQudan::TfrmQudan(QWidget* parent) : TillDialog(parent)
{
    setObjectName(QStringLiteral("frmQudan"));
    setWindowTitle(QStringLiteral("取单"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setStyleSheet(tillDialogStyle());

    lblShow = namedLabel(QStringLiteral("请输入流水号："), "lblShow", this);
    editInput = new QLineEdit(this);
    editInput->setObjectName(QStringLiteral("editInput"));
    editInput->setMinimumWidth(260);
    Label1 = namedLabel(QStringLiteral("提示：上下键可选择流水单。"), "Label1", this);
    Label1->setStyleSheet(QStringLiteral("color: #c0c0c0; font-size: 10pt;"));
    bntDel = flatButton(QStringLiteral("删除(DELETE)"), "bntDel", this);

    lvwTb = rowList("lvwTb",
                    {QStringLiteral("流水号"), QStringLiteral("总金额（元）"), QStringLiteral("会员卡号"),
                     QStringLiteral("会员姓名"), QStringLiteral("操作员"), QStringLiteral("日期时间")},
                    {150, 100, 100, 100, 90, 180}, this);
    lvwTb->setAlternatingRowColors(true);
    lvwTb->setMinimumSize(740, 300);

    btnOK = flatButton(QStringLiteral("确定(ENTER)"), "btnOK", this);
    btnCC = flatButton(QStringLiteral("取消(ESC)"), "btnCC", this);

    auto* top = new QHBoxLayout;
    top->addWidget(lblShow);
    top->addWidget(editInput);
    top->addSpacing(12);
    top->addWidget(Label1);
    top->addStretch();
    top->addWidget(bntDel);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCC);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lvwTb);
    layout->addLayout(buttons);

    connect(btnOK, &QPushButton::clicked, this, &TfrmQudan::btnOKClick);
    connect(btnCC, &QPushButton::clicked, this, &TfrmQudan::btnCCClick);
    connect(bntDel, &QPushButton::clicked, this, &TfrmQudan::bntDelClick);
    connect(lvwTb, &QTreeWidget::itemSelectionChanged, this, &TfrmQudan::lvwTbSelectItem);
    connect(lvwTb, &QTreeWidget::itemDoubleClicked, this, &TfrmQudan::lvwTbDblClick);
    routeKeys({editInput, lvwTb});

    FormCreate();
}

void TfrmQudan::FormCreate()
{
    try {
        for (const HeldOrder& h : heldOrders(gl::shopDb())) {
            auto* item = new QTreeWidgetItem(lvwTb);
            item->setText(0, h.conid);
            item->setText(1, gl::fmtNum(h.ssje));
            item->setText(2, h.mberId);
            item->setText(3, h.mberName);
            item->setText(4, h.czy);
            item->setText(5, gl::fmtDateTime(gl::fromDbTime(h.createtime)));
        }
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
    }
}

void TfrmQudan::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    lvwTb->setFocus();
}

void TfrmQudan::lvwTbSelectItem()
{
    if (QTreeWidgetItem* item = lvwTb->currentItem(); item && item->isSelected())
        editInput->setText(item->text(0));
}

void TfrmQudan::lvwTbDblClick(QTreeWidgetItem* item)
{
    if (!item)
        return;
    editInput->setText(item->text(0));
    btnOKClick();
}

void TfrmQudan::btnOKClick()
{
    accept();
}

void TfrmQudan::btnCCClick()
{
    reject();
}

void TfrmQudan::bntDelClick()
{
    const QString number = editInput->text().trimmed();
    editInput->setText(number);
    if (number.isEmpty()) {
        gl::MsgWarn(QStringLiteral("请您指定流水号！"), this);
        return;
    }
    bool deleted = false;
    try {
        deleted = deleteHeldOrder(gl::shopDb(), number);
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return;
    }
    if (!deleted) {
        gl::MsgWarn(QStringLiteral("您输入的流水号不存在！"), this);
        editInput->setFocus();
        editInput->selectAll();
        return;
    }
    for (int i = 0; i < lvwTb->topLevelItemCount(); ++i) {
        if (lvwTb->topLevelItem(i)->text(0).compare(number, Qt::CaseInsensitive) == 0) {
            delete lvwTb->takeTopLevelItem(i);
            break;
        }
    }
    editInput->clear();
    gl::MsgInfo(QStringLiteral("挂单记录删除成功！"), this);
}

bool TfrmQudan::FormShortCut(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
        return arrowIntoList(lvwTb);
    case Qt::Key_Return:
    case Qt::Key_Enter:
        btnOKClick();
        return true;
    case Qt::Key_Escape:
        btnCCClick();
        return true;
    case Qt::Key_Delete:
        bntDelClick();
        return true;
    default:
        return false;
    }
}

void doHold(TfrmMain* m)
{
    if (m->Zje == 0 && m->lvwSp->topLevelItemCount() == 0
        && !gl::MsgYesNo(QStringLiteral("当前单没有任何内容，您确实要挂一个空单吗？"), m))
        return;
    HoldRequest request;
    request.conid = m->NowLs;
    request.zje = m->Zje;
    request.mberId = m->MberID;
    request.mberName = m->MberName;
    request.czy = gl::currentOperator();
    request.lines = cartOf(m);
    try {
        if (holdOrder(gl::shopDb(), request) == HoldStatus::AlreadyPaid) {
            gl::MsgWarn(QStringLiteral("此单已经结账！"), m);
            return;
        }
    } catch (const gl::DbError& e) {
        gl::MsgWarn(QStringLiteral("挂单失败：\n") + e.message(), m);
        return;
    }
    gl::MsgInfo(QStringLiteral("挂单成功！"), m);
    m->GetNextLs();
}

void doRetrieve(TfrmMain* m)
{
    QString number;
    {
        TfrmQudan picker(m);
        if (picker.exec() != QDialog::Accepted || picker.editInput->text().isEmpty())
            return;
        number = picker.editInput->text();
    }
    std::vector<SaleLine> lines;
    std::optional<HeldOrder> held;
    try {
        held = loadHeldOrder(gl::shopDb(), number, &lines);
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), m);
        return;
    }
    if (!held) {
        gl::MsgWarn(QStringLiteral("指定的流水单号不存在！"), m);
        return;
    }
    m->NowLs = held->conid;
    m->Zje = held->ssje;
    if (m->mscGx)
        m->mscGx->ShowGx(QLatin1Char('2'), m->Zje);
    m->lblLsdh->setText(m->NowLs);
    m->MberID = held->mberId;
    m->MberName = held->mberName;
    m->lblMberID->setText(m->MberID.isEmpty() ? QStringLiteral("无") : m->MberID);
    m->lblZje->setText(gl::fmtNum(held->ssje) + QStringLiteral("元"));
    fillCart(m, lines);
}

} // namespace till
