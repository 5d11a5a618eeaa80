#!/bin/sh
# Writes the bash completion of zarvex-cli to standard output, from the program's
# own --help text, so that every command and option it lists is completed.
#   make_completion.sh PATH-TO-zarvex-cli
# An entry line of --help is "  COMMAND ARG... [--option VALUE] [--flag]"; an
# argument named PROJECT or ending in .zarvex completes project files, IN and OUT
# menu structure files; a VALUE named FOLDER completes folders, FILE files.
set -eu
help="$("$1" --help)"
printf '%s\n' "$help" | awk '
  function pattern(arg) {
    if (arg == "PROJECT" || arg ~ /\.zarvex$/) return "*.zarvex"
    if (arg == "IN" || arg == "OUT") return "*.gms"
    return ""
  }
  /^  --[a-z]/ { split(substr($0, 3), w, / +/); globals = globals " " w[1]; next }
  /^  [a-z]/ {
    n = split(substr($0, 3), w, / +/)
    cmd = w[1]; commands = commands " " cmd; opts = ""; pats = ""
    for (i = 2; i <= n; i++) {
      word = w[i]
      if (word ~ /^\[--/) {
        name = word; sub(/^\[/, "", name); sub(/\]$/, "", name); opts = opts " " name
        if (word !~ /\]$/ && i < n) {
          value = w[++i]; sub(/\]$/, "", value)
          if (value == "FOLDER") folders = folders "|" name
          else if (value == "FILE") files = files "|" name
          else others = others "|" name
        }
      } else if (word ~ /^[A-Z]/) {
        pats = pats " \"" pattern(word) "\""
      } else {
        break
      }
    }
    cases = cases "        " cmd ") options=\"" substr(opts, 2) "\"; patterns=(" substr(pats, 2) ") ;;\n"
  }
  END {
    valued = substr(folders files others, 2)
    print "# bash completion for zarvex-cli, made from its --help text"
    print "_zarvex_cli() {"
    print "    local cur prev"
    print "    cur=\"${COMP_WORDS[COMP_CWORD]}\""
    print "    prev=\"${COMP_WORDS[COMP_CWORD-1]}\""
    print "    if [ \"$COMP_CWORD\" -eq 1 ]; then"
    print "        mapfile -t COMPREPLY < <(compgen -W \"" substr(commands, 2) globals "\" -- \"$cur\")"
    print "        return"
    print "    fi"
    print "    case \"$prev\" in"
    if (folders != "") print "        " substr(folders, 2) ") mapfile -t COMPREPLY < <(compgen -d -- \"$cur\"); return ;;"
    if (files != "") print "        " substr(files, 2) ") compopt -o filenames 2>/dev/null; mapfile -t COMPREPLY < <(compgen -f -- \"$cur\"); return ;;"
    if (others != "") print "        " substr(others, 2) ") return ;;"
    print "    esac"
    print "    local options=\"\" patterns=() position=0 i"
    print "    case \"${COMP_WORDS[1]}\" in"
    printf "%s", cases
    print "        *) return ;;"
    print "    esac"
    print "    # The position of the word among the command'"'"'s own arguments, options skipped."
    print "    for (( i = 2; i < COMP_CWORD; i++ )); do"
    print "        case \"${COMP_WORDS[i]}\" in"
    if (valued != "") print "            " valued ") (( i++ )) ;;"
    print "            -*) ;;"
    print "            *) (( position++ )) ;;"
    print "        esac"
    print "    done"
    print "    if [[ \"$cur\" == -* ]]; then"
    print "        mapfile -t COMPREPLY < <(compgen -W \"$options\" -- \"$cur\")"
    print "        return"
    print "    fi"
    print "    local pattern=\"${patterns[position]:-}\""
    print "    [ -n \"$pattern\" ] || return"
    print "    compopt -o filenames 2>/dev/null"
    print "    mapfile -t COMPREPLY < <(compgen -f -X \"!$pattern\" -- \"$cur\"; compgen -d -- \"$cur\")"
    print "}"
    print "complete -F _zarvex_cli zarvex-cli"
  }'
