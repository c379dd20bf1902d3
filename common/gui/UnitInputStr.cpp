#include "UnitInputStr.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace gl {

TfrmInputStr::TfrmInputStr(QWidget* parent, DialogLook look) : QDialog(parent), look_(look)
{
    setObjectName(QStringLiteral("frmInputStr"));
    setWindowTitle(QStringLiteral("输入"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    lblShow = new QLabel(QStringLiteral("请输入："), this);
    lblShow->setObjectName(QStringLiteral("lblShow"));
    lblShow->setWordWrap(true);
    lblShow->setMinimumHeight(2 * lblShow->fontMetrics().lineSpacing());
    lblShow->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

    editInput = new QLineEdit(this);
    editInput->setObjectName(QStringLiteral("editInput"));
    editInput->setMinimumWidth(320);

    btnOK = new QPushButton(QStringLiteral("确定(ENTER)"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCC = new QPushButton(QStringLiteral("取消(ESC)"), this);
    btnCC->setObjectName(QStringLiteral("btnCC"));
    connect(btnOK, &QPushButton::clicked, this, &TfrmInputStr::btnOKClick);
    connect(btnCC, &QPushButton::clicked, this, &TfrmInputStr::btnCCClick);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCC);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblShow);
    layout->addWidget(editInput);
    layout->addLayout(buttons);

    if (look_ == DialogLook::Till) {
        // The till's own look: black, white text, flat buttons; keys go through FormShortCut.
        setStyleSheet(QStringLiteral(
            "QDialog { background: black; } QLabel { color: white; font-size: 11pt; }"
            "QLineEdit { background: white; color: black; font-size: 12pt; padding: 2px; }"
            "QPushButton { color: white; background: #202020; border: 1px solid #808080; padding: 5px 14px; }"
            "QPushButton:hover { background: #404040; }"));
        for (QPushButton* b : {btnOK, btnCC}) {
            b->setFlat(true);
            b->setCursor(Qt::PointingHandCursor);
            b->setAutoDefault(false);
            b->setFocusPolicy(Qt::NoFocus);
        }
    } else {
        btnOK->setDefault(true);
    }
    editInput->setFocus();
}

void TfrmInputStr::setup(const QString& prompt, const QString& caption, const QString& defaultText)
{
    if (!caption.isEmpty())
        setWindowTitle(caption);
    if (!prompt.isEmpty())
        lblShow->setText(prompt);
    if (!defaultText.isEmpty()) {
        editInput->setText(defaultText);
        editInput->selectAll();
    }
}

void TfrmInputStr::btnOKClick()
{
    accept();
}

void TfrmInputStr::btnCCClick()
{
    reject();
}

bool TfrmInputStr::FormShortCut(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        btnOKClick();
        return true;
    case Qt::Key_Escape:
        btnCCClick();
        return true;
    default:
        return false;
    }
}

void TfrmInputStr::keyPressEvent(QKeyEvent* event)
{
    if (look_ == DialogLook::Till && FormShortCut(event))
        return;
    QDialog::keyPressEvent(event);
}

} // namespace gl
