// The item under the pointer or focus: its highlight, the bar's tab stop, moving the focus,
// and choosing an item (following its link, after blinking when the design asks for it).
import { isSelectable, leadsSomewhere } from './items.js';
import { HOVER } from './class_names.js';

/** @typedef {import('./menu.js').Menu} Menu */
/** @typedef {import('./items.js').Item} Item */

/**
 * @typedef {object} Focus
 * @property {(item: Item | null) => void} highlight_ highlights the item under the pointer
 *   or focus; the menu's `current_` is that item, set only here
 * @property {(item: Item) => void} makeTabStop_ makes the bar item the one that Tab reaches
 *   (a roving tabindex)
 * @property {(item: Item, target?: HTMLElement | null) => void} focusItem_ focuses an item
 *   (its link, or `target` in its cell), scrolled into view
 * @property {(item: Item, last?: boolean) => void} enter_ opens the item's sub-menu and
 *   focuses its first (or last) item
 * @property {(item: Item, event: Event, synthetic: boolean) => void} choose_ follows the
 *   item's link, after blinking when the design asks for it; without blinking the browser
 *   follows it, honouring its target. `synthetic`: the click was beside the link, not on it
 * @property {(link: HTMLAnchorElement) => boolean} isOwnClick_ is this click on the link
 *   the one that choose_ made after blinking? (Answers true once.)
 * @property {() => void} stopBlinking_
 */

/**
 * The focus and choosing of a menu.
 * @param {Menu} menu
 * @returns {Focus}
 */
export function focus(menu) {
  let blinkTimer = 0;
  /** @type {HTMLAnchorElement | null} the link of our own click after blinking */
  let ownClick = null;

  /** @param {Item | null} item */
  function highlight(item) {
    if (menu.current_ == item) return;
    menu.current_?.cell_.classList.remove(HOVER);
    menu.current_ = item;
    item?.cell_.classList.add(HOVER);
  }

  /** @param {Item} item */
  function makeTabStop(item) {
    if (!menu.navigation_) for (const other of menu.barLevel_.items_) if (other.link_) other.link_.tabIndex = other == item ? 0 : -1;
  }

  /** @param {Item} item @param {HTMLElement | null} [target] */
  function focusItem(item, target = item.link_) {
    if (!item.level_.depth_) makeTabStop(item);
    /** @type {HTMLElement} */ (target).focus({ preventScroll: true });
    highlight(item);
    // (inline is 'nearest' by default)
    item.cell_.scrollIntoView({ block: 'nearest' });
  }

  return {
    highlight_: highlight, makeTabStop_: makeTabStop, focusItem_: focusItem,
    enter_(item, last) {
      const items = menu.open_(item).items_.filter(isSelectable);
      focusItem(/** @type {Item} */ (items[last ? items.length - 1 : 0]));
    },
    choose_(item, event, synthetic) {
      if (!leadsSomewhere(item.link_)) return event.preventDefault();
      const blinks = matchMedia('(prefers-reduced-motion:reduce)').matches ? 0 : menu.blinkCount_;
      if (!blinks && !synthetic) return menu.close();
      event.preventDefault();
      if (blinkTimer) return;
      let step = 0;
      const blink = () => {
        if (step < 2 * blinks) {
          item.cell_.classList.toggle(HOVER, step++ % 2 == 1);
          blinkTimer = setTimeout(blink, 80);
          return;
        }
        blinkTimer = 0;
        menu.close();
        ownClick = item.link_;
        /** @type {HTMLAnchorElement} */ (item.link_).click();
      };
      highlight(item);
      blink();
    },
    isOwnClick_(link) {
      const own = ownClick == link;
      if (own) ownClick = null;
      return own;
    },
    stopBlinking_() {
      clearTimeout(blinkTimer);
    },
  };
}
