#include "ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs()
{
    gl::setDialogBackend(this);
}

ScriptedDialogs::~ScriptedDialogs()
{
    gl::setDialogBackend(nullptr);
}

void ScriptedDialogs::clear()
{
    messages.clear();
    answers.clear();
    inputs.clear();
    fileNames.clear();
    questionsAsked.clear();
    inputPrompts.clear();
    unexpected = 0;
}

void ScriptedDialogs::message(QWidget*, gl::MsgIcon icon, const QString& title, const QString& text)
{
    messages.append({icon, title, text});
}

bool ScriptedDialogs::question(QWidget*, const QString& title, const QString& text)
{
    messages.append({gl::MsgIcon::Question, title, text});
    questionsAsked << text;
    if (answers.isEmpty()) {
        ++unexpected;
        return false;
    }
    return answers.takeFirst();
}

QString ScriptedDialogs::input(QWidget*, const QString& prompt, const QString&, const QString&)
{
    inputPrompts << prompt;
    if (inputs.isEmpty()) {
        ++unexpected;
        return QString();
    }
    return inputs.takeFirst();
}

QString ScriptedDialogs::saveFileName(QWidget*, const QString& caption, const QString& fileName,
                                      const QString& filter)
{
    lastFileCaption = caption;
    lastFileName = fileName;
    lastFileFilter = filter;
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

QString ScriptedDialogs::openFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter)
{
    lastFileCaption = caption;
    lastFileName = dir;
    lastFileFilter = filter;
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}
