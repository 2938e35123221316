#!/usr/bin/env bash
# Lists every #include in src/ that points the wrong way and fails on any.
#
#   check-layers.sh SOURCE_DIR MODEL_SOURCES_FILE
#
# MODEL_SOURCES_FILE holds the sources of the Qt-free library, separated by
# semicolons (the build writes it). Model files include model files only; any
# widget file may include a model file; a widget file includes widget files of
# its own folder or of a folder further down this list:
layers=(platform dialogs pad menu keymaps prefs keyboard app)
set -euo pipefail
src=$1/src
model_list=$(tr ';' '\n' < "$2")
declare -A rank
for i in "${!layers[@]}"; do
  rank[${layers[$i]}]=$i
done
is_model() { grep -qxF "$src/$1" <<< "$model_list"; }

broken=0
cd "$src"
while IFS= read -r file; do
  folder=${file%%/*}
  while IFS= read -r included; do
    [[ $included == */* ]] || included=$folder/$included
    # Not ours, or a model file, which anyone may include.
    [ -f "$included" ] && ! is_model "$included" || continue
    if is_model "$file"; then
      echo "$file: model file includes widget file $included"
    elif [ -z "${rank[$folder]:-}" ]; then
      echo "$file: folder $folder has no place in the layers"
    elif [ "${rank[${included%%/*}]:--1}" -gt "${rank[$folder]}" ]; then
      echo "$file: includes $included from a layer above its own"
    else
      continue
    fi
    broken=$((broken + 1))
  done < <(sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^"]+)".*/\1/p' "$file")
done < <(find . -type f \( -name '*.h' -o -name '*.cpp' \) -printf '%P\n' | LC_ALL=C sort)

if [ "$broken" -gt 0 ]; then
  echo "$broken include(s) break the layers"
  exit 1
fi
echo "every include points down the layers"
