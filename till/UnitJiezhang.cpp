#include "UnitJiezhang.h"

#include "Checkout.h"
#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "PoleDisplay.h"
#include "Receipt.h"
#include "Session.h"
#include "Settings.h"
#include "UnitMain.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace till {

namespace {

QLineEdit* edit(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(QStringLiteral("0"), parent);
    e->setObjectName(QLatin1String(name));
    e->setMinimumWidth(200);
    return e;
}

const char* const kAmountStyle = "color: red; font-size: 22pt; font-weight: bold;";

} // namespace

TfrmJiezhang::TfrmJiezhang(TfrmMain* main) : TillDialog(main), main_(main)
{
    setObjectName(QStringLiteral("frmJiezhang"));
    setWindowTitle(QStringLiteral("结账"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setStyleSheet(tillDialogStyle());

    Label7 = namedLabel(QStringLiteral("应付总金额："), "Label7", this);
    lblZje = namedLabel(QStringLiteral("0元"), "lblZje", this);
    lblZje->setStyleSheet(QLatin1String(kAmountStyle));
    Label1 = namedLabel(QStringLiteral("现金付款(F2)："), "Label1", this);
    editXj = edit("editXj", this);
    Label2 = namedLabel(QStringLiteral("元"), "Label2", this);
    lblYl = namedLabel(QStringLiteral("银联付款(F3)："), "lblYl", this);
    editYl = edit("editYl", this);
    lblYlyuan = namedLabel(QStringLiteral("元"), "lblYlyuan", this);
    lblCz = namedLabel(QStringLiteral("储值付款(F4)："), "lblCz", this);
    editCz = edit("editCz", this);
    lblCzyuan = namedLabel(QStringLiteral("元"), "lblCzyuan", this);
    Label8 = namedLabel(QStringLiteral("找零："), "Label8", this);
    lblZl = namedLabel(QString(), "lblZl", this);
    lblZl->setStyleSheet(QLatin1String(kAmountStyle));
    btnJiezhang = flatButton(QStringLiteral("结账(F5)"), "btnJiezhang", this);
    btnCC = flatButton(QStringLiteral("取消(ESC)"), "btnCC", this);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(12);
    grid->addWidget(Label7, 0, 0, Qt::AlignRight);
    grid->addWidget(lblZje, 0, 1, 1, 2);
    grid->addWidget(Label1, 1, 0, Qt::AlignRight);
    grid->addWidget(editXj, 1, 1);
    grid->addWidget(Label2, 1, 2);
    grid->addWidget(lblYl, 2, 0, Qt::AlignRight);
    grid->addWidget(editYl, 2, 1);
    grid->addWidget(lblYlyuan, 2, 2);
    grid->addWidget(lblCz, 3, 0, Qt::AlignRight);
    grid->addWidget(editCz, 3, 1);
    grid->addWidget(lblCzyuan, 3, 2);
    grid->addWidget(Label8, 4, 0, Qt::AlignRight);
    grid->addWidget(lblZl, 4, 1, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnJiezhang);
    buttons->addWidget(btnCC);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    layout->addLayout(grid);
    layout->addSpacing(10);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(editXj, editYl);
    setTabOrder(editYl, editCz);
    routeKeys({editXj, editYl, editCz});
    for (QLineEdit* e : {editXj, editYl, editCz})
        connect(e, &QLineEdit::textChanged, this, &TfrmJiezhang::editXjChange);
    connect(btnJiezhang, &QPushButton::clicked, this, &TfrmJiezhang::btnJiezhangClick);
    connect(btnCC, &QPushButton::clicked, this, &TfrmJiezhang::btnCCClick);

    FormCreate();
}

void TfrmJiezhang::FormCreate()
{
    if (!main_->yl) {
        lblYl->hide();
        editYl->hide();
        lblYlyuan->hide();
    }
    lblZje->setText(gl::fmtNum(main_->Zje) + QStringLiteral("元"));
    editXj->setFocus();
}

void TfrmJiezhang::hideStoredValue()
{
    lblCz->hide();
    editCz->hide();
    lblCzyuan->hide();
}

bool TfrmJiezhang::shown(QLineEdit* e) const
{
    return !e->isHidden();
}

void TfrmJiezhang::focusField(QLineEdit* e)
{
    if (!shown(e))
        return;
    e->setFocus();
    e->selectAll();
}

void TfrmJiezhang::editXjChange()
{
    showChange(true);
}

void TfrmJiezhang::showChange(bool toDisplay)
{
    double sum = 0;
    for (QLineEdit* e : {editXj, editYl, editCz}) {
        if (e->text().isEmpty())
            continue;
        double v = 0;
        if (!gl::parseNumber(e->text(), &v)) {
            lblZl->clear();
            return;
        }
        sum += v;
    }
    const double change = changeOf(sum, main_->Zje);
    lblZl->setText(gl::fmtNum(change) + QStringLiteral("元"));
    if (toDisplay && main_->mscGx) {
        if (sum - main_->Zje > 0)
            main_->mscGx->ShowGx(QLatin1Char('4'), change);
        else
            main_->mscGx->ShowGx(QLatin1Char('2'), main_->Zje);
    }
}

void TfrmJiezhang::editKeyPressEnter(QLineEdit* e)
{
    if (e == editXj) {
        if (shown(editYl))
            focusField(editYl);
        else if (shown(editCz))
            focusField(editCz);
        else
            btnJiezhangClick();
    } else if (e == editYl) {
        if (shown(editCz))
            focusField(editCz);
        else
            btnJiezhangClick();
    } else {
        btnJiezhangClick();
    }
}

bool TfrmJiezhang::eventFilter(QObject* watched, QEvent* event)
{
    auto* e = qobject_cast<QLineEdit*>(watched);
    if (e && (e == editXj || e == editYl || e == editCz)) {
        switch (event->type()) {
        case QEvent::FocusIn:
            // A field that still reads "0" is emptied for typing, and gets "0" back if left empty.
            // The sum does not change, so the display keeps the amount due it was sent at opening.
            if (e->text() == QLatin1String("0")) {
                const QSignalBlocker block(e);
                e->clear();
                showChange(false);
            }
            break;
        case QEvent::FocusOut:
            if (e->text().isEmpty()) {
                const QSignalBlocker block(e);
                e->setText(QStringLiteral("0"));
                showChange(false);
            }
            break;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                editKeyPressEnter(e);
                return true;
            }
            break;
        }
        default:
            break;
        }
    }
    return TillDialog::eventFilter(watched, event);
}

