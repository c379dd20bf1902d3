#include "UnitMain.h"

#include "Cart.h"
#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "PoleDisplay.h"
#include "ReceiptNumber.h"
#include "Session.h"
#include "Settings.h"
#include "UnitConf.h"
#include "UnitJiezhang.h"
#include "UnitQudan.h"
#include "UnitRtj.h"
#include "UnitSpll.h"
#include "UnitTuihuo.h"
#include "UnitZk.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStaticText>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace till {

namespace {

const int kColumnWidths[CartColumnCount] = {180, 300, 110, 80, 90, 110, 110};
const int kStatusWidths[5] = {150, 180, 150, 220, 50};

// 宋体 where it is installed, else the CJK fonts a Linux till carries.
QFont tillFont(int pointSize, bool bold = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("NSimSun"),
                   QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC"),
                   QStringLiteral("Droid Sans Fallback")});
    f.setPointSize(pointSize);
    f.setBold(bold);
    return f;
}

QLabel* newLabel(QWidget* parent, const char* name, const QString& text, int pointSize, bool bold = false)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFont(tillFont(pointSize, bold));
    return l;
}

QPushButton* newButton(QWidget* parent, const char* name, const QString& text)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFlat(true);
    b->setCursor(Qt::PointingHandCursor);
    // Speed buttons: a click never takes the focus away from the entry box.
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setFont(tillFont(11));
    b->setMinimumHeight(34);
    return b;
}

QFrame* newBar(QWidget* parent, const char* name)
{
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    return f;
}

// The bars around the cart. The cart itself is coloured through its palette only: a style sheet
// on the list would make every repaint of its rows several times slower.
const char* const kBarStyle =
    "QLabel { color: white; }"
    "QFrame#panTop, QFrame#Panel4, QFrame#Panel1 { background: #2e2e2e; }"
    "QFrame#shpLineTop { background: white; }"
    "QFrame#panKjj { background: #161616; border-left: 1px solid #555555; }"
    "QLabel#lblLsdh, QLabel#lblCzy, QLabel#lblMberID { color: #ff3b3b; }"
    "QLabel#lblZje { color: #ffd23f; }"
    "QLineEdit#editID { background: white; color: black; border: 2px solid #808080; padding: 2px 4px; }"
    "QLineEdit#editID:focus { border: 2px solid #ffd23f; }"
    "QPushButton { color: white; background: #454545; border: 1px solid #7a7a7a; padding: 4px 10px; }"
    "QPushButton:hover { background: #5c5c5c; border-color: #bbbbbb; }"
    "QPushButton:pressed { background: #262626; }"
    "QPushButton#btnJiezhang { background: #b01010; border-color: #ff5050; }"
    "QPushButton#btnJiezhang:hover { background: #d02020; }"
    "QStatusBar { background: black; border-top: 1px solid #444444; }"
    "QStatusBar::item { border: none; }"
    "QStatusBar QLabel { color: white; background: black; padding-left: 4px; }";

// Paints the cart's cells with text laid out once per distinct text: the whole list is repainted
// after every scan, and laying out every visible cell again each time would cost more than the
// rest of the scan together.
class CartDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group = QPalette::Active;
        if (selected)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::Highlight));
        else if (option.features & QStyleOptionViewItem::Alternate)
            painter->fillRect(option.rect, option.palette.brush(group, QPalette::AlternateBase));
        const QRect area = option.rect.adjusted(6, 0, -6, 0);
        if (area.width() <= 0)
            return;
        const QStaticText& text = laidOut(index.data(Qt::DisplayRole).toString(), option.font, area.width());
        painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        painter->setFont(option.font);
        const int y = area.top() + (area.height() - int(text.size().height())) / 2;
        painter->setClipRect(area);
        painter->drawStaticText(area.left(), y, text);
        painter->setClipping(false);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // Roomy rows: the cashier reads them at arm's length.
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 8);
    }

