#include "UnitSpll.h"

#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "UnitMain.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace till {

namespace {
const QString kAllCategories = QStringLiteral("所有类别");
}

QString containsPattern(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

TfrmSpll::TfrmSpll(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSpll"));
    setWindowTitle(QStringLiteral("商品浏览"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

    Label1 = new QLabel(QStringLiteral("商品类别(F3)："), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    listLb = new QListWidget(this);
    listLb->setObjectName(QStringLiteral("listLb"));
    listLb->setFixedWidth(170);

    Label2 = new QLabel(QStringLiteral("输入商品编号/名称(F4)："), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    editSp = new QLineEdit(this);
    editSp->setObjectName(QStringLiteral("editSp"));

    lvwTb = new QTreeWidget(this);
    lvwTb->setObjectName(QStringLiteral("lvwTb"));
    lvwTb->setRootIsDecorated(false);
    lvwTb->setUniformRowHeights(true);
    lvwTb->setSelectionMode(QAbstractItemView::SingleSelection);
    lvwTb->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvwTb->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvwTb->setHeaderLabels({QStringLiteral("商品编号"), QStringLiteral("商品名称"), QStringLiteral("商品货号"),
                            QStringLiteral("商品类别"), QStringLiteral("售价"), QStringLiteral("会员价"),
                            QStringLiteral("库存"), QStringLiteral("规格"), QStringLiteral("是否打折"),
                            QStringLiteral("是否积分"), QStringLiteral("备注信息")});
    // Wide enough for a 13-digit barcode.
    const int widths[] = {125, 100, 80, 80, 80, 80, 70, 70, 80, 80, 120};
    for (int i = 0; i < 11; ++i)
        lvwTb->setColumnWidth(i, widths[i]);

    btnClose = new QPushButton(QStringLiteral("关闭(ESC)"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    btnClose->setFlat(true);
    btnClose->setCursor(Qt::PointingHandCursor);
    btnClose->setAutoDefault(false);
    btnClose->setFocusPolicy(Qt::NoFocus);

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

    // The till's look: black, white text, flat buttons.
    setStyleSheet(QStringLiteral(
        "QDialog { background: black; } QLabel { color: white; font-size: 10pt; }"
        "QLineEdit { background: white; color: black; font-size: 11pt; padding: 2px; }"
        "QListWidget, QTreeWidget { background: black; color: white;"
        " selection-background-color: #3060c0; selection-color: white; }"
        "QHeaderView::section { background: #303030; color: white; border: 1px solid #505050; padding: 3px; }"
        "QPushButton { color: white; background: #202020; border: 1px solid #808080; padding: 5px 14px; }"
        "QScrollBar:horizontal { background: #202020; height: 12px; }"
        "QScrollBar:vertical { background: #202020; width: 12px; }"
        "QScrollBar::handle { background: #606060; min-width: 20px; min-height: 20px; }"
        "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
        "QPushButton:hover { background: #404040; }"));
    resize(1180, 560);

    for (QWidget* w : findChildren<QWidget*>())
        w->installEventFilter(this);

    FormCreate();
    editSp->setFocus();
}

void TfrmSpll::FormCreate()
{
    const QSignalBlocker block(listLb);
    listLb->addItem(kAllCategories);
    try {
        QSqlQuery q = gl::run(gl::shopDb(), QStringLiteral("SELECT lbmc FROM splb"));
        while (q.next())
            listLb->addItem(q.value(0).toString());
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
        ShowList(QString());
    else
        ShowList(QStringLiteral("splb = ?"), {listLb->item(row)->text()});
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
    ShowList(QStringLiteral("id = ? OR spmc LIKE ? ESCAPE '\\'"), {text, containsPattern(text)});
}

void TfrmSpll::ShowList(const QString& where, const QVariantList& params)
{
    lvwTb->clear();
    QString sql = QStringLiteral("SELECT id, spmc, huohao, splb, sj, hyj, kc, guige, booldz, booljf, ps FROM sp");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    try {
        QSqlQuery q = gl::run(gl::shopDb(), sql, params);
        QList<QTreeWidgetItem*> items;
        const QString yuan = QStringLiteral("元");
        const QString yes = QStringLiteral("是");
        const QString no = QStringLiteral("否");
        while (q.next()) {
            items << new QTreeWidgetItem({q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                                          q.value(3).toString(), gl::fmtNum(q.value(4).toDouble()) + yuan,
                                          gl::fmtNum(q.value(5).toDouble()) + yuan, gl::fmtNum(q.value(6).toDouble()),
                                          q.value(7).toString(), q.value(8).toInt() != 0 ? yes : no,
                                          q.value(9).toInt() != 0 ? yes : no, q.value(10).toString()});
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

bool TfrmSpll::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && FormShortCut(static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TfrmSpll::keyPressEvent(QKeyEvent* event)
{
    if (!FormShortCut(event))
        QDialog::keyPressEvent(event);
}

void doGoodsBrowser(TfrmMain* m)
{
    TfrmSpll dlg(m);
    dlg.exec();
}

} // namespace till
