#!/usr/bin/env bash
# Regenerates the interface bitmaps, the application icons and the preview, then checks them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# Debian's interpreter: it is the one that sees python3-pil.
/usr/bin/python3 "$here/build_ui.py"
/usr/bin/python3 "$here/check-ui.py"
