#!/usr/bin/env bash
# The house style, checked:
#   check.sh format <tree>   every C++ file as .clang-format lays it out
#   check.sh scripts <tree>  every shell script the project runs, through shellcheck
set -uo pipefail
what=$1
cd "$2" || exit 1
# listed <pattern...>: the tree's files by name, as git knows them (or, outside a
# checkout, as they lie, the build left out).
listed() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then git ls-files "$@"; return; fi
  for pattern in "$@"; do find . -path ./build -prune -o -type f -path "./$pattern" -print | sed 's|^\./||'; done
}
case $what in
  format)
    mapfile -t sources < <(listed '*.cpp' '*.h')
    echo "${#sources[@]} C++ files"
    clang-format --style=file --dry-run --Werror "${sources[@]}" ;;
  scripts)
    mapfile -t scripts < <(listed '*.sh' .ci/run scripts/world32/init)
    echo "${#scripts[@]} scripts"
    shellcheck -S warning -x "${scripts[@]}" ;;
  *) echo "usage: check.sh format|scripts <tree>"; exit 2 ;;
esac
