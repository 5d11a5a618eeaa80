// The configuration scripts chain window.onload through one global variable (each saves
// the handler it replaces in the same name), so with two menus on a page the older
// handler ends up calling itself. Every handler assigned to window.onload is wrapped so
// that, re-entered, it calls the handler it replaced instead.
//
// A handler assigned while the document is past parsing comes from a script added late:
// its menu is started as soon as that script has run (see early_start.js).
import { startEarly } from './early_start.js';

export function guardOnloadChain() {
  const property = Object.getOwnPropertyDescriptor(window, 'onload');
  if (!property?.set) return;
  // an accessor of the window in every browser the runtime serves
  const { get, set } = /** @type {Required<PropertyDescriptor>} */ (property);
  Object.defineProperty(window, 'onload', {
    ...property,
    /** @this {Window} @param {unknown} handler */
    set(handler) {
      let running = false;
      const replaced = get.call(this);
      if (document.readyState != 'loading') startEarly();
      set.call(this, typeof handler != 'function' ? handler : /** @this {Window} @param {any[]} args */ function (...args) {
        if (running) return replaced?.apply(this, args);
        try { running = true; return handler.apply(this, args) } finally { running = false }
      });
    },
  });
}
