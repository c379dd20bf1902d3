#include "UnitAESp.h"

#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "GoodsList.h"
#include "GoodsStore.h"
#include "UnitSpgl.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace office
{

namespace
{
const QString kRed = QStringLiteral("color: #d00000;");
}

QString TfrmAESp::addCaption()
{
    return QStringLiteral("添加新商品");
}

QString TfrmAESp::editCaption()
{
    return QStringLiteral("修改商品信息");
}

TfrmAESp::TfrmAESp(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAESp"));
    setWindowTitle(QStringLiteral("添加/修改商品"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    lblShow = new QLabel(QStringLiteral("提示：红色项目不能为空。"), this);
    lblShow->setObjectName(QStringLiteral("lblShow"));
    lblShow->setStyleSheet(kRed);

    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    editID = edit("editID");
    editName = edit("editName");
    editHuohao = edit("editHuohao");
    editGuige = edit("editGuige");
    comLb = new QComboBox(this);
    comLb->setObjectName(QStringLiteral("comLb"));
    editJj = edit("editJj");
    editSj = edit("editSj");
    editHyj = edit("editHyj");
    editKc = edit("editKc");
    editSc = edit("editSc");
    editPs = edit("editPs");
    editSc->setText(QStringLiteral("0"));

    chkDz = new QCheckBox(QStringLiteral("允许打折(&D)"), this);
    chkDz->setObjectName(QStringLiteral("chkDz"));
    chkDz->setChecked(true);
    chkJf = new QCheckBox(QStringLiteral("参与积分(&J)"), this);
    chkJf->setObjectName(QStringLiteral("chkJf"));
    chkJf->setChecked(true);
    chkClose = new QCheckBox(QStringLiteral("不关闭本窗口(&N)"), this);
    chkClose->setObjectName(QStringLiteral("chkClose"));

    btnOK = new QPushButton(QStringLiteral("确定(F5)"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCC = new QPushButton(QStringLiteral("取消(ESC)"), this);
    btnCC->setObjectName(QStringLiteral("btnCC"));
    // Enter never saves: saving is F5 or the button.
    btnOK->setAutoDefault(false);
    btnCC->setAutoDefault(false);
    connect(btnOK, &QPushButton::clicked, this, &TfrmAESp::btnOKClick);
    connect(btnCC, &QPushButton::clicked, this, &QDialog::reject);
    auto* f5 = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(f5, &QShortcut::activated, this, &TfrmAESp::FormShortCut);
    editID->installEventFilter(this);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(8);
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field, const QString& unit = QString(),
                      bool red = false) {
        auto* l = new QLabel(caption, this);
        if (red)
            l->setStyleSheet(kRed);
        grid->addWidget(l, row, 0);
        grid->addWidget(field, row, 1);
        if (!unit.isEmpty())
            grid->addWidget(new QLabel(unit, this), row, 2);
        ++row;
        return l;
    };
    lblID = addRow(QStringLiteral("商品编号："), editID, QString(), true);
    lblID->setObjectName(QStringLiteral("lblID"));
    addRow(QStringLiteral("商品名称："), editName);
    addRow(QStringLiteral("商品货号："), editHuohao);
    addRow(QStringLiteral("商品规格："), editGuige);
    addRow(QStringLiteral("商品类别："), comLb);
    addRow(QStringLiteral("商品进价："), editJj, QStringLiteral("元"));
    lblSj = addRow(QStringLiteral("商品售价："), editSj, QStringLiteral("元"), true);
    lblSj->setObjectName(QStringLiteral("lblSj"));
    addRow(QStringLiteral("会 员 价："), editHyj, QStringLiteral("元"));
    addRow(QStringLiteral("库 存 量："), editKc);
    addRow(QStringLiteral("售 出 量："), editSc);
    addRow(QStringLiteral("备    注："), editPs);
    grid->setColumnMinimumWidth(1, 240);

    auto* checks = new QHBoxLayout;
    checks->addWidget(chkDz);
    checks->addWidget(chkJf);
    checks->addWidget(chkClose);
    checks->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCC);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->addWidget(lblShow);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(checks);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The sale price is typed before the purchase price, although it stands below it.
    const QList<QWidget*> order = {editID, editName, editHuohao, editGuige, comLb, editSj,   editJj, editHyj,
                                   editKc, editSc,   editPs,     chkDz,     chkJf, chkClose, btnOK,  btnCC};
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    editID->setFocus();

    try {
        comLb->addItems(goodsstore::categories());
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
    }
    comLb->addItem(QString());
    comLb->setCurrentIndex(-1);
}

bool TfrmAESp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editID && event->type() == QEvent::KeyPress)
        return editIDKeyPress(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

bool TfrmAESp::editIDKeyPress(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        editName->setFocus();
        return true;
    }
    return false;
}

void TfrmAESp::FormShortCut()
{
    btnOKClick();
}

void TfrmAESp::FillForEdit(const QString& id)
{
    editID->setText(id);
    editID->setEnabled(false);
    GoodsRecord g;
    try {
        if (!goodsstore::load(id, &g))
            return;
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return;
    }
    editName->setText(g.spmc);
    editHuohao->setText(g.huohao);
    editGuige->setText(g.guige);
    // Categories compare as the database compares them, without regard to case.
    int found = -1;
    for (int i = 0; i < comLb->count() && found < 0; ++i)
        if (comLb->itemText(i).compare(g.splb, Qt::CaseInsensitive) == 0)
            found = i;
    comLb->setCurrentIndex(found);
    editJj->setText(gl::fmtNum(g.jj));
    editSj->setText(gl::fmtNum(g.sj));
    editHyj->setText(gl::fmtNum(g.hyj));
    editKc->setText(QString::number(g.kc));
    editSc->setText(QString::number(g.sc));
    if (!g.dz)
        chkDz->setChecked(false);
    if (!g.jf)
        chkJf->setChecked(false);
    editPs->setText(g.ps);
}

void TfrmAESp::btnOKClick()
{
    if (editID->text().isEmpty() || editSj->text().isEmpty()) {
        gl::MsgWarn(QStringLiteral("商品编号和商品售价不能为空！"), this);
        return;
    }
    for (QLineEdit* e : {editJj, editSj, editHyj, editKc, editSc})
        e->setText(e->text().trimmed());

    GoodsRecord g;
    const bool ok = (editJj->text().isEmpty() || gl::parseNumber(editJj->text(), &g.jj)) &&
                    gl::parseNumber(editSj->text(), &g.sj) &&
                    (editHyj->text().isEmpty() || gl::parseNumber(editHyj->text(), &g.hyj)) &&
                    (editKc->text().isEmpty() || gl::parseInt(editKc->text(), &g.kc)) &&
                    (editSc->text().isEmpty() || gl::parseInt(editSc->text(), &g.sc));
    if (!ok) {
        gl::MsgWarn(QStringLiteral("售价、进价、会员价、库存量、售出量请填入数值！其中售价为必填项！"), this);
        return;
    }
    g.id = editID->text();
    g.spmc = editName->text();
    g.huohao = editHuohao->text();
    g.guige = editGuige->text();
    g.splb = comLb->currentText();
    g.ps = editPs->text();
    g.dz = chkDz->isChecked();
    g.jf = chkJf->isChecked();

    const bool adding = windowTitle() == addCaption();
    goodsstore::Saved result = goodsstore::Saved::Ok;
    try {
        result = adding ? goodsstore::add(g, gl::nowDb()) : goodsstore::update(g, gl::nowDb());
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return;
    }
    if (result == goodsstore::Saved::DuplicateId) {
        gl::MsgWarn(QStringLiteral("商品编号不能重复！"), this);
        editID->setFocus();
        editID->selectAll();
        return;
    }
    if (result == goodsstore::Saved::Missing) {
        // Deleted elsewhere while the dialog was open: say so rather than report success.
        gl::MsgWarn(QStringLiteral("商品编号为[") + g.id + QStringLiteral("]的商品已不存在，无法保存！"),
                    this);
        return;
    }

    if (chkClose->isChecked()) {
        if (adding) {
            lblShow->setText(QStringLiteral("提示：商品编号为[") + g.id +
                             QStringLiteral("]的商品添加成功！"));
            for (QLineEdit* e :
                 {editID, editName, editHuohao, editGuige, editSj, editJj, editHyj, editKc, editSc, editPs})
                e->clear();
            editID->setFocus();
        } else {
            lblShow->setText(QStringLiteral("提示：商品信息修改成功！"));
        }
        return;
    }
    accept();
    if (frmSpgl)
        frmSpgl->ShowSpList(frmSpgl->SpListSql, true);
}

} // namespace office
