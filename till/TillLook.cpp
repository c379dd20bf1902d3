#include "TillLook.h"

#include <QCheckBox>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace till {

namespace {

// Point sizes; 0 keeps the application's size.
struct TypeSizes {
    int label;
    int field;
    int check;
    int list;
    int button;
    const char* buttonPadding;
};

TypeSizes sizesOf(TillType type)
{
    switch (type) {
    case TillType::Large:
        return {12, 14, 11, 11, 11, "6px 16px"};
    case TillType::Medium:
        return {11, 12, 11, 0, 0, "5px 14px"};
    case TillType::Small:
        break;
    }
    return {10, 11, 10, 0, 0, "5px 14px"};
}

QString fontSize(int pt)
{
    return pt > 0 ? QStringLiteral(" font-size: %1pt;").arg(pt) : QString();
}

} // namespace

QString tillDialogStyle(TillType type)
{
    const TypeSizes s = sizesOf(type);
    return QStringLiteral(
               "QDialog { background: black; }"
               "QLabel { color: white;%1 }"
               "QLabel:disabled { color: #707070; }"
               "QLineEdit, QComboBox, QDateEdit { background: white; color: black; padding: 2px;%2 }"
               "QLineEdit:disabled, QComboBox:disabled { background: #404040; color: #909090; }"
               "QPushButton { color: white; background: #202020; border: 1px solid #808080; padding: %5;%4 }"
               "QPushButton:hover { background: #404040; }"
               "QGroupBox { color: white; border: 1px solid #808080; margin-top: 12px; padding: 10px 8px 6px 8px;%1 }"
               "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }"
               // No colour here: the caption colour comes from whiteCaption(), so the tick keeps its own.
               "QCheckBox, QRadioButton {%3 }"
               // Tick boxes of list rows drawn plainly so they show on black: hollow when clear, filled
               // when ticked.
               "QTreeWidget::indicator { width: 13px; height: 13px; border: 1px solid #d0d0d0; background: #101010; }"
               "QTreeWidget::indicator:checked { background: qradialgradient(cx:0.5, cy:0.5, radius:0.7, fx:0.5,"
               " fy:0.5, stop:0 #ffffff, stop:0.55 #f0f0f0, stop:0.62 #101010, stop:1 #101010); }"
               "QTreeWidget, QListWidget { background: #101010; color: white; alternate-background-color: #1c1c1c;"
               " selection-background-color: #3060a0; selection-color: white;%6 }"
               "QHeaderView::section { background: #303030; color: white; border: 1px solid #505050; padding: 3px; }"
               "QTabWidget::pane { border: 1px solid #606060; }"
               "QTabBar::tab { background: #202020; color: white; border: 1px solid #808080; padding: 5px 14px;"
               " margin-right: 4px; }"
               "QTabBar::tab:selected { background: #505050; }"
               "QScrollBar:horizontal { background: #202020; height: 12px; }"
               "QScrollBar:vertical { background: #202020; width: 12px; }"
               "QScrollBar::handle { background: #606060; min-width: 20px; min-height: 20px; }"
               "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }")
        .arg(fontSize(s.label), fontSize(s.field), fontSize(s.check), fontSize(s.button),
             QLatin1String(s.buttonPadding), fontSize(s.list));
}

QPushButton* flatButton(const QString& text, const char* name, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setFlat(true);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

void whiteCaption(QAbstractButton* button)
{
    QPalette pal = button->palette();
    pal.setColor(QPalette::Active, QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::Inactive, QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x70, 0x70, 0x70));
    pal.setColor(QPalette::Text, Qt::black);
    pal.setColor(QPalette::Base, Qt::white);
    button->setPalette(pal);
}

QCheckBox* tickBox(const QString& text, const char* name, QWidget* parent)
{
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(QLatin1String(name));
    whiteCaption(c);
    return c;
}

QLabel* namedLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QTreeWidget* rowList(const char* name, const QStringList& captions, const QList<int>& widths, QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setHeaderLabels(captions);
    for (int i = 0; i < widths.size(); ++i)
        list->setColumnWidth(i, widths[i]);
    return list;
}

bool arrowIntoList(QTreeWidget* list)
{
    if (list->topLevelItemCount() > 0 && list->selectedItems().isEmpty()) {
        list->setFocus();
        list->setCurrentItem(list->currentItem() ? list->currentItem() : list->topLevelItem(0));
        list->currentItem()->setSelected(true);
        return true;
    }
    if (!list->hasFocus()) {
        list->setFocus();
        return true;
    }
    return false;
}

TillDialog::TillDialog(QWidget* parent) : QDialog(parent) {}

void TillDialog::routeKeys(const QList<QWidget*>& controls)
{
    for (QWidget* w : controls)
        w->installEventFilter(this);
}

bool TillDialog::routeKey(QEvent* event)
{
    return event->type() == QEvent::KeyPress && FormShortCut(static_cast<QKeyEvent*>(event));
}

bool TillDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (routeKey(event))
        return true;
    return QDialog::eventFilter(watched, event);
}

void TillDialog::keyPressEvent(QKeyEvent* event)
{
    if (!FormShortCut(event))
        QDialog::keyPressEvent(event);
}

} // namespace till
