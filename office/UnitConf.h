#pragma once

#include <QWidget>

namespace office
{

// Shop settings module window.
class TfrmConf : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmConf(QWidget* parent = nullptr);
    ~TfrmConf() override;
};

// The single instance, a module window of the main window.
extern TfrmConf* frmConf;

} // namespace office
