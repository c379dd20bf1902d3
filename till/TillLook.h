#pragma once

#include <QDialog>
#include <QList>

class QAbstractButton;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace till {

// Type sizes of the till's dialogs: large for the money dialogs the cashier reads at a glance,
// medium for the price dialog, small for the dialogs of lists and settings.
enum class TillType { Large, Medium, Small };

// Look of the till's dialogs: black, white captions, flat buttons, tick boxes that show on black.
QString tillDialogStyle(TillType type = TillType::Large);

// A button of the till: flat, and it never takes the focus, so the keys stay with the fields.
QPushButton* flatButton(const QString& text, const char* name, QWidget* parent);
// White caption on black for a check box or radio button; the tick keeps its dark colour on the
// white box.
void whiteCaption(QAbstractButton* button);
QCheckBox* tickBox(const QString& text, const char* name, QWidget* parent);
QLabel* namedLabel(const QString& text, const char* name, QWidget* parent);
// A read-only list of whole rows, one selected at a time.
QTreeWidget* rowList(const char* name, const QStringList& captions, const QList<int>& widths, QWidget* parent);
// Up or Down anywhere in a dialog: the first press picks a row to start from and moves the
// focus into the list; after that the list moves its own selection (false).
bool arrowIntoList(QTreeWidget* list);

// A till dialog: its keys go to FormShortCut, also while one of its routed controls has the focus.
class TillDialog : public QDialog {
    Q_OBJECT
public:
    explicit TillDialog(QWidget* parent = nullptr);

protected:
    // True when the key was a shortcut of the dialog and has been acted on.
    virtual bool FormShortCut(QKeyEvent* event) = 0;

    // The dialog sees the keys of these controls before they do.
    void routeKeys(const QList<QWidget*>& controls);
    // True when `event` is a key press that FormShortCut took.
    bool routeKey(QEvent* event);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace till
