#include "UnitTuihuo.h"

#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "Returns.h"
#include "Session.h"
#include "UnitMain.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace till {

namespace {

enum ReturnColumn { RId = 0, RSpid, RSpmc, RDj, RSl, RZk, RHyj, RJe };

} // namespace

TfrmTuihuo::TfrmTuihuo(QWidget* parent) : TillDialog(parent)
{
    setObjectName(QStringLiteral("frmTuihuo"));
    setWindowTitle(QStringLiteral("退货"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setStyleSheet(tillDialogStyle());

    Label1 = namedLabel(QStringLiteral("请输入流水号并回车(F4)："), "Label1", this);
    editLs = new QLineEdit(this);
    editLs->setObjectName(QStringLiteral("editLs"));
    editLs->setMinimumWidth(240);
    btnFind = flatButton(QStringLiteral("查找(&F)"), "btnFind", this);

    lvwTb = rowList("lvwTb",
                    {QStringLiteral("编号"), QStringLiteral("商品编号"), QStringLiteral("商品名称"),
                     QStringLiteral("单价(元)"), QStringLiteral("数量"), QStringLiteral("折扣(%)"),
                     QStringLiteral("会员价(元)"), QStringLiteral("金额(元)")},
                    {70, 130, 120, 90, 60, 70, 90, 90}, this);
    lvwTb->setAlternatingRowColors(true);
    lvwTb->setMinimumSize(720, 300);

    Label2 = namedLabel(QStringLiteral("退款总金额："), "Label2", this);
    lblTuikuan = namedLabel(QStringLiteral("0元"), "lblTuikuan", this);
    lblTuikuan->setStyleSheet(QStringLiteral("color: red; font-size: 20pt; font-weight: bold;"));
    chkKc = tickBox(QStringLiteral("退货商品库存自动调整(F7)"), "chkKc", this);
    chkKc->setChecked(true);
    chkKc->setFocusPolicy(Qt::NoFocus);
    chkCz = tickBox(QStringLiteral("将金额退到会员卡内(F8)"), "chkCz", this);
    chkCz->setFocusPolicy(Qt::NoFocus);
    btnTuihuo = flatButton(QStringLiteral("退货(F5)"), "btnTuihuo", this);
    btnClose = flatButton(QStringLiteral("关闭(ESC)"), "btnClose", this);

    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addWidget(editLs);
    top->addWidget(btnFind);
    top->addStretch();
    auto* sum = new QHBoxLayout;
    sum->addWidget(Label2);
    sum->addWidget(lblTuikuan);
    sum->addStretch();
    sum->addWidget(chkKc);
    sum->addSpacing(12);
    sum->addWidget(chkCz);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnTuihuo);
    buttons->addWidget(btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(lvwTb);
    layout->addLayout(sum);
    layout->addLayout(buttons);

    connect(btnFind, &QPushButton::clicked, this, &TfrmTuihuo::btnFindClick);
    connect(btnTuihuo, &QPushButton::clicked, this, &TfrmTuihuo::btnTuihuoClick);
    connect(btnClose, &QPushButton::clicked, this, &TfrmTuihuo::btnCloseClick);
    connect(lvwTb, &QTreeWidget::itemClicked, this, &TfrmTuihuo::lvwTbClick);
    connect(lvwTb, &QTreeWidget::itemChanged, this, &TfrmTuihuo::lvwTbClick);
    routeKeys({editLs, lvwTb});

    FormCreate();
}

void TfrmTuihuo::FormCreate()
{
    Tuikuan = 0;
    CurLs.clear();
    CurMberID.clear();
    chkCz->setEnabled(false);
    editLs->setFocus();
}

void TfrmTuihuo::btnFindClick()
{
    const QString number = editLs->text().trimmed();
    editLs->setText(number);
    if (number.isEmpty()) {
        gl::MsgWarn(QStringLiteral("请输入流水号！"), this);
        editLs->setFocus();
        return;
    }
    ReceiptLookup found;
    try {
        found = lookupReceipt(gl::shopDb(), number);
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return;
    }
    if (found.status == LookupStatus::NotFound) {
        gl::MsgWarn(QStringLiteral("您输入的流水号不存在！"), this);
        editLs->setFocus();
        editLs->selectAll();
        return;
    }
    lvwTb->clear();
    if (found.status == LookupStatus::Held) {
        gl::MsgWarn(QStringLiteral("您输入的流水号尚未结账！"), this);
        return;
    }
    CurMberID = found.mberId;
    if (CurMberID.isEmpty())
        chkCz->setChecked(false);
    chkCz->setEnabled(!CurMberID.isEmpty());
    CurLs = number;
    const QSignalBlocker block(lvwTb);
    for (const ReturnLine& r : found.lines) {
        auto* item = new QTreeWidgetItem(lvwTb);
        item->setText(RId, QString::number(r.id));
        item->setText(RSpid, r.line.spid);
        item->setText(RSpmc, r.line.spmc);
        item->setText(RDj, gl::fmtNum(r.line.dj));
        item->setText(RSl, gl::fmtNum(r.line.sl));
        item->setText(RZk, gl::fmtNum(r.line.zk));
        item->setText(RHyj, gl::fmtNum(r.line.hyj));
        item->setText(RJe, gl::fmtNum(r.line.je));
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(RId, Qt::Unchecked);
    }
}

void TfrmTuihuo::lvwTbClick()
{
    double sum = 0;
    for (int i = 0; i < lvwTb->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = lvwTb->topLevelItem(i);
        if (item->checkState(RId) == Qt::Checked)
            sum += item->text(RJe).toDouble();
    }
    Tuikuan = sum;
    lblTuikuan->setText(gl::fmtNum(Tuikuan) + QStringLiteral("元"));
}

void TfrmTuihuo::btnTuihuoClick()
{
    if (CurLs.isEmpty()) {
        gl::MsgWarn(QStringLiteral("请先查询流水号！"), this);
        return;
    }
    ReturnRequest request;
    std::vector<QTreeWidgetItem*> ticked;
    for (int i = 0; i < lvwTb->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = lvwTb->topLevelItem(i);
        if (item->checkState(RId) == Qt::Checked) {
            ticked.push_back(item);
            request.lineIds.push_back(item->text(RId).toLongLong());
        }
    }
    if (ticked.empty()) {
        gl::MsgWarn(QStringLiteral("您没有指定任何商品！"), this);
        return;
    }
    request.conid = CurLs;
    request.mberId = CurMberID;
    request.restock = chkKc->isChecked();
    request.refundToCard = chkCz->isChecked();
    request.czy = gl::currentOperator();

    ReturnResult result;
    try {
        result = bookReturn(gl::shopDb(), request);
    } catch (const gl::DbError& e) {
        gl::MsgWarn(QStringLiteral("退货失败，没有保存任何改动：\n") + e.message(), this);
        return;
    }
    if (!result.receiptFound) {
        gl::MsgWarn(QStringLiteral("流水号不存在！"), this);
        return;
    }
    if (result.memberMissing)
        gl::MsgWarn(QStringLiteral("会员不存在！"), this);
    if (!result.alreadyReturned.empty())
        gl::MsgWarn(QStringLiteral("所选商品中有%1项已经退过货，没有重复退款。").arg(result.alreadyReturned.size()), this);
    {
        const QSignalBlocker block(lvwTb);
        for (QTreeWidgetItem* item : ticked)
            delete item;
    }
    lvwTbClick();
}

void TfrmTuihuo::btnCloseClick()
{
    reject();
}

bool TfrmTuihuo::FormShortCut(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        btnCloseClick();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        return arrowIntoList(lvwTb);
    case Qt::Key_F4:
        editLs->setFocus();
        editLs->selectAll();
        return true;
    case Qt::Key_F5:
        btnTuihuoClick();
        return true;
    case Qt::Key_F7:
        chkKc->toggle();
        return true;
    case Qt::Key_F8:
        chkCz->toggle();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter acts only in the number field and the list; elsewhere it must not close the dialog.
        return true;
    default:
        return false;
    }
}

bool TfrmTuihuo::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && (watched == editLs || watched == lvwTb)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == editLs) {
                btnFindClick();
            } else if (QTreeWidgetItem* item = lvwTb->currentItem()) {
                item->setCheckState(RId, item->checkState(RId) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
                lvwTbClick();
            }
            return true;
        }
    }
    return TillDialog::eventFilter(watched, event);
}

void doReturns(TfrmMain* m)
{
    TfrmTuihuo dlg(m);
    dlg.exec();
}

} // namespace till
