#pragma once

#include <QWidget>

namespace office
{

// Members module window.
class TfrmMber : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmMber(QWidget* parent = nullptr);
    ~TfrmMber() override;
};

// The single instance, a module window of the main window.
extern TfrmMber* frmMber;

} // namespace office
