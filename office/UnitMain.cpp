#include "UnitMain.h"

#include "Artwork.h"
#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "Session.h"
#include "UnitAbout.h"
#include "UnitConf.h"
#include "UnitMber.h"
#include "UnitSpgl.h"
#include "UnitTongji.h"
#include "UnitUsers.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace office
{

TfrmMain* frmMain = nullptr;

namespace
{
const char* const kTag = "tag";
const QString kWebAddress = QStringLiteral("velmora.example");
} // namespace

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    frmMain = this;
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Velmora收银系统后台管理"));
    resize(1024, 700);

    auto* central = new QWidget(this);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    // The banner picture sits on a band of its own end colour, so it reaches across any width.
    auto* banner = new QWidget(central);
    banner->setObjectName(QStringLiteral("panBanner"));
    banner->setFixedHeight(57);
    banner->setAttribute(Qt::WA_StyledBackground);
    banner->setStyleSheet(QStringLiteral("#panBanner { background: #1f6f5c; }"));
    imgBanner = new QLabel(banner);
    imgBanner->setObjectName(QStringLiteral("imgBanner"));
    imgBanner->setPixmap(
        artwork::picture(QStringLiteral("banner"), artwork::naturalSize(QStringLiteral("banner"))));
    auto* bannerLayout = new QHBoxLayout(banner);
    bannerLayout->setContentsMargins(0, 0, 0, 0);
    bannerLayout->addWidget(imgBanner);
    bannerLayout->addStretch();
    outer->addWidget(banner);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->setSpacing(0);

    panLeft = new QWidget(central);
    panLeft->setObjectName(QStringLiteral("panLeft"));
    panLeft->setFixedWidth(169);
    panLeft->setAttribute(Qt::WA_StyledBackground);
    panLeft->setStyleSheet(QStringLiteral("#panLeft { border-image: url(:/office/res/leftbg.svg); }"));
    auto* column = new QVBoxLayout(panLeft);
    column->setContentsMargins(12, 14, 14, 14);
    column->setSpacing(10);
    btnSpgl = moduleButton("btnSpgl", QStringLiteral("btn_spgl"), QStringLiteral("商品管理"), 0);
    btnTjbb = moduleButton("btnTjbb", QStringLiteral("btn_tjbb"), QStringLiteral("统计报表"), 3);
    btnHygl = moduleButton("btnHygl", QStringLiteral("btn_hygl"), QStringLiteral("会员管理"), 2);
    btnCzygl = moduleButton("btnCzygl", QStringLiteral("btn_czygl"), QStringLiteral("用户管理"), 1);
    btnXtsz = moduleButton("btnXtsz", QStringLiteral("btn_xtsz"), QStringLiteral("系统设置"), 4);
    btnAbout = moduleButton("btnAbout", QStringLiteral("btn_about"), QStringLiteral("关于系统"), 5);
    for (QToolButton* b : {btnSpgl, btnTjbb, btnHygl, btnCzygl, btnXtsz, btnAbout})
        column->addWidget(b);
    column->addStretch();
    body->addWidget(panLeft);

    mdiMain = new QMdiArea(central);
    mdiMain->setObjectName(QStringLiteral("mdiMain"));
    mdiMain->setBackground(QColor(0x8f, 0xa8, 0xa0));
    body->addWidget(mdiMain, 1);
    outer->addLayout(body, 1);
    setCentralWidget(central);

    stBar = new QStatusBar(this);
    stBar->setObjectName(QStringLiteral("stBar"));
    setStatusBar(stBar);
    panWelcome = new QLabel(QStringLiteral("欢迎使用Velmora收银系统"), stBar);
    panCzy = new QLabel(stBar);
    panTime = new QLabel(stBar);
    panWeb = new QLabel(kWebAddress, stBar);
    panWelcome->setObjectName(QStringLiteral("panWelcome"));
    panCzy->setObjectName(QStringLiteral("panCzy"));
    panTime->setObjectName(QStringLiteral("panTime"));
    panWeb->setObjectName(QStringLiteral("panWeb"));
    for (QLabel* l : {panWelcome, panCzy, panTime}) {
        l->setFixedWidth(150);
        stBar->addWidget(l);
    }
    panWeb->setMinimumWidth(50);
    stBar->addWidget(panWeb, 1);

    timerShow = new QTimer(this);
    timerShow->setObjectName(QStringLiteral("timerShow"));
    timerShow->setInterval(1000);
    connect(timerShow, &QTimer::timeout, this, &TfrmMain::timerShowTimer);
    timerShow->start();
    timerShowTimer();

    // The module windows, in the order the program has always created them.
    mber = new TfrmMber;
    addModule(mber, QStringLiteral("btn_hygl"));
    spgl = new TfrmSpgl;
    addModule(spgl, QStringLiteral("btn_spgl"))->showMaximized();
    users = new TfrmUsers;
    addModule(users, QStringLiteral("btn_czygl"));
    conf = new TfrmConf;
    addModule(conf, QStringLiteral("btn_xtsz"));
    tongji = new TfrmTongji;
    addModule(tongji, QStringLiteral("btn_tjbb"));
}

