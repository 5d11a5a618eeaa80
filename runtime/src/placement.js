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
  const room = above ? opener.top : below;
  return { height: Math.min(height, room), top: above ? opener.top - Math.min(height, room) : opener.bottom };
}

/**
 * Places an open pop-up for its opener and shows its scroll buttons when it is cut short.
 * Gives whether it was.
 * @param {Level} level
 * @param {{ vertical: boolean, rightToLeft: boolean }} menu
 * @returns {boolean}
 */
export function placePopup(level, menu) {
  const opener = /** @type {Item} */ (level.opener), box = level.box, area = /** @type {HTMLElement} */ (level.scrollArea);
  const scrolled = area.scrollTop, openerBox = opener.cell.getBoundingClientRect(), viewport = viewportSize();
  area.style.height = '';
  setShown(level.scrollUp);
  setShown(level.scrollDown);
  box.style.left = box.style.top = '0px';
  const origin = box.getBoundingClientRect(), width = origin.width;
  let height = origin.height, left, top;
  if (opener.level.depth || menu.vertical) {
    const parentBox = opener.level.box.getBoundingClientRect();
    const side = chooseSide(width, parentBox, opener.level.side, viewport.width);
    if (side) {
      left = side > 0 ? parentBox.right : parentBox.left - width;
      height = Math.min(height, viewport.height);
      top = clamp(openerBox.top - box.clientTop, 0, viewport.height - height);
    } else {
      // no room on either side: under or over the opener, which stays in sight
      ({ height, top } = belowOrAbove(openerBox, height, viewport.height));
      left = menu.rightToLeft ? openerBox.right - width : openerBox.left;
    }
    level.side = side || opener.level.side;
  } else {
    ({ height, top } = belowOrAbove(openerBox, height, viewport.height));
    left = menu.rightToLeft ? openerBox.right - width : openerBox.left;
  }
  left = clamp(left, 0, viewport.width - width);
  if (height < origin.height) {
    setShown(level.scrollUp, true);
    setShown(level.scrollDown, true);
    area.style.height = Math.max(20, height - (box.offsetHeight - area.offsetHeight)) + 'px';
    area.scrollTop = scrolled;
  }
  const cutShort = height < origin.height;
  box.style.left = left - origin.left + 'px';
  box.style.top = top - origin.top + 'px';
  if (level.shadow) Object.assign(level.shadow.style, {
    left: left - origin.left - 4 + 'px', top: top - origin.top - 3 + 'px',
    width: box.offsetWidth + 'px', height: box.offsetHeight + 'px',
  });
  return cutShort;
}
