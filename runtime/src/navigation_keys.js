// The keyboard of the site-navigation pattern: every top-level link and disclosure button
// is a tab stop, Tab and Shift+Tab go into an open sub-list and on, in reading order;
// Enter and Space open and close a disclosure, which keeps the focus; Escape closes and
// gives the focus back to the disclosure; links answer Enter as the browser makes them; arrows move within a level (Left and Right
// along a horizontal bar, Up and Down in a sub-list), Home and End to its ends.
import { leadsSomewhere } from './items.js';
import { arrowStep, levelEnd, neighbour } from './keyboard.js';

/** @typedef {import('./menu.js').Menu} Menu */
/** @typedef {import('./items.js').Item} Item */
/** @typedef {import('./items.js').Level} Level */

/**
 * The disclosure of an item: its toggle button, or its link when it has no link of its own.
 * @param {Item} item
 */
const disclosureOf = item => item.toggleButton_ || (item.subList_ && !leadsSomewhere(item.link_) ? item.link_ : null);

/**
 * The focusable elements of a level and of the open sub-lists inside it, in reading order.
 * @param {Menu} menu
 * @param {Level} level
 * @returns {HTMLElement[]}
 */
function tabOrder(menu, level) {
  return level.items_.flatMap(item => !item.link_ ? [] : [
    item.link_, ...item.toggleButton_ ? [item.toggleButton_] : [],
    ...menu.openPath_[level.depth_] == item && item.popup_ ? tabOrder(menu, item.popup_) : [],
  ]);
}

/**
 * Answers a key pressed on an item of a menu of the site-navigation pattern.
 * @type {import('./menu.js').KeyHandler}
 */
export function handleNavigationKey(menu, item, key, event) {
  const target = /** @type {HTMLElement} */ (event.target), level = item.level_, depth = level.depth_, disclosure = disclosureOf(item);
  const onDisclosure = target == disclosure, isOpen = menu.openPath_[depth] == item;
  const order = tabOrder(menu, menu.barLevel_), index = order.indexOf(target);
  // arrows move between the level's links
  const step = arrowStep(menu, item, key), end = levelEnd(item, key);
  /** @type {HTMLElement | null | undefined} */
  let next;
  if (key == 'Tab') {
    next = order[index + (event.shiftKey ? -1 : 1)];
    if (!next) return menu.close();
  } else if (onDisclosure && (key == 'Enter' || key == ' ')) {
    if (isOpen) menu.closeFrom_(depth);
    else menu.open_(item);
  } else if (key == 'Escape') {
    const opener = isOpen ? item : level.opener_;
    if (!opener) return;
    next = /** @type {HTMLElement} */ (disclosureOf(opener));
    menu.closeFrom_(opener.level_.depth_);
  } else if (key == 'ArrowDown' && onDisclosure && !depth && !menu.vertical_) {
    next = tabOrder(menu, menu.open_(item))[0];
  } else if (step || end) {
    next = (end || neighbour(item, step)).link_;
  } else return;
  event.preventDefault();
  if (next) {
    // focus moves to another element of the menu; the sub-lists off its path close
    const to = /** @type {Item} */ (menu.itemAt_(next)), toDepth = to.level_.depth_;
    menu.closeFrom_(menu.openPath_[toDepth] == to ? toDepth + 1 : toDepth);
    menu.focusItem_(to, next);
  }
}
