#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace office
{

// The goods editor. Its caption tells the mode: "添加新商品" adds a row of sp,
// "修改商品信息" changes the row whose id FillForEdit put in.
class TfrmAESp : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAESp(QWidget* parent = nullptr);

    static QString addCaption();  // "添加新商品"
    static QString editCaption(); // "修改商品信息"

    // Edit mode: shows the stored goods and locks the id.
    void FillForEdit(const QString& id);

    QLabel* lblShow;
    QLabel* lblID;
    QLineEdit* editID;
    QLineEdit* editName;
    QLineEdit* editHuohao;
    QLineEdit* editGuige;
    QComboBox* comLb;
    QLineEdit* editJj;
    QLabel* lblSj;
    QLineEdit* editSj;
    QLineEdit* editHyj;
    QLineEdit* editKc;
    QLineEdit* editSc;
    QLineEdit* editPs;
    QCheckBox* chkDz;
    QCheckBox* chkJf;
    QCheckBox* chkClose;
    QPushButton* btnOK;
    QPushButton* btnCC;

public slots:
    void btnOKClick();
    void FormShortCut();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool editIDKeyPress(QKeyEvent* event);
};

} // namespace office
