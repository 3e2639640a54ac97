// A platform for tests: records every message, beep and request, and answers
// from a script instead of opening dialogs.
#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform.h"

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
        if (answers.empty())
            return message.buttons == MessageButtons::YesNo ? message.defaultAnswer
                                                            : MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    void Beep() override { ++beeps; }

    std::optional<FileChoice> ChooseFile(QWidget*, const FileDialogRequest& request) override
    {
        dialogs.push_back(request);
        if (files.empty())
            return std::nullopt;
        std::optional<FileChoice> choice = files.front();
        files.pop_front();
        return choice;
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
        if (chosenItems.empty())
            return std::nullopt;
        const std::optional<int> chosen = chosenItems.front();
        chosenItems.pop_front();
        return chosen;
    }

    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const Message& message : messages)
            texts << message.text;
        return texts;
    }
};

}  // namespace ravo
