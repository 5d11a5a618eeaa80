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
const disclosureOf = item => item.toggleButton || (item.subList && !leadsSomewhere(item.link) ? item.link : null);

/**
 * The focusable elements of a level and of the open sub-lists inside it, in reading order.
 * @param {Menu} menu
 * @param {Level} level
 * @returns {HTMLElement[]}
 */
function tabOrder(menu, level) {
  return level.items.flatMap(item => !item.link ? [] : [
    item.link, ...item.toggleButton ? [item.toggleButton] : [],
    ...menu.openPath[level.depth] == item && item.popup ? tabOrder(menu, item.popup) : [],
  ]);
}

/**
 * Answers a key pressed on an item of a menu of the site-navigation pattern.
 * @type {import('./menu.js').KeyHandler}
 */
export function handleNavigationKey(menu, item, key, event) {
  const target = /** @type {HTMLElement} */ (event.target), level = item.level, depth = level.depth, disclosure = disclosureOf(item);
  const onDisclosure = target == disclosure, isOpen = menu.openPath[depth] == item;
  const order = tabOrder(menu, menu.barLevel), index = order.indexOf(target);
  // arrows move between the level's links
  const step = arrowStep(menu, item, key), end = levelEnd(item, key);
  /** @type {HTMLElement | null | undefined} */
  let next;
  if (key == 'Tab') {
    next = order[index + (event.shiftKey ? -1 : 1)];
    if (!next) return menu.close();
  } else if (onDisclosure && (key == 'Enter' || key == ' ')) {
    if (isOpen) menu.closeFrom(depth);
    else menu.open(item);
  } else if (key == 'Escape') {
    const opener = isOpen ? item : level.opener;
    if (!opener) return;
    next = /** @type {HTMLElement} */ (disclosureOf(opener));
    menu.closeFrom(opener.level.depth);
  } else if (key == 'ArrowDown' && onDisclosure && !depth && !menu.vertical) {
    next = tabOrder(menu, menu.open(item))[0];
  } else if (step || end) {
    next = (end || neighbour(item, step)).link;
  } else return;
  event.preventDefault();
  if (next) {
    // focus moves to another element of the menu; the sub-lists off its path close
    const to = /** @type {Item} */ (menu.itemAt(next)), toDepth = to.level.depth;
    menu.closeFrom(menu.openPath[toDepth] == to ? toDepth + 1 : toDepth);
    menu.focusItem(to, next);
  }
}
