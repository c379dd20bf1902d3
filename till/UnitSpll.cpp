#include "UnitSpll.h"

#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "GoodsBrowse.h"
#include "UnitMain.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace till {

namespace {
const QString kAllCategories = QStringLiteral("所有类别");
}

TfrmSpll::TfrmSpll(QWidget* parent) : TillDialog(parent)
{
    setObjectName(QStringLiteral("frmSpll"));
    setWindowTitle(QStringLiteral("商品浏览"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    Label1 = namedLabel(QStringLiteral("商品类别(F3)："), "Label1", this);
    listLb = new QListWidget(this);
    listLb->setObjectName(QStringLiteral("listLb"));
    listLb->setFixedWidth(170);

    Label2 = namedLabel(QStringLiteral("输入商品编号/名称(F4)："), "Label2", this);
    editSp = new QLineEdit(this);
    editSp->setObjectName(QStringLiteral("editSp"));

    // The first column is wide enough for a 13-digit barcode.
    lvwTb = rowList("lvwTb",
                    {QStringLiteral("商品编号"), QStringLiteral("商品名称"), QStringLiteral("商品货号"),
                     QStringLiteral("商品类别"), QStringLiteral("售价"), QStringLiteral("会员价"), QStringLiteral("库存"),
                     QStringLiteral("规格"), QStringLiteral("是否打折"), QStringLiteral("是否积分"),
                     QStringLiteral("备注信息")},
                    {125, 100, 80, 80, 80, 80, 70, 70, 80, 80, 120}, this);

    btnClose = flatButton(QStringLiteral("关闭(ESC)"), "btnClose", this);

    // A click on the entry already chosen shows it again; a click on another entry changes the
    // row first, and that change alone fills the list.
    connect(listLb, &QListWidget::currentRowChanged, this, [this] {
        rowChangedByMouse_ = QApplication::mouseButtons() != Qt::NoButton;
        listLbClick();
    });
    connect(listLb, &QListWidget::itemClicked, this, [this] {
        if (!rowChangedByMouse_)
            listLbClick();
        rowChangedByMouse_ = false;
    });
    connect(editSp, &QLineEdit::textChanged, this, &TfrmSpll::editSpChange);
    connect(btnClose, &QPushButton::clicked, this, &TfrmSpll::btnCloseClick);

    auto* left = new QVBoxLayout;
    left->addWidget(Label1);
    left->addWidget(listLb, 1);

    auto* search = new QHBoxLayout;
    search->addWidget(Label2);
    search->addWidget(editSp, 1);

    auto* right = new QVBoxLayout;
    right->addLayout(search);
    right->addWidget(lvwTb, 1);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    setStyleSheet(tillDialogStyle(TillType::Small));
    resize(1180, 560);

    routeKeys(findChildren<QWidget*>());

    FormCreate();
    editSp->setFocus();
}

void TfrmSpll::FormCreate()
{
    const QSignalBlocker block(listLb);
    listLb->addItem(kAllCategories);
    try {
        listLb->addItems(browseCategories());
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
    }
}

void TfrmSpll::listLbClick()
{
    const int row = listLb->currentRow();
    if (row < 0)
        return;
    if (row == 0)
        ShowList(browseAllGoods);
    else
        ShowList([category = listLb->item(row)->text()] { return browseCategory(category); });
}

void TfrmSpll::editSpChange()
{
    const QString text = editSp->text().trimmed();
    if (text != editSp->text()) {
        // Putting the trimmed text back fires this handler again, which does the search.
        editSp->setText(text);
        return;
    }
    if (text.isEmpty())
        return;
    ShowList([text] { return browseSearch(text); });
}

void TfrmSpll::ShowList(const std::function<std::vector<BrowseRow>()>& read)
{
    lvwTb->clear();
    try {
        QList<QTreeWidgetItem*> items;
        const QString yuan = QStringLiteral("元");
        const QString yes = QStringLiteral("是");
        const QString no = QStringLiteral("否");
        for (const BrowseRow& r : read()) {
            items << new QTreeWidgetItem({r.id, r.spmc, r.huohao, r.splb, gl::fmtNum(r.sj) + yuan,
                                          gl::fmtNum(r.hyj) + yuan, gl::fmtNum(r.kc), r.guige, r.booldz ? yes : no,
                                          r.booljf ? yes : no, r.ps});
        }
        lvwTb->addTopLevelItems(items);
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
    }
}

void TfrmSpll::btnCloseClick()
{
    reject();
}

bool TfrmSpll::FormShortCut(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        btnCloseClick();
        return true;
    case Qt::Key_F3:
        listLb->setFocus();
        return true;
    case Qt::Key_F4:
        editSp->setFocus();
        editSp->selectAll();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Enter in the search field does nothing: the list already follows every keystroke.
        return true;
    default:
        return false;
    }
}

void doGoodsBrowser(TfrmMain* m)
{
    TfrmSpll dlg(m);
    dlg.exec();
}

} // namespace till
