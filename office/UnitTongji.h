#pragma once

#include <QWidget>

namespace office
{

// Sales statistics module window.
class TfrmTongji : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmTongji(QWidget* parent = nullptr);
    ~TfrmTongji() override;
};

// The single instance, a module window of the main window.
extern TfrmTongji* frmTongji;

} // namespace office
