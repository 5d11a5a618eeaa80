#!/bin/sh
# Writes the man page of zarvex-cli to standard output, from the program's own
# --help text, so that the page cannot drift from the program.
#   make_manpage.sh PATH-TO-zarvex-cli VERSION
set -eu
cli="$1"
version="$2"
help="$("$cli" --help)"
cat <<HEAD
.TH ZARVEX-CLI 1 "" "zarvex $version" "User Commands"
.SH NAME
zarvex-cli \\- publish Zarvex menu designs without a window
.SH SYNOPSIS
.B zarvex-cli
.I COMMAND
.RI [ ARGUMENTS ]
.SH DESCRIPTION
.B zarvex-cli
reads Zarvex project files (\\fI*.zarvex\\fR) and menu structure files
(\\fI*.gms\\fR) and writes what the window program writes: the page, the
configuration script, the stylesheet, the HTML snippet, the publish report and
the images, or the design converted from one format to the other.
HEAD
# The command list of --help: an entry starts two blanks in with the command and
# its arguments (capitals or [options]); its text follows on the same line or on
# the indented lines below it.
printf '%s\n' "$help" | awk '
  function roff(s) { gsub(/\\/, "\\e", s); gsub(/-/, "\\-", s); return s }
  /^Commands:/ { print ".SH COMMANDS"; in_list = 1; next }
  /^Exit status:/ { in_list = 0; sub(/^Exit status: */, ""); print ".SH EXIT STATUS"; print roff($0); next }
  !in_list || /^$/ { next }
  /^  [^ ]/ {
    n = split(substr($0, 3), word, / +/)
    term = word[1]; text = ""
    for (i = 2; i <= n && word[i] ~ /^[A-Z[]/; i++) term = term " " word[i]
    for (; i <= n; i++) text = text (text == "" ? "" : " ") word[i]
    print ".TP"; print ".B " roff(term)
    if (text != "") print roff(text)
    next
  }
  { sub(/^ +/, ""); print roff($0) }
'
cat <<TAIL
.SH FILES
.TP
.I /usr/share/zarvex
the program folder: the menu runtime velmo.js, the default images, the
templates, help and samples; never written.
.SH SEE ALSO
.BR zarvex (1)
TAIL
