#!/usr/bin/env bash
# The web edition.
#   scripts/web.sh build        builds the static site into build/web/site/
#   scripts/web.sh              builds it and serves it on http://127.0.0.1:8080
#   scripts/web.sh screenshots  remakes docs/web.png and docs/web-phone.png
# The site is plain files (index.html, page.js, page.css, torume.js,
# torume.wasm, manifest.webmanifest, two icons, sw.js): any static web
# server can publish that folder as it is.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh web
cmake --preset web >/dev/null
cmake --build --preset web
echo "site: $PWD/build/web/site ($(du -cb build/web/site/* | tail -1 | cut -f1) bytes)"

case "${1:-}" in
  build) exit 0 ;;
  screenshots)
    version="$(sed -n 's/^#define TORUME_VERSION "\(.*\)"$/\1/p' build/web/generated/Version.h)"
    exec /usr/bin/python3 web/page_test.py --site build/web/site --torume build/native/cli/torume \
      --examples examples --saved observations/testdata/saved --version "$version" \
      --axe build/web/test-tools/node_modules/axe-core/axe.min.js --screenshots docs -k phone -k screenshot ;;
esac
echo "serving on http://127.0.0.1:8080 (Ctrl+C stops)"
exec python3 -m http.server 8080 --bind 127.0.0.1 --directory build/web/site
