#pragma once

#include "Dialogs.h"

#include <QList>
#include <QStringList>

// Records every message and answers questions, inputs and file names from queues.
// Installed for its lifetime.
class ScriptedDialogs : public gl::DialogBackend {
public:
    struct Message {
        gl::MsgIcon icon;
        QString title;
        QString text;
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    QList<Message> messages;
    QList<bool> answers;          // Yes/No answers, first first; an empty queue answers No
    QStringList inputs;           // input dialog answers; an empty queue answers cancel
    QStringList fileNames;        // file-name answers; an empty queue answers cancel
    QStringList questionsAsked;   // texts of the questions
    QStringList inputPrompts;     // prompts of the input dialogs
    int unexpected = 0;           // questions or inputs asked with an empty queue

    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    QString lastTitle() const { return messages.isEmpty() ? QString() : messages.last().title; }
    void clear();

    void message(QWidget* owner, gl::MsgIcon icon, const QString& title, const QString& text) override;
    bool question(QWidget* owner, const QString& title, const QString& text) override;
    QString input(QWidget* owner, const QString& prompt, const QString& caption,
                  const QString& defaultText) override;
    QString saveFileName(QWidget* owner, const QString& caption, const QString& fileName,
                         const QString& filter) override;
    QString openFileName(QWidget* owner, const QString& caption, const QString& dir,
                         const QString& filter) override;

    // What the file-name dialogs were opened with, last call.
    QString lastFileCaption, lastFileName, lastFileFilter;
};
