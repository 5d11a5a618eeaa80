// The scroll buttons of a pop-up cut short by the viewport: under the pointer they scroll
// it slowly, pressed fast, while there is more to scroll that way; dimmed when there is none.
import { HOVER, PRESSED, SCROLL_UP } from './class_names.js';

/** @typedef {import('./items.js').Level} Level */

/** Which level a scroll button or scroll area belongs to. */
export const levelOfScrollPart = /** @type {WeakMap<Element, Level>} */ (new WeakMap());

/** @param {HTMLElement} area @param {number} direction */
const canScroll = (area, direction) => direction < 0 ? area.scrollTop > 0 : area.scrollTop + area.clientHeight < area.scrollHeight - 1;

/**
 * Dims the pop-up's scroll buttons that have nothing more to scroll.
 * @param {Level} level
 */
export function updateScrollButtons(level) {
  for (const button of [level.scrollUp_, level.scrollDown_])
    /** @type {HTMLElement} */ (button).style.opacity = canScroll(/** @type {HTMLElement} */ (level.scrollArea_), button == level.scrollUp_ ? -1 : 1) ? '' : '.35';
}

/**
 * @typedef {object} ScrollButtons the scroll button under the pointer of one menu
 * @property {() => HTMLElement | null} scrollButton_ the button under the pointer, if any
 * @property {(button: HTMLElement | null, pressed?: boolean) => void} pressScrollButton_ marks
 *   the button under the pointer (or none), pressed or not, and scrolls its pop-up
 */

/** @returns {ScrollButtons} */
export function scrollButtons() {
  /** @type {HTMLElement | null} */
  let current = null;
  let speed = 0, frame = 0;

  /** One step of scrolling, each frame while the button is held and there is more. */
  function step() {
    const area = current && levelOfScrollPart.get(current)?.scrollArea_;
    frame = 0;
    if (!area || !canScroll(area, speed)) return;
    area.scrollTop += speed;
    frame = requestAnimationFrame(step);
  }

  return {
    scrollButton_: () => current,
    pressScrollButton_(button, pressed) {
      // a scroll button's first class names it, a second one tells its state
      if (current && current != button) current.className = current.classList[0];
      current = button;
      if (!button) return;
      const base = button.classList[0];
      button.className = `${base} ${base}-${pressed ? PRESSED : HOVER}`;
      speed = (base == SCROLL_UP ? -1 : 1) * (pressed ? 10 : 3);
      if (!frame) frame = requestAnimationFrame(step);
    },
  };
}
