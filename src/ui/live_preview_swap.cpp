#include "ui/live_preview_swap.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace zarvex::ui {

std::string PageSignature(const BuiltMenu& built, const TAppletData& menu) {
    std::string signature = built.stylesheetName + '\n' + built.scriptName + '\n' + menu.MenuName +
                            '\n' + menu.ListId + '\n';
    for (const std::string& name : built.linkedFiles)
        signature += name + '\n';
    return signature;
}

namespace {

// The page parses the new page text itself (the browser's own parser), takes its list,
// and keeps everything else of the document it has.
const char* const kSwap = R"JS((function (args) {
  var css = args[0], page = args[1], config = args[2], listId = args[3], name = args[4],
      cssName = args[5];
  var doc = new DOMParser().parseFromString(page, 'text/html');
  var fresh = doc.getElementById(listId), list = document.getElementById(listId);
  if (!fresh || !list || !window.Velmo || typeof window['init' + name] !== 'function')
    return false;
  var old = window[name];
  if (old && typeof old.destroy === 'function') old.destroy();
  var style = document.getElementById('zarvex-live-style');
  if (!style) {
    style = document.createElement('style');
    style.id = 'zarvex-live-style';
    document.head.appendChild(style);
  }
  style.textContent = css;
  document.querySelectorAll('link[rel~="stylesheet"]').forEach(function (link) {
    if (link.getAttribute('href') === cssName) link.disabled = true;
  });
  list.replaceWith(document.importNode(fresh, true));
  var onload = window.onload;
  (0, eval)(config);
  window.onload = onload;
  window['init' + name]();
  return true;
}))JS";

}  // namespace

QString SwapScript(const BuiltMenu& built, const TAppletData& menu) {
    const QJsonArray args{
        QString::fromStdString(built.stylesheet), QString::fromStdString(built.snippet),
        QString::fromStdString(built.script),     QString::fromStdString(menu.ListId),
        QString::fromStdString(menu.MenuName),    QString::fromStdString(built.stylesheetName)};
    return QString::fromLatin1(kSwap) + '(' +
           QString::fromUtf8(QJsonDocument(args).toJson(QJsonDocument::Compact)) + ");";
}

}  // namespace zarvex::ui
