#include "Dialogs.h"

#include "UnitInputStr.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace gl {

namespace {

class QtDialogs final : public DialogBackend {
public:
    void message(QWidget* owner, MsgIcon icon, const QString& title, const QString& text) override
    {
        QMessageBox box(icon == MsgIcon::Warning ? QMessageBox::Warning : QMessageBox::Information, title, text,
                        QMessageBox::Ok, owner);
        box.exec();
    }

    bool question(QWidget* owner, const QString& title, const QString& text) override
    {
        QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner);
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() == QMessageBox::Yes;
    }

    QString input(QWidget* owner, const QString& prompt, const QString& caption, const QString& defaultText) override
    {
        TfrmInputStr dlg(owner, dialogLook());
        dlg.setup(prompt, caption, defaultText);
        return dlg.exec() == QDialog::Accepted ? dlg.editInput->text() : QString();
    }

    QString saveFileName(QWidget* owner, const QString& caption, const QString& fileName,
                         const QString& filter) override
    {
        return QFileDialog::getSaveFileName(owner, caption, fileName, filter);
    }

    QString openFileName(QWidget* owner, const QString& caption, const QString& dir, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(owner, caption, dir, filter);
    }
};

QtDialogs g_qtDialogs;
DialogBackend* g_backend = nullptr;
DialogLook g_look = DialogLook::Office;

} // namespace

void setDialogBackend(DialogBackend* backend)
{
    g_backend = backend;
}

DialogBackend* dialogBackend()
{
    return g_backend ? g_backend : &g_qtDialogs;
}

void setDialogLook(DialogLook look)
{
    g_look = look;
}

DialogLook dialogLook()
{
    return g_look;
}

const QString& tipTitle()
{
    static const QString title = QStringLiteral("提示");
    return title;
}

void MsgInfo(const QString& text, QWidget* owner, const QString& caption)
{
    dialogBackend()->message(owner, MsgIcon::Information, caption, text);
}

void MsgWarn(const QString& text, QWidget* owner, const QString& caption)
{
    dialogBackend()->message(owner, MsgIcon::Warning, caption, text);
}

bool MsgYesNo(const QString& text, QWidget* owner, const QString& caption)
{
    return dialogBackend()->question(owner, caption, text);
}

QString InputStr(const QString& prompt, const QString& caption, const QString& defaultText, QWidget* owner)
{
    return dialogBackend()->input(owner, prompt, caption, defaultText);
}

QString SaveFileName(const QString& caption, const QString& fileName, const QString& filter, QWidget* owner)
{
    return dialogBackend()->saveFileName(owner, caption, fileName, filter);
}

QString OpenFileName(const QString& caption, const QString& dir, const QString& filter, QWidget* owner)
{
    return dialogBackend()->openFileName(owner, caption, dir, filter);
}

void MsgNoPermission(QWidget* owner)
{
    MsgWarn(QStringLiteral("您没有执行此操作的权限！"), owner);
}

} // namespace gl
