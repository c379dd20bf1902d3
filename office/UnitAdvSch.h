#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace office
{

// "高级查询": goods by their two flags, and optionally pack size (规格), category and a stock range.
class TfrmAdvSch : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAdvSch(QWidget* parent = nullptr);

    QCheckBox* chkDz;
    QCheckBox* chkJf;
    QCheckBox* chkGuige;
    QLineEdit* editGuige;
    QCheckBox* chkLb;
    QComboBox* comLb;
    QCheckBox* chkKc;
    QLineEdit* editKc1;
    QLabel* lblTo;
    QLineEdit* editKc2;
    QPushButton* btnFind;
    QPushButton* btnCC;

public slots:
    void chkGuigeClick();
    void chkLbClick();
    void chkKcClick();
    void btnFindClick();
};

} // namespace office
