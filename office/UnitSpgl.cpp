#include "UnitSpgl.h"

#include "Db.h"
#include "Dialogs.h"
#include "GoodsStore.h"
#include "Session.h"
#include "UnitAESp.h"
#include "UnitAdvSch.h"

#include "UnitExcel.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace office
{

TfrmSpgl* frmSpgl = nullptr;

namespace
{

const QString kAllLb = QStringLiteral("所有类别");
const QString kDown = QStringLiteral(" ↓");
const QString kUp = QStringLiteral(" ↑");
// Columns 0-13 sort; the remark column never does.
const int kSortable = SpPs;

// The 32x32 page icons, drawn here.
QIcon pageIcon(const QColor& colour, const QString& glyph)
{
    const QString svg =
        QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='32' height='32' viewBox='0 0 32 32'>"
                       "<rect x='1' y='1' width='30' height='30' rx='6' fill='%1'/>%2</svg>")
            .arg(colour.name(), glyph);
    QSvgRenderer r(svg.toUtf8());
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    r.render(&p);
    return QIcon(pm);
}

QPushButton* button(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QWidget* emptyPage(const char* name)
{
    auto* w = new QWidget;
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

} // namespace

TfrmSpgl::TfrmSpgl(QWidget* parent) : QWidget(parent)
{
    frmSpgl = this;
    setObjectName(QStringLiteral("frmSpgl"));
    setWindowTitle(QStringLiteral("商品管理"));
    QFont f = font();
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("WenQuanYi Zen Hei")});
    setFont(f);

    pageSp = new QTabWidget(this);
    pageSp->setObjectName(QStringLiteral("pageSp"));
    pageSp->setIconSize(QSize(32, 32));
    tabSpxx = buildGoodsPage();
    tabJthjl = emptyPage("tabJthjl");
    tabKcpd = emptyPage("tabKcpd");
    tabKcyd = emptyPage("tabKcyd");
    tabGhsgl = emptyPage("tabGhsgl");
    const QString white = QStringLiteral("#ffffff");
    pageSp->addTab(
        tabSpxx,
        pageIcon(QColor(0x2e, 0x8b, 0x72),
                 QStringLiteral("<path d='M8 12 l8-5 l8 5 v10 l-8 5 l-8-5 z' fill='%1'/>").arg(white)),
        QStringLiteral("商品信息(&I)"));
    pageSp->addTab(tabJthjl,
                   pageIcon(QColor(0x3b, 0x7d, 0xd8),
                            QStringLiteral("<path d='M7 12 h14 v-4 l6 6 l-6 6 v-4 h-14 z' fill='%1'/>"
                                           "<rect x='7' y='22' width='18' height='3' fill='%1'/>")
                                .arg(white)),
                   QStringLiteral("进货/退货记录(&R)"));
    pageSp->addTab(
        tabKcpd,
        pageIcon(
            QColor(0xe0, 0x8a, 0x2c),
            QStringLiteral("<rect x='9' y='6' width='14' height='20' rx='2' fill='%1'/>"
                           "<path d='M12 16 l3 3 l6 -7' stroke='#e08a2c' stroke-width='2.5' fill='none'/>")
                .arg(white)),
        QStringLiteral("库存盘点(&C)"));
    pageSp->addTab(tabKcyd,
                   pageIcon(QColor(0xc2, 0x4b, 0x4b),
                            QStringLiteral("<path d='M16 6 l10 18 h-20 z' fill='%1'/>"
                                           "<rect x='15' y='12' width='2.5' height='7' fill='#c24b4b'/>"
                                           "<rect x='15' y='20.5' width='2.5' height='2.5' fill='#c24b4b'/>")
                                .arg(white)),
                   QStringLiteral("库存异动(&P)"));
    pageSp->addTab(tabGhsgl,
                   pageIcon(QColor(0x8a, 0x5b, 0xc2),
                            QStringLiteral("<rect x='5' y='12' width='14' height='10' fill='%1'/>"
                                           "<path d='M19 15 h5 l3 4 v3 h-8 z' fill='%1'/>"
                                           "<circle cx='10' cy='24' r='2.5' fill='%1'/>"
                                           "<circle cx='23' cy='24' r='2.5' fill='%1'/>")
                                .arg(white)),
                   QStringLiteral("供货商管理(&B)"));
    connect(pageSp, &QTabWidget::currentChanged, this, &TfrmSpgl::pageSpChange);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(pageSp);

    FormCreate();
}

