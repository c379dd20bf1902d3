#pragma once

#include "Dialogs.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace gl {

// One-line input dialog. Enter confirms, Esc cancels.
class TfrmInputStr : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInputStr(QWidget* parent = nullptr, DialogLook look = DialogLook::Office);

    // Empty texts keep the built-in title "输入" and prompt "请输入：".
    void setup(const QString& prompt, const QString& caption, const QString& defaultText);

    QLabel* lblShow;
    QLineEdit* editInput;
    QPushButton* btnOK;
    QPushButton* btnCC;

public slots:
    void btnOKClick();
    void btnCCClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool FormShortCut(QKeyEvent* event);
    DialogLook look_;
};

} // namespace gl
