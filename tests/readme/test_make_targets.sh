#!/usr/bin/env bash
# Every make command the README shows is one make knows (a dry run of each:
# the slow ones are run by their own tests), and `make web-serve` serves the
# page: the command it runs, as make prints it, on the page that `make web`
# built, answers for the page's files.
source "$(dirname "$0")/common.sh"
cd "$SOURCE"
mapfile -t targets < <(grep -oE '(^ {4}|`)make [a-z][a-z-]*' README.md | awk '{print $2}' | sort -u)
((${#targets[@]} >= 10)) || fail "only ${#targets[@]} make commands found in the README: ${targets[*]}"
for target in "${targets[@]}"; do
  make -n "$target" > /dev/null 2> dry.err || fail "make $target, as the README shows it, is not a target: $(cat dry.err)"
done
rm -f dry.err
echo "the README's make commands: ${targets[*]}"

page=$SOURCE/build-web
if [[ "$TALMIR_SANITIZE" == ON || ! -f "$page/index.html" ]]; then
  echo "no page built here (make web): web-serve not tried"
  exit 0
fi
serve=$(make -n web-serve WEB_BUILD="$page" WEB_PORT=0 | tail -1)
[[ "$serve" == node\ scripts/web-serve.mjs* ]] || fail "make web-serve does not end by serving the page: $serve"
served=$(mktemp)
CLEANUP+=("$served")
bash -c "exec $serve" > "$served" 2>&1 &
VIEWER_PID=$!
for _ in $(seq 100); do grep -q 'served at' "$served" && break; sleep 0.1; done
url=$(grep -oE 'http://127\.0\.0\.1:[0-9]+/' "$served") || fail "make web-serve printed no address: $(cat "$served")"
node -e '
  const url = process.argv[1];
  const get = async (name, type) => {
    const r = await fetch(url + name);
    if (r.status != 200 || !r.headers.get("content-type").startsWith(type)) throw new Error(`${name}: ${r.status} ${r.headers.get("content-type")}`);
    return r;
  };
  (async () => {
    const html = await (await get("", "text/html")).text();
    if (!html.includes("index.js")) throw new Error("the page does not load index.js");
    await get("index.wasm", "application/wasm");
    console.log("served at " + url + ": the page and its WebAssembly");
  })().catch((e) => { console.error(e.message); process.exit(1); });
' "$url" || fail "make web-serve does not serve the page"
kill "$VIEWER_PID" && wait "$VIEWER_PID" 2> /dev/null || true
VIEWER_PID=
