#include "UnitAdvSch.h"

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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace office
{

TfrmAdvSch::TfrmAdvSch(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAdvSch"));
    setWindowTitle(QStringLiteral("高级查询"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    auto named = [](QWidget* w, const char* name) {
        w->setObjectName(QString::fromLatin1(name));
        return w;
    };
    chkDz = new QCheckBox(QStringLiteral("允许打折(&D)"), this);
    chkJf = new QCheckBox(QStringLiteral("参与积分(&J)"), this);
    chkGuige = new QCheckBox(QStringLiteral("规格："), this);
    editGuige = new QLineEdit(this);
    chkLb = new QCheckBox(QStringLiteral("类别："), this);
    comLb = new QComboBox(this);
    chkKc = new QCheckBox(QStringLiteral("库存量：从"), this);
    editKc1 = new QLineEdit(this);
    lblTo = new QLabel(QStringLiteral("到"), this);
    editKc2 = new QLineEdit(this);
    btnFind = new QPushButton(QStringLiteral("查询(&F)"), this);
    btnCC = new QPushButton(QStringLiteral("取消(&C)"), this);
    named(chkDz, "chkDz");
    named(chkJf, "chkJf");
    named(chkGuige, "chkGuige");
    named(editGuige, "editGuige");
    named(chkLb, "chkLb");
    named(comLb, "comLb");
    named(chkKc, "chkKc");
    named(editKc1, "editKc1");
    named(lblTo, "lblTo");
    named(editKc2, "editKc2");
    named(btnFind, "btnFind");
    named(btnCC, "btnCC");

    chkDz->setChecked(true);
    chkJf->setChecked(true);
    for (QWidget* w : {static_cast<QWidget*>(editGuige), static_cast<QWidget*>(comLb),
                       static_cast<QWidget*>(editKc1), static_cast<QWidget*>(editKc2)})
        w->setEnabled(false);
    editKc1->setFixedWidth(80);
    editKc2->setFixedWidth(80);
    btnFind->setDefault(true);
    btnCC->setAutoDefault(false);

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(10);
    grid->addWidget(chkDz, 0, 0);
    grid->addWidget(chkJf, 0, 1, 1, 3);
    grid->addWidget(chkGuige, 1, 0);
    grid->addWidget(editGuige, 1, 1, 1, 3);
    grid->addWidget(chkLb, 2, 0);
    grid->addWidget(comLb, 2, 1, 1, 3);
    grid->addWidget(chkKc, 3, 0);
    grid->addWidget(editKc1, 3, 1);
    grid->addWidget(lblTo, 3, 2);
    grid->addWidget(editKc2, 3, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnFind);
    buttons->addWidget(btnCC);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addLayout(grid);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(chkGuige, &QCheckBox::toggled, this, &TfrmAdvSch::chkGuigeClick);
    connect(chkLb, &QCheckBox::toggled, this, &TfrmAdvSch::chkLbClick);
    connect(chkKc, &QCheckBox::toggled, this, &TfrmAdvSch::chkKcClick);
    connect(btnFind, &QPushButton::clicked, this, &TfrmAdvSch::btnFindClick);
    connect(btnCC, &QPushButton::clicked, this, &QDialog::reject);

    try {
        comLb->addItems(goodsstore::categories());
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
    }
    comLb->setCurrentIndex(-1);
}

void TfrmAdvSch::chkGuigeClick()
{
    editGuige->setEnabled(chkGuige->isChecked());
    if (chkGuige->isChecked()) {
        editGuige->setFocus();
        editGuige->selectAll();
    }
}

void TfrmAdvSch::chkLbClick()
{
    comLb->setEnabled(chkLb->isChecked());
    if (chkLb->isChecked())
        comLb->setFocus();
}

void TfrmAdvSch::chkKcClick()
{
    editKc1->setEnabled(chkKc->isChecked());
    editKc2->setEnabled(chkKc->isChecked());
    if (chkKc->isChecked()) {
        editKc1->setFocus();
        editKc1->selectAll();
    }
}

void TfrmAdvSch::btnFindClick()
{
    for (QLineEdit* e : {editGuige, editKc1, editKc2})
        e->setText(e->text().trimmed());
    if (chkLb->isChecked() && comLb->currentIndex() < 0) {
        gl::MsgWarn(QStringLiteral("请您选择类别！"), this);
        comLb->setFocus();
        return;
    }
    goods::AdvCriteria c;
    c.dz = chkDz->isChecked();
    c.jf = chkJf->isChecked();
    c.useKc = chkKc->isChecked();
    if (c.useKc && (!gl::parseNumber(editKc1->text(), &c.kc1) || !gl::parseNumber(editKc2->text(), &c.kc2))) {
        gl::MsgWarn(QStringLiteral("请您正确输入库存！"), this);
        return;
    }
    c.useGuige = chkGuige->isChecked();
    c.guige = editGuige->text();
    c.useLb = chkLb->isChecked();
    c.lb = comLb->currentText();
    if (frmSpgl)
        frmSpgl->ShowSpList(goods::advancedSearch(c), true);
    accept();
}

} // namespace office
