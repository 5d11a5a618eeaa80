// Is the pointer heading for an open pop-up? Then crossing a sibling on the way does not
// switch pop-ups at once.

/** @typedef {{ x: number, y: number }} Point */

/**
 * @param {Point} point
 * @param {Point} a
 * @param {Point} b
 * @param {Point} c
 */
function inTriangle(point, a, b, c) {
  /** @param {Point} u @param {Point} v @param {Point} w */
  const cross = (u, v, w) => (u.x - w.x) * (v.y - w.y) - (v.x - w.x) * (u.y - w.y);
  // inside or on an edge: the three turns never have opposite signs
  const turns = [cross(point, a, b), cross(point, b, c), cross(point, c, a)];
  return !(turns.some(turn => turn < 0) && turns.some(turn => turn > 0));
}

/**
 * Does the last move (from `trail[0]` to `trail[1]`) point at the near edge of `target`?
 * @param {Point[]} trail
 * @param {DOMRect} target
 */
export function isAiming(trail, target) {
  const [from, to] = trail, margin = 4;
  if (!to) return false;
  const x = target.left >= from.x ? target.left : target.right <= from.x && target.right;
  const y = target.top >= from.y ? target.top : target.bottom;
  return x !== false
    ? inTriangle(to, from, { x, y: target.top - margin }, { x, y: target.bottom + margin })
    : inTriangle(to, from, { x: target.left - margin, y }, { x: target.right + margin, y });
}
