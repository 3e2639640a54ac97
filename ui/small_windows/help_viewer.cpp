// The help window: the pages, pictures and style sheets of the help file in a text browser.
#include "ui/small_windows/help_viewer.h"

#include <QDesktopServices>

#include "ui/small_windows/chm_file.h"
#include "ui/widgets/icons.h"

namespace ravo {
namespace {

QUrl PageUrl(const QString& page)
{
    QUrl url;
    url.setScheme(QLatin1String(HelpViewer::kScheme));
    url.setPath(page.startsWith(QLatin1Char('/')) ? page : QLatin1Char('/') + page);
    return url;
}

bool IsWebLink(const QUrl& link)
{
    const QString scheme = link.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("mailto");
}

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QTextBrowser(parent)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowFlag(Qt::Window);
    setWindowIcon(RavoIcon());
    setWindowTitle(QStringLiteral("Ravo Help"));
    resize(640, 560);
    document()->setDocumentMargin(12);
    // Links are routed here rather than by the browser, which would try to
    // read web pages as help pages.
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpViewer::FollowLink);
    connect(this, &QTextBrowser::sourceChanged, this, &HelpViewer::ShowPageTitle);
}

HelpViewer::~HelpViewer() = default;

bool HelpViewer::ShowTopic(const QString& helpFile, const QString& topic)
{
    std::unique_ptr<ChmFile> file = ChmFile::Open(helpFile);
    if (file == nullptr || topic.isEmpty() || !file->Contains(topic))
        return false;
    file_ = std::move(file);
    clearHistory();
    const QUrl page = PageUrl(topic);
    if (source() == page)
        reload();  // the file may have changed since the page was read
    else
        setSource(page);
    show();
    raise();
    activateWindow();
    return true;
}

QVariant HelpViewer::loadResource(int /*type*/, const QUrl& name)
{
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    if (file_ == nullptr || url.scheme() != QLatin1String(kScheme))
        return {};
    std::optional<QByteArray> bytes = file_->Read(url.path());
    if (!bytes)
        return {};
    return *bytes;
}

void HelpViewer::FollowLink(const QUrl& link)
{
    if (link.scheme() == QLatin1String(kScheme)) {
        if (file_ != nullptr && file_->Contains(link.path()))
            setSource(link);
    } else if (IsWebLink(link)) {
        QDesktopServices::openUrl(link);
    }
}

void HelpViewer::ShowPageTitle()
{
    const QString title = documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Ravo Help")
                                   : title + QStringLiteral(" - Ravo Help"));
}

}  // namespace ravo
