// Mouse, touch and pen: a mouse opens pop-ups by pointing (or by a click in click-to-open
// menus) and closes them after the close delay; a tap or a pen press opens a parent, and
// a second one follows its link or, without a link, closes it.
import { isAiming } from './aiming.js';
import { leadsSomewhere } from './items.js';
import { isModified } from './dom.js';
import { SCROLL_DOWN, SCROLL_UP } from './class_names.js';

/** @typedef {import('./menu.js').Menu} Menu */
/** @typedef {import('./items.js').Level} Level */

const SCROLL_BUTTONS = `.${SCROLL_UP},.${SCROLL_DOWN}`;

/** @param {EventTarget | null} target */
const scrollButtonAt = target => /** @type {HTMLElement | null | undefined} */ (/** @type {Element} */ (target)?.closest?.(SCROLL_BUTTONS));


/**
 * The pointer event handlers of a menu, by event type.
 * @param {Menu} menu
 */
export function pointerHandlers(menu) {
  /** @type {{ x: number, y: number }[]} the pointer's last two places */
  let trail = [];
  let scrollButtonDown = false, lastPointerType = '';

  /** @param {PointerEvent} event */
  function track(event) {
    const last = trail[1], x = event.clientX, y = event.clientY;
    if (!last || last.x != x || last.y != y) trail = [last || { x, y }, { x, y }];
  }

  /** @param {PointerEvent} event */
  function pointerup(event) {
    const button = menu.scrollButton;
    if (!scrollButtonDown) return;
    scrollButtonDown = false;
    const stillOver = event.pointerType == 'mouse' && button && button.contains(/** @type {Node} */ (event.target));
    menu.pressScrollButton(stillOver ? button : null);
  }

  return {
    /** @param {Level} level */
    isAimingAt(level) {
      return isAiming(trail, level.box.getBoundingClientRect());
    },

    /** @param {PointerEvent} event */
    pointerover(event) {
      if (event.pointerType != 'mouse') return;
      track(event);
      clearTimeout(menu.closeTimer);
      const button = scrollButtonAt(event.target);
      if (button) return menu.pressScrollButton(button, menu.scrollButton == button && scrollButtonDown);
      const item = menu.itemAt(event.target);
      if (item) menu.hover(item);
    },

    /** @param {PointerEvent} event */
    pointermove(event) {
      if (event.pointerType != 'mouse') return;
      track(event);
      if (menu.pendingHover && menu.itemAt(event.target) == menu.pendingHover) menu.hover(menu.pendingHover);
    },

    /** @param {PointerEvent} event */
    pointerout(event) {
      if (event.pointerType != 'mouse') return;
      const to = /** @type {Node | null} */ (event.relatedTarget);
      if (menu.scrollButton && !scrollButtonDown && !(to && menu.scrollButton.contains(to))) menu.pressScrollButton(null);
      if (menu.current && menu.itemAt(to) != menu.current) menu.highlight(null);
      if (menu.owns(to)) return;
      menu.pendingHover = null;
      if (!menu.clickToOpen && menu.openPath.length) menu.closeTimer = setTimeout(() => menu.close(), menu.closeDelay);
    },

    /** @param {PointerEvent} event */
    pointerdown(event) {
      lastPointerType = event.pointerType;
      if (!menu.owns(/** @type {Node} */ (event.target))) {
        if (menu.openPath.length) menu.close();
        return;
      }
      const button = scrollButtonAt(event.target);
      if (!button) return;
      scrollButtonDown = true;
      menu.pressScrollButton(button, true);
      event.preventDefault();
    },

    pointerup,
    pointercancel: pointerup,

    /** @param {PointerEvent} event */
    click(event) {
      const item = menu.itemAt(event.target);
      if (!item?.link) return;
      if (menu.ownClick == item.link) {
        menu.ownClick = null;
        return;
      }
      if (isModified(event)) return;
      const type = event.pointerType || (event.isTrusted ? lastPointerType : '');
      const tap = type == 'touch' || type == 'pen';
      if (item.toggleButton?.contains(/** @type {Node} */ (event.target))) {
        // the disclosure button beside a parent's own link; a pointer that opens by hovering
        // has opened it already, and its click does not take it away again
        if (menu.openPath[item.level.depth] == item && (tap || menu.clickToOpen || type != 'mouse')) menu.closeFrom(item.level.depth);
        else menu.open(item);
        return;
      }
      if (item.subList) {
        if (menu.openPath[item.level.depth] != item) {
          event.preventDefault();
          menu.highlight(item);
          menu.open(item);
          return;
        }
        // open and without a link: a tap, or a click on the bar of a click-to-open menu, closes it
        if (!leadsSomewhere(item.link)) {
          event.preventDefault();
          if (tap || (menu.clickToOpen && !item.level.depth)) menu.closeFrom(item.level.depth);
          return;
        }
      }
      menu.choose(item, event, !item.link.contains(/** @type {Node} */ (event.target)));
    },

    /** @param {FocusEvent} event */
    focusin(event) {
      const item = menu.itemAt(event.target);
      if (!item) return;
      menu.highlight(item);
      // focus given by a click moves the bar's tab stop too, so Shift+Tab leaves the bar
      const barItem = item.level.depth ? menu.openPath[0] : item;
      if (barItem) menu.makeTabStop(barItem);
    },

    /** @param {FocusEvent} event */
    focusout(event) {
      const to = /** @type {Node | null} */ (event.relatedTarget);
      if (to && !menu.owns(to)) menu.close();
    },
  };
}