TfrmSpgl::~TfrmSpgl()
{
    if (frmSpgl == this)
        frmSpgl = nullptr;
}

QWidget* TfrmSpgl::buildGoodsPage()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabSpxx"));

    grpLb = new QGroupBox(QStringLiteral("商品类别"), page);
    grpLb->setObjectName(QStringLiteral("grpLb"));
    grpLb->setFixedWidth(180);
    listLb = new QListWidget(grpLb);
    listLb->setObjectName(QStringLiteral("listLb"));
    btnAddLb = button(QStringLiteral("添加(&T)"), "btnAddLb", grpLb);
    btnDelLb = button(QStringLiteral("删除(&G)"), "btnDelLb", grpLb);
    auto* lbButtons = new QHBoxLayout;
    lbButtons->addWidget(btnAddLb);
    lbButtons->addWidget(btnDelLb);
    auto* lbLayout = new QVBoxLayout(grpLb);
    lbLayout->addWidget(listLb, 1);
    lbLayout->addSpacing(5);
    lbLayout->addLayout(lbButtons);

    grpSp = new QGroupBox(QStringLiteral("商品信息"), page);
    grpSp->setObjectName(QStringLiteral("grpSp"));
    lblSp = new QLabel(QStringLiteral("商品编号/货号/名称："), grpSp);
    lblSp->setObjectName(QStringLiteral("lblSp"));
    editSp = new QLineEdit(grpSp);
    editSp->setObjectName(QStringLiteral("editSp"));
    editSp->setMaximumWidth(220);
    lblSp->setBuddy(editSp);
    btnFind = button(QStringLiteral("查询(&F)"), "btnFind", grpSp);
    btnFind->setDefault(true);
    btnAdvFind = button(QStringLiteral("高级查询(&V)"), "btnAdvFind", grpSp);
    btnSpExcel = button(QStringLiteral("导出为Excel"), "btnSpExcel", grpSp);
    auto* searchLine = new QHBoxLayout;
    searchLine->addWidget(lblSp);
    searchLine->addWidget(editSp, 1);
    searchLine->addWidget(btnFind);
    searchLine->addWidget(btnAdvFind);
    searchLine->addWidget(btnSpExcel);
    searchLine->addStretch();

    lvwSp = new QTreeView(grpSp);
    lvwSp->setObjectName(QStringLiteral("lvwSp"));
    spModel = new GoodsModel(lvwSp);
    lvwSp->setModel(spModel);
    lvwSp->setRootIsDecorated(false);
    lvwSp->setItemsExpandable(false);
    lvwSp->setUniformRowHeights(true); // keeps a list of a whole large catalogue fast
    lvwSp->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwSp->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwSp->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwSp->setAllColumnsShowFocus(true);
    lvwSp->setSortingEnabled(false);
    lvwSp->setStyleSheet(QStringLiteral(
        "QTreeView::item { border-right: 1px solid #d8d8d8; border-bottom: 1px solid #d8d8d8; }"
        "QTreeView::item:selected { background: #2e8b72; color: #ffffff; }"));
    lvwSp->header()->setSectionsClickable(true);
    lvwSp->header()->setSectionsMovable(false);
    lvwSp->header()->setStretchLastSection(false);
    lvwSp->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const QVector<int>& widths = goods::columnWidths();
    for (int c = 0; c < widths.size(); ++c)
        lvwSp->header()->resizeSection(c, widths[c]);
    lvwSp->setContextMenuPolicy(Qt::CustomContextMenu);

    btnAdd = button(QStringLiteral("添加商品(&A)"), "btnAdd", grpSp);
    btnEdit = button(QStringLiteral("修改选中(&E)"), "btnEdit", grpSp);
    btnDel = button(QStringLiteral("删除选中(&D)"), "btnDel", grpSp);
    btnJth = button(QStringLiteral("进/退货(&K)"), "btnJth", grpSp);
    auto* spButtons = new QHBoxLayout;
    for (QPushButton* b : {btnAdd, btnEdit, btnDel, btnJth})
        spButtons->addWidget(b);
    spButtons->addStretch();

    auto* spLayout = new QVBoxLayout(grpSp);
    spLayout->addLayout(searchLine);
    spLayout->addWidget(lvwSp, 1);
    spLayout->addSpacing(5);
    spLayout->addLayout(spButtons);

    auto* pageLayout = new QHBoxLayout(page);
    pageLayout->addWidget(grpLb);
    pageLayout->addWidget(grpSp, 1);

    popLeft = new QMenu(this);
    popLeft->setObjectName(QStringLiteral("popLeft"));
    mnuJth = popLeft->addAction(QStringLiteral("商品进退货(&G)"));
    mnuJth->setObjectName(QStringLiteral("mnuJth"));
    mnuSetZk = popLeft->addAction(QStringLiteral("根据购买的数量设置折扣(&S)"));
    mnuSetZk->setObjectName(QStringLiteral("mnuSetZk"));

    connect(listLb, &QListWidget::itemClicked, this, &TfrmSpgl::listLbClick);
    connect(btnAddLb, &QPushButton::clicked, this, &TfrmSpgl::btnAddLbClick);
    connect(btnDelLb, &QPushButton::clicked, this, &TfrmSpgl::btnDelLbClick);
    connect(btnFind, &QPushButton::clicked, this, &TfrmSpgl::btnFindClick);
    connect(editSp, &QLineEdit::returnPressed, this, &TfrmSpgl::btnFindClick);
    connect(btnAdvFind, &QPushButton::clicked, this, &TfrmSpgl::btnAdvFindClick);
    connect(btnSpExcel, &QPushButton::clicked, this, &TfrmSpgl::btnSpExcelClick);
    connect(lvwSp->header(), &QHeaderView::sectionClicked, this, &TfrmSpgl::lvwSpColumnClick);
    connect(lvwSp, &QTreeView::doubleClicked, this, &TfrmSpgl::lvwSpDblClick);
    connect(lvwSp, &QWidget::customContextMenuRequested, this, &TfrmSpgl::popLeftPopup);
    connect(btnAdd, &QPushButton::clicked, this, &TfrmSpgl::btnAddClick);
    connect(btnEdit, &QPushButton::clicked, this, &TfrmSpgl::btnEditClick);
    connect(btnDel, &QPushButton::clicked, this, &TfrmSpgl::btnDelClick);
    connect(btnJth, &QPushButton::clicked, this, &TfrmSpgl::btnJthClick);
    connect(mnuJth, &QAction::triggered, this, &TfrmSpgl::mnuJthClick);
    connect(mnuSetZk, &QAction::triggered, this, &TfrmSpgl::mnuSetZkClick);
    return page;
}

