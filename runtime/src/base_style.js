// The rules the design's stylesheet leaves out, at zero specificity (inside :where()) so
// that the design and the page both win over them. Pop-up tables get no colour from the
// stylesheet, and quirks-mode tables do not inherit one. One <style> element serves every
// menu of the page; it goes when the last of them is destroyed.
import { element } from './dom.js';
import { CARET, CURRENT, CURRENT_BRANCH, DRAWN_ARROW, TOGGLE } from './class_names.js';

const BAR = '.bnaz-bpAb', POPUP = '.bnaz-bwAb', BOTH = `:where(${BAR},${POPUP})`;
const LIST = ':where(.velmo-list)';
// A bar parent's caret is drawn by its cell, or by its toggle button when it has one.
const CARET_MARK = `:where(.${CARET},.${TOGGLE}):empty:after`;

// First the bar's and the pop-ups' rules; then the toggle of the collapsed mode, a
// "hamburger" of borders (which forced colours keep); and the collapsed list: rows of at
// least 44 px, indented by level, an arrow on parents. Then the arrows drawn in the text
// colour (which forced colours replace with the system's), the current page's mark, and
// the rules of forced colours and of printing. Every rule works in Chromium 102, Firefox
// 115 and Safari 15. One rule a line, each line continued by a backslash.
const RULES = `${BOTH} table{border-collapse:collapse;color:inherit}\
${BOTH} td{padding:0}\
${BOTH} a{display:block;color:inherit;text-decoration:none;cursor:inherit;white-space:nowrap;outline:0}\
${BOTH} .bGaz{user-select:none;-webkit-user-select:none;-webkit-tap-highlight-color:transparent}\
${BOTH} .bGaz:has(a:focus-visible){outline:2px dotted;outline-offset:-3px}\
:where(${POPUP} .bfAa) div{height:9px}\
:where(${POPUP}[dir=rtl] .bfAa) div{transform:scaleX(-1)}\
:where(.velmo-toggle,.${TOGGLE}){padding:4px;border:0;background:none;color:inherit;font:inherit}\
:where(.velmo-toggle){display:inline-grid;place-items:center;min-width:44px;min-height:44px;padding:0 12px}\
:where(.velmo-toggle) span{width:20px;height:8px;border-block:2px solid}\
:where(.velmo-toggle) span:after{content:"";display:block;border-bottom:2px solid;padding-top:3px}\
:where(.velmo-list,.velmo-list ul){margin:0;padding:0;list-style:none;text-align:start}\
${LIST} ul{padding-inline-start:1.5em}\
${LIST} .velmo-after-separator{border-top:1px solid}\
${LIST} table{width:100%}\
${LIST} a{display:flex;align-items:center;min-height:44px;white-space:normal;overflow-wrap:anywhere}\
${LIST} a[aria-expanded]:after{content:"";margin-inline:auto .7em;padding:.2em;border:solid;border-width:2px 2px 0 0;transform:rotate(135deg)}\
${LIST} a[aria-expanded=true]:after{transform:rotate(-45deg)}\
${POPUP} tr.bGaz td.bfAa div.${DRAWN_ARROW},${CARET_MARK}{content:"";display:block;background:none;width:5px;height:5px;margin:0 2px;border:solid;border-width:2px 2px 0 0;transform:rotate(45deg)}\
:where(${BAR}:not(.velmo-vertical)) ${CARET_MARK}{transform:rotate(135deg)}\
${POPUP}[dir=rtl] tr.bGaz td.bfAa div.${DRAWN_ARROW},:where([dir=rtl] .velmo-vertical) ${CARET_MARK}{transform:rotate(-135deg)}\
a.${CURRENT},a.${CURRENT_BRANCH}{text-decoration:underline;text-underline-offset:.25em}\
a.${CURRENT}{text-decoration-thickness:2px}\
:where(.bnaz-bsAb)::-webkit-scrollbar{display:none}\
@supports not selector(:has(a)){${BOTH} .bGaz:focus-within{outline:2px dotted;outline-offset:-3px}}\
@media (forced-colors){${BOTH} :is(.bqAb,.brAb){outline:2px solid;outline-offset:-2px}}\
@media print{${POPUP},.bnaz-bvAb,.velmo-toggle{display:none!important}\
.velmo-list{display:block!important}}`;

let style = /** @type {HTMLElement | null} */ (null), users = 0;

/** Adds the rules for one more menu. */
export function acquireBaseStyle() {
  if (users++) return;
  style = element('style');
  style.textContent = RULES;
  document.head.prepend(style);
}

/** Takes them away with the last menu. */
export function releaseBaseStyle() {
  if (users && !--users) /** @type {HTMLElement} */ (style).remove();
}
