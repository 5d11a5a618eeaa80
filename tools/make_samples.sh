#!/usr/bin/env bash
# Publishes every shipped template with zarvex-cli into data/samples/menus/ and
# writes data/samples/index.html, the page that shows them all.
#
#   tools/make_samples.sh [BUILD_FOLDER]      (default: build)
#
# The runtime (velmo.js) and the default images come from the build's program
# folder, so the build is brought up to date first.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
templates="$root/data/templates"
samples="$root/data/samples"
cli="$build/app/zarvex-cli"

if ! cmake --build "$build" --target zarvex-cli zarvex_app_data >/dev/null; then
  echo "make_samples: the build failed; publishing with the zarvex-cli and runtime already in $build/app" >&2
fi
[ -x "$cli" ] || { echo "make_samples: $cli was not built" >&2; exit 1; }

# Title and description of each template; a template missing here still gets a
# section, titled after its file name.
describe() {
  case "$1" in
    classic_bar) title="Classic Bar"
      text="A light horizontal bar with blue highlights: the safe choice for a company site." ;;
    vertical_sidebar) title="Vertical Sidebar"
      text="A vertical menu for the side of a page, here the table of contents of a manual; pop-ups open to the right." ;;
    dark_theme) title="Dark Theme"
      text="Light text on a near-black bar for dark page designs; the open path is marked in blue." ;;
    flat_minimal) title="Flat Minimal"
      text="Hairline borders, no shadow and monochrome highlights, for portfolios and blogs." ;;
    icon_bar) title="Icon Bar"
      text="Every item carries a 16 x 16 icon; the icons lie beside the template and are published with it." ;;
    click_to_open) title="Click to Open"
      text="Pop-ups open on a click rather than under the pointer and stay open a little longer: easy to use on touch screens." ;;
    corporate_navy) title="Corporate Navy"
      text="A serif navy bar whose open path is picked out in gold, for banks, law firms and consultancies." ;;
    retro_classic) title="Retro Classic"
      text="Grey bevelled boxes and navy highlights in the style of classic desktop programs; a chosen item blinks twice." ;;
    *) title="$1"; text="" ;;
  esac
}

# The templates in the order the page shows them: the curated ones first, then any other.
curated="classic_bar vertical_sidebar icon_bar dark_theme flat_minimal click_to_open corporate_navy retro_classic"
template_names() {
  local n
  for n in $curated; do [ -f "$templates/$n.zarvex" ] && echo "$n"; done
  for n in "$templates"/*.zarvex; do
    n="$(basename "$n" .zarvex)"
    case " $curated " in *" $n "*) ;; *) echo "$n" ;; esac
  done
}

# Field n (from 1) of the menu parameter line of a project file.
menu_field() {
  awk -v n="$2" 'prev == "<Applet_Parameters>" { split($0, f, "#\\$@"); print f[n]; exit } { sub(/\r$/, ""); prev = $0 }' "$1"
}

# One folder for all: the templates share velmo.js and the menu images, and each
# publishes its page, scripts, stylesheet, project and report under its own name.
mkdir -p "$samples"
for old in "$samples"/*/; do rm -rf "${old:?}"; done
sections=""
count=0
for name in $(template_names); do
  project="$templates/$name.zarvex"
  "$cli" publish "$project" --to "$samples/menus"
  describe "$name"
  if [ "$(menu_field "$project" 3)" = "1" ]; then layout="vertical"; height=300; else layout="horizontal"; height=200; fi
  if [ "$(menu_field "$project" 6)" = "1" ]; then opens="click an item to open its pop-up"; else opens="point at an item to open its pop-up"; fi
  sections+="
<section id=\"$name\">
  <h2>$title</h2>
  <p>$text</p>
  <p class=\"facts\">Template <code>$name.zarvex</code> &middot; $layout bar &middot; $opens</p>
  <iframe src=\"menus/$name.html\" title=\"$title sample menu\" style=\"height: ${height}px\"></iframe>
  <p class=\"links\"><a href=\"menus/$name.html\">Open the page by itself</a>
    &middot; <a href=\"menus/$name.zarvex\">Project file</a>
    &middot; <a href=\"menus/${name}_PublishReport.txt\">Publish report</a></p>
</section>"
  count=$((count + 1))
done

cat >"$samples/index.html" <<EOF
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Zarvex sample menus</title>
<style>
  body { margin: 0; font: 15px/1.5 "Segoe UI", Arial, sans-serif; color: #1F2933; background: #F5F7FA; }
  header, main { max-width: 860px; margin: 0 auto; padding: 0 20px; }
  header { padding-top: 24px; }
  h1 { font-size: 28px; margin: 0 0 8px; }
  h2 { font-size: 20px; margin: 0 0 4px; }
  section { background: #FFFFFF; border: 1px solid #D9E2EC; border-radius: 6px; padding: 16px 20px; margin: 20px 0; }
  section p { margin: 4px 0; }
  .facts { color: #52606D; font-size: 13px; }
  .links { font-size: 13px; }
  iframe { display: block; width: 100%; border: 1px dashed #BCCCDC; margin: 10px 0 6px; background: #FFFFFF; }
  a { color: #1D5FB4; }
  code { font-size: 13px; }
  nav a { margin-right: 10px; white-space: nowrap; }
</style>
</head>
<body>
<header>
<h1>Sample menus</h1>
<p>Each menu on this page was made from one of the templates that come with Zarvex and
published with the tool, unchanged. Try them: point at the items, or click where a menu
says so, and move through the pop-ups with the arrow keys.</p>
<p>To start your own menu from one of them, choose <b>File &gt; Templates</b> in Zarvex
and pick the template of the same name; change the items and the style, then save, and
the page, scripts, stylesheet and images are written next to your project. The publish
report beside each sample lists the files that go onto the web server with the page.
The links of the sample items show the kind of address a site would use; the pages they
name are not part of these samples.</p>
<nav>$(for n in $(template_names); do describe "$n"; printf '<a href="#%s">%s</a> ' "$n" "$title"; done)</nav>
</header>
<main>$sections
</main>
</body>
</html>
EOF
echo "make_samples: $count samples published into $samples"