private:
    const QStaticText& laidOut(const QString& cell, const QFont& font, int width) const
    {
        const QString key = cell + QLatin1Char('\x1f') + QString::number(width);
        auto it = cache_.constFind(key);
        if (it != cache_.constEnd())
            return *it;
        if (cache_.size() > 4000)
            cache_.clear();
        const QFontMetrics fm(font);
        QStaticText text(fm.horizontalAdvance(cell) > width ? fm.elidedText(cell, Qt::ElideRight, width) : cell);
        text.setTextFormat(Qt::PlainText);
        text.setPerformanceHint(QStaticText::AggressiveCaching);
        text.prepare(QTransform(), font);
        return *cache_.insert(key, text);
    }

    mutable QHash<QString, QStaticText> cache_;
};

} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Velmora收银系统 - 收银端"));
    mscGx = new PoleDisplay(this);
    buildLayout();

    timerShow = new QTimer(this);
    timerShow->setObjectName(QStringLiteral("timerShow"));
    timerShow->setInterval(1000);
    connect(timerShow, &QTimer::timeout, this, &TfrmMain::timerShowTimer);
    timerShow->start();

    // The window sees every key of its controls first, and the resizing of the list's viewport.
    qApp->installEventFilter(this);

    FormCreate();
}

TfrmMain::~TfrmMain()
{
    qApp->removeEventFilter(this);
}

