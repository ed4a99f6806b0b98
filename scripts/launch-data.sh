#!/usr/bin/env bash
# launch-data.sh OUTPUT CLIP... : prints the launch data that makes Corvane.exe
# join the clips into OUTPUT at once (English texts). Launch data is a JSON
# object with "#" for each double quote; paths are Windows paths (Wine maps
# the Unix root to drive Z:) with their backslashes doubled and each "#" of
# a name written as the JSON escape \u0023.
set -euo pipefail
winpath() { printf 'Z:%s' "$(realpath -m "$1")" | sed -e 's|/|\\\\|g' -e 's|#|\\u0023|g'; }
output=$1
shift
clips=""
for clip in "$@"; do clips="$clips${clips:+,}#$(winpath "$clip")#"; done
printf '{#VideoClipsPath#:[%s],#OutputPath#:#%s#,#CurLangName#:#English#}\n' "$clips" "$(winpath "$output")"
