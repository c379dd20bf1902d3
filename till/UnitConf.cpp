#include "UnitConf.h"

#include "App.h"
#include "Autostart.h"
#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "PoleDisplay.h"
#include "Settings.h"
#include "UnitMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QVBoxLayout>

namespace till {

namespace {

QComboBox* makeList(QWidget* parent, const char* name)
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(false);   // only the items can be chosen
    c->setMinimumWidth(180);
    return c;
}

// The first item equal to the stored text, or no selection at all.
void selectStored(QComboBox* list, const QString& stored)
{
    list->setCurrentIndex(list->findText(stored, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

} // namespace

TfrmConf::TfrmConf(TfrmMain* main, QWidget* parent) : TillDialog(parent), main_(main)
{
    setObjectName(QStringLiteral("frmConf"));
    setWindowTitle(QStringLiteral("系统设置"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);

    grpJbsz = new QGroupBox(QStringLiteral("基本设置"), this);
    grpJbsz->setObjectName(QStringLiteral("grpJbsz"));
    chkYl = tickBox(QStringLiteral("允许使用银联结账(F2)"), "chkYl", grpJbsz);
    chkGx = tickBox(QStringLiteral("启用顾客显示屏(F3)"), "chkGx", grpJbsz);
    Label4 = namedLabel(QStringLiteral("顾客显示屏端口(F4)："), "Label4", grpJbsz);
    comGx = makeList(grpJbsz, "comGx");
    chkAStart = tickBox(QStringLiteral("收银端开机自动启动(F5)"), "chkAStart", grpJbsz);

    grpDysz = new QGroupBox(QStringLiteral("小票打印设置"), this);
    grpDysz->setObjectName(QStringLiteral("grpDysz"));
    chkPrint = tickBox(QStringLiteral("启用小票打印(F6)"), "chkPrint", grpDysz);
    Label1 = namedLabel(QStringLiteral("打 印 机(F7)："), "Label1", grpDysz);
    comPrinter = makeList(grpDysz, "comPrinter");
    Label2 = namedLabel(QStringLiteral("打印份数(F8)："), "Label2", grpDysz);
    editDyfs = new QLineEdit(grpDysz);
    editDyfs->setObjectName(QStringLiteral("editDyfs"));
    Label3 = namedLabel(QStringLiteral("下 边 距(F9)："), "Label3", grpDysz);
    comXbj = makeList(grpDysz, "comXbj");

    btnOK = flatButton(QStringLiteral("确定(ENTER)"), "btnOK", this);
    btnCC = flatButton(QStringLiteral("取消(ESC)"), "btnCC", this);

    connect(chkGx, &QCheckBox::clicked, this, &TfrmConf::chkGxClick);
    connect(chkPrint, &QCheckBox::clicked, this, &TfrmConf::chkPrintClick);
    connect(btnOK, &QPushButton::clicked, this, &TfrmConf::btnOKClick);
    connect(btnCC, &QPushButton::clicked, this, &TfrmConf::btnCCClick);

    auto* basic = new QGridLayout(grpJbsz);
    basic->setVerticalSpacing(10);
    basic->addWidget(chkYl, 0, 0, 1, 2);
    basic->addWidget(chkGx, 1, 0, 1, 2);
    basic->addWidget(Label4, 2, 0);
    basic->addWidget(comGx, 2, 1);
    basic->addWidget(chkAStart, 3, 0, 1, 2);

    auto* printing = new QGridLayout(grpDysz);
    printing->setVerticalSpacing(10);
    printing->addWidget(chkPrint, 0, 0, 1, 2);
    printing->addWidget(Label1, 1, 0);
    printing->addWidget(comPrinter, 1, 1);
    printing->addWidget(Label2, 2, 0);
    printing->addWidget(editDyfs, 2, 1);
    printing->addWidget(Label3, 3, 0);
    printing->addWidget(comXbj, 3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCC);

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(12);
    layout->addWidget(grpJbsz);
    layout->addWidget(grpDysz);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    setStyleSheet(tillDialogStyle(TillType::Small));

    routeKeys(findChildren<QWidget*>());

    FormCreate();
}

void TfrmConf::FormCreate()
{
    for (int i = 1; i <= 12; ++i)
        comGx->addItem(QString::number(i));
    for (int i = 1; i <= 20; ++i)
        comXbj->addItem(QString::number(i));
    comPrinter->addItems(QPrinterInfo::availablePrinterNames());
    LoadConf();
}

void TfrmConf::LoadConf()
{
    try {
        chkYl->setChecked(gl::isOn(gl::readTermSetting(QStringLiteral("yl"))));
        chkGx->setChecked(gl::isOn(gl::readTermSetting(QStringLiteral("gx"))));
        selectStored(comGx, gl::readTermSetting(QStringLiteral("gxdk")));
        chkAStart->setChecked(gl::isOn(gl::readTermSetting(QStringLiteral("astart"))));
        chkPrint->setChecked(gl::isOn(gl::readTermSetting(QStringLiteral("print"))));
        selectStored(comPrinter, gl::readTermSetting(QStringLiteral("printer")));
        editDyfs->setText(gl::readTermSetting(QStringLiteral("dyfs")));
        selectStored(comXbj, gl::readTermSetting(QStringLiteral("xbj")));
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
    }
    chkGxClick();
    chkPrintClick();
}

void TfrmConf::chkGxClick()
{
    comGx->setEnabled(chkGx->isChecked());
}

void TfrmConf::chkPrintClick()
{
    const bool on = chkPrint->isChecked();
    comPrinter->setEnabled(on);
    editDyfs->setEnabled(on);
    comXbj->setEnabled(on);
}

void TfrmConf::btnOKClick()
{
    // Everything is checked before anything is written: a refused save leaves every key as it was.
    int dyfs = 0;
    if (!gl::parseInt(editDyfs->text(), &dyfs)) {
        if (editDyfs->isEnabled()) {
            gl::MsgWarn(QStringLiteral("打印份数必须是为数值！"), this);
            editDyfs->setFocus();
            editDyfs->selectAll();
            return;
        }
        dyfs = 0;
    }
    int xbj = 0;
    if (!gl::parseInt(comXbj->currentText(), &xbj)) {
        gl::MsgWarn(QStringLiteral("请选择下边距！"), this);
        if (comXbj->isEnabled())
            comXbj->setFocus();
        return;
    }

    const QString title = appTitle();
    try {
        gl::Transaction tx(gl::confDb());
        gl::writeTermSetting(QStringLiteral("yl"), gl::switchText(chkYl->isChecked()));

        // The display is reopened before the new port is stored: a changed port takes effect
        // at the next start of the till.
        PoleDisplay* display = main_ ? main_->mscGx : nullptr;
        if (display && display->isOpen())
            display->CloseGx();
        gl::writeTermSetting(QStringLiteral("gx"), gl::switchText(chkGx->isChecked()));
        if (chkGx->isChecked() && display)
            display->OpenGxdk();
        gl::writeTermSetting(QStringLiteral("gxdk"), comGx->currentText());

        bool astart = chkAStart->isChecked();
        if (!gl::setAutostart(title, QCoreApplication::applicationFilePath(), astart)) {
            gl::MsgWarn(astart ? QStringLiteral("设置开机自动启动失败！") : QStringLiteral("取消开机自动启动失败！"),
                        this);
            astart = gl::autostartEnabled(title);   // the stored switch mirrors the real entry
        }
        gl::writeTermSetting(QStringLiteral("astart"), gl::switchText(astart));

        gl::writeTermSetting(QStringLiteral("print"), gl::switchText(chkPrint->isChecked()));
        gl::writeTermSetting(QStringLiteral("printer"), comPrinter->currentText());
        gl::writeTermSetting(QStringLiteral("dyfs"), QString::number(dyfs));
        gl::writeTermSetting(QStringLiteral("xbj"), comXbj->currentText());
        tx.commit();
    } catch (const gl::DbError& e) {
        gl::MsgWarn(e.message(), this);
        return;
    }

    if (main_) {
        main_->yl = chkYl->isChecked();
        main_->print = chkPrint->isChecked();
        main_->printer = comPrinter->currentText();
        main_->dyfs = dyfs;
        main_->xbj = xbj;
    }
    gl::MsgInfo(QStringLiteral("系统设置保存成功！部分设置需要重启软件才能生效！"), this);
    accept();
}

void TfrmConf::btnCCClick()
{
    reject();
}

bool TfrmConf::FormShortCut(QKeyEvent* event)
{
    const auto flip = [](QCheckBox* box) { box->setChecked(!box->isChecked()); };
    const auto focusIfEnabled = [](QWidget* w) {
        if (w->isEnabled())
            w->setFocus();
    };
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        btnOKClick();
        return true;
    case Qt::Key_Escape:
        btnCCClick();
        return true;
    case Qt::Key_F2:
        flip(chkYl);
        return true;
    case Qt::Key_F3:
        flip(chkGx);
        chkGxClick();
        return true;
    case Qt::Key_F5:
        flip(chkAStart);
        return true;
    case Qt::Key_F6:
        flip(chkPrint);
        chkPrintClick();
        return true;
    case Qt::Key_F4:
        focusIfEnabled(comGx);
        return true;
    case Qt::Key_F7:
        focusIfEnabled(comPrinter);
        return true;
    case Qt::Key_F8:
        if (editDyfs->isEnabled()) {
            editDyfs->setFocus();
            editDyfs->selectAll();
        }
        return true;
    case Qt::Key_F9:
        focusIfEnabled(comXbj);
        return true;
    default:
        return false;
    }
}

void doTerminalSettings(TfrmMain* m)
{
    TfrmConf dlg(m);
    dlg.exec();
}

} // namespace till
