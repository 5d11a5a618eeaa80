// The menus of a page are built as soon as their lists have been parsed, not when the
// last image has arrived. The configuration scripts stay as they are: each declares
// `init<MenuName>()`, which builds its menu, and chains it into window.onload. At
// DOMContentLoaded (or, for scripts that arrive after it, once the script that chained
// its handler has run) the runtime calls those functions itself; the onload chain calls
// them again later, and construct() gives back the menu built already.

/** The configuration scripts' starters already called, by name. */
const started = new Set();

/**
 * Calls every configuration script's `init<MenuName>()` that has not run yet. A starter
 * is recognised by its pair `init<MenuName>2`, which hands the list to Velmo.construct.
 */
function startMenus() {
  const globals = /** @type {Record<string, unknown>} */ (/** @type {unknown} */ (window));
  for (const key of Object.keys(window)) {
    const name = /^init(.+)2$/.exec(key)?.[1], starter = globals[`init${name}`];
    if (!name || started.has(name) || typeof starter != 'function') continue;
    if (!('' + globals[key]).includes('Velmo.construct')) continue;
    started.add(name);
    // a page whose list is broken is reported by construct(); nothing here may stop the others
    try { starter() } catch (error) { console.error(error) }
  }
}

/** Starts the menus when the document is parsed, or at once when it is past that. */
export function startEarly() {
  if (document.readyState == 'loading') document.addEventListener('DOMContentLoaded', startMenus, { once: true });
  else queueMicrotask(startMenus);
}
