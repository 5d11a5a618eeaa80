// The keyboard, after the menubar pattern: arrows move and open, Home/End, type-ahead,
// Escape closes one level, Tab leaves from the bar. Enter follows a parent's own link
// when it has one; Space, Down on the bar and Right in a pop-up open its sub-menu. On a
// right-to-left page Left and Right trade places.
import { isSelectable, leadsSomewhere } from './items.js';

/** @typedef {import('./menu.js').Menu} Menu */
/** @typedef {import('./items.js').Item} Item */

/** What a key does to the focused item. @typedef {import('./menu.js').KeyHandler} KeyAction */

/**
 * The selectable items of the item's level, and the item's place among them.
 * @param {Item} item
 */
function siblings(item) {
  const items = item.level_.items_.filter(isSelectable);
  return /** @type {[Item[], number]} */ ([items, items.indexOf(item)]);
}

/**
 * Moves the focus to another item of the same level; a sub-menu open at that level closes,
 * and on the bar the new item's opens instead when one was open.
 * @param {Menu} menu
 * @param {Item} target
 */
function moveTo(menu, target) {
  const depth = target.level_.depth_, reopen = !depth && menu.openPath_.length > 0;
  if (menu.openPath_[depth] != target) menu.closeFrom_(depth);
  menu.focusItem_(target);
  return reopen;
}

/**
 * The item `step` places away in the same level, wrapping around.
 * @param {Item} item
 * @param {number} step
 */
export function neighbour(item, step) {
  const [items, index] = siblings(item);
  return /** @type {Item} */ (items.at((index + step) % items.length));
}

/**
 * From inside a pop-up, to the bar item beside the open one, opening its sub-menu.
 * @param {Menu} menu
 * @param {number} step
 */
function moveAlongBar(menu, step) {
  const target = neighbour(/** @type {Item} */ (menu.openPath_[0]), step);
  menu.closeFrom_(0);
  if (target.subList_) menu.enter_(target);
  else menu.focusItem_(target);
}

/**
 * Home and End: the first or last item of the level; none for another key.
 * @param {Item} item
 * @param {string} key
 */
export const levelEnd = (item, key) => key == 'Home' || key == 'End' ? siblings(item)[0].at(key == 'Home' ? 0 : -1) : undefined;

/**
 * The arrow keys that move within the item's level (Left and Right along a horizontal
 * bar, Up and Down elsewhere): 1 forward, -1 back, 0 for another key.
 * @param {Menu} menu
 * @param {Item} item
 * @param {string} key
 */
export function arrowStep(menu, item, key) {
  const horizontalBar = !item.level_.depth_ && !menu.vertical_;
  return key == (horizontalBar ? 'ArrowRight' : 'ArrowDown') ? 1 : key == (horizontalBar ? 'ArrowLeft' : 'ArrowUp') ? -1 : 0;
}

/**
 * Answers a key pressed on an item of a menubar: arrows move within the level and open
 * (on the bar, Down and Up open a sub-menu; in a pop-up, Right opens one and Left goes
 * back, or along the bar from a first-level pop-up), Enter and Space open or follow the
 * link, Escape closes one level, a letter moves to the next item it begins, Tab leaves.
 * @type {KeyAction}
 */
export function handleKey(menu, item, key, event) {
  const depth = item.level_.depth_, step = arrowStep(menu, item, key), end = levelEnd(item, key);
  if (key == 'Tab') {
    // leave from the bar, so that the focus moves on from the menu's place
    if (depth) menu.focusItem_(/** @type {Item} */ (menu.openPath_[0]));
    return menu.close();
  }
  if (step) {
    const target = neighbour(item, step);
    if (moveTo(menu, target) && target.subList_) menu.open_(target);
  } else if (end) moveTo(menu, end);
  else if (key == 'Enter' || key == ' ' || (item.subList_ && (key == 'ArrowRight' || (!depth && !menu.vertical_ && (key == 'ArrowDown' || key == 'ArrowUp'))))) {
    // Enter follows a parent's own link when it has one; Up focuses the sub-menu's last item
    if (item.subList_ && (key != 'Enter' || !leadsSomewhere(item.link_))) menu.enter_(item, key == 'ArrowUp');
    else menu.choose_(item, event, true);
  } else if (depth && (key == 'Escape' || (key == 'ArrowLeft' && (depth > 1 || menu.vertical_)))) {
    // back to the opener of the item's pop-up
    menu.closeFrom_(depth - 1);
    menu.focusItem_(/** @type {Item} */ (item.level_.opener_));
  } else if (depth && !menu.vertical_ && (key == 'ArrowRight' || key == 'ArrowLeft')) moveAlongBar(menu, key == 'ArrowRight' ? 1 : -1);
  else if (key == 'Escape' && menu.openPath_.length) menu.close();
  else if (key.length == 1) {
    const [items, index] = siblings(item), letter = key.toLowerCase();
    const found = [...items.slice(index + 1), ...items.slice(0, index + 1)].find(other => /** @type {string} */ (/** @type {HTMLAnchorElement} */ (other.link_).textContent).trim().toLowerCase().startsWith(letter));
    if (found) moveTo(menu, found);
  } else return;
  event.preventDefault();
}
