// The keyboard of the site-navigation pattern: every top-level link and disclosure button
// is a tab stop, Tab and Shift+Tab go into an open sub-list and on, in reading order;
// Enter and Space open and close a disclosure, which keeps the focus; Escape closes and
// gives the focus back to the disclosure; links answer Enter as the browser makes them; arrows move within a level (Left and Right
// along a horizontal bar, Up and Down in a sub-list), Home and End to its ends.
import { leadsSomewhere } from './items.js';

/** @typedef {import('./menu.js').Menu} Menu */
/** @typedef {import('./items.js').Item} Item */
/** @typedef {import('./items.js').Level} Level */

const MIRRORED = /** @type {Record<string, string>} */ ({ ArrowLeft: 'ArrowRight', ArrowRight: 'ArrowLeft' });

/**
 * The disclosure of an item: its toggle button, or its link when it has no link of its own.
 * @param {Item} item
 */
const disclosureOf = item => item.toggle || (item.subList && !leadsSomewhere(item.link) ? item.link : null);

/**
 * The focusable elements of a level and of the open sub-lists inside it, in reading order.
 * @param {Menu} menu
 * @param {Level} level
 * @returns {HTMLElement[]}
 */
function tabOrder(menu, level) {
  return level.items.flatMap(item => !item.link ? [] : [
    item.link, ...item.toggle ? [item.toggle] : [],
    ...menu.openPath[level.depth] == item && item.popup ? tabOrder(menu, item.popup) : [],
  ]);
}

/**
 * Focuses an element of the menu and closes the sub-lists off its path.
 * @param {Menu} menu
 * @param {HTMLElement} target
 */
function moveFocus(menu, target) {
  const item = /** @type {Item} */ (menu.itemAt(target)), depth = item.level.depth;
  menu.closeFrom(menu.openPath[depth] == item ? depth + 1 : depth);
  target.focus({ preventScroll: true });
  menu.highlight(item);
  item.cell.scrollIntoView({ block: 'nearest', inline: 'nearest' });
}

/**
 * Answers a key pressed anywhere on the page, for a menu of the site-navigation pattern.
 * @param {Menu} menu
 * @param {KeyboardEvent} event
 */
export function handleNavigationKey(menu, event) {
  if (event.altKey || event.ctrlKey || event.metaKey) return;
  const target = /** @type {HTMLElement} */ (event.target);
  if (!menu.owns(target)) {
    if (event.key == 'Escape' && menu.openPath.length) menu.close();
    return;
  }
  const key = menu.rightToLeft ? MIRRORED[event.key] || event.key : event.key;
  if (menu.collapser.handleKey(event, key)) return;
  const item = menu.itemAt(target);
  if (!item) return;
  const level = item.level, depth = level.depth, disclosure = disclosureOf(item);
  const onDisclosure = target == disclosure, isOpen = menu.openPath[depth] == item;
  const order = tabOrder(menu, menu.barLevel), index = order.indexOf(target);
  // arrows move between the level's links
  const stops = /** @type {HTMLElement[]} */ (level.items.map(other => other.link).filter(Boolean));
  const here = stops.indexOf(/** @type {HTMLElement} */ (item.link));
  const horizontalBar = !depth && !menu.vertical;
  /** @type {HTMLElement | undefined} */
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
  } else if (key == 'ArrowDown' && onDisclosure && horizontalBar) {
    next = tabOrder(menu, menu.open(item))[0];
  } else if (key == (horizontalBar ? 'ArrowRight' : 'ArrowDown') || key == (horizontalBar ? 'ArrowLeft' : 'ArrowUp')) {
    const step = key == 'ArrowRight' || key == 'ArrowDown' ? 1 : -1;
    next = stops.at((here + step) % stops.length);
  } else if (key == 'Home' || key == 'End') {
    next = stops.at(key == 'Home' ? 0 : -1);
  } else return;
  event.preventDefault();
  if (next) moveFocus(menu, next);
}
