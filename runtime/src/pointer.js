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
    const last = trail[1], x = event.clientX, y = event.clientY, point = { x, y };
    if (!last || last.x != x || last.y != y) trail = [last || point, point];
  }

  /** @param {PointerEvent} event */
  function pointerup(event) {
    const button = menu.scrollButton_();
    if (!scrollButtonDown) return;
    scrollButtonDown = false;
    const stillOver = event.pointerType == 'mouse' && button?.contains(/** @type {Node} */ (event.target));
    menu.pressScrollButton_(stillOver ? /** @type {HTMLElement} */ (button) : null);
  }

  return {
    /** @param {Level} level */
    isAimingAt_(level) {
      return isAiming(trail, level.box_.getBoundingClientRect());
    },

    /** @param {PointerEvent} event */
    pointerover(event) {
      if (event.pointerType != 'mouse') return;
      track(event);
      menu.pointerBack_();
      const button = scrollButtonAt(event.target);
      if (button) return menu.pressScrollButton_(button, menu.scrollButton_() == button && scrollButtonDown);
      const item = menu.itemAt_(event.target);
      if (item) menu.hover_(item);
    },

    /** @param {PointerEvent} event */
    pointermove(event) {
      if (event.pointerType != 'mouse') return;
      track(event);
      menu.pointerMoved_(event.target);
    },

    /** @param {PointerEvent} event */
    pointerout(event) {
      if (event.pointerType != 'mouse') return;
      const to = /** @type {Node | null} */ (event.relatedTarget), button = menu.scrollButton_();
      if (button && !scrollButtonDown && !button.contains(to)) menu.pressScrollButton_(null);
      if (menu.current_ && menu.itemAt_(to) != menu.current_) menu.highlight_(null);
      if (!menu.owns_(to)) menu.pointerLeft_();
    },

    /** @param {PointerEvent} event */
    pointerdown(event) {
      lastPointerType = event.pointerType;
      if (!menu.owns_(/** @type {Node} */ (event.target))) {
        if (menu.openPath_.length) menu.close();
        return;
      }
      const button = scrollButtonAt(event.target);
      if (!button) return;
      scrollButtonDown = true;
      menu.pressScrollButton_(button, true);
      event.preventDefault();
    },

    pointerup,
    pointercancel: pointerup,

    /** @param {PointerEvent} event */
    click(event) {
      const item = menu.itemAt_(event.target);
      if (!item?.link_) return;
      if (menu.isOwnClick_(item.link_) || isModified(event)) return;
      const type = event.pointerType || (event.isTrusted ? lastPointerType : '');
      const tap = type == 'touch' || type == 'pen';
      if (item.toggleButton_?.contains(/** @type {Node} */ (event.target))) {
        // the disclosure button beside a parent's own link; a pointer that opens by hovering
        // has opened it already, and its click does not take it away again
        if (menu.openPath_[item.level_.depth_] == item && (menu.clickToOpen_ || type != 'mouse')) menu.closeFrom_(item.level_.depth_);
        else menu.open_(item);
        return;
      }
      if (item.subList_) {
        if (menu.openPath_[item.level_.depth_] != item) {
          event.preventDefault();
          menu.highlight_(item);
          menu.open_(item);
          return;
        }
        // open and without a link: a tap, or a click on the bar of a click-to-open menu, closes it
        if (!leadsSomewhere(item.link_)) {
          event.preventDefault();
          if (tap || (menu.clickToOpen_ && !item.level_.depth_)) menu.closeFrom_(item.level_.depth_);
          return;
        }
      }
      menu.choose_(item, event, !item.link_.contains(/** @type {Node} */ (event.target)));
    },

    /** @param {FocusEvent} event */
    focusin(event) {
      const item = menu.itemAt_(event.target);
      if (!item) return;
      menu.highlight_(item);
      // focus given by a click moves the bar's tab stop too, so Shift+Tab leaves the bar
      const barItem = item.level_.depth_ ? menu.openPath_[0] : item;
      if (barItem) menu.makeTabStop_(barItem);
    },

    /** @param {FocusEvent} event */
    focusout(event) {
      const to = /** @type {Node | null} */ (event.relatedTarget);
      if (to && !menu.owns_(to)) menu.close();
    },
  };
}
