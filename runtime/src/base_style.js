// The rules the design's stylesheet leaves out, at zero specificity (inside :where()) so
// that the design and the page both win over them. Pop-up tables get no colour from the
// stylesheet, and quirks-mode tables do not inherit one. One <style> element serves every
// menu of the page; it goes when the last of them is destroyed.
import { element } from './dom.js';

const BAR = '.bnaz-bpAb', POPUP = '.bnaz-bwAb', BOTH = `:where(${BAR},${POPUP})`;
const LIST = ':where(.velmo-list)';

const RULES = `${BOTH} table{border-collapse:collapse;color:inherit}
${BOTH} td{padding:0}
${BOTH} a{display:block;color:inherit;text-decoration:none;cursor:inherit;white-space:nowrap;outline:0}
${BOTH} .bGaz{user-select:none;-webkit-user-select:none;-webkit-tap-highlight-color:transparent}
${BOTH} .bGaz:has(a:focus-visible){outline:2px dotted currentColor;outline-offset:-3px}
:where(${POPUP} .bfAa) div{height:9px}
:where(${POPUP}[dir=rtl] .bfAa) div{transform:scaleX(-1)}
.bnaz-bvAb{pointer-events:none}
:where(.velmo-nav){display:block;max-width:100%}
:where(.velmo-panel){display:block}
:where(.velmo-toggle){display:inline-flex;align-items:center;justify-content:center;min-width:44px;min-height:44px;padding:0 12px;margin:0;border:0;background:none;color:inherit;font:inherit;cursor:pointer}
:where(.velmo-toggle):focus-visible{outline:2px dotted currentColor;outline-offset:-4px}
:where(.velmo-toggle) span{position:relative;display:block;width:20px;height:12px;border-top:2px solid;border-bottom:2px solid}
:where(.velmo-toggle) span::after{content:"";position:absolute;left:0;right:0;top:5px;border-top:2px solid}
${LIST}, ${LIST} ul{margin:0;padding:0;list-style:none;text-align:start}
${LIST} li{padding-inline-start:calc(var(--velmo-level,0)*1.5em)}
${LIST} table{width:100%}
${LIST} a{display:flex;align-items:center;min-height:44px;white-space:normal;overflow-wrap:anywhere}
${LIST} a[aria-expanded]::after{content:"";margin-inline:auto .7em;padding:.2em;border:solid;border-width:0 2px 2px 0;rotate:45deg}
${LIST} a[aria-expanded=true]::after{rotate:-135deg}
${LIST} .velmo-after-separator{border-top:1px solid}`;

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
  if (users && !--users) style?.remove();
}
