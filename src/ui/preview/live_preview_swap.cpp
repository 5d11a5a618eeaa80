#include "ui/preview/live_preview_swap.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <atomic>

namespace zarvex::ui {

std::string PageSignature(const BuiltMenu& built) {
    std::string signature = built.stylesheetName + '\n' + built.scriptName + '\n' + built.menuName +
                            '\n' + built.listId + '\n';
    for (const std::string& name : built.linkedFiles)
        signature += name + '\n';
    return signature;
}

namespace {

// The page reads the staged texts from its own folder (the web view hands it nothing but
// their names, so the window's thread never carries a large design's text), parses the
// new page itself (the browser's own parser), takes its list, and keeps everything else
// of the document it has. The files are read afresh (the number defeats any cache).
const char* const kSwap = R"JS((function (args) {
  var cssName = args[0], scriptName = args[1], pageName = args[2], listId = args[3],
      name = args[4], fresh = '?' + args[5];
  function read(file) {
    var request = new XMLHttpRequest();
    request.open('GET', encodeURI(file) + fresh, false);
    request.send();
    if (!request.responseText) throw new Error('not read: ' + file);
    return request.responseText;
  }
  try {
    var css = read(cssName), config = read(scriptName), page = read(pageName);
  } catch (e) {
    return false;
  }
  var doc = new DOMParser().parseFromString(page, 'text/html');
  var list = document.getElementById(listId), update = doc.getElementById(listId);
  if (!update || !list || !window.Velmo || typeof window['init' + name] !== 'function')
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
  list.replaceWith(document.importNode(update, true));
  var onload = window.onload;
  (0, eval)(config);
  window.onload = onload;
  window['init' + name]();
  return true;
}))JS";

}  // namespace

QString SwapScript(const BuiltMenu& built, const QString& pageName) {
    static std::atomic<quint64> swaps{0};
    const QJsonArray args{QString::fromStdString(built.stylesheetName),
                          QString::fromStdString(built.scriptName),
                          pageName,
                          QString::fromStdString(built.listId),
                          QString::fromStdString(built.menuName),
                          QString::number(++swaps)};
    return QString::fromLatin1(kSwap) + '(' +
           QString::fromUtf8(QJsonDocument(args).toJson(QJsonDocument::Compact)) + ");";
}

}  // namespace zarvex::ui