void TfrmSpgl::FormCreate()
{
    SpListSql = SpQuery();
    ReLb();
}

bool TfrmSpgl::allowed(int position)
{
    try {
        if (gl::hasPermission(position))
            return true;
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return false;
    }
    gl::MsgNoPermission(this);
    return false;
}

void TfrmSpgl::ShowSpList(const SpQuery& query, bool remember)
{
    if (query.isEmpty())
        return;
    if (remember)
        SpListSql = query;
    try {
        spModel->load(gl::shopDb(), query);
    } catch (const gl::DbError& e) {
        spModel->clear();
        gl::MsgWarn(e.message(), this);
    }
}

void TfrmSpgl::ReLb()
{
    listLb->clear();
    listLb->addItem(kAllLb);
    try {
        listLb->addItems(goodsstore::categories());
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
    }
}

int TfrmSpgl::selectedRow() const
{
    const QModelIndexList rows = lvwSp->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString TfrmSpgl::selectedId() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : spModel->text(row, SpId);
}

QString TfrmSpgl::selectedName() const
{
    const int row = selectedRow();
    return row < 0 ? QString() : spModel->text(row, SpMc);
}

void TfrmSpgl::pageSpChange(int index)
{
    if (pageGuard_)
        return;
    static const int permissions[] = {0, gl::PermStockInOut, gl::PermStocktaking, gl::PermAdjustment,
                                      gl::PermSuppliers};
    if (index <= PageSpxx || index > PageGhsgl)
        return;
    bool ok = false;
    try {
        ok = gl::hasPermission(permissions[index]);
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
    }
    if (!ok) {
        pageGuard_ = true;
        pageSp->setCurrentIndex(PageSpxx);
        pageGuard_ = false;
        gl::MsgNoPermission(this);
    }
}

void TfrmSpgl::listLbClick(QListWidgetItem* item)
{
    if (!item)
        return;
    // The first entry stands for every category, whatever a category may be called.
    if (listLb->row(item) == 0)
        ShowSpList(goods::allGoods(), true);
    else
        ShowSpList(goods::byCategory(item->text()), true);
}