bool TfrmJiezhang::FormShortCut(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        btnCCClick();
        return true;
    case Qt::Key_F2:
        focusField(editXj);
        return true;
    case Qt::Key_F3:
        focusField(editYl);
        return true;
    case Qt::Key_F4:
        focusField(editCz);
        return true;
    case Qt::Key_F5:
        btnJiezhangClick();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter acts only inside the tender fields; elsewhere it must not close the dialog.
        return true;
    default:
        return false;
    }
}

void TfrmJiezhang::btnCCClick()
{
    reject();
}

void TfrmJiezhang::btnJiezhangClick()
{
    for (QLineEdit* e : {editXj, editYl, editCz}) {
        const QString t = e->text().trimmed();
        e->setText(t.isEmpty() ? QStringLiteral("0") : t);
    }
    Tenders tenders;
    if (!parseTenders(editXj->text(), editYl->text(), editCz->text(), &tenders)) {
        gl::MsgWarn(QStringLiteral("输入的金额必须是数值！"), this);
        return;
    }
    if (tenders.sum() < main_->Zje) {
        gl::MsgWarn(checkoutMessage(CheckoutStatus::Short), this);
        return;
    }

    CheckoutRequest request;
    request.conid = main_->NowLs;
    request.zje = main_->Zje;
    request.mberId = main_->MberID;
    request.mberName = main_->MberName;
    request.czy = gl::currentOperator();
    request.lines = cartOf(main_);
    request.tenders = tenders;
    request.yuan = main_->yuan;
    try {
        const CheckoutResult result = bookCheckout(gl::shopDb(), request);
        if (result.status == CheckoutStatus::StockShort) {
            gl::MsgWarn(result.stockMessage, this, QStringLiteral("库存提示"));
            return;
        }
        if (result.status != CheckoutStatus::Paid) {
            gl::MsgWarn(checkoutMessage(result.status), this);
            return;
        }
    } catch (const gl::DbError& e) {
        gl::MsgWarn(QStringLiteral("结账失败，本单没有保存：\n") + e.message(), this);
        return;
    }

    main_->LastLs = main_->NowLs;
    if (main_->print) {
        // A printer that cannot print gets one message, not one per copy.
        for (int i = 0; i < main_->dyfs; ++i) {
            if (!printReceipt(main_, main_->LastLs))
                break;
        }
    }
    main_->GetNextLs();
    accept();
}

void doCheckout(TfrmMain* m)
{
    if (m->Zje == 0 && m->lvwSp->topLevelItemCount() == 0
        && !gl::MsgYesNo(QStringLiteral("当前单没有任何内容，您确实要结账吗？"), m))
        return;
    TfrmJiezhang dlg(m);
    if (m->MberID.isEmpty())
        dlg.hideStoredValue();
    if (m->mscGx)
        m->mscGx->ShowGx(QLatin1Char('3'), m->Zje);
    dlg.exec();
}

bool printReceipt(TfrmMain* m, const QString& conid)
{
    try {
        m->printer = gl::readTermSetting(QStringLiteral("printer"));
        QString error;
        switch (printReceiptCopy(gl::shopDb(), m->printer, conid, m->xbj, &error)) {
        case PrintOutcome::Printed:
            return true;
        case PrintOutcome::NoPrinter:
            gl::MsgInfo(QStringLiteral("没有设置打印机！"), m);
            return false;
        case PrintOutcome::NotPaid:
            return false;
        case PrintOutcome::Failed:
            gl::MsgWarn(error, m);
            return false;
        }
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), m);
    }
    return false;
}

void printLast(TfrmMain* m)
{
    if (m->LastLs.isEmpty()) {
        gl::MsgWarn(QStringLiteral("上一单小票不存在！"), m, QStringLiteral("打印上一单小票"));
        return;
    }
    printReceipt(m, m->LastLs);
}

std::vector<SaleLine> cartOf(const TfrmMain* m)
{
    const QVector<SaleLine> lines = cartLines(m->lvwSp);
    return std::vector<SaleLine>(lines.begin(), lines.end());
}

void fillCart(TfrmMain* m, const std::vector<SaleLine>& lines)
{
    m->lvwSp->clear();
    for (const SaleLine& l : lines)
        m->lvwSp->addTopLevelItem(newCartItem(l));
}

} // namespace till
