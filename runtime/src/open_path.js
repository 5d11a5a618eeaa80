// Which pop-ups are open: the open path (one open item per depth), opening and closing,
// pointing with its delays (the open delay, the moment given to a pointer heading for an
// open pop-up, the close delay), and keeping open pop-ups in place as the page moves.
import { placePopup } from './placement.js';
import { updateScrollButtons, levelOfScrollPart } from './scroll_buttons.js';
import { setShown } from './dom.js';
import { ACTIVE } from './class_names.js';

/** @typedef {import('./menu.js').Menu} Menu */
/** @typedef {import('./items.js').Item} Item */
/** @typedef {import('./items.js').Level} Level */

/**
 * @typedef {object} OpenPath
 * @property {Item[]} openPath_ openPath[d] is the open item of depth d; changed only here
 * @property {(item: Item) => Level} open_ opens the item's sub-menu, closing its siblings'
 * @property {(depth: number) => void} closeFrom_ closes the pop-ups of depth `depth` and
 *   deeper; focus in them goes back to their opener
 * @property {() => void} close closes every pop-up
 * @property {(item: Item, now?: boolean) => void} hover_ the pointer rests on the item
 * @property {(target: EventTarget | null) => void} pointerMoved_ the pointer moved over `target`
 * @property {() => void} pointerLeft_ the pointer left the menu: it closes after the close delay
 * @property {() => void} pointerBack_ the pointer is over the menu again: it stays open
 * @property {() => void} followLayout_ places the open pop-ups again in the next frame,
 *   after the page moved or changed size
 */

/**
 * The open path of a menu.
 * @param {Menu} menu
 * @returns {OpenPath}
 */
export function openPath(menu) {
  const openDelay = menu.openDelay_;
  /** @type {Item[]} */
  const path = [];
  /** @type {Item | null} the sibling waiting while the pointer heads for an open pop-up */
  let pendingHover = null;
  // a pop-up waiting for the open delay, or for the pointer to arrive at its sibling's pop-up
  let hoverTimer = 0, closeTimer = 0, placeFrame = 0;

  /**
   * Shows or hides the item's pop-up, and marks the item open or closed.
   * @param {Item} item
   * @param {boolean} shown
   */
  function showPopup(item, shown) {
    const level = /** @type {Level} */ (item.popup_);
    item.cell_.classList.toggle(ACTIVE, shown);
    /** @type {HTMLElement} */ (item.toggleButton_ || item.link_).setAttribute('aria-expanded', '' + shown);
    setShown(level.box_, shown);
    setShown(level.shadow_, shown);
  }

  /** @param {Level} level */
  function place(level) {
    if (placePopup(level, menu)) updateScrollButtons(level);
  }

  /** @param {Item} item */
  function open(item) {
    const level = menu.popupOf_(item);
    closeFrom(item.level_.depth_);
    path[item.level_.depth_] = item;
    showPopup(item, true);
    /** @type {HTMLElement} */ (level.scrollArea_).scrollTop = 0;
    place(level);
    return level;
  }

  /** @param {number} depth */
  function closeFrom(depth) {
    let focusBackTo = null;
    while (path.length > depth) {
      const item = /** @type {Item} */ (path.pop()), level = /** @type {Level} */ (item.popup_), button = menu.scrollButton_();
      if (level.box_.contains(document.activeElement)) focusBackTo = item;
      showPopup(item, false);
      if (button && levelOfScrollPart.get(button) == level) menu.pressScrollButton_(null);
    }
    if (focusBackTo) menu.focusItem_(focusBackTo);
  }

  function stop() {
    clearTimeout(closeTimer);
    clearTimeout(hoverTimer);
    pendingHover = null;
  }

  function close() {
    stop();
    closeFrom(0);
    menu.highlight_(null);
  }

  /**
   * Opens the item's sub-menu and closes its siblings'; waits a moment instead when the
   * pointer is heading for the sibling's open pop-up, or, with an open delay, when no
   * pop-up of its level is open yet (a pointer crossing the bar on its way opens nothing).
   * @param {Item} item
   * @param {boolean} [now]
   */
  function hover(item, now) {
    menu.highlight_(item);
    pendingHover = null;
    clearTimeout(hoverTimer);
    if (menu.clickToOpen_ && !path.length) return;
    const depth = item.level_.depth_, opened = path[depth];
    if (opened == item) return closeFrom(depth + 1);
    if (openDelay && !now && !opened && item.subList_) {
      hoverTimer = setTimeout(() => menu.current_ == item && hover(item, true), openDelay);
      return;
    }
    if (opened && !now && menu.isAimingAt_(/** @type {Level} */ (opened.popup_))) {
      pendingHover = item;
      hoverTimer = setTimeout(() => pendingHover == item && hover(item, true), 250);
      return;
    }
    closeFrom(depth);
    if (item.subList_) open(item);
  }

  return {
    openPath_: path, open_: open, closeFrom_: closeFrom, close, hover_: hover,
    pointerMoved_(target) {
      if (pendingHover && menu.itemAt_(target) == pendingHover) hover(pendingHover);
    },
    pointerLeft_() {
      pendingHover = null;
      if (!menu.clickToOpen_ && path.length) closeTimer = setTimeout(close, menu.closeDelay_);
    },
    pointerBack_() {
      clearTimeout(closeTimer);
    },
    followLayout_() {
      if (path.length && !placeFrame) placeFrame = requestAnimationFrame(() => {
        placeFrame = 0;
        for (const item of path) place(/** @type {Level} */ (item.popup_));
      });
    },
  };
}