void TfrmMain::buildLayout()
{
    setFont(tillFont(11));

    auto* body = new QWidget(this);
    body->setObjectName(QStringLiteral("body"));
    {
        QPalette pal = body->palette();
        pal.setColor(QPalette::Window, Qt::black);
        body->setPalette(pal);
        body->setAutoFillBackground(true);
    }
    setCentralWidget(body);

    // Top bar: shop name, receipt number, operator, member.
    auto* top = newBar(body, "panTop");
    panTop = top;
    lblShopName = newLabel(top, "lblShopName", QStringLiteral("Velmora收银系统"), 20, true);
    Label2 = newLabel(top, "Label2", QStringLiteral("流水号："), 13);
    lblLsdh = newLabel(top, "lblLsdh", QString(), 13, true);
    Label3 = newLabel(top, "Label3", QStringLiteral("操作员："), 13);
    lblCzy = newLabel(top, "lblCzy", QString(), 13, true);
    Label22 = newLabel(top, "Label22", QStringLiteral("当前会员："), 13);
    lblMberID = newLabel(top, "lblMberID", QStringLiteral("无"), 13, true);
    lblLsdh->setMinimumWidth(150);
    lblCzy->setMinimumWidth(90);
    lblMberID->setMinimumWidth(110);
    auto* topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(14, 8, 14, 8);
    topRow->setSpacing(4);
    topRow->addWidget(lblShopName);
    topRow->addStretch(1);
    for (QLabel* l : {Label2, lblLsdh, Label3, lblCzy, Label22, lblMberID})
        topRow->addWidget(l);
    topRow->insertSpacing(topRow->indexOf(Label3), 24);
    topRow->insertSpacing(topRow->indexOf(Label22), 24);

    auto* line = newBar(body, "shpLineTop");
    line->setFixedHeight(2);
    shpLineTop = line;

    // Entry bar.
    auto* entry = newBar(body, "Panel4");
    Panel4 = entry;
    Label4 = newLabel(entry, "Label4", QStringLiteral("商品编号(条码)/名称(F3)："), 12);
    editID = new QLineEdit(entry);
    editID->setObjectName(QStringLiteral("editID"));
    editID->setFont(tillFont(16, true));
    editID->setToolTip(QStringLiteral("输入条码按回车键或直接用条码枪扫描商品条码。"));
    editID->setPlaceholderText(QStringLiteral("输入条码按回车键或直接用条码枪扫描商品条码。"));
    editID->setMinimumWidth(300);
    editID->setMaximumWidth(520);
    // "+", "-" and "=" are keys of the till, never part of a code; this also keeps them out of a paste.
    editID->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^+\\-=]*")), editID));
    btnCls = newButton(entry, "btnCls", QStringLiteral("清屏(F11)"));
    btnGuadan = newButton(entry, "btnGuadan", QStringLiteral("挂单(F9)"));
    btnQudan = newButton(entry, "btnQudan", QStringLiteral("取单(F10)"));
    auto* entryRow = new QHBoxLayout(entry);
    entryRow->setContentsMargins(14, 6, 14, 6);
    entryRow->setSpacing(8);
    entryRow->addWidget(Label4);
    entryRow->addWidget(editID, 1);
    entryRow->addSpacing(10);
    entryRow->addWidget(btnCls);
    entryRow->addWidget(btnGuadan);
    entryRow->addWidget(btnQudan);
    entryRow->addStretch(0);

    // The cart.
    lvwSp = new QTreeWidget(body);
    lvwSp->setObjectName(QStringLiteral("lvwSp"));
    lvwSp->setColumnCount(CartColumnCount);
    lvwSp->setHeaderLabels({QStringLiteral("商品编号"), QStringLiteral("商品名称"), QStringLiteral("单价(元)"),
                            QStringLiteral("数量"), QStringLiteral("折扣(%)"), QStringLiteral("会员价(元)"),
                            QStringLiteral("金额(元)")});
    lvwSp->setRootIsDecorated(false);
    lvwSp->setItemsExpandable(false);
    lvwSp->setUniformRowHeights(true);
    lvwSp->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwSp->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwSp->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwSp->setSortingEnabled(false);
    lvwSp->setAllColumnsShowFocus(true);
    lvwSp->setFocusPolicy(Qt::ClickFocus);
    lvwSp->setFont(tillFont(14));
    lvwSp->header()->setFont(tillFont(11));
    lvwSp->header()->setSectionsMovable(false);
    lvwSp->header()->setSectionsClickable(false);
    lvwSp->header()->setStretchLastSection(false);
    lvwSp->header()->setMinimumSectionSize(40);
    for (int c = 0; c < CartColumnCount; ++c)
        lvwSp->setColumnWidth(c, kColumnWidths[c]);
    lvwSp->setFrameShape(QFrame::NoFrame);
    {
        // Large white text on black; the selection stays as visible when the list loses the focus.
        QPalette pal = lvwSp->palette();
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            pal.setColor(group, QPalette::Base, Qt::black);
            pal.setColor(group, QPalette::AlternateBase, QColor(0x12, 0x12, 0x12));
            pal.setColor(group, QPalette::Window, Qt::black);
            pal.setColor(group, QPalette::Text, Qt::white);
            pal.setColor(group, QPalette::WindowText, Qt::white);
            pal.setColor(group, QPalette::Button, QColor(0x33, 0x33, 0x33));
            pal.setColor(group, QPalette::ButtonText, Qt::white);
            pal.setColor(group, QPalette::Highlight, QColor(0x1f, 0x5f, 0xbf));
            pal.setColor(group, QPalette::HighlightedText, Qt::white);
        }
        lvwSp->setPalette(pal);
        lvwSp->header()->setPalette(pal);
        lvwSp->setAlternatingRowColors(true);
    }
    lvwSp->setItemDelegate(new CartDelegate(lvwSp));
    // Anything that changes the cart other than a scan makes the quantity tally count again.
    QAbstractItemModel* model = lvwSp->model();
    auto stale = [this] {
        if (!addingLine_)
            tally_.invalidate();
    };
    connect(model, &QAbstractItemModel::rowsInserted, this, stale);
    connect(model, &QAbstractItemModel::rowsRemoved, this, stale);
    connect(model, &QAbstractItemModel::dataChanged, this, stale);
    connect(model, &QAbstractItemModel::modelReset, this, stale);
    connect(model, &QAbstractItemModel::layoutChanged, this, stale);

    // Shortcut panel on the right.
    auto* kjj = newBar(body, "panKjj");
    panKjj = kjj;
    kjj->setFixedWidth(236);
    auto* kjjCol = new QVBoxLayout(kjj);
    kjjCol->setContentsMargins(14, 10, 8, 10);
    kjjCol->setSpacing(5);
    auto* kjjTitle = newLabel(kjj, "Label5", QStringLiteral("快捷键一览"), 13, true);
    kjjCol->addWidget(kjjTitle);
    kjjCol->addSpacing(4);
    const char* const keys[] = {"显示/隐藏快捷键一览：F1", "打印上一单小票：Page Up", "结账：F5", "修改数量：F6",
                                "删除所选：Delete", "修改折扣：F2", "退货：End", "会员卡：F4", "商品浏览：F7",
                                "日统计报表：F8", "挂单：F9", "取单：F10", "清屏：F11", "打开钱箱：Home",
                                "增加/减少商品数量：+/-", "输入框获得焦点：F3"};
    int n = 7;
    for (const char* k : keys) {
        auto* l = newLabel(kjj, QStringLiteral("Label%1").arg(n++).toLatin1().constData(), QString::fromUtf8(k), 10);
        l->setStyleSheet(QStringLiteral("color: #d8d8d8;"));
        kjjCol->addWidget(l);
    }
    kjjCol->addStretch(1);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    middle->addWidget(lvwSp, 1);
    middle->addWidget(kjj);

    // Bottom bar: the total and the buttons.
    auto* bottom = newBar(body, "Panel1");
    Panel1 = bottom;
    Label6 = newLabel(bottom, "Label6", QStringLiteral("总金额："), 18, true);
    lblZje = newLabel(bottom, "lblZje", QStringLiteral("0元"), 30, true);
    lblZje->setMinimumWidth(220);
    btnJiezhang = newButton(bottom, "btnJiezhang", QStringLiteral("结账(F5)"));
    btnJiezhang->setFont(tillFont(16, true));
    btnJiezhang->setMinimumWidth(130);
    btnTuihuo = newButton(bottom, "btnTuihuo", QStringLiteral("退货(END)"));
    btnXgsl = newButton(bottom, "btnXgsl", QStringLiteral("修改数量(F6)"));
    btnMber = newButton(bottom, "btnMber", QStringLiteral("会员卡(F4)"));
    btnXgzk = newButton(bottom, "btnXgzk", QStringLiteral("修改折扣(F2)"));
    btnSpll = newButton(bottom, "btnSpll", QStringLiteral("商品浏览(F7)"));
    btnDel = newButton(bottom, "btnDel", QStringLiteral("删除所选(Del)"));
    btnRtj = newButton(bottom, "btnRtj", QStringLiteral("日统计表(F8)"));
    btnConf = newButton(bottom, "btnConf", QStringLiteral("系统设置(F12)"));
    btnExit = newButton(bottom, "btnExit", QStringLiteral("退出系统(ESC)"));
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(6);
    const QList<QPushButton*> row0{btnTuihuo, btnXgsl, btnMber, btnXgzk, btnSpll};
    const QList<QPushButton*> row1{btnDel, btnRtj, btnConf, btnExit};
    for (int i = 0; i < row0.size(); ++i)
        grid->addWidget(row0[i], 0, i);
    for (int i = 0; i < row1.size(); ++i)
        grid->addWidget(row1[i], 1, i);
    grid->addWidget(btnJiezhang, 0, 5, 2, 1);
    auto* bottomRow = new QHBoxLayout(bottom);
    bottomRow->setContentsMargins(14, 8, 14, 8);
    bottomRow->addWidget(Label6, 0, Qt::AlignVCenter);
    bottomRow->addWidget(lblZje, 0, Qt::AlignVCenter);
    bottomRow->addStretch(1);
    bottomRow->addLayout(grid);
    btnJiezhang->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);

    auto* page = new QVBoxLayout(body);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(top);
    page->addWidget(line);
    page->addWidget(entry);
    page->addLayout(middle, 1);
    page->addWidget(bottom);

    // Status bar: five panels, black with white text at the left edge.
    stBar = new QStatusBar(this);
    stBar->setObjectName(QStringLiteral("stBar"));
    stBar->setSizeGripEnabled(false);
    for (int i = 0; i < 5; ++i) {
        stBarPanels[i] = new QLabel(stBar);
        stBarPanels[i]->setObjectName(QStringLiteral("stBarPanel%1").arg(i));
        stBarPanels[i]->setFont(tillFont(10));
        // At least the panel's width; wider when a CJK font needs more room for its text.
        stBarPanels[i]->setMinimumWidth(kStatusWidths[i]);
        stBarPanels[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        stBar->addWidget(stBarPanels[i]);
    }
    setStatusBar(stBar);

    for (QWidget* bar : {panTop, shpLineTop, Panel4, panKjj, Panel1, static_cast<QWidget*>(stBar)})
        bar->setStyleSheet(QString::fromLatin1(kBarStyle));

    // Buttons: each command, then back to the entry box.
    const std::pair<QPushButton*, void (TfrmMain::*)()> commands[] = {
        {btnCls, &TfrmMain::btnClsClick},         {btnGuadan, &TfrmMain::btnGuadanClick},
        {btnQudan, &TfrmMain::btnQudanClick},     {btnJiezhang, &TfrmMain::btnJiezhangClick},
        {btnTuihuo, &TfrmMain::btnTuihuoClick},   {btnXgsl, &TfrmMain::btnXgslClick},
        {btnMber, &TfrmMain::btnMberClick},       {btnXgzk, &TfrmMain::btnXgzkClick},
        {btnSpll, &TfrmMain::btnSpllClick},       {btnDel, &TfrmMain::btnDelClick},
        {btnRtj, &TfrmMain::btnRtjClick},         {btnConf, &TfrmMain::btnConfClick},
        {btnExit, &TfrmMain::btnExitClick},
    };
    for (const auto& [button, command] : commands) {
        auto fn = command;
        connect(button, &QPushButton::clicked, this, [this, fn] { runCommand(fn); });
    }
}

