#!/usr/bin/env bash
# bash_completion_test.sh COMPLETION_FILE: --db-driver completes ODBC driver
# names that hold blanks, Tab after Tab, as readline asks for them.
set -u
source /usr/share/bash-completion/bash_completion 2>/dev/null || { echo "bash-completion is not installed"; exit 77; }
source "$1"
odbcinst() { printf '[FreeTDS]\n[PostgreSQL ANSI]\n[PostgreSQL Unicode]\n'; }

# The matches for the command line's words, the last one being completed.
matches() {
  COMP_WORDS=(zr93kw-setfactory --db-driver "$1")
  COMP_CWORD=2
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _zr93kw_setfactory
  printf '%s|' "${COMPREPLY[@]}"
}

failed=0
check() {
  local got
  got=$(matches "$1")
  [ "$got" = "$2" ] || { echo "after '$1': got '$got', want '$2'"; failed=1; }
}
check 'P' 'PostgreSQL ANSI|PostgreSQL Unicode|'
check 'PostgreSQL\ ' 'PostgreSQL ANSI|PostgreSQL Unicode|'  # readline's common part, quoted
check 'PostgreSQL\ U' 'PostgreSQL Unicode|'
check '"PostgreSQL U' 'PostgreSQL Unicode|'
check 'Free' 'FreeTDS|'
exit $failed