TfrmMain::~TfrmMain()
{
    if (frmMain == this)
        frmMain = nullptr;
}

QToolButton* TfrmMain::moduleButton(const char* name, const QString& picture, const QString& hint, int tag)
{
    auto* b = new QToolButton(panLeft);
    b->setObjectName(QString::fromLatin1(name));
    const QSize size = artwork::naturalSize(picture);
    b->setIcon(QIcon(artwork::picture(picture, size)));
    b->setIconSize(size);
    b->setAutoRaise(true);
    b->setCursor(Qt::PointingHandCursor);
    b->setToolTip(hint);
    b->setAccessibleName(hint);
    b->setProperty(kTag, tag);
    connect(b, &QToolButton::clicked, this, &TfrmMain::btnModuleClick);
    return b;
}

QMdiSubWindow* TfrmMain::addModule(QWidget* module, const QString& picture)
{
    QMdiSubWindow* sub = mdiMain->addSubWindow(module);
    sub->setWindowIcon(artwork::moduleIcon(picture));
    sub->setObjectName(module->objectName() + QStringLiteral("Window"));
    sub->resize(760, 480);
    sub->installEventFilter(this);
    sub->show();
    return sub;
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    // A module window lives as long as the program: its close box only minimises it.
    if (event->type() == QEvent::Close) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(watched)) {
            event->ignore();
            sub->showMinimized();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::BringToFront(QWidget* module)
{
    auto* sub = qobject_cast<QMdiSubWindow*>(module ? module->parentWidget() : nullptr);
    if (!sub)
        return;
    if (sub->isMinimized())
        sub->showNormal();
    mdiMain->setActiveSubWindow(sub);
    sub->raise();
}

QWidget* TfrmMain::frontModule() const
{
    QMdiSubWindow* sub = mdiMain->activeSubWindow();
    return sub ? sub->widget() : nullptr;
}

void TfrmMain::btnModuleClick()
{
    auto* button = qobject_cast<QToolButton*>(sender());
    if (!button)
        return;
    // The permission is read from the database at each click, so changes apply at once.
    auto allowed = [this](int position) {
        try {
            if (gl::hasPermission(position))
                return true;
        } catch (const gl::DbError& e) {
            gl::MsgWarn(e.message(), this);
            return false;
        }
        gl::MsgNoPermission(this);
        return false;
    };
    switch (button->property(kTag).toInt()) {
    case 0:
        BringToFront(spgl);
        break;
    case 1:
        if (allowed(gl::PermOperators)) {
            BringToFront(users);
            users->LoadCzyList();
        }
        break;
    case 2:
        if (allowed(gl::PermMembers))
            BringToFront(mber);
        break;
    case 3:
        if (allowed(gl::PermStatistics))
            BringToFront(tongji);
        break;
    case 4:
        if (allowed(gl::PermSettings)) {
            BringToFront(tongji);
            BringToFront(conf);
        }
        break;
    case 5: {
        TfrmAbout about(this);
        about.exec();
        break;
    }
    default:
        break;
    }
}

void TfrmMain::timerShowTimer()
{
    panTime->setText(gl::fmtDateTime(QDateTime::currentDateTime()));
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        // After the window is on screen, so that a reminder shown from here has its owner.
        QTimer::singleShot(0, this, &TfrmMain::FormShow);
    }
}

void TfrmMain::FormShow()
{
    BringToFront(spgl);
    panCzy->setText(QStringLiteral("当前操作员：") + gl::currentOperator());
}

} // namespace office
