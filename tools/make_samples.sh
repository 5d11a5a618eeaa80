#!/usr/bin/env bash
# Publishes every shipped template with zarvex-cli, each into a folder of its own
# under OUT, and writes OUT/index.html, the page that shows them all. The build runs
# it into the program folder's samples/; the repository keeps no published copies.
#
#   tools/make_samples.sh ZARVEX_CLI TEMPLATES_FOLDER OUT
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 ZARVEX_CLI TEMPLATES_FOLDER OUT" >&2; exit 2; }
cli="$1"
templates="$2"
out="$3"

# Title and description of each template, in the order the page shows them; a
# template missing here still gets a section, titled after its folder.
curated="light_bar dark_bar vertical_sidebar click_to_open icon_bar outline_minimal navy_serif mega_catalogue"
describe() {
  case "$1" in
    light_bar) title="Light Bar"
      text="A white bar with blue highlights: the safe choice for a company site." ;;
    dark_bar) title="Dark Bar"
      text="Light text on a near-black bar for dark page designs; the open path is marked in blue." ;;
    vertical_sidebar) title="Vertical Sidebar"
      text="A vertical menu for the side of a page, here the contents of a manual; pop-ups open to the right." ;;
    click_to_open) title="Click to Open"
      text="Pop-ups open on a click rather than under the pointer and stay open a little longer: easy on touch screens." ;;
    icon_bar) title="Icon Bar"
      text="Every item carries a 24 x 24 SVG icon; the icons lie beside the template and are published with it." ;;
    outline_minimal) title="Outline Minimal"
      text="Hairline borders, no shadow and monochrome highlights, for portfolios and blogs." ;;
    navy_serif) title="Navy Serif"
      text="A serif navy bar for banks, law firms and consultancies." ;;
    mega_catalogue) title="Mega Catalogue"
      text="A department store of several hundred items; the long brand list scrolls inside its pop-up." ;;
    *) title="$1"; text="" ;;
  esac
}
template_names() {
  local n
  for n in $curated; do [ -f "$templates/$n/$n.zarvex" ] && echo "$n"; done
  for n in "$templates"/*/*.zarvex; do
    [ -f "$n" ] || continue
    n="$(basename "$n" .zarvex)"
    case " $curated " in *" $n "*) ;; *) echo "$n" ;; esac
  done
}
project_of() { if [ -f "$templates/$1/$1.zarvex" ]; then echo "$templates/$1/$1.zarvex"; fi; }

# Field n (from 1) of the menu parameter line of a project file.
menu_field() {
  awk -v n="$2" 'prev == "<Applet_Parameters>" { split($0, f, "#\\$@"); print f[n]; exit } { sub(/\r$/, ""); prev = $0 }' "$1"
}

rm -rf "$out"
mkdir -p "$out"
sections=""
nav=""
count=0
for name in $(template_names); do
  project="$(project_of "$name")"
  "$cli" publish "$project" --to "$out/$name" >/dev/null
  describe "$name"
  if [ "$(menu_field "$project" 3)" = "1" ]; then layout="vertical"; height=420; else layout="horizontal"; height=300; fi
  if [ "$(menu_field "$project" 6)" = "1" ]; then opens="click an item to open its pop-up"; else opens="point at an item to open its pop-up"; fi
  sections+="
<section id=\"$name\">
  <h2>$title</h2>
  <p>$text</p>
  <p class=\"facts\">Template <code>$name.zarvex</code> &middot; $layout bar &middot; $opens</p>
  <iframe src=\"$name/$name.html\" title=\"$title sample menu\" style=\"height: ${height}px\"></iframe>
  <p class=\"links\"><a href=\"$name/$name.html\">Open the page by itself</a>
    &middot; <a href=\"$name/${name}_PublishReport.txt\">Publish report</a></p>
</section>"
  nav+="<a href=\"#$name\">$title</a> "
  count=$((count + 1))
done

cat >"$out/index.html" <<EOF
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Zarvex sample menus</title>
<style>
  body { margin: 0; font: 16px/1.5 system-ui, -apple-system, Segoe UI, Roboto, Arial, sans-serif; color: #1F2933; background: #F5F7FA; }
  header, main { max-width: 900px; margin: 0 auto; padding: 0 20px; }
  header { padding-top: 24px; }
  h1 { font-size: 28px; margin: 0 0 8px; }
  h2 { font-size: 20px; margin: 0 0 4px; }
  section { background: #FFFFFF; border: 1px solid #D9E2EC; border-radius: 8px; padding: 16px 20px; margin: 20px 0; }
  section p { margin: 4px 0; }
  .facts, .links { color: #52606D; font-size: 14px; }
  iframe { display: block; width: 100%; border: 1px solid #D9E2EC; border-radius: 4px; margin: 10px 0 6px; background: #FFFFFF; }
  a { color: #1D5FB4; }
  nav a { margin-right: 12px; white-space: nowrap; }
</style>
</head>
<body>
<header>
<h1>Sample menus</h1>
<p>Each menu on this page was made from one of the templates that come with Zarvex and
published with the tool, unchanged. Point at the items, or click where a menu says so,
and move through the pop-ups with the arrow keys.</p>
<p>To start your own menu from one of them, choose <b>File &gt; Templates</b> in Zarvex
and pick the template of the same name; change the items and the style, then save: the
page, scripts, stylesheet and images are written next to your project, and the publish
report lists the files that go onto the web server with the page. The links of the
sample items lead to places on their own page.</p>
<nav>$nav</nav>
</header>
<main>$sections
</main>
</body>
</html>
EOF
echo "make_samples: $count samples published into $out"
