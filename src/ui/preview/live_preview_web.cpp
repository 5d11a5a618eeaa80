// The live preview on Qt WebEngine: an off-the-record profile of its own without disk
// cache, a request filter that lets only the staged folder's files through, and a page
// that follows no link.
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

#include "ui/preview/live_preview_view.h"

namespace zarvex::ui {

namespace {

// The staged folder's files and the page's own inline data only: no network and no
// other file, whatever a design links or its script asks for.
class LocalOnlyInterceptor final : public QWebEngineUrlRequestInterceptor {
  public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void SetFolder(const QString& folder) { folder_ = QDir::cleanPath(folder) + QLatin1Char('/'); }
    void interceptRequest(QWebEngineUrlRequestInfo& info) override {
        const QUrl url = info.requestUrl();
        const QString scheme = url.scheme();
        if (scheme == QLatin1String("file")) {
            const QString path = QDir::cleanPath(url.toLocalFile());
            info.block(folder_.size() < 2 || !path.startsWith(folder_));
        } else if (scheme != QLatin1String("data") && scheme != QLatin1String("blob") &&
                   scheme != QLatin1String("about")) {
            info.block(true);
        }
    }

  private:
    QString folder_;
};

// Shows the staged page and stays on it: a clicked menu link is not followed.
class PreviewPage final : public QWebEnginePage {
  public:
    using QWebEnginePage::QWebEnginePage;
    // The one page the pane shows; the main frame goes nowhere else.
    void SetStagedPage(const QUrl& page) { staged_ = page; }

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool isMainFrame) override {
        if (!isMainFrame)
            return url.isLocalFile() || url.scheme() == QLatin1String("about");
        return url.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery) == staged_;
    }
    QWebEnginePage* createWindow(WebWindowType) override { return nullptr; }

  private:
    QUrl staged_;
};

class WebPreviewView final : public LivePreviewView {
  public:
    explicit WebPreviewView(QWidget* parent) : LivePreviewView(parent) {
        PrepareWebEngineSandbox();
        profile_ = new QWebEngineProfile(this);  // no storage name: off the record
        profile_->setHttpCacheType(QWebEngineProfile::NoCache);
        profile_->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        interceptor_ = new LocalOnlyInterceptor(profile_);
        profile_->setUrlRequestInterceptor(interceptor_);
        view_ = new QWebEngineView(this);
        view_->setObjectName("webLivePreview");
        view_->setAccessibleName(tr("Live preview of the menu"));
        view_->setContextMenuPolicy(Qt::NoContextMenu);
        page_ = new PreviewPage(profile_, view_);
        QWebEngineSettings* s = page_->settings();
        s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
        s->setAttribute(QWebEngineSettings::LocalStorageEnabled, false);
        s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
        s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
        view_->setPage(page_);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
        connect(page_, &QWebEnginePage::loadFinished, this, &WebPreviewView::OnLoaded);
    }

    ~WebPreviewView() override {
        // The page must go before its profile.
        delete view_;
        delete page_;
    }

    void Load(const QUrl& page) override {
        restoreScroll_ = page == page_->url() ? page_->scrollPosition() : QPointF();
        interceptor_->SetFolder(QFileInfo(page.toLocalFile()).absolutePath());
        page_->SetStagedPage(page);
        page_->load(page);
    }

    void RunScript(const QString& script, std::function<void(const QVariant&)> result) override {
        page_->runJavaScript(script, [result = std::move(result)](const QVariant& value) {
            if (result)
                result(value);
        });
    }

    void SetZoom(double factor) override { view_->setZoomFactor(factor); }

  private:
    void OnLoaded(bool ok) {
        if (ok && !restoreScroll_.isNull()) {
            page_->runJavaScript(QStringLiteral("window.scrollTo(%1, %2);")
                                     .arg(restoreScroll_.x())
                                     .arg(restoreScroll_.y()));
        }
        emit loaded(ok);
    }

    QWebEngineProfile* profile_ = nullptr;
    LocalOnlyInterceptor* interceptor_ = nullptr;
    QWebEngineView* view_ = nullptr;
    QPointer<PreviewPage> page_;
    QPointF restoreScroll_;
};

}  // namespace

LivePreviewView* MakeWebPreviewView(QWidget* parent) {
    return new WebPreviewView(parent);
}

}  // namespace zarvex::ui
