/* velmo.js 1.0: Velmo.construct(listId, options) turns the hidden <ul> of a Zarvex page
   into a menubar with pop-ups, styled by the menu's stylesheet. */
(() => {
'use strict';
const D = document, W = window,
  // published menus keep shadow.png beside this script
  SHADOW = new URL('shadow.png', D.currentScript?.src || D.baseURI).href,
  VOID = /^\s*javascript:\s*void\s*\(\s*0\s*\)\s*;?\s*$/i,
  HOV = 'bqAb', ACT = 'brAb', UP = 'bnaz-bsAb-btAb', DN = 'bnaz-bsAb-Boaz', BTN = `.${UP},.${DN}`,
  IN = ['pointerover', 'pointerout', 'pointermove', 'click', 'keydown', 'focusin', 'focusout'],
  ALL = ['pointerdown', 'pointerup', 'pointercancel'],
  reported = new Set();

// The configuration scripts chain window.onload through one global variable, so with two
// menus on a page the older handler calls itself; re-entered, it calls the one it replaced.
const onload = Object.getOwnPropertyDescriptor(W, 'onload');
if (onload?.configurable && onload.set) Object.defineProperty(W, 'onload', {
  configurable: true, enumerable: onload.enumerable, get: onload.get,
  set(f) {
    let busy = 0;
    const prev = onload.get.call(this);
    onload.set.call(this, typeof f != 'function' ? f : function () {
      if (busy) return prev?.apply(this, arguments);
      try { busy = 1; return f.apply(this, arguments) } finally { busy = 0 }
    });
  }
});

// What the stylesheet leaves out, at zero specificity so that it wins (pop-up tables get no
// colour from it, and quirks-mode tables do not inherit one).
const BASE = `:where(.bnaz-bpAb,.bnaz-bwAb) table{border-collapse:collapse;color:inherit}
:where(.bnaz-bpAb,.bnaz-bwAb) td{padding:0}
:where(.bnaz-bpAb,.bnaz-bwAb) a{display:block;color:inherit;text-decoration:none;cursor:inherit;white-space:nowrap;outline:0}
:where(.bnaz-bpAb,.bnaz-bwAb) .bGaz{user-select:none;-webkit-user-select:none;-webkit-tap-highlight-color:transparent}
:where(.bnaz-bpAb,.bnaz-bwAb) .bGaz:has(a:focus-visible){outline:2px dotted currentColor;outline-offset:-3px}
:where(.bnaz-bwAb .bfAa) div{height:9px}
.bnaz-bvAb{pointer-events:none}`;
let style, users = 0;

const attr = (e, n, v) => e.setAttribute(n, v);
const show = (e, on) => { if (e) e.style.display = on ? '' : 'none' };
const el = (tag, cls, parent, role) => {
  const e = D.createElement(tag);
  if (cls) e.className = cls;
  if (role) attr(e, 'role', role);
  if (parent) parent.append(e);
  return e;
};
// Bar cell, pop-up row and their separators, cloned per item.
const P = (() => {
  const b = el('td', 'bGaz'), tr = el('tr', 0, el('table', 0, b, 'none')),
    r = el('tr', 'bGaz'), s = el('tr', 'BTaz', 0, 'separator'), bs = el('td', 'BTaz', 0, 'separator');
  el('div', 0, el('td', 'BDaz', tr)); el('td', 0, tr);
  el('div', 0, el('td', 'BDaz', r)); el('td', 'BJaz', r); el('td', 'bfAa', r);
  el('div', 0, el('td', 0, s)).parentNode.colSpan = 3;
  el('div', 0, bs);
  return { b, r, s, bs };
})();
const num = (v, d) => v == null || v === '' || isNaN(v = +v) ? d : v;
const hasLink = it => it.l.hasAttribute('href') && !VOID.test(it.l.getAttribute('href'));
// Viewport less scroll bars (on <body> in quirks mode: Zarvex pages have no doctype).
const view = () => { const v = D.compatMode == 'BackCompat' ? D.body : D.documentElement; return [v.clientWidth, v.clientHeight] };
const clamp = (v, lo, hi) => Math.max(lo, Math.min(v, hi));
const inTri = (p, a, b, c) => {
  const s = (u, v, w) => (u.x - w.x) * (v.y - w.y) - (v.x - w.x) * (u.y - w.y),
    d1 = s(p, a, b), d2 = s(p, b, c), d3 = s(p, c, a);
  return !((d1 < 0 || d2 < 0 || d3 < 0) && (d1 > 0 || d2 > 0 || d3 > 0));
};

/* Item: {m: level, li, l: link, img, sub: sub-list, sep, e: cell or row, p: pop-up level}.
   Level (bar or pop-up): {d: depth, e: box, o: parent item, it: items, dir: side opened to,
   sa/up/dn: scroll area and buttons, sh: shadow}. path[d]: item of depth d that is open. */
class Menu {
  constructor(ul, o) {
    o = o || {};
    this.ul = ul;
    this.vert = num(o.Bxay, 0) != 0;
    this.tips = num(o.bZay, 1) != 0;
    this.shadow = num(o.BAay, 1) != 0;
    this.clk = num(o.BKay, 0) != 0;
    this.delay = Math.max(0, num(o.BLay, 100));
    this.blinks = clamp(num(o.BMay, 0) | 0, 0, 20);
    this.path = [], this.pops = [], this.trail = [];
    const bar = this.bar = el('div', 'bnaz-bpAb', 0, 'menubar');
    attr(bar, 'aria-orientation', this.vert ? 'vertical' : 'horizontal');
    if (this.vert) bar.style.width = 'max-content';
    const L = this.top = { d: 0, e: bar, it: [], dir: 1 };
    this.tb = el('tbody', 0, el('table', 0, bar, 'none'));
    this.row = !this.vert && el('tr', 0, this.tb);
    this.nx = ul.firstElementChild;
    this.grow();
    const first = L.it.find(it => !it.sep);
    if (!first) throw Error('holds no menu item');
    first.l.tabIndex = 0;
    if (!users++) { style = el('style'); style.textContent = BASE; D.head.prepend(style) }
    ul.before(bar);
    this.wire(1);
  }

  // Bar cells, 500 items per task, so that even a huge bar never holds the page up long.
  grow() {
    const f = new DocumentFragment;
    this.nx = this.fill(this.top, this.nx, f, 500);
    (this.row || this.tb).append(f);
    if (this.nx) this.gt = setTimeout(() => this.grow());
    this.resize();
  }

  // Cells or rows of level L into f, from li on until n items are made; gives the next li.
  fill(L, li, f, n) {
    for (; li && n; li = li.nextElementSibling) if (li.tagName == 'LI') {
      const it = this.mk(li, L), bar = !L.d, c = it.e = (bar && this.vert ? el('tr', 0, f) : f)
        .appendChild((it.sep ? bar ? P.bs : P.s : bar ? P.b : P.r).cloneNode(true));
      if (!it.sep) {
        const ic = (bar ? c.firstChild.firstChild : c).firstChild, tx = ic.nextSibling, ar = tx.nextSibling;
        c.$v = it;
        n--;
        if (it.img) ic.firstChild.replaceWith(it.img);
        tx.append(it.l);
        if (it.sub && ar) el('div', 0, ar);
      } else if (bar && !this.vert) attr(c, 'aria-orientation', 'vertical');
      else if (bar) c.firstChild.style.cssText = 'border-left:0;border-top:1px solid #C5C2B8;height:0';
    }
    return li;
  }

  // Item of level L from an <li>; its link and icon move into the menu until destroy().
  mk(li, L) {
    let a, img, sub;
    for (let c = li.firstElementChild; c; c = c.nextElementSibling) {
      const t = c.tagName;
      if (t == 'A') a = a || c; else if (t == 'IMG') img = img || c; else if (t == 'UL') sub = sub || c;
    }
    const it = { m: L, li, img, sub: sub?.querySelector('li') ? sub : null, sep: !a };
    if (a) {
      it.l = a;
      it.n = [a.nextSibling, img?.nextSibling];
      attr(a, 'role', 'menuitem');
      attr(a, 'tabindex', -1);
      if (!this.tips && (it.t = a.getAttribute('title')) != null) a.removeAttribute('title');
      if (it.sub) { attr(a, 'aria-haspopup', 'menu'); attr(a, 'aria-expanded', false) }
    } else it.img = null;
    L.it.push(it);
    return it;
  }

  unmk(it) {
    const a = it.l, li = it.li, put = (e, next) => li.insertBefore(e, next?.parentNode == li ? next : null);
    if (!a) return;
    for (const n of ['role', 'tabindex', 'aria-haspopup', 'aria-expanded']) a.removeAttribute(n);
    if (it.t != null) attr(a, 'title', it.t);
    put(a, it.n[0]);
    if (it.img) put(it.img, it.n[1]);
  }

  wire(on) {
    const f = on ? 'addEventListener' : 'removeEventListener';
    for (const t of [...IN, ...ALL]) D[f](t, this, true);
    for (const t of ['resize', 'scroll']) W[f](t, this, { capture: true, passive: true });
  }

  handleEvent(e) {
    const t = e.type;
    if (!IN.includes(t) || this.has(e.target)) this[t == 'pointercancel' ? 'pointerup' : t](e);
  }

  // built on first opening
  pop(it) {
    if (it.p) return it.p;
    const L = it.p = { d: it.m.d + 1, o: it, it: [], dir: 1 },
      e = L.e = el('div', 'bnaz-bwAb', 0, 'menu');
    attr(e, 'aria-orientation', 'vertical');
    attr(e, 'aria-label', it.l.textContent.trim());
    show(e);
    L.up = el('div', UP, e);
    L.sa = el('div', 'bnaz-bsAb', e);
    L.dn = el('div', DN, e);
    for (const b of [L.up, L.dn]) { show(b); b.$L = L; b.$c = b.className }
    L.sa.style.cssText = 'overflow-y:auto;scrollbar-width:none;overscroll-behavior:contain';
    L.sa.$L = L;
    this.fill(L, it.sub.firstElementChild, el('tbody', 0, el('table', 0, L.sa, 'none')), 1 / 0);
    if (this.shadow) {
      const s = L.sh = el('div', 'bnaz-bvAb');
      s.style.cssText = `display:none;background:none;border:8px solid transparent;border-image:url("${SHADOW}") 8 fill`;
      D.body.append(s);
    }
    D.body.append(e);
    this.pops.push(L);
    return L;
  }

  open(it) {
    const L = this.pop(it);
    this.trim(it.m.d);
    this.path[it.m.d] = it;
    it.e.classList.add(ACT);
    attr(it.l, 'aria-expanded', true);
    show(L.e, 1);
    show(L.sh, 1);
    L.sa.scrollTop = 0;
    this.place(L);
    return L;
  }

  // Closes pop-ups of depth >= n; focus in them goes back to their parent.
  trim(n) {
    let back;
    while (this.path.length > n) {
      const it = this.path.pop(), L = it.p;
      if (L.e.contains(D.activeElement)) back = it;
      show(L.e);
      show(L.sh);
      it.e.classList.remove(ACT);
      attr(it.l, 'aria-expanded', false);
      if (this.btn?.$L == L) this.press(null);
    }
    if (back) this.focus(back);
  }

  close() {
    clearTimeout(this.ct);
    clearTimeout(this.at);
    this.pend = null;
    this.trim(0);
    this.cur(null);
  }

  destroy() {
    this.close();
    clearTimeout(this.bt);
    clearTimeout(this.gt);
    cancelAnimationFrame(this.raf);
    this.press(null);
    this.wire(0);
    this.bar.remove();
    for (const L of [this.top, ...this.pops]) L.it.forEach(this.unmk);
    for (const L of this.pops) { L.e.remove(); L.sh?.remove() }
    this.pops = [];
    delete this.ul.$velmo;
    if (!--users) style.remove();
  }

  // Below or beside its item, flipped or moved into the viewport, scrolling if too tall.
  place(L) {
    const it = L.o, e = L.e, s = e.style, sa = L.sa, top = sa.scrollTop,
      r = it.e.getBoundingClientRect(), [vw, vh] = view();
    sa.style.height = '';
    show(L.up);
    show(L.dn);
    s.left = s.top = '0px';
    const o = e.getBoundingClientRect(), w = o.width;
    let h = o.height, x, y;
    if (it.m.d || this.vert) {
      // the parent's side if it fits, else the other if that fits, else the roomier
      const pr = it.m.e.getBoundingClientRect(), room = [pr.left, vw - pr.right], f = it.m.dir > 0 ? 1 : 0,
        side = w <= room[f] ? f : w <= room[1 - f] ? 1 - f : +(room[1] > room[0]);
      x = side ? pr.right : pr.left - w;
      L.dir = side || -1;
      h = Math.min(h, vh);
      y = clamp(r.top - e.clientTop, 0, vh - h);
    } else {
      const below = vh - r.bottom, up = h > below && r.top > below;
      h = Math.min(h, up ? r.top : below);
      x = r.left;
      y = up ? r.top - h : r.bottom;
      L.dir = 1;
    }
    x = clamp(x, 0, vw - w);
    if (h < o.height) {
      show(L.up, 1);
      show(L.dn, 1);
      sa.style.height = Math.max(20, h - (e.offsetHeight - sa.offsetHeight)) + 'px';
      sa.scrollTop = top;
      this.btns(L);
    }
    s.left = x - o.left + 'px';
    s.top = y - o.top + 'px';
    if (L.sh) Object.assign(L.sh.style, { left: x - o.left - 4 + 'px', top: y - o.top - 3 + 'px',
      width: e.offsetWidth + 'px', height: e.offsetHeight + 'px' });
  }

  btns(L) {
    const sa = L.sa;
    L.up.style.opacity = sa.scrollTop > 0 ? '' : '.35';
    L.dn.style.opacity = sa.scrollTop + sa.clientHeight < sa.scrollHeight - 1 ? '' : '.35';
  }

  // b: scroll button under the pointer (or null), pressed or not.
  press(b, down) {
    const o = this.btn;
    if (o && o != b) o.className = o.$c;
    if (this.btn = b) {
      b.className = `${b.$c} ${b.$c}-${down ? 'buAb' : HOV}`;
      this.speed = (b.$c == UP ? -1 : 1) * (down ? 10 : 3);
      const step = () => { const b = this.btn; this.sr = b && requestAnimationFrame(step); if (b) b.$L.sa.scrollTop += this.speed };
      if (!this.sr) this.sr = requestAnimationFrame(step);
    }
  }

  has(n) { return !!n && (this.bar.contains(n) || this.pops.some(L => L.e.contains(n))) }

  item(t) { const e = t?.closest?.('.bGaz'); return e && e.$v && this.has(e) ? e.$v : null }

  // The item under the pointer or focus.
  cur(it) {
    if (this.c == it) return;
    this.c?.e.classList.remove(HOV);
    if (this.c = it) it.e.classList.add(HOV);
  }

  focus(it) {
    if (!it.m.d) for (const x of this.top.it) if (x.l) x.l.tabIndex = x == it ? 0 : -1;
    it.l.focus({ preventScroll: true });
    this.cur(it);
    if (it.m.d) it.e.scrollIntoView({ block: 'nearest' });
  }

  into(it, last) {
    const L = this.open(it), k = L.it.filter(x => !x.sep);
    this.focus(k[last ? k.length - 1 : 0]);
  }

  // Opens it, closing its siblings; later if the pointer heads for a sibling's pop-up.
  hover(it, now) {
    this.cur(it);
    this.pend = null;
    clearTimeout(this.at);
    if (this.clk && !this.path.length) return;
    const d = it.m.d, o = this.path[d];
    if (o == it) return this.trim(d + 1);
    if (o && !now && this.aiming(o.p.e.getBoundingClientRect())) {
      this.pend = it;
      this.at = setTimeout(() => this.pend == it && this.hover(it, 1), 250);
      return;
    }
    this.trim(d);
    if (it.sub) this.open(it);
  }

  // Does the last move (q to p) point at the near edge of R?
  aiming(R) {
    const [q, p] = this.trail, c = (x, y) => ({ x, y }), m = 4;
    if (!p) return false;
    const x = R.left >= q.x ? R.left : R.right <= q.x && R.right, y = R.top >= q.y ? R.top : R.bottom;
    return x ? inTri(p, q, c(x, R.top - m), c(x, R.bottom + m)) : inTri(p, q, c(R.left - m, y), c(R.right + m, y));
  }

  pointerover(e) {
    if (e.pointerType != 'mouse') return;
    this.track(e);
    clearTimeout(this.ct);
    const b = e.target.closest(BTN);
    if (b) return this.press(b, this.btn == b && this.down);
    const it = this.item(e.target);
    if (it) this.hover(it);
  }

  track(e) {
    const t = this.trail, l = t[1], x = e.clientX, y = e.clientY;
    if (!l || l.x != x || l.y != y) this.trail = [l || { x, y }, { x, y }];
  }

  pointermove(e) {
    if (e.pointerType != 'mouse') return;
    this.track(e);
    if (this.pend && this.item(e.target) == this.pend) this.hover(this.pend);
  }

  pointerout(e) {
    if (e.pointerType != 'mouse') return;
    const to = e.relatedTarget;
    if (this.btn && !this.down && !(to && this.btn.contains(to))) this.press(null);
    if (this.c && this.item(to) != this.c) this.cur(null);
    if (this.has(to)) return;
    this.pend = null;
    if (!this.clk && this.path.length) this.ct = setTimeout(() => this.close(), this.delay);
  }

  pointerdown(e) {
    this.pt = e.pointerType;
    if (!this.has(e.target)) { if (this.path.length) this.close(); return }
    const b = e.target.closest(BTN);
    if (b) { this.down = 1; this.press(b, 1); e.preventDefault() }
  }

  pointerup(e) {
    const b = this.btn;
    if (this.down) this.press((this.down = 0, e.pointerType == 'mouse' && b && b.contains(e.target) && b));
  }

  click(e) {
    const it = this.item(e.target);
    if (!it) return;
    if (this.pass == it.l) { this.pass = null; return } // our own click after blinking
    if (e.button || e.ctrlKey || e.metaKey || e.shiftKey || e.altKey) return;
    const t = e.pointerType || (e.isTrusted ? this.pt : ''), tap = t == 'touch' || t == 'pen';
    if (it.sub) {
      if (this.path[it.m.d] != it) { e.preventDefault(); this.cur(it); this.open(it); return }
      // no link: a tap, or a click on the bar, closes it
      if (!hasLink(it)) {
        e.preventDefault();
        if (tap || this.clk && !it.m.d) this.trim(it.m.d);
        return;
      }
    }
    this.choose(it, e, !it.l.contains(e.target));
  }

  // Follows the link after blinking; without blinking the browser does, honouring target.
  choose(it, e, synth) {
    if (!hasLink(it)) return e.preventDefault();
    const n = matchMedia('(prefers-reduced-motion: reduce)').matches ? 0 : this.blinks;
    if (!n && !synth) return this.close();
    e.preventDefault();
    if (this.bt) return;
    let i = 0;
    const go = () => {
      if (i < 2 * n) { it.e.classList.toggle(HOV, i++ % 2 == 1); this.bt = setTimeout(go, 80); return }
      this.bt = 0;
      this.close();
      this.pass = it.l;
      it.l.click();
    };
    this.cur(it);
    go();
  }

  focusin(e) { const it = this.item(e.target); if (it) this.cur(it) }

  focusout(e) { const to = e.relatedTarget; if (to && !this.has(to)) this.close() }

  keydown(e) {
    const it = this.item(e.target), k = e.key;
    if (!it || e.altKey || e.ctrlKey || e.metaKey) return;
    const L = it.m, d = L.d, hz = !d && !this.vert, fwd = hz ? 'ArrowRight' : 'ArrowDown',
      list = L.it.filter(x => !x.sep), i = list.indexOf(it), n = list.length,
      bar = this.top.it.filter(x => !x.sep), root = this.path[0] || it,
      side = s => {
        const nx = bar[(bar.indexOf(root) + s + bar.length) % bar.length];
        this.trim(0);
        if (nx.sub) this.into(nx); else this.focus(nx);
      };
    if (k == fwd || k == (hz ? 'ArrowLeft' : 'ArrowUp')) {
      const nx = list[(i + (k == fwd ? 1 : -1) + n) % n];
      const wasOpen = !d && this.path.length;
      if (!d) this.trim(0);
      this.focus(nx);
      if (wasOpen && nx.sub) this.open(nx);
    } else if (k == 'Home' || k == 'End') this.focus(list[k == 'Home' ? 0 : n - 1]);
    else if (hz && (k == 'ArrowDown' || k == 'ArrowUp') || !hz && k == 'ArrowRight' || k == 'Enter' || k == ' ') {
      if (it.sub && (k != 'Enter' || this.path[d] != it || !hasLink(it))) this.into(it, k == 'ArrowUp');
      else if (k == 'Enter' || k == ' ') it.l.click();
      else if (d && !this.vert) side(1);
      else return;
    } else if (k == 'ArrowLeft' && d) {
      if (d > 1 || this.vert) { this.trim(d - 1); this.focus(L.o) } else side(-1);
    } else if (k == 'Escape') {
      if (d) { this.trim(d - 1); this.focus(L.o) } else if (this.path.length) this.close(); else return;
    } else if (k == 'Tab') {
      // leave from the bar, so the focus moves on from the menu's place
      if (d) this.focus(this.path[0]);
      return this.close();
    } else if (k.length == 1 && k != ' ') {
      // type-ahead: the next item starting with the character
      const c = k.toLowerCase(), x = list.map((_, j) => list[(i + j + 1) % n])
        .find(x => x.l.textContent.trim().toLowerCase().startsWith(c));
      if (x) this.focus(x);
    } else return;
    e.preventDefault();
  }

  resize() {
    if (this.path.length && !this.raf) this.raf = requestAnimationFrame(() => {
      this.raf = 0;
      for (const it of this.path) this.place(it.p);
    });
  }

  scroll(e) {
    const L = e.target.$L;
    if (!L) this.resize(); else if (this.pops.includes(L)) this.btns(L);
  }
}

// A list that is missing or unusable is reported once and left as it is.
W.Velmo = {
  construct(id, options) {
    let why;
    try {
      const ul = D.getElementById(id);
      if (ul && ul.tagName == 'UL') return ul.$velmo || (ul.$velmo = new Menu(ul, options));
      why = ul ? 'is not a <ul> element' : 'was not found';
    } catch (e) { why = e.message }
    if (!reported.has(id)) { reported.add(id); console.error(`Velmo: the menu list "${id}" ${why}; no menu was built.`) }
    return null;
  }
};
})();