void TfrmSpgl::btnAddLbClick()
{
    const QString name =
        gl::InputStr(QStringLiteral("请输入类别名称："), QStringLiteral("添加新商品类别"), QString(), this);
    if (name.isEmpty())
        return;
    try {
        if (!goodsstore::addCategory(name)) {
            gl::MsgWarn(QStringLiteral("您输入的商品类别名称已经存在！"), this);
            return;
        }
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return;
    }
    ReLb();
    gl::MsgInfo(QStringLiteral("商品类别添加成功！"), this);
}

void TfrmSpgl::btnDelLbClick()
{
    const QList<QListWidgetItem*> chosen = listLb->selectedItems();
    if (chosen.isEmpty() || listLb->row(chosen.first()) == 0) {
        gl::MsgWarn(QStringLiteral("您没有选择要删除的商品类别！"), this);
        return;
    }
    const QString name = chosen.first()->text();
    if (!gl::MsgYesNo(QStringLiteral("您确实要删除商品类别[") + name +
                          QStringLiteral("]吗？（选定此类别的商品的商品类别将自动为空。）"),
                      this, QStringLiteral("确认删除类别")))
        return;
    try {
        goodsstore::deleteCategory(name);
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return;
    }
    ReLb();
}

void TfrmSpgl::btnFindClick()
{
    if (!allowed(gl::PermGoodsQuery))
        return;
    ShowSpList(goods::quickSearch(editSp->text()), true);
}

void TfrmSpgl::btnAdvFindClick()
{
    if (!allowed(gl::PermGoodsQuery))
        return;
    TfrmAdvSch dlg(this);
    dlg.exec();
}

void TfrmSpgl::btnSpExcelClick()
{
    if (spModel->rowCount() == 0) {
        gl::MsgWarn(QStringLiteral("没有任何数据！"), this);
        return;
    }
    ListToExcel(lvwSp, QStringLiteral("商品信息"), QString(), this);
}

void TfrmSpgl::lvwSpColumnClick(int column)
{
    if (SpListSql.isEmpty())
        return;
    const QStringList& plain = goods::captions();
    for (int c = 0; c < kSortable; ++c)
        if (c != column)
            spModel->setHeaderData(c, Qt::Horizontal, plain[c]);
    if (column < 0 || column >= kSortable)
        return;
    const QString caption = spModel->caption(column);
    if (caption == plain[column] || caption.endsWith(kUp)) {
        spModel->setHeaderData(column, Qt::Horizontal, plain[column] + kDown);
        ShowSpList(goods::sorted(SpListSql, column, true), false);
    } else if (caption.endsWith(kDown)) {
        spModel->setHeaderData(column, Qt::Horizontal, plain[column] + kUp);
        ShowSpList(goods::sorted(SpListSql, column, false), false);
    }
}

void TfrmSpgl::lvwSpDblClick()
{
    if (spModel->rowCount() > 0)
        btnEditClick();
}

void TfrmSpgl::btnAddClick()
{
    if (!allowed(gl::PermGoodsManage))
        return;
    TfrmAESp dlg(this);
    dlg.setWindowTitle(TfrmAESp::addCaption());
    dlg.exec();
}

void TfrmSpgl::btnEditClick()
{
    if (!allowed(gl::PermGoodsManage))
        return;
    const QString id = selectedId();
    if (selectedRow() < 0) {
        gl::MsgWarn(QStringLiteral("您没有选中任何商品！"), this);
        return;
    }
    TfrmAESp dlg(this);
    dlg.setWindowTitle(TfrmAESp::editCaption());
    dlg.FillForEdit(id);
    dlg.exec();
}

void TfrmSpgl::btnDelClick()
{
    if (!allowed(gl::PermGoodsManage))
        return;
    const int row = selectedRow();
    if (row < 0)
        return;
    if (!gl::MsgYesNo(QStringLiteral("您确实要删除选中商品吗？"), this, QStringLiteral("删除确认")))
        return;
    try {
        goodsstore::remove(spModel->text(row, SpId));
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return;
    }
    spModel->removeRow(row);
}

void TfrmSpgl::btnJthClick()
{
    if (!allowed(gl::PermStockInOut))
        return;
}

void TfrmSpgl::mnuJthClick()
{
    btnJthClick();
}

void TfrmSpgl::mnuSetZkClick() {}

void TfrmSpgl::popLeftPopup(const QPoint& pos)
{
    const bool any = selectedRow() >= 0;
    mnuJth->setEnabled(any);
    mnuSetZk->setEnabled(any);
    popLeft->popup(lvwSp->viewport()->mapToGlobal(pos));
}

} // namespace office
