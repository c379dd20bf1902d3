#include "UnitRtj.h"

#include "DailyReport.h"
#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "Session.h"
#include "UnitMain.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace till {

namespace {

const QString kAllOperators = QStringLiteral("不限");

QTreeWidget* makeList(QWidget* parent, const char* name, const QStringList& captions, const QList<int>& widths)
{
    QTreeWidget* list = rowList(name, captions, widths, parent);
    list->setSortingEnabled(false);
    list->header()->setSectionsMovable(false);
    return list;
}

QString money(double v)
{
    return gl::fmtMoney(v) + QStringLiteral("元");
}

} // namespace

TfrmRtj::TfrmRtj(QWidget* parent) : TillDialog(parent)
{
    setObjectName(QStringLiteral("frmRtj"));
    setWindowTitle(QStringLiteral("日统计表表"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    Label1 = namedLabel(QStringLiteral("日期(F2)："), "Label1", this);
    dtDay = new QDateEdit(this);
    dtDay->setObjectName(QStringLiteral("dtDay"));
    dtDay->setCalendarPopup(true);
    dtDay->setMinimumWidth(140);
    Label2 = namedLabel(QStringLiteral("操作员(F3)："), "Label2", this);
    comCzy = new QComboBox(this);
    comCzy->setObjectName(QStringLiteral("comCzy"));
    comCzy->setEditable(false);
    comCzy->setMinimumWidth(140);
    Label4 = namedLabel(QStringLiteral("提示：按下相对应的快捷键后再按F4键可显示候选项。"), "Label4", this);
    Label4->setStyleSheet(QStringLiteral("color: #c0c0c0;"));

    pageTj = new QTabWidget(this);
    pageTj->setObjectName(QStringLiteral("pageTj"));
    pageTj->setDocumentMode(true);
    tbLsd = new QWidget;
    tbLsd->setObjectName(QStringLiteral("tbLsd"));
    tabSp = new QWidget;
    tabSp->setObjectName(QStringLiteral("tabSp"));
    lvwLsd = makeList(tbLsd, "lvwLsd",
                      {QStringLiteral("流水号"), QStringLiteral("总金额(元)"), QStringLiteral("现金付款(元)"),
                       QStringLiteral("银联付款(元)"), QStringLiteral("储值付款(元)"), QStringLiteral("会员卡号"),
                       QStringLiteral("操作员")},
                      {120, 110, 100, 110, 110, 110, 90});
    lvwSp = makeList(tabSp, "lvwSp",
                     {QStringLiteral("商品编码"), QStringLiteral("商品名称"), QStringLiteral("商品类别"),
                      QStringLiteral("数量"), QStringLiteral("金额(元)")},
                     {180, 200, 120, 120, 120});
    for (auto [page, list] : {std::pair{tbLsd, lvwLsd}, std::pair{tabSp, lvwSp}}) {
        auto* l = new QVBoxLayout(page);
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(list);
    }
    pageTj->addTab(tbLsd, QStringLiteral("流水单(F8)"));
    pageTj->addTab(tabSp, QStringLiteral("商品销售报表(F9)"));
    pageTj->setCurrentWidget(tbLsd);

    Label3 = namedLabel(QStringLiteral("本日销售额："), "Label3", this);
    lblXse = namedLabel(QString(), "lblXse", this);
    lblXscsdes = namedLabel(QStringLiteral("  销售次数："), "lblXscsdes", this);
    lblXscs = namedLabel(QString(), "lblXscs", this);
    Label13 = namedLabel(QStringLiteral("销售商品数量："), "Label13", this);
    lblXsspsl = namedLabel(QString(), "lblXsspsl", this);
    Label6 = namedLabel(QStringLiteral("  现金收款："), "Label6", this);
    lblXjsk = namedLabel(QString(), "lblXjsk", this);
    Label9 = namedLabel(QStringLiteral("  银联支付："), "Label9", this);
    lblYlzf = namedLabel(QString(), "lblYlzf", this);
    Label11 = namedLabel(QStringLiteral("  会员卡支付："), "Label11", this);
    lblHykzf = namedLabel(QString(), "lblHykzf", this);
    for (QLabel* v : {lblXse, lblXscs, lblXsspsl, lblXjsk, lblYlzf, lblHykzf}) {
        v->setStyleSheet(QStringLiteral("color: #ff4040; font-weight: bold;"));
        v->setMinimumWidth(120);
    }

    btnClose = flatButton(QStringLiteral("关闭(ESC)"), "btnClose", this);
    connect(btnClose, &QPushButton::clicked, this, &TfrmRtj::btnCloseClick);

    auto* top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addWidget(dtDay);
    top->addSpacing(16);
    top->addWidget(Label2);
    top->addWidget(comCzy);
    top->addSpacing(16);
    top->addWidget(Label4);
    top->addStretch();

    auto* totals = new QGridLayout;
    totals->setHorizontalSpacing(6);
    totals->setVerticalSpacing(8);
    const QList<QList<QLabel*>> rows = {{Label3, lblXse, lblXscsdes, lblXscs, Label13, lblXsspsl},
                                        {Label6, lblXjsk, Label9, lblYlzf, Label11, lblHykzf}};
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            totals->addWidget(rows[r][c], r, c, c % 2 == 0 ? Qt::AlignRight : Qt::AlignLeft);
    totals->setColumnStretch(6, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addLayout(totals, 1);
    bottom->addWidget(btnClose, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(pageTj, 1);
    layout->addLayout(bottom);

    setStyleSheet(tillDialogStyle(TillType::Small));
    resize(900, 560);

    routeKeys(findChildren<QWidget*>());

    connect(dtDay, &QDateEdit::dateChanged, this, &TfrmRtj::dtDayChange);
    FormCreate();
}

void TfrmRtj::FormCreate()
{
    {
        const QSignalBlocker block(dtDay);
        dtDay->setDate(QDate::currentDate());
    }
    comCzy->addItem(kAllOperators);
    try {
        comCzy->addItems(gl::operatorNames());
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
    }
    comCzy->setCurrentIndex(0);
    connect(comCzy, &QComboBox::currentIndexChanged, this, &TfrmRtj::comCzyChange);
    dtDayChange();
}

void TfrmRtj::dtDayChange()
{
    Reload();
}

void TfrmRtj::comCzyChange()
{
    Reload();
}

void TfrmRtj::Reload()
{
    lvwLsd->clear();
    lvwSp->clear();
    for (QLabel* v : {lblXse, lblXscs, lblXsspsl, lblXjsk, lblYlzf, lblHykzf})
        v->clear();

    // The first entry stands for every operator, whatever an operator may be called.
    const QString czy = comCzy->currentIndex() > 0 ? comCzy->currentText() : QString();
    DailyReport report;
    try {
        report = loadDailyReport(dtDay->date(), czy);
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return;
    }

    QList<QTreeWidgetItem*> items;
    for (const DailyReceipt& r : report.receipts)
        items << new QTreeWidgetItem({r.conid, gl::fmtNum(r.ssje), gl::fmtNum(r.cash), gl::fmtNum(r.ylfk),
                                      gl::fmtNum(r.czfk), r.mberid, r.czy});
    lvwLsd->addTopLevelItems(items);

    items.clear();
    for (const DailyGoods& g : report.goods)
        items << new QTreeWidgetItem({g.spid, g.spmc, g.splb, gl::fmtNum(g.sl), gl::fmtNum(g.je)});
    lvwSp->addTopLevelItems(items);

    const DailyTotals& t = report.totals;
    if (t.anySale) {
        lblXse->setText(money(t.xse));
        lblXscs->setText(QString::number(t.count));
        lblYlzf->setText(money(t.yl));
        lblHykzf->setText(money(t.cz));
        lblXjsk->setText(money(t.cash()));
    }
    if (t.anyLine)
        lblXsspsl->setText(gl::fmtNum(t.quantity));
}

void TfrmRtj::btnCloseClick()
{
    reject();
}

bool TfrmRtj::FormShortCut(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        btnCloseClick();
        return true;
    case Qt::Key_F2:
        dtDay->setFocus();
        return true;
    case Qt::Key_F3:
        comCzy->setFocus();
        return true;
    case Qt::Key_F8:
        pageTj->setCurrentWidget(tbLsd);
        return true;
    case Qt::Key_F9:
        pageTj->setCurrentWidget(tabSp);
        return true;
    default:
        return false;
    }
}

bool TfrmRtj::eventFilter(QObject* watched, QEvent* event)
{
    // Like the sale screen, the dialog sees its keys before the control that has the focus.
    if (routeKey(event))
        return true;
    // F4 opens the list of the focused control; the drop-down list does so by itself.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F4
        && dtDay->hasFocus()) {
        showDayPicker();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmRtj::showDayPicker()
{
    QCalendarWidget* calendar = dtDay->calendarWidget();
    QWidget* popup = calendar ? calendar->window() : nullptr;
    if (!popup || popup == window())
        return;
    calendar->setSelectedDate(dtDay->date());
    popup->move(dtDay->mapToGlobal(QPoint(0, dtDay->height())));
    popup->show();
    calendar->setFocus();
}

void doDailyReport(TfrmMain* m)
{
    TfrmRtj dlg(m);
    dlg.exec();
}

} // namespace till
