// What a menu is told: the options object of the configuration script and the
// attributes of the hidden list.
import { clamp } from './dom.js';

/**
 * The options that the configuration script of a published menu passes to
 * `Velmo.construct`. Every value may be a number or its decimal text; a key that is
 * missing or not a number takes its default.
 * @typedef {object} MenuOptions
 * @property {number | string} [Bxay] orientation: 0 a horizontal bar (default), 1 a vertical one
 * @property {number | string} [bZay] tooltips: 1 shows the items' titles (default), 0 hides them
 * @property {number | string} [BAay] shadow: 1 draws a soft shadow behind pop-ups (default), 0 none
 * @property {number | string} [BKay] open on click: 1 opens pop-ups by a click, 0 by pointing (default)
 * @property {number | string} [BLay] close delay: milliseconds between the pointer leaving and the
 *   menu closing (default 100)
 * @property {number | string} [BMay] blinks: how often a chosen item blinks before its link is
 *   followed, 0 to 20 (default 0)
 */

/**
 * The options after checking, in the runtime's own words.
 * @typedef {object} Settings
 * @property {boolean} vertical_
 * @property {boolean} tooltips_
 * @property {boolean} shadow_
 * @property {boolean} clickToOpen_
 * @property {number} closeDelay_
 * @property {number} blinkCount_
 */

/**
 * @typedef {object} ListSettings
 * @property {boolean} drawnArrows_
 * @property {boolean} markCurrent_
 * @property {number} openDelay_
 * @property {boolean} navigation_
 */

// Browsers keep timer delays in 32 bits (up to 2**31 - 1 ms); a longer one would fire at
// once. 23 days are as good as never.
const LONGEST_DELAY = 2e9;

/**
 * @param {unknown} value
 * @param {number} fallback
 */
function number(value, fallback) {
  // Number() reads an empty text and null as 0; they are missing values here
  const parsed = value === '' ? NaN : Number(value ?? NaN);
  return isNaN(parsed) ? fallback : parsed;
}

/**
 * The list attribute `data-velmo-collapse`: "off" keeps the bar at every width; a number
 * collapses the bar below that viewport width in CSS pixels; anything else (or none)
 * collapses it whenever it does not fit the width of its container.
 * @param {HTMLElement} list
 * @returns {number} the viewport width below which the bar collapses (0 for "off"); NaN or
 *   a negative number when the container decides
 */
export function collapseWidth(list) {
  const text = (list.getAttribute('data-velmo-collapse') || '').trim().toLowerCase();
  return text == 'off' ? 0 : parseFloat(text);
}

/**
 * The choices that the published list carries as attributes (absent when the design keeps
 * the defaults):
 * - `data-velmo-arrows="images"`: pop-up arrows are the design's images, not drawn in the
 *   text colour;
 * - `data-velmo-current`: the item leading to the page itself is marked;
 * - `data-velmo-open-delay`: milliseconds the pointer rests on an item before its pop-up
 *   opens (never for keys, clicks or touch);
 * - `data-velmo-pattern="navigation"`: site navigation (links and disclosure buttons)
 *   rather than an application menubar;
 * - `data-velmo-static`: the list is shown (as plain nested links) until the menu takes
 *   its place, for pages read without scripts.
 * @param {HTMLElement} list
 * @returns {ListSettings}
 */
export function readListSettings(list) {
  const attribute = (/** @type {string} */ name) => list.getAttribute('data-velmo-' + name);
  return {
    drawnArrows_: attribute('arrows') != 'images',
    markCurrent_: list.hasAttribute('data-velmo-current') && attribute('current') != 'off',
    openDelay_: clamp(number(attribute('open-delay'), 0), 0, 10000),
    navigation_: attribute('pattern') == 'navigation',
  };
}

/**
 * @param {MenuOptions | null | undefined} options
 * @returns {Settings}
 */
export function readSettings(options) {
  // anything but an object has none of the keys: every setting takes its default
  const given = /** @type {MenuOptions} */ (Object(options));
  return {
    vertical_: number(given.Bxay, 0) != 0,
    tooltips_: number(given.bZay, 1) != 0,
    shadow_: number(given.BAay, 1) != 0,
    clickToOpen_: number(given.BKay, 0) != 0,
    closeDelay_: clamp(number(given.BLay, 100), 0, LONGEST_DELAY),
    blinkCount_: clamp(number(given.BMay, 0) | 0, 0, 20),
  };
}

/**
 * The menubar's accessible name: the list's `aria-label` or `title` when the page gives
 * one, otherwise "Main menu".
 * @param {HTMLElement} list
 */
export function menuName(list) {
  return (list.getAttribute('aria-label') || list.title).trim() || 'Main menu';
}
