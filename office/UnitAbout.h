#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace office
{

// "关于 Velmora收银系统": name, version, the maker's addresses and the user guide.
class TfrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* lblName;
    QLabel* lblVer;
    QLabel* lblWeb;
    QLabel* lblMail;
    QPushButton* btnHelp;
    QPushButton* btnOK;

    // The user guide beside the executable.
    static QString helpFile();

public slots:
    void lblWebClick();
    void lblMailClick();
    void btnHelpClick();
};

} // namespace office
