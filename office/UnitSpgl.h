#pragma once

#include "GoodsList.h"

#include <QWidget>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QTabWidget;
class QTreeView;

namespace office
{

// Pages of pageSp.
enum SpglPage { PageSpxx = 0, PageJthjl, PageKcpd, PageKcyd, PageGhsgl };

// The goods window: categories, the goods list with its searches and sort, and the pages of
// stock records, stocktaking, adjustments and suppliers. One instance lives for the whole run.
class TfrmSpgl : public QWidget
{
    Q_OBJECT
public:
    explicit TfrmSpgl(QWidget* parent = nullptr);
    ~TfrmSpgl() override;

    // The goods query last shown with the remember flag; the base of sorting and of reloads.
    SpQuery SpListSql;

    QTabWidget* pageSp;
    QWidget* tabSpxx;
    QWidget* tabJthjl;
    QWidget* tabKcpd;
    QWidget* tabKcyd;
    QWidget* tabGhsgl;

    QGroupBox* grpLb;
    QListWidget* listLb;
    QPushButton* btnAddLb;
    QPushButton* btnDelLb;

    QGroupBox* grpSp;
    QLabel* lblSp;
    QLineEdit* editSp;
    QPushButton* btnFind;
    QPushButton* btnAdvFind;
    QPushButton* btnSpExcel;
    QTreeView* lvwSp;
    GoodsModel* spModel;
    QPushButton* btnAdd;
    QPushButton* btnEdit;
    QPushButton* btnDel;
    QPushButton* btnJth;

    QMenu* popLeft;
    QAction* mnuJth;
    QAction* mnuSetZk;

    // Fills the goods list from the query; an empty query leaves the list as it is. With
    // `remember` the query becomes SpListSql. The column captions are left alone.
    void ShowSpList(const SpQuery& query, bool remember);
    // Reloads the category list: "所有类别" and then every category.
    void ReLb();

    // The selected goods row: -1 when none.
    int selectedRow() const;
    QString selectedId() const;
    QString selectedName() const;

public slots:
    void pageSpChange(int index);
    void listLbClick(QListWidgetItem* item);
    void btnAddLbClick();
    void btnDelLbClick();
    void btnFindClick();
    void btnAdvFindClick();
    void btnSpExcelClick();
    void lvwSpColumnClick(int column);
    void lvwSpDblClick();
    void btnAddClick();
    void btnEditClick();
    void btnDelClick();
    void btnJthClick();
    void mnuJthClick();
    void mnuSetZkClick();
    void popLeftPopup(const QPoint& pos);

private:
    QWidget* buildGoodsPage();
    bool allowed(int position);
    void FormCreate();
    bool pageGuard_ = false;
};

extern TfrmSpgl* frmSpgl;

} // namespace office
