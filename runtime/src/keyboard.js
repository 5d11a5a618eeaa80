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
  const items = item.level.items.filter(isSelectable);
  return /** @type {[Item[], number]} */ ([items, items.indexOf(item)]);
}

/**
 * Moves the focus to another item of the same level; a sub-menu open at that level closes,
 * and on the bar the new item's opens instead when one was open.
 * @param {Menu} menu
 * @param {Item} target
 */
function moveTo(menu, target) {
  const depth = target.level.depth, reopen = !depth && menu.openPath.length > 0;
  if (menu.openPath[depth] != target) menu.closeFrom(depth);
  menu.focusItem(target);
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
  const target = neighbour(/** @type {Item} */ (menu.openPath[0]), step);
  menu.closeFrom(0);
  if (target.subList) menu.enter(target);
  else menu.focusItem(target);
}

/** @param {Menu} menu @param {Item} item @param {number} step */
function moveWithin(menu, item, step) {
  const target = neighbour(item, step);
  if (moveTo(menu, target) && target.subList) menu.open(target);
}

/**
 * Opens the sub-menu (focusing its last item for Up), or follows the link of an item
 * without one; Enter follows a parent's own link when it has one.
 * @type {KeyAction}
 */
function openOrActivate(menu, item, key, event) {
  if (item.subList && (key != 'Enter' || !leadsSomewhere(item.link))) menu.enter(item, key == 'ArrowUp');
  else menu.choose(item, event, true);
}

/** Back to the opener of the item's pop-up. @type {KeyAction} */
function closeLevel(menu, item) {
  const opener = /** @type {Item} */ (item.level.opener);
  menu.closeFrom(item.level.depth - 1);
  menu.focusItem(opener);
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
  const horizontalBar = !item.level.depth && !menu.vertical;
  return key == (horizontalBar ? 'ArrowRight' : 'ArrowDown') ? 1 : key == (horizontalBar ? 'ArrowLeft' : 'ArrowUp') ? -1 : 0;
}

/** @type {KeyAction} */
function typeAhead(menu, item, key) {
  const [items, index] = siblings(item), letter = key.toLowerCase();
  const found = items.map((_, offset) => /** @type {Item} */ (items[(index + offset + 1) % items.length]))
    .find(other => other.link?.textContent?.trim().toLowerCase().startsWith(letter));
  if (found) moveTo(menu, found);
}

/**
 * The action of a key for an item, by where the item is: on a horizontal bar, on a
 * vertical bar, or in a pop-up (of either).
 * @param {Menu} menu
 * @param {Item} item
 * @param {string} key
 * @returns {KeyAction | null}
 */
function actionFor(menu, item, key) {
  const depth = item.level.depth, horizontalBar = !depth && !menu.vertical, step = arrowStep(menu, item, key), end = levelEnd(item, key);
  if (step) return () => moveWithin(menu, item, step);
  if (end) return () => moveTo(menu, end);
  if (key == 'Enter' || key == ' ') return openOrActivate;
  if (horizontalBar && (key == 'ArrowDown' || key == 'ArrowUp')) return item.subList ? openOrActivate : null;
  if (key == 'ArrowRight') {
    if (item.subList) return openOrActivate;
    return depth && !menu.vertical ? () => moveAlongBar(menu, 1) : null;
  }
  if (key == 'ArrowLeft' && depth) return depth > 1 || menu.vertical ? closeLevel : () => moveAlongBar(menu, -1);
  if (key == 'Escape') {
    if (depth) return closeLevel;
    return menu.openPath.length ? () => menu.close() : null;
  }
  if (key.length == 1 && key != ' ') return typeAhead;
  return null;
}

/**
 * Answers a key pressed on an item of a menubar: it moves, opens and closes.
 * @type {KeyAction}
 */
export function handleKey(menu, item, key, event) {
  if (key == 'Tab') {
    // leave from the bar, so that the focus moves on from the menu's place
    if (item.level.depth) menu.focusItem(/** @type {Item} */ (menu.openPath[0]));
    menu.close();
    return;
  }
  const action = actionFor(menu, item, key);
  if (!action) return;
  action(menu, item, key, event);
  event.preventDefault();
}
