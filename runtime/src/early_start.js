// The menus of a page are built as soon as their lists have been parsed, not when the
// last image has arrived. The configuration scripts stay as they are: each declares
// `init<MenuName>()`, which builds its menu by handing its list's id to `init<MenuName>2`,
// and chains it into window.onload.
//
// While the page is being parsed, every batch of new nodes (mutation callbacks run before
// the next frame is drawn) calls the starters whose lists are complete: a list that
// anything follows is built before the page below it is drawn, and nothing moves. At
// DOMContentLoaded (or, for scripts that arrive after it, once the script that chained
// its handler has run) the rest are called. The onload chain calls them again later, and
// construct() gives back the menu built already.

/** The configuration scripts' starters already called, by name. */
const started = new Set();

/**
 * Has the parser finished the node? It has once the node, or an element around it, has a
 * next sibling.
 * @param {Node | null} node
 */
function isParsed(node) {
  for (; node; node = node.parentNode) if (node.nextSibling) return true;
  return false;
}

/**
 * Calls every configuration script's `init<MenuName>()` that has not run yet. A starter
 * is recognised by its pair `init<MenuName>2`, which hands the list to Velmo.construct.
 * @param {unknown} [early] anything true: only those whose lists are complete (the list's
 *   id is the first text in quotes of the starter; a starter without one waits)
 */
function startMenus(early) {
  const globals = /** @type {Record<string, unknown>} */ (/** @type {unknown} */ (window));
  for (const key of Object.keys(globals)) {
    const name = /^init(.+)2$/.exec(key)?.[1], starter = globals['init' + name];
    if (!name || started.has(name) || typeof starter != 'function') continue;
    if (!('' + globals[key]).includes('Velmo.construct')) continue;
    if (early && !isParsed(document.getElementById(/'(.+?)'/.exec('' + starter)?.[1] || ''))) continue;
    started.add(name);
    // a page whose list is broken is reported by construct(); nothing here may stop the others
    try { starter() } catch (error) { console.error(error) }
  }
}

/** Starts the menus as their lists are parsed, or at once when the document is past that. */
export function startEarly() {
  if (document.readyState != 'loading') return queueMicrotask(startMenus);
  // the observer calls with its records: early
  const watcher = new MutationObserver(startMenus);
  watcher.observe(document, { childList: true, subtree: true });
  addEventListener('DOMContentLoaded', () => startMenus(watcher.disconnect()));
}