void TfrmMain::FormCreate()
{
    LastLs.clear();
    MberID.clear();
    MberName.clear();

    lblCzy->setText(gl::currentOperator());
    stBarPanels[0]->setText(QStringLiteral("欢迎使用Velmora收银系统"));
    stBarPanels[1]->setText(QStringLiteral("操作员：") + gl::currentOperator());
    stBarPanels[2]->setText(gl::fmtDateTime(QDateTime::currentDateTime()));
    stBarPanels[3]->setText(QStringLiteral("Velmora收银系统 V1.0"));

    mscGx->OpenGxdk();

    // Settings held for the whole run. A value that is not a number keeps its default, and the
    // cashier is told which keys to correct, rather than the till refusing to start.
    QStringList bad;
    try {
        auto readInt = [&bad](const QString& value, const char* key, int* out) {
            if (!gl::parseInt(value, out))
                bad << QString::fromLatin1(key);
        };
        yl = gl::isOn(gl::readTermSetting(QStringLiteral("yl")));
        print = gl::isOn(gl::readTermSetting(QStringLiteral("print")));
        printer = gl::readTermSetting(QStringLiteral("printer"));
        readInt(gl::readTermSetting(QStringLiteral("dyfs")), "dyfs", &dyfs);
        readInt(gl::readTermSetting(QStringLiteral("xbj")), "xbj", &xbj);
        if (!gl::parseNumber(gl::readShopSetting(QStringLiteral("yuan")), &yuan))
            bad << QStringLiteral("yuan");
        shopname = gl::readShopSetting(QStringLiteral("shopname"));
        scale = ScaleSettings::fromShop(&bad);
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
    }
    if (!bad.isEmpty())
        gl::MsgWarn(QStringLiteral("以下设置项的值不是数值，已按默认值处理，请在系统设置中改正：%1")
                        .arg(bad.join(QStringLiteral("、"))),
                    this);

    if (!shopname.isEmpty()) {
        setWindowTitle(QStringLiteral("Velmora收银系统 - 收银端 [") + shopname + QStringLiteral("]"));
        lblShopName->setText(shopname);
    }

    GetNextLs();
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    focusEntry();
}

