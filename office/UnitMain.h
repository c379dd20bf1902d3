#pragma once

#include <QMainWindow>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QStatusBar;
class QTimer;
class QToolButton;

namespace office
{

class TfrmMber;
class TfrmSpgl;
class TfrmUsers;
class TfrmConf;
class TfrmTongji;

// The back office's frame: banner, the column of module buttons, the module windows inside a
// child-window area, and the status bar with operator and clock. Closing it ends the program.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    QLabel* imgBanner;
    QWidget* panLeft;
    QToolButton* btnSpgl;
    QToolButton* btnTjbb;
    QToolButton* btnHygl;
    QToolButton* btnCzygl;
    QToolButton* btnXtsz;
    QToolButton* btnAbout;
    QMdiArea* mdiMain;
    QStatusBar* stBar;
    QLabel* panWelcome;
    QLabel* panCzy;
    QLabel* panTime;
    QLabel* panWeb;
    QTimer* timerShow;

    // The module windows, created with the main window in this order and alive until it closes.
    TfrmMber* mber = nullptr;
    TfrmSpgl* spgl = nullptr;
    TfrmUsers* users = nullptr;
    TfrmConf* conf = nullptr;
    TfrmTongji* tongji = nullptr;

    // Restores a module window if minimised and makes it the active one.
    void BringToFront(QWidget* module);
    // The module window currently in front.
    QWidget* frontModule() const;

public slots:
    // One handler for the six module buttons; it branches on the button's tag.
    void btnModuleClick();
    void timerShowTimer();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    QToolButton* moduleButton(const char* name, const QString& picture, const QString& hint, int tag);
    QMdiSubWindow* addModule(QWidget* module, const QString& picture);
    bool shown_ = false;
};

extern TfrmMain* frmMain;

} // namespace office
