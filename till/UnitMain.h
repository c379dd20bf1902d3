#pragma once

#include <QMainWindow>

namespace till {

// The sale screen: the till's main window, open until the program ends.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool FormCloseQuery();
};

} // namespace till
