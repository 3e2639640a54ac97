// The platform seam on the real desktop.
#pragma once

#include <memory>

#include "ui/platform/platform.h"

namespace ravo {

class HelpViewer;

class QtPlatform : public Platform {
public:
    QtPlatform();
    ~QtPlatform() override;

    MessageAnswer ShowMessage(QWidget* parent, const Message& message) override;
    void Beep() override;
    std::optional<FileChoice> ChooseFile(QWidget* parent,
                                         const FileDialogRequest& request) override;
    bool StartTextEditor(const QString& path) override;
    void ShowHelpTopic(const QString& helpFile, const QString& topic) override;
    std::optional<int> ChooseItem(QWidget* parent, const QString& title, const QString& label,
                                  const QStringList& items) override;

private:
    std::unique_ptr<HelpViewer> helpViewer_;  // one help window, made on first use
};

// "All Files (*.*)|*.*|Input Files (*.in)|*.in" as Qt name filters.
QStringList QtNameFilters(const QString& filterList);

}  // namespace ravo
