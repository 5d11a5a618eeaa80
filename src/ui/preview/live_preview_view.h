// The surface the live preview shows its page on. The web engine's view is built only
// when the program is built with Qt WebEngine (ZARVEX_HAS_WEB_PREVIEW); otherwise there
// is none and the pane shows a note in its place.
#pragma once

#include <QUrl>
#include <QVariant>
#include <QWidget>
#include <functional>

namespace zarvex::ui {

class LivePreviewView : public QWidget {
    Q_OBJECT
  public:
    using QWidget::QWidget;

    // Loads the page; a reload of the same page keeps its scroll position. Only local
    // files are ever fetched, and links clicked in the page are not followed.
    virtual void Load(const QUrl& page) = 0;
    // Runs script in the page; result receives its value.
    virtual void RunScript(const QString& script, std::function<void(const QVariant&)> result) = 0;
    // Shows the page at factor times its size (below 1: a wider page fits the view).
    virtual void SetZoom(double factor) = 0;

  signals:
    void loaded(bool ok);
};

// The web engine's view, or null when the program was built without it.
LivePreviewView* MakeWebPreviewView(QWidget* parent);

// Chromium refuses to run as root with its sandbox: turn it off then, and only then.
// Must run before the web engine starts; harmless afterwards and when not root.
void PrepareWebEngineSandbox();

}  // namespace zarvex::ui
