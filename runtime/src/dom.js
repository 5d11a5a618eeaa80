// Small DOM helpers shared by every part of the runtime.

/**
 * A new element with a class name and a role, appended to `parent` when one is given.
 * @param {string} tag
 * @param {string} [className]
 * @param {Element | DocumentFragment | null} [parent]
 * @param {string} [role]
 * @returns {HTMLElement}
 */
export function element(tag, className, parent, role) {
  const made = document.createElement(tag);
  if (className) made.className = className;
  if (role) made.setAttribute('role', role);
  if (parent) parent.append(made);
  return made;
}

/**
 * A new layout table (role "none") in `parent`; gives its body.
 * @param {Element} parent
 */
export const layoutTable = parent => element('tbody', '', element('table', '', parent, 'none'));

/**
 * Shows or hides an element through its inline display, leaving the stylesheet's value when shown.
 * @param {HTMLElement | null | undefined} target
 * @param {boolean} [visible]
 */
export function setShown(target, visible) {
  if (target) target.style.display = visible ? '' : 'none';
}

/** @param {HTMLElement | null | undefined} target */
export const isShown = target => !!target && target.style.display != 'none';

/**
 * The viewport without scroll bars. Zarvex pages have no doctype, and in quirks mode the
 * body, not the root element, carries the viewport's size: the scrolling element, which
 * is null in quirks mode when the body scrolls by itself.
 * @returns {{ width: number, height: number }}
 */
export function viewportSize() {
  const root = /** @type {Element} */ (document.scrollingElement || document.body);
  return { width: root.clientWidth, height: root.clientHeight };
}

/** @param {number} value @param {number} low @param {number} high */
export const clamp = (value, low, high) => Math.max(low, Math.min(value, high));

/**
 * Is the element laid out right to left?
 * @param {Element} target
 */
export const isRightToLeft = target => getComputedStyle(target).direction == 'rtl';

/**
 * A click with another button than the main one, or with a modifier key: the browser's
 * to answer (a new tab, a new window, a download).
 * @param {MouseEvent} event
 */
export const isModified = event => event.button || event.ctrlKey || event.metaKey || event.shiftKey || event.altKey;
