// A platform for tests: records every message, beep and request, and answers
// from a script instead of opening dialogs.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "ui/platform/platform.h"

namespace ravo {

class ScriptedPlatform : public Platform {
public:
    std::vector<Message> messages;
    int beeps = 0;
    // Each message pops the next answer; Ok (or the default button) when none is left.
    std::deque<MessageAnswer> answers;
    std::vector<FileDialogRequest> dialogs;
    std::deque<std::optional<FileChoice>> files;  // nullopt: the user cancels
    QStringList editorStarts;
    bool editorStarts_ok = true;
    std::vector<std::pair<QString, QString>> helpTopics;
    std::vector<QStringList> choices;            // the items of every list offered
    std::deque<std::optional<int>> chosenItems;  // nullopt: the user cancels
    // Runs while a message is shown, as if the user did something meanwhile.
    std::function<void(const Message&)> onMessage;

    MessageAnswer ShowMessage(QWidget*, const Message& message) override
    {
        messages.push_back(message);
        if (onMessage)
            onMessage(message);
        return Next(answers, message.buttons == MessageButtons::YesNo ? message.defaultAnswer
                                                                      : MessageAnswer::Ok);
    }

    void Beep() override { ++beeps; }

    std::optional<FileChoice> ChooseFile(QWidget*, const FileDialogRequest& request) override
    {
        dialogs.push_back(request);
        return Next(files, std::optional<FileChoice>());
    }

    bool StartTextEditor(const QString& path) override
    {
        editorStarts.push_back(path);
        return editorStarts_ok;
    }

    void ShowHelpTopic(const QString& helpFile, const QString& topic) override
    {
        helpTopics.emplace_back(helpFile, topic);
    }

    std::optional<int> ChooseItem(QWidget*, const QString&, const QString&,
                                  const QStringList& items) override
    {
        choices.push_back(items);
        return Next(chosenItems, std::optional<int>());
    }

    // The next scripted answer, or the fallback when the script has run out.
    template <typename T>
    static T Next(std::deque<T>& script, T fallback)
    {
        if (script.empty())
            return fallback;
        T next = std::move(script.front());
        script.pop_front();
        return next;
    }

    // The last message as its box shows it: the title, then the text.
    QString Last() const { return messages.back().title + ": " + messages.back().text; }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const Message& message : messages)
            texts << message.text;
        return texts;
    }
};

}  // namespace ravo
