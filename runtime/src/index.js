// velmo.js: turns the hidden list of a Zarvex page into a menubar with pop-ups, styled by
// the menu's stylesheet; on narrow screens into a toggle button and a collapsible list.
import { guardOnloadChain } from './onload_chain.js';
import { startEarly } from './early_start.js';
import { createMenu } from './menu.js';

/** @typedef {import('./options.js').MenuOptions} MenuOptions */

/**
 * The menu object that `Velmo.construct` gives back (and the configuration script keeps in
 * a global variable named after the menu).
 * @typedef {object} VelmoMenu
 * @property {() => void} close closes every open pop-up
 * @property {() => void} destroy takes the menu off the page and gives the hidden list back
 *   its links, icons and titles, as they were; the list can be constructed again. A second
 *   call does nothing.
 */

guardOnloadChain();
startEarly();

/** Lists reported as unusable, each once. */
const reported = new Set();

/**
 * Builds the menu of the hidden list with id `listId`, in its place.
 *
 * The list is a <ul> whose <li> entries each hold a link (an item: its text, `href`,
 * `target` and `title`), optionally an <img> icon before it and a nested <ul> of the
 * item's sub-menu; an entry without a link is a separator. An `href` of
 * "javascript:void(0)" means the item has no link of its own.
 *
 * Attributes of the list that the menu reads:
 * - `aria-label` or `title`: the menubar's accessible name (otherwise "Main menu");
 * - `dir="rtl"` (on the list or any element around it): pop-ups open to the left and the
 *   Left and Right keys trade places;
 * - `data-velmo-collapse`: "off" keeps the bar at every width; a number of CSS pixels
 *   shows the toggle button and collapsed list whenever the viewport is narrower than
 *   that; without it the menu collapses whenever the bar does not fit its container.
 *
 * A list that is missing or unusable is reported once on the console and left as it is.
 * @param {string} listId
 * @param {MenuOptions} [options]
 * @returns {VelmoMenu | null} the menu; the same one when the list was constructed already
 */
function construct(listId, options) {
  let problem;
  try {
    const list = document.getElementById(listId);
    if (list && list.tagName == 'UL') return (/** @type {any} */ (list).$velmo ||= createMenu(list, options));
    problem = list ? 'is not a <ul>' : 'was not found';
  } catch (error) {
    problem = /** @type {Error | null | undefined} */ (error)?.message ?? error;
  }
  if (!reported.has(listId)) {
    reported.add(listId);
    console.error(`Velmo: no menu: "${listId}" ${problem}`);
  }
  return null;
}

/** @type {any} */ (window).Velmo = { construct };
