// A menu: puts its parts together and answers the page's events. The parts keep their own
// state: the bar and pop-ups (levels.js), which of them are open (open_path.js), the item
// under the pointer or focus (focus.js), the scroll buttons (scroll_buttons.js), pointer,
// keyboard (one module per pattern) and the collapsed mode.
import { acquireBaseStyle, releaseBaseStyle } from './base_style.js';
import { isRightToLeft, setShown } from './dom.js';
import { isSelectable } from './items.js';
import { menuName, readListSettings, readSettings } from './options.js';
import { markCurrentPage } from './current_page.js';
import { levels } from './levels.js';
import { openPath } from './open_path.js';
import { focus } from './focus.js';
import { levelOfScrollPart, scrollButtons, updateScrollButtons } from './scroll_buttons.js';
import { handleKey } from './keyboard.js';
import { handleNavigationKey } from './navigation_keys.js';
import { pointerHandlers } from './pointer.js';
import { collapser } from './collapse.js';

/** @typedef {import('./items.js').Item} Item */
/** @typedef {import('./items.js').Level} Level */
/** @typedef {import('./options.js').MenuOptions} MenuOptions */

const MIRRORED = /** @type {Record<string, string>} */ ({ ArrowLeft: 'ArrowRight', ArrowRight: 'ArrowLeft' });
// answered only when they happen inside the menu
const INSIDE_EVENTS = ['pointerover', 'pointerout', 'pointermove', 'click', 'focusin', 'focusout'];
const DOCUMENT_EVENTS = [...INSIDE_EVENTS, 'keydown', 'pointerdown', 'pointerup', 'pointercancel'];

/**
 * A menu as its parts see it: its settings (those of the options and of the list's
 * attributes among them) and the functions of every part. A part keeps
 * its state to itself; `openPath_` and `current_` are read by others and changed only by
 * open_path.js and focus.js.
 * @typedef {object} MenuSettings
 * @property {HTMLElement} list_ the hidden <ul>
 * @property {boolean} rightToLeft_
 * @property {Item | null} [current_] the item under the pointer or focus
 * @property {boolean} [destroyed_]
 * @property {import('./collapse.js').Collapser} collapser_
 * @property {(level: Level) => boolean} isAimingAt_ is the pointer heading for the pop-up?
 * @property {() => void} destroy
 * @property {(event: Event) => void} handleEvent
 * @typedef {MenuSettings & import('./options.js').Settings & import('./options.js').ListSettings & import('./levels.js').Levels & import('./open_path.js').OpenPath
 *   & import('./focus.js').Focus & import('./scroll_buttons.js').ScrollButtons} Menu
 */

/**
 * What a key does on an item of the menu (`key` as the reading direction makes it).
 * @typedef {(menu: Menu, item: Item, key: string, event: KeyboardEvent) => void} KeyHandler
 */

/**
 * Builds the menu of the hidden list in its place.
 * @param {HTMLElement} list the hidden <ul>
 * @param {MenuOptions | null | undefined} options
 * @returns {Menu}
 */
export function createMenu(list, options) {
  const rightToLeft = isRightToLeft(list);
  const menu = /** @type {Menu} */ (/** @type {unknown} */ ({ ...readSettings(options), ...readListSettings(list), list_: list, rightToLeft_: rightToLeft, destroy, handleEvent }));
  const navigation = menu.navigation_, unmarkCurrent = menu.markCurrent_ ? markCurrentPage(list) : null;
  const pointer = pointerHandlers(menu);
  Object.assign(menu, levels(menu, menuName(list)), openPath(menu), focus(menu), scrollButtons(), { isAimingAt_: pointer.isAimingAt_ });
  menu.growBar_();
  const first = menu.barLevel_.items_.find(isSelectable);
  if (!first) throw Error('holds no menu item');
  /** @type {HTMLAnchorElement} */ (first.link_).tabIndex = 0;
  acquireBaseStyle();
  list.before(menu.root_);
  // a list shown to pages without scripts goes when the menu takes its place
  const shownWithoutScripts = list.hasAttribute('data-velmo-static') && list.style.display != 'none';
  if (shownWithoutScripts) setShown(list, false);
  menu.collapser_ = collapser(menu);
  listen(true);
  return menu;

  /** Takes the menu off the page and gives the list back its entries; a second call does nothing. */
  function destroy() {
    if (menu.destroyed_) return;
    menu.destroyed_ = true;
    // closing stops the timers and lets go of a scroll button, which only an open pop-up has;
    // a frame that places pop-ups again finds none open
    menu.close();
    menu.stopBlinking_();
    listen(false);
    menu.collapser_.destroy();
    menu.removeLevels_();
    unmarkCurrent?.();
    if (shownWithoutScripts) setShown(list, true);
    // the list's menu is this one: a destroyed menu returns above
    delete (/** @type {any} */ (list).$velmo);
    releaseBaseStyle();
  }

  /** @param {boolean} on */
  function listen(on) {
    const method = on ? 'addEventListener' : 'removeEventListener';
    for (const type of DOCUMENT_EVENTS) document[method](type, menu, true);
    for (const type of ['resize', 'scroll']) window[method](type, menu, { capture: true, passive: true });
  }

  /** @param {Event} event */
  function handleEvent(event) {
    const type = event.type, target = /** @type {Node | null} */ (event.target);
    if (type == 'resize' || type == 'scroll') return onViewportChange(event);
    if (type == 'keydown') return onKey(/** @type {KeyboardEvent} */ (event));
    if (INSIDE_EVENTS.includes(type) && !menu.owns_(target)) return;
    if (menu.collapser_.handles_(event)) return;
    /** @type {Record<string, (event: any) => void>} */ (pointer)[type]?.(event);
  }

  /**
   * A key pressed anywhere on the page: in the menu, the pattern's keys; elsewhere only
   * Escape, which closes pop-ups the pointer opened.
   * @param {KeyboardEvent} event
   */
  function onKey(event) {
    const target = /** @type {Node | null} */ (event.target);
    if (event.altKey || event.ctrlKey || event.metaKey) return;
    if (!menu.owns_(target)) {
      if (event.key == 'Escape' && menu.openPath_.length) menu.close();
      return;
    }
    const key = (rightToLeft && MIRRORED[event.key]) || event.key, item = menu.itemAt_(target);
    if (!menu.collapser_.handleKey_(event, key) && item) (navigation ? handleNavigationKey : handleKey)(menu, item, key, event);
  }

  /** @param {Event} event */
  function onViewportChange(event) {
    const target = /** @type {Element} */ (event.target), level = levelOfScrollPart.get(target);
    if (event.type == 'resize') menu.collapser_.schedule_();
    if (!level) menu.followLayout_();
    else if (menu.owns_(target)) updateScrollButtons(level);
  }
}
