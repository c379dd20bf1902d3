#pragma once

#include <QString>

class QWidget;

namespace gl {

enum class MsgIcon { Information, Warning, Question };

// Every message box, question, input and file-name dialog of both programs goes through this
// back end. The real one shows Qt dialogs; tests install one that records and answers.
class DialogBackend {
public:
    virtual ~DialogBackend() = default;
    virtual void message(QWidget* owner, MsgIcon icon, const QString& title, const QString& text) = 0;
    virtual bool question(QWidget* owner, const QString& title, const QString& text) = 0;
    virtual QString input(QWidget* owner, const QString& prompt, const QString& caption,
                          const QString& defaultText) = 0;
    virtual QString saveFileName(QWidget* owner, const QString& caption, const QString& fileName,
                                 const QString& filter) = 0;
    virtual QString openFileName(QWidget* owner, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
};

// Installs a back end (not owned); nullptr brings back the real one.
void setDialogBackend(DialogBackend* backend);
DialogBackend* dialogBackend();

// The input dialog looks like the till (black, white text, flat buttons) or like the office.
enum class DialogLook { Till, Office };
void setDialogLook(DialogLook look);
DialogLook dialogLook();

const QString& tipTitle();   // "提示"

void MsgInfo(const QString& text, QWidget* owner = nullptr, const QString& caption = tipTitle());
void MsgWarn(const QString& text, QWidget* owner = nullptr, const QString& caption = tipTitle());
bool MsgYesNo(const QString& text, QWidget* owner = nullptr, const QString& caption = tipTitle());

// The text as typed on OK (not trimmed); empty text on cancel.
QString InputStr(const QString& prompt, const QString& caption = QString(), const QString& defaultText = QString(),
                 QWidget* owner = nullptr);

QString SaveFileName(const QString& caption, const QString& fileName, const QString& filter,
                     QWidget* owner = nullptr);
QString OpenFileName(const QString& caption, const QString& dir, const QString& filter, QWidget* owner = nullptr);

// "您没有执行此操作的权限！"
void MsgNoPermission(QWidget* owner = nullptr);

} // namespace gl
