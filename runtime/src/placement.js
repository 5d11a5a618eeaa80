// Where a pop-up goes: below (or above) a horizontal bar's item, beside the item in deeper
// levels and vertical bars, kept in the viewport, scrolling when too tall, and never over
// the item that opened it.
import { clamp, setShown, viewportSize } from './dom.js';

/** @typedef {import('./items.js').Level} Level */
/** @typedef {import('./items.js').Item} Item */

/**
 * The side a pop-up opens to: its parent's side (the reading direction for the first) when
 * it fits there, else the other one when that fits; 0 when neither fits.
 * @param {number} width
 * @param {DOMRect} parentBox
 * @param {number} preferred 1 right, -1 left
 * @param {number} viewportWidth
 */
function chooseSide(width, parentBox, preferred, viewportWidth) {
  /** @param {number} side */
  const room = side => side > 0 ? viewportWidth - parentBox.right : parentBox.left;
  if (width <= room(preferred)) return preferred;
  if (width <= room(-preferred)) return -preferred;
  return 0;
}

/**
 * Below the opener when there is more room there or the pop-up fits, otherwise above.
 * @param {DOMRect} opener
 * @param {number} height
 * @param {number} viewportHeight
 */
function belowOrAbove(opener, height, viewportHeight) {
  const below = viewportHeight - opener.bottom, above = height > below && opener.top > below;
  const shown = Math.min(height, above ? opener.top : below);
  return { height: shown, top: above ? opener.top - shown : opener.bottom };
}

/**
 * Shows or hides the pop-up's scroll buttons.
 * @param {Level} level
 * @param {boolean} shown
 */
function showScrollButtons(level, shown) {
  setShown(level.scrollUp_, shown);
  setShown(level.scrollDown_, shown);
}

/**
 * Places an open pop-up for its opener and shows its scroll buttons when it is cut short.
 * Gives whether it was.
 * @param {Level} level
 * @param {{ vertical_: boolean, rightToLeft_: boolean }} menu
 * @returns {boolean}
 */
export function placePopup(level, menu) {
  const opener = /** @type {Item} */ (level.opener_), box = level.box_, area = /** @type {HTMLElement} */ (level.scrollArea_);
  const scrolled = area.scrollTop, openerBox = opener.cell_.getBoundingClientRect(), viewport = viewportSize();
  area.style.height = '';
  showScrollButtons(level, false);
  box.style.left = box.style.top = '0px';
  const origin = box.getBoundingClientRect(), width = origin.width;
  let height = origin.height, left = 0, top = 0, side = 0;
  if (opener.level_.depth_ || menu.vertical_) {
    const parentBox = opener.level_.box_.getBoundingClientRect();
    side = chooseSide(width, parentBox, opener.level_.side_, viewport.width);
    level.side_ = side || opener.level_.side_;
    if (side) {
      left = side > 0 ? parentBox.right : parentBox.left - width;
      height = Math.min(height, viewport.height);
      top = clamp(openerBox.top - box.clientTop, 0, viewport.height - height);
    }
  }
  if (!side) {
    // under or over the opener, which stays in sight (beside it there was no room)
    ({ height, top } = belowOrAbove(openerBox, height, viewport.height));
    left = menu.rightToLeft_ ? openerBox.right - width : openerBox.left;
  }
  left = clamp(left, 0, viewport.width - width);
  const cutShort = height < origin.height;
  if (cutShort) {
    showScrollButtons(level, true);
    area.style.height = Math.max(20, height - (box.offsetHeight - area.offsetHeight)) + 'px';
    area.scrollTop = scrolled;
  }
  box.style.left = left - origin.left + 'px';
  box.style.top = top - origin.top + 'px';
  if (level.shadow_) Object.assign(level.shadow_.style, {
    left: left - origin.left - 4 + 'px', top: top - origin.top - 3 + 'px',
    width: box.offsetWidth + 'px', height: box.offsetHeight + 'px',
  });
  return cutShort;
}
