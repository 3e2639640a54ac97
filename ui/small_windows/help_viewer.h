// The help window: shows the pages of the compiled help file "Ravo.chm".
#pragma once

#include <QTextBrowser>
#include <memory>

namespace ravo {

class ChmFile;

// A browser whose pages, pictures and style sheets come out of one compiled
// help file, addressed as "chm:/Page.htm". Links inside the file are followed
// in the window; web links open in the desktop's browser.
class HelpViewer : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* parent = nullptr);
    ~HelpViewer() override;

    // Opens the help file at the topic, the name of a page inside it such as
    // "Overview.htm", and shows the window without waiting for it. When the
    // file or the topic is missing nothing is shown and the result is false.
    bool ShowTopic(const QString& helpFile, const QString& topic);

    static constexpr const char* kScheme = "chm";

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void FollowLink(const QUrl& link);
    void ShowPageTitle();

    std::unique_ptr<ChmFile> file_;
};

}  // namespace ravo
