#include "UnitAbout.h"

#include "Artwork.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace office
{

namespace
{
const QString kWeb = QStringLiteral("http://velmora.example");
const QString kMail = QStringLiteral("support@velmora.example");

QLabel* linkLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* l =
        new QLabel(QStringLiteral("<a href=\"#\">") + text.toHtmlEscaped() + QStringLiteral("</a>"), parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::RichText);
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    l->setCursor(Qt::PointingHandCursor);
    return l;
}
} // namespace

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于 Velmora收银系统"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(artwork::picture(QStringLiteral("about"), QSize(380, 90)));

    lblName = new QLabel(QStringLiteral("Velmora收银系统"), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    QFont f = lblName->font();
    f.setPointSize(14);
    f.setBold(true);
    lblName->setFont(f);
    lblVer = new QLabel(QStringLiteral("Ver 1.00"), this);
    lblVer->setObjectName(QStringLiteral("lblVer"));

    lblWeb = linkLabel(kWeb, "lblWeb", this);
    lblMail = linkLabel(kMail, "lblMail", this);
    connect(lblWeb, &QLabel::linkActivated, this, &TfrmAbout::lblWebClick);
    connect(lblMail, &QLabel::linkActivated, this, &TfrmAbout::lblMailClick);

    btnHelp = new QPushButton(QStringLiteral("使用说明(&H)"), this);
    btnHelp->setObjectName(QStringLiteral("btnHelp"));
    btnHelp->setAutoDefault(false);
    btnOK = new QPushButton(QStringLiteral("确定(&O)"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnHelp, &QPushButton::clicked, this, &TfrmAbout::btnHelpClick);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* info = new QGridLayout;
    info->setContentsMargins(20, 12, 20, 0);
    info->setVerticalSpacing(6);
    info->addWidget(lblName, 0, 0, 1, 2);
    info->addWidget(lblVer, 1, 0, 1, 2);
    info->addWidget(new QLabel(QStringLiteral("网址："), this), 2, 0);
    info->addWidget(lblWeb, 2, 1);
    info->addWidget(new QLabel(QStringLiteral("邮箱："), this), 3, 0);
    info->addWidget(lblMail, 3, 1);
    info->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(20, 0, 20, 16);
    buttons->addWidget(btnHelp);
    buttons->addStretch();
    buttons->addWidget(btnOK);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Image1);
    layout->addLayout(info);
    layout->addSpacing(14);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString TfrmAbout::helpFile()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("help/index.html"));
}

void TfrmAbout::lblWebClick()
{
    QDesktopServices::openUrl(QUrl(kWeb));
}

void TfrmAbout::lblMailClick()
{
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + kMail));
}

void TfrmAbout::btnHelpClick()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile()));
}

} // namespace office