bool TfrmMain::FormCloseQuery()
{
    return gl::MsgYesNo(QStringLiteral("您确实要退出系统吗？"), this, QStringLiteral("退出确认"));
}

void TfrmMain::FormClose()
{
    mscGx->CloseGx();
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (FormCloseQuery()) {
        FormClose();
        event->accept();
    } else {
        event->ignore();
        focusEntry();
    }
}

void TfrmMain::focusEntry()
{
    if (!isVisible())
        return;
    // When a dialog has closed, the sale screen takes the keyboard back itself rather than
    // relying on the window system, so the next scan lands in the entry box. While a dialog is
    // still open (checkout taking the next number) it only marks the box for later.
    if (!isActiveWindow() && !QApplication::activeModalWidget())
        activateWindow();
    editID->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::runCommand(void (TfrmMain::*command)())
{
    (this->*command)();
    focusEntry();
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        // Once per key: at the control that has the focus (or the window itself when no control
        // has it), not again while the key travels up to the parents. Keys of a modal dialog
        // belong to the dialog's own window.
        QWidget* focus = focusWidget();
        if (w->window() == this && w == (focus ? focus : this)) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (FormShortCut(key))
                return true;
            const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
            if (w == editID) {
                if (enter) {
                    editIDKeyPress();
                    return true;
                }
                const QString t = key->text();
                if (t == QLatin1String("+") || t == QLatin1String("-") || t == QLatin1String("="))
                    return true;
            } else if (w == lvwSp && enter) {
                lvwSpKeyPress();
                return true;
            }
        }
    } else if (event->type() == QEvent::Resize && watched == lvwSp->viewport()) {
        lvwSpResize();
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmMain::FormShortCut(QKeyEvent* key)
{
    const bool keypad = key->modifiers() & Qt::KeypadModifier;
    switch (key->key()) {
    case Qt::Key_Escape:
        close();
        return true;
    case Qt::Key_PageUp:
        runCommand(&TfrmMain::PrintLastLs);
        return true;
    case Qt::Key_End:
        runCommand(&TfrmMain::btnTuihuoClick);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (focusWidget() != lvwSp) {
            // Into the list, and the arrow moves its selection from there.
            lvwSp->setFocus(Qt::OtherFocusReason);
            QKeyEvent again(QEvent::KeyPress, key->key(), key->modifiers());
            QApplication::sendEvent(lvwSp, &again);
            return true;
        }
        return false;
    case Qt::Key_Delete:
        // The key still reaches the control: in the entry box it also deletes at the caret.
        runCommand(&TfrmMain::btnDelClick);
        return false;
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (!keypad)
            return false;
        if (QTreeWidgetItem* line = selectedLine()) {
            const double q = cellNumber(line, ColQty);
            if (key->key() == Qt::Key_Plus)
                changeQuantity(line, q + 1);
            else if (q > 1)
                changeQuantity(line, q - 1);
            else
                deleteLine(line);
        }
        return true;
    case Qt::Key_F1:
        panKjj->setVisible(!panKjj->isVisible());
        return true;
    case Qt::Key_F2:
        runCommand(&TfrmMain::btnXgzkClick);
        return true;
    case Qt::Key_F3:
        editID->clear();
        editID->setFocus(Qt::OtherFocusReason);
        return true;
    case Qt::Key_F4:
        runCommand(&TfrmMain::btnMberClick);
        return true;
    case Qt::Key_F5:
        runCommand(&TfrmMain::btnJiezhangClick);
        return true;
    case Qt::Key_F6:
        runCommand(&TfrmMain::btnXgslClick);
        return true;
    case Qt::Key_F7:
        runCommand(&TfrmMain::btnSpllClick);
        return true;
    case Qt::Key_F8:
        runCommand(&TfrmMain::btnRtjClick);
        return true;
    case Qt::Key_F9:
        runCommand(&TfrmMain::btnGuadanClick);
        return true;
    case Qt::Key_F10:
        runCommand(&TfrmMain::btnQudanClick);
        return true;
    case Qt::Key_F11:
        runCommand(&TfrmMain::btnClsClick);
        return true;
    case Qt::Key_F12:
        runCommand(&TfrmMain::btnConfClick);
        return true;
    default:
        return false;
    }
}

void TfrmMain::GetNextLs()
{
    btnClsClick();
    try {
        NowLs = takeNextReceiptNo(gl::shopDb());
        lblLsdh->setText(NowLs);
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
    }
}

void TfrmMain::JisuanZje()
{
    Zje = cartTotal(lvwSp);
    lblZje->setText(gl::fmtMoney(Zje) + QStringLiteral("元"));
    mscGx->ShowGx(QLatin1Char('2'), Zje);
}

QTreeWidgetItem* TfrmMain::selectedLine() const
{
    const QList<QTreeWidgetItem*> items = lvwSp->selectedItems();
    return items.isEmpty() ? nullptr : items.first();
}

void TfrmMain::changeQuantity(QTreeWidgetItem* line, double q)
{
    const double unit = unitForRepricing(lineUnit(line), hasLineUnit(line), cellNumber(line, ColPrice),
                                         cellNumber(line, ColHyj), cellNumber(line, ColQty), cellNumber(line, ColJe),
                                         !MberID.isEmpty());
    setLineUnit(line, unit);
    line->setText(ColQty, gl::fmtNum(q));
    line->setText(ColJe, gl::fmtNum(q * unit));
    JisuanZje();
}

void TfrmMain::deleteLine(QTreeWidgetItem* line)
{
    delete line;
    lvwSp->clearSelection();
    lvwSp->setCurrentItem(nullptr);
    JisuanZje();
}

void TfrmMain::editIDKeyPress()
{
    const QString text = editID->text();
    if (text.isEmpty())
        return;
    Entry entry;
    try {
        entry = priceEntry(text, scale, MberID,
                           [this](const QString& id) { return tally_.count(lvwSp, id); });
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        focusEntry();
        return;
    }
    switch (entry.status) {
    case EntryStatus::Nothing:
        return;
    case EntryStatus::GoodsMissing:
        gl::MsgWarn(QStringLiteral("商品不存在！"), this);
        editID->clear();
        focusEntry();
        return;
    case EntryStatus::ScaleGoodsMissing:
        gl::MsgWarn(QStringLiteral("条码中的商品不存在！"), this);
        break;
    case EntryStatus::BadScaleNumber:
        gl::MsgWarn(QStringLiteral("条码中的重量或金额不正确！"), this);
        break;
    case EntryStatus::Added: {
        QTreeWidgetItem* item = newCartItem(entry.line);
        addingLine_ = true;
        lvwSp->addTopLevelItem(item);
        addingLine_ = false;
        double q = 0;
        gl::parseNumber(entry.line.qty, &q);
        tally_.added(entry.line.id, q);
        break;
    }
    }
    // Finish: the last line selected, the total shown, the box ready for the next code.
    if (const int n = lvwSp->topLevelItemCount()) {
        QTreeWidgetItem* last = lvwSp->topLevelItem(n - 1);
        lvwSp->setCurrentItem(last);
        lvwSp->scrollToItem(last);
    }
    JisuanZje();
    editID->clear();
    focusEntry();
}

void TfrmMain::lvwSpKeyPress()
{
    editID->clear();
    editID->setFocus(Qt::OtherFocusReason);
}

void TfrmMain::lvwSpResize()
{
    int others = 0;
    for (int c = 0; c < CartColumnCount; ++c)
        if (c != ColName)
            others += lvwSp->columnWidth(c);
    lvwSp->setColumnWidth(ColName, std::max(120, lvwSp->viewport()->width() - others));
}

void TfrmMain::timerShowTimer()
{
    stBarPanels[2]->setText(gl::fmtDateTime(QDateTime::currentDateTime()));
}

void TfrmMain::btnClsClick()
{
    MberID.clear();
    MberName.clear();
    lblMberID->setText(QStringLiteral("无"));
    lvwSp->clear();
    tally_.invalidate();
    JisuanZje();
    editID->clear();
    mscGx->Reset();
    focusEntry();
}

void TfrmMain::btnDelClick()
{
    QTreeWidgetItem* line = selectedLine();
    if (!line) {
        gl::MsgWarn(QStringLiteral("没有选中任何商品！"), this, QStringLiteral("删除"));
        return;
    }
    deleteLine(line);
}

void TfrmMain::btnXgslClick()
{
    QTreeWidgetItem* line = selectedLine();
    if (!line) {
        gl::MsgWarn(QStringLiteral("没有选中任何商品！"), this, QStringLiteral("修改数量"));
        return;
    }
    const QString answer =
        gl::InputStr(QStringLiteral("请输入商品数量："), QStringLiteral("修改商品数量"), line->text(ColQty), this)
            .trimmed();
    if (answer.isEmpty())
        return;
    double q = 0;
    if (!gl::parseNumber(answer, &q)) {
        gl::MsgWarn(QStringLiteral("请输入数值！"), this, QStringLiteral("修改数量"));
        return;
    }
    changeQuantity(line, q);
}

void TfrmMain::btnMberClick()
{
    if (lvwSp->topLevelItemCount() > 0) {
        if (!gl::MsgYesNo(QStringLiteral("刷入会员卡前需要重置当前消费单信息，是否继续？"), this,
                          QStringLiteral("会员卡")))
            return;
        btnClsClick();
    }
    const QString answer =
        gl::InputStr(QStringLiteral("请输入会员卡号/姓名："), QStringLiteral("会员卡"), QString(), this).trimmed();
    if (answer.isEmpty())
        return;
    std::optional<Member> m;
    try {
        m = findMember(answer);
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return;
    }
    if (!m) {
        gl::MsgWarn(QStringLiteral("找不到指定会员！"), this);
        return;
    }
    if (m->st != 0) {
        gl::MsgWarn(QStringLiteral("会员卡号[") + answer + QStringLiteral("]当前状态为无效！"), this);
        return;
    }
    MberID = m->id;
    MberName = m->mbername;
    lblMberID->setText(MberID);
    JisuanZje();
}

void TfrmMain::btnJiezhangClick()
{
    doCheckout(this);
}

void TfrmMain::btnGuadanClick()
{
    doHold(this);
}

void TfrmMain::btnQudanClick()
{
    doRetrieve(this);
}

void TfrmMain::btnTuihuoClick()
{
    doReturns(this);
}

void TfrmMain::btnXgzkClick()
{
    doDiscount(this);
}

void TfrmMain::btnSpllClick()
{
    doGoodsBrowser(this);
}

void TfrmMain::btnRtjClick()
{
    doDailyReport(this);
}

void TfrmMain::btnConfClick()
{
    doTerminalSettings(this);
}

void TfrmMain::PrintLastLs()
{
    printLast(this);
}

void TfrmMain::btnExitClick()
{
    close();
}

} // namespace till
