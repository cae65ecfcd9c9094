#!/usr/bin/env bash
# The web edition's loading, as Lighthouse measures it on a phone (its
# default mobile run: a slow CPU and network, simulated): the site built,
# served from 127.0.0.1 on a free port, measured three times; prints the
# medians of cumulative layout shift, largest contentful paint and the
# performance score.
#   scripts/lighthouse.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh web
cmake --preset web >/dev/null
cmake --build --preset web
runs="${1:-3}"
lighthouse="$PWD/build/web/test-tools/node_modules/.bin/lighthouse"
reports="$(mktemp -d)"
python3 -u -m http.server 0 --bind 127.0.0.1 --directory build/web/site >"$reports/server.log" 2>/dev/null &
server=$!
trap 'kill "$server"; rm -rf "$reports"' EXIT
until port="$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$reports/server.log")" && [ -n "$port" ]; do sleep 0.1; done

for run in $(seq "$runs"); do
  CHROME_PATH=/usr/bin/chromium "$lighthouse" "http://127.0.0.1:$port/" --quiet --only-categories=performance \
    --chrome-flags="--headless=new --no-sandbox --disable-dev-shm-usage" \
    --output=json --output-path="$reports/run-$run.json"
done

python3 - "$reports"/run-*.json <<'EOF'
import json, statistics, sys
runs = [json.load(open(path)) for path in sys.argv[1:]]
figure = lambda run, audit: run['audits'][audit]['numericValue']
cls = [figure(r, 'cumulative-layout-shift') for r in runs]
lcp = [figure(r, 'largest-contentful-paint') / 1000 for r in runs]
score = [r['categories']['performance']['score'] * 100 for r in runs]
print('Lighthouse %s, mobile, median of %d runs: CLS %.3f, LCP %.2f s, performance %.0f'
      % (runs[0]['lighthouseVersion'], len(runs), statistics.median(cls), statistics.median(lcp),
         statistics.median(score)))
print('  runs: CLS %s; LCP %s s; performance %s' % (', '.join('%.3f' % c for c in cls),
                                                    ', '.join('%.2f' % l for l in lcp),
                                                    ', '.join('%.0f' % s for s in score)))
print('  and: FCP %s s; speed index %s s; total blocking time %s ms'
      % tuple(', '.join(fmt % (figure(r, audit) / scale) for r in runs)
              for audit, fmt, scale in (('first-contentful-paint', '%.2f', 1000), ('speed-index', '%.2f', 1000),
                                        ('total-blocking-time', '%.0f', 1))))
EOF
