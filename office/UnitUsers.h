#pragma once

#include <QWidget>

namespace office
{

// Operators module window.
class TfrmUsers : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmUsers(QWidget* parent = nullptr);
    ~TfrmUsers() override;

    // Reloads the operator list; the main window calls it when it brings the window forward.
    void LoadCzyList();
};

// The single instance, a module window of the main window.
extern TfrmUsers* frmUsers;

} // namespace office
